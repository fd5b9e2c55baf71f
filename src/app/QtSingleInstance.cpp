#include "QtSingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

QString DefaultServerName() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  return QDir(folder).filePath("tolmek.socket");
}

}  // namespace

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), serverName_(serverName.isEmpty() ? DefaultServerName() : serverName) {}

bool SingleInstance::HandOver(const QString& path, int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(serverName_);
  if (!socket.waitForConnected(timeoutMs)) return false;
  socket.write(path.toUtf8());
  socket.write("\n");
  socket.flush();
  socket.waitForBytesWritten(timeoutMs);
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(timeoutMs);
  return true;
}

bool SingleInstance::Listen() {
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  // A socket left by a copy that crashed would block every later start.
  QLocalServer::removeServer(serverName_);
  connect(server_, &QLocalServer::newConnection, this, &SingleInstance::ReadConnection);
  return server_->listen(serverName_);
}

void SingleInstance::ReadConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    // The message is one line; it is taken once the sender has finished.
    auto take = [this, socket] {
      if (!socket->canReadLine() && socket->state() == QLocalSocket::ConnectedState) return;
      QString path = QString::fromUtf8(socket->readAll());
      if (path.endsWith('\n')) path.chop(1);
      socket->disconnect(this);
      emit FileHandedOver(path);
    };
    connect(socket, &QLocalSocket::readyRead, this, take);
    if (socket->bytesAvailable() > 0) take();
  }
}

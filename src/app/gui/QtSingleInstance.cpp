#include "QtSingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <memory>

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

// The path arrives as one line; it is handed on from the event loop, not from inside the socket's
// own signal, because loading it may show message boxes while the socket goes away.
void SingleInstance::ReadConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    auto buffer = std::make_shared<QByteArray>();
    auto take = [this, socket, buffer] {
      buffer->append(socket->readAll());
      if (!buffer->endsWith('\n') && socket->state() == QLocalSocket::ConnectedState) return;
      socket->disconnect(this);
      socket->deleteLater();
      QString path = QString::fromUtf8(*buffer);
      if (path.endsWith('\n')) path.chop(1);
      QTimer::singleShot(0, this, [this, path] { emit FileHandedOver(path); });
    };
    connect(socket, &QLocalSocket::readyRead, this, take);
    connect(socket, &QLocalSocket::disconnected, this, take);
    if (socket->bytesAvailable() > 0) take();
  }
}

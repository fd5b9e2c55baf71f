// One running copy per user: the first start listens on a local socket in the user's runtime
// folder; a later start hands its file to it and ends.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // serverName: a socket path; empty means the user's runtime folder's "tolmek.socket".
  explicit SingleInstance(QString serverName = {}, QObject* parent = nullptr);

  // True when another copy runs and took the path (possibly empty: it only comes to the front).
  bool HandOver(const QString& path, int timeoutMs = 1000);
  // Starts listening for later starts; false when the socket cannot be made.
  bool Listen();
  const QString& ServerName() const { return serverName_; }

 signals:
  void FileHandedOver(const QString& path);

 private:
  void ReadConnection();

  QString serverName_;
  QLocalServer* server_ = nullptr;
};

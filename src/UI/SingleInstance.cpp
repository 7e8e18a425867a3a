#include "UI/SingleInstance.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace zelvora {
namespace {

constexpr int kConnectTimeoutMs = 1000;

QString CanonicalFolder(const QString& data_folder) {
  const QString canonical = QFileInfo(data_folder).canonicalFilePath();
  return canonical.isEmpty() ? QDir::cleanPath(QDir(data_folder).absolutePath()) : canonical;
}

}  // namespace

TSingleInstance::TSingleInstance() = default;

TSingleInstance::~TSingleInstance() { Unlock(); }

QString TSingleInstance::ServerName(const QString& data_folder) {
  const QByteArray hash =
      QCryptographicHash::hash(CanonicalFolder(data_folder).toUtf8(), QCryptographicHash::Sha256);
  return QString("zelvora360-%1-%2")
      .arg(::getuid())
      .arg(QString::fromLatin1(hash.toHex().left(24)));
}

bool TSingleInstance::RaiseRunningCopy(const QString& data_folder) {
  QLocalSocket socket;
  socket.connectToServer(ServerName(data_folder));
  if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
  socket.write("raise\n");
  socket.waitForBytesWritten(kConnectTimeoutMs);
  socket.disconnectFromServer();
  return true;
}

bool TSingleInstance::Lock(const QString& lock_path, const QString& data_folder,
                           std::function<void()> on_raise) {
  Unlock();
  auto lock = std::make_unique<QLockFile>(lock_path);
  // Held for the whole run: only a dead holder makes the file stale, never
  // its age.
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) return false;
  lock_ = std::move(lock);

  // Holding the lock, any socket of that name was left by a dead copy.
  const QString name = ServerName(data_folder);
  QLocalServer::removeServer(name);
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  QLocalServer* server = server_.get();
  QObject::connect(server, &QLocalServer::newConnection, server, [server, on_raise] {
    while (QLocalSocket* socket = server->nextPendingConnection()) {
      QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      socket->disconnectFromServer();
      if (on_raise) on_raise();
    }
  });
  // Without the socket the copy still runs; a second copy then stops at the
  // lock file instead of raising this one.
  server_->listen(name);
  return true;
}

void TSingleInstance::Unlock() {
  server_.reset();
  if (lock_) lock_->unlock();
  lock_.reset();
}

}  // namespace zelvora

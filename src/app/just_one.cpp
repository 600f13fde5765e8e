// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/just_one.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include "platform/instance_lock.h"

namespace mk::app {
namespace {

constexpr char kWake = 'W';

// One door per user and lock name: two users' copies never meet.
std::string DoorName(const std::string& name) {
  return name + "-" + std::to_string(qHash(QDir::homePath()));
}

}  // namespace

TJustOne::TJustOne(const std::string& name)
    : door_(DoorName(name)), lock_(std::make_unique<platform::InstanceLock>(name)) {}

TJustOne::~TJustOne() = default;

bool TJustOne::OwnsLock() const {
  return lock_->Owns();
}

bool TJustOne::OnLaterCopy(std::function<void()> wake) {
  if (!OwnsLock()) return false;
  const QString door = QString::fromStdString(door_);
  // Holding the lock, we are the only owner: a socket left behind by a copy
  // that crashed is stale.
  QLocalServer::removeServer(door);
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(door)) {
    server_.reset();
    return false;
  }
  QLocalServer* server = server_.get();
  QObject::connect(server, &QLocalServer::newConnection, server, [server, wake] {
    while (QLocalSocket* socket = server->nextPendingConnection()) {
      QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, wake] {
        if (socket->readAll().contains(kWake)) wake();
        socket->disconnectFromServer();
      });
    }
  });
  return true;
}

bool TJustOne::WakeFirstCopy(int timeout_ms) const {
  platform::LetOtherCopyComeForward();
  QLocalSocket socket;
  socket.connectToServer(QString::fromStdString(door_));
  if (!socket.waitForConnected(timeout_ms)) return false;
  socket.write(&kWake, 1);
  const bool sent = socket.waitForBytesWritten(timeout_ms);
  socket.disconnectFromServer();
  return sent;
}

}  // namespace mk::app

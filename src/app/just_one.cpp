// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/just_one.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <memory>
#include <utility>

#include "platform/instance_lock.h"
#include "widgets/qt_text.h"

namespace mk::app {
namespace {

// A knock: 'W', the file's UTF-8 path (may be empty), a NUL, which no path
// holds. Copies before files were handed sent the 'W' alone.
constexpr char kWake = 'W';
constexpr char kEnd = '\0';
// A path longer than any system allows is no knock.
constexpr qsizetype kMaxKnock = 65536;

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

bool TJustOne::OnLaterCopy(std::function<void(const std::string& file)> wake) {
  if (!OwnsLock()) return false;
  const QString door = widgets::Q(door_);
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
  QObject::connect(server, &QLocalServer::newConnection, server, [server, wake = std::move(wake)] {
    while (QLocalSocket* socket = server->nextPendingConnection()) {
      auto knock = std::make_shared<QByteArray>();
      auto heard = std::make_shared<bool>(false);
      // Runs as bytes come and once more when the later copy hangs up.
      const auto listen = [server, socket, knock, heard, wake] {
        knock->append(socket->readAll());
        const qsizetype end = knock->indexOf(kEnd);
        const bool whole = end >= 0 || socket->state() != QLocalSocket::ConnectedState;
        if (*heard || !whole) {
          if (knock->size() > kMaxKnock) socket->abort();
          return;
        }
        *heard = true;
        const QByteArray message = end >= 0 ? knock->left(end) : *knock;
        socket->disconnectFromServer();
        if (!message.startsWith(kWake) || message.size() > kMaxKnock) return;
        // From the event loop, not from inside the socket's signal: what the
        // window does (a question, a load) may run an event loop of its own.
        const std::string file = message.mid(1).toStdString();
        QTimer::singleShot(0, server, [wake, file] { wake(file); });
      };
      QObject::connect(socket, &QLocalSocket::readyRead, socket, listen);
      QObject::connect(socket, &QLocalSocket::disconnected, socket, [socket, listen] {
        listen();
        socket->deleteLater();
      });
    }
  });
  return true;
}

bool TJustOne::WakeFirstCopy(const std::string& file, int timeout_ms) const {
  platform::LetOtherCopyComeForward();
  QLocalSocket socket;
  socket.connectToServer(widgets::Q(door_));
  if (!socket.waitForConnected(timeout_ms)) return false;
  QByteArray knock(1, kWake);
  knock += QByteArray::fromStdString(file);
  knock += kEnd;
  socket.write(knock);
  const bool sent = socket.waitForBytesWritten(timeout_ms);
  socket.disconnectFromServer();
  return sent;
}

}  // namespace mk::app

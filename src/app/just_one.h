// SPDX-License-Identifier: GPL-3.0-or-later
// The single-instance guard of the main window, and the door through which a
// second copy asks the first to come to the front before it ends.
#pragma once

#include <functional>
#include <memory>
#include <string>

class QLocalServer;

namespace mk::platform {
class InstanceLock;
}

namespace mk::app {

class TJustOne {
 public:
  /// Takes the lock named `name` (the program's file name without folder).
  explicit TJustOne(const std::string& name);
  ~TJustOne();
  TJustOne(const TJustOne&) = delete;
  TJustOne& operator=(const TJustOne&) = delete;

  /// False for a second copy, which must end without showing anything.
  bool OwnsLock() const;

  /// First copy: runs `wake` (on the window thread) whenever a later copy
  /// starts. False when the door could not be opened; the guard still works.
  bool OnLaterCopy(std::function<void()> wake);
  /// Later copy: tells the first copy to come to the front, waiting at most
  /// `timeout_ms`. False when no first copy listens.
  bool WakeFirstCopy(int timeout_ms = 1000) const;

 private:
  std::string door_;  // the local socket's name: the lock's, for this user
  std::unique_ptr<platform::InstanceLock> lock_;
  std::unique_ptr<QLocalServer> server_;
};

}  // namespace mk::app

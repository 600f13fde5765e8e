// SPDX-License-Identifier: GPL-3.0-or-later
// The single-instance guard of the main window, and the door through which a
// second copy asks the first to come to the front, and hands it the settings
// file it was started with, before it ends.
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

  /// First copy: runs `wake` (on the window thread, from its event loop)
  /// whenever a later copy starts, with the file that copy was given (UTF-8
  /// path; empty: none). False when the door could not be opened; the guard
  /// still works.
  bool OnLaterCopy(std::function<void(const std::string& file)> wake);
  /// Later copy: tells the first copy to come to the front and to open
  /// `file` (UTF-8, absolute; empty: none), waiting at most `timeout_ms`.
  /// False when no first copy listens.
  bool WakeFirstCopy(const std::string& file = {}, int timeout_ms = 1000) const;

 private:
  std::string door_;  // the local socket's name: the lock's, for this user
  std::unique_ptr<platform::InstanceLock> lock_;
  std::unique_ptr<QLocalServer> server_;
};

}  // namespace mk::app

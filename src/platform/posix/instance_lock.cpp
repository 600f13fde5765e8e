// SPDX-License-Identifier: GPL-3.0-or-later
// POSIX single-instance lock: flock on a file in the user's runtime folder.
// The kernel drops a flock when its holder dies, so a crashed copy never
// leaves the program locked out.
#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace mk::platform {
namespace {

std::string LockPath(const std::string& name) {
  // Keep the name a plain file name whatever the caller passes.
  std::string safe;
  for (char c : name) safe += (c == '/' || c == '\0') ? '_' : c;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime != '\0') return std::string(runtime) + "/" + safe + ".lock";
  // /tmp is shared by every user: the uid keeps one user from locking out another.
  return "/tmp/" + safe + "-" + std::to_string(getuid()) + ".lock";
}

}  // namespace

InstanceLock::InstanceLock(const std::string& name) {
  fd_ = open(LockPath(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd_ < 0) return;
  if (flock(fd_, LOCK_EX | LOCK_NB) == 0) {
    owns_ = true;
  } else {
    close(fd_);
    fd_ = -1;
  }
}

InstanceLock::~InstanceLock() {
  // Closing the descriptor releases the flock; the file stays for the next run.
  if (fd_ >= 0) close(fd_);
}

void LetOtherCopyComeForward() {}

}  // namespace mk::platform

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/serial_errno.h"

#include <cerrno>

namespace mk::platform {

std::string ErrnoName(int err) {
  switch (err) {
    case EACCES:
      return "EACCES";
    case EPERM:
      return "EPERM";
    case EBUSY:
      return "EBUSY";
    case EIO:
      return "EIO";
    case ENOENT:
      return "ENOENT";
    case ENODEV:
      return "ENODEV";
    case ENXIO:
      return "ENXIO";
    case ENOTTY:
      return "ENOTTY";
    case EISDIR:
      return "EISDIR";
    case ELOOP:
      return "ELOOP";
    case EROFS:
      return "EROFS";
    case EAGAIN:
      return "EAGAIN";
    default:
      return "errno " + std::to_string(err);
  }
}

}  // namespace mk::platform

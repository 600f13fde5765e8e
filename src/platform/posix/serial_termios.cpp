// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/serial_termios.h"

namespace mk::platform {
namespace {

constexpr tcflag_t kParityBits = PARENB | PARODD
#ifdef CMSPAR
                                 | CMSPAR
#endif
    ;

}  // namespace

void MakeMkLine(termios& t) {
  cfmakeraw(&t);
  t.c_cflag &= ~(CSIZE | kParityBits | CRTSCTS);
  t.c_cflag |= CS8 | CSTOPB | CLOCAL | CREAD;
  t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
}

bool ApplyByteSize(termios& t, std::uint8_t bits) {
  tcflag_t size;
  switch (bits) {
    case 5:
      size = CS5;
      break;
    case 6:
      size = CS6;
      break;
    case 7:
      size = CS7;
      break;
    case 8:
      size = CS8;
      break;
    default:
      return false;
  }
  t.c_cflag = (t.c_cflag & ~static_cast<tcflag_t>(CSIZE)) | size;
  return true;
}

bool ApplyParity(termios& t, std::uint8_t parity) {
  tcflag_t bits;
  switch (parity) {
    case 0:
      bits = 0;
      break;
    case 1:
      bits = PARENB | PARODD;
      break;
    case 2:
      bits = PARENB;
      break;
#ifdef CMSPAR
    case 3:
      bits = PARENB | PARODD | CMSPAR;
      break;
    case 4:
      bits = PARENB | CMSPAR;
      break;
#endif
    default:
      return false;
  }
  t.c_cflag = (t.c_cflag & ~kParityBits) | bits;
  return true;
}

bool ApplyStopBits(termios& t, std::uint8_t stop_bits) {
  if (stop_bits > 2) return false;
  if (stop_bits == 0) {
    t.c_cflag &= ~static_cast<tcflag_t>(CSTOPB);
  } else {
    t.c_cflag |= CSTOPB;
  }
  return true;
}

}  // namespace mk::platform

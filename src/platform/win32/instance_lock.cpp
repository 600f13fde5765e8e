// SPDX-License-Identifier: GPL-3.0-or-later
// Windows single-instance lock: a named mutex in the session's namespace.
#include "platform/instance_lock.h"

#include <windows.h>

#include <string>

namespace mk::platform {

InstanceLock::InstanceLock(const std::string& name) {
  std::wstring wide;
  // Program names are ASCII; anything else is replaced so the name stays valid.
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    wide += (byte < 0x80 && c != '\\') ? static_cast<wchar_t>(byte) : L'_';
  }
  HANDLE h = CreateMutexW(nullptr, FALSE, wide.c_str());
  if (h == nullptr) return;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(h);
    return;
  }
  handle_ = h;
  owns_ = true;
}

InstanceLock::~InstanceLock() {
  if (owns_) CloseHandle(static_cast<HANDLE>(handle_));
}

void LetOtherCopyComeForward() {
  // The user just started this copy, so it may hand the foreground on.
  AllowSetForegroundWindow(ASFW_ANY);
}

}  // namespace mk::platform

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/usb_registry.h"

#include <windows.h>

#include <cwchar>

namespace mk::platform {
namespace {

class Key {
 public:
  Key(HKEY parent, const std::wstring& path) {
    if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~Key() {
    if (key_) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

std::string ToUtf8(const std::wstring& w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string s(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) {
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        nullptr);
  }
  return s;
}

bool ReadString(HKEY key, const wchar_t* name, std::wstring& value) {
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  std::wstring buf(bytes / sizeof(wchar_t) + 1, L'\0');
  DWORD size = static_cast<DWORD>(buf.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &size) !=
      ERROR_SUCCESS) {
    return false;
  }
  // The stored string may or may not end in a 0; cut at the first one.
  buf.resize(std::wcslen(buf.c_str()));
  value = buf;
  return true;
}

}  // namespace

std::vector<std::string> MkFriendlyNames() {
  std::vector<std::string> names;
  const std::wstring base = kMkRegistryKey;
  Key root(HKEY_LOCAL_MACHINE, base);
  if (!root.get()) return names;
  for (DWORD i = 0;; ++i) {
    wchar_t sub[256];
    DWORD len = 256;
    const LONG r = RegEnumKeyExW(root.get(), i, sub, &len, nullptr, nullptr, nullptr, nullptr);
    if (r == ERROR_NO_MORE_ITEMS) break;
    if (r != ERROR_SUCCESS) continue;
    Key device(HKEY_LOCAL_MACHINE, base + L"\\" + std::wstring(sub, len));
    std::wstring friendly;
    if (device.get() && ReadString(device.get(), L"FriendlyName", friendly)) {
      names.push_back(ToUtf8(friendly));
    }
  }
  return names;
}

}  // namespace mk::platform

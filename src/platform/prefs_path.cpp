// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/prefs_path.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

namespace mk::platform {

namespace fs = std::filesystem;

bool CanWriteIn(const fs::path& dir) {
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) return false;
  // Permission bits do not tell the whole story (read-only mounts, ACLs):
  // only creating a file does.
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const fs::path probe =
      dir / (".write-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  bool ok = false;
  {
    std::ofstream out(probe, std::ios::binary);
    ok = out.good();
  }
  fs::remove(probe, ec);
  return ok;
}

fs::path UserConfigDir() {
#ifdef _WIN32
  // The wide form: a user name outside the ANSI code page must not break it.
  if (const wchar_t* appdata = _wgetenv(L"APPDATA"); appdata != nullptr && *appdata != L'\0')
    return fs::path(appdata);
  return {};
#else
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg == '/')
    return fs::path(xdg);
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
    return fs::path(home) / ".config";
  return {};
#endif
}

fs::path UserDataDir() {
#ifdef _WIN32
  // The wide form: a user name outside the ANSI code page must not break it.
  if (const wchar_t* local = _wgetenv(L"LOCALAPPDATA"); local != nullptr && *local != L'\0')
    return fs::path(local);
  return {};
#else
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg == '/')
    return fs::path(xdg);
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
    return fs::path(home) / ".local" / "share";
  return {};
#endif
}

fs::path UserCacheDir() {
#ifdef _WIN32
  return UserDataDir();
#else
  if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg != nullptr && *xdg == '/')
    return fs::path(xdg);
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
    return fs::path(home) / ".cache";
  return {};
#endif
}

fs::path BackupsDir() {
  const fs::path data = UserDataDir();
  if (data.empty()) return fs::path("mkconfig-backups");
  return data / "mkconfig" / "backups";
}

fs::path HistoryPath() {
  const fs::path data = UserDataDir();
  if (data.empty()) return fs::path("mkconfig-history.sqlite");
  return data / "mkconfig" / "history.sqlite";
}

namespace {

#ifdef _WIN32
// Case-insensitively, as Windows compares paths (ASCII letters suffice for
// the drive and the standard folder names).
std::wstring Folded(const fs::path& path) {
  std::wstring text = path.lexically_normal().generic_wstring();
  for (wchar_t& c : text) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  while (!text.empty() && text.back() == L'/') text.pop_back();
  return text;
}

bool UnderProgramFiles(const fs::path& folder) {
  const std::wstring here = Folded(folder);
  for (const wchar_t* name : {L"ProgramFiles", L"ProgramFiles(x86)", L"ProgramW6432"}) {
    const wchar_t* value = _wgetenv(name);
    if (value == nullptr || *value == L'\0') continue;
    const std::wstring root = Folded(fs::path(value));
    if (here == root || here.starts_with(root + L"/")) return true;
  }
  return false;
}
#endif

// A program that was installed (by the system's packages, or by the Windows
// installer, whose uninstaller lies beside it): its folder belongs to the
// installation, never to a user's preferences, even when an administrator or
// root, who could write there, runs it. The uninstaller removes the folder.
bool Installed(const fs::path& folder) {
  std::error_code ec;
  if (fs::is_regular_file(folder / "uninstall.exe", ec)) return true;
#ifdef _WIN32
  return UnderProgramFiles(folder);
#else
  const std::string normal = folder.lexically_normal().generic_string();
  return normal == "/usr" || normal.starts_with("/usr/");
#endif
}

}  // namespace

fs::path PrefsPath(const fs::path& program) {
  fs::path beside = program;
  beside.replace_extension(".ini");
  const fs::path folder = program.has_parent_path() ? program.parent_path() : fs::path(".");
  if (!Installed(folder) && CanWriteIn(folder)) return beside;
  const fs::path config = UserConfigDir();
  if (config.empty()) return beside;
  const fs::path name = program.stem();
  fs::path file = name;  // as a path: on Windows a narrow name means the ANSI code page
  file += ".ini";
  return config / name / file;
}

}  // namespace mk::platform

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

// A program the system's packages installed: its folder belongs to the
// package, never to a user, even to root who could write there.
bool InstalledWithTheSystem([[maybe_unused]] const fs::path& folder) {
#ifdef _WIN32
  return false;
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
  if (!InstalledWithTheSystem(folder) && CanWriteIn(folder)) return beside;
  const fs::path config = UserConfigDir();
  if (config.empty()) return beside;
  const fs::path name = program.stem();
  fs::path file = name;  // as a path: on Windows a narrow name means the ANSI code page
  file += ".ini";
  return config / name / file;
}

}  // namespace mk::platform

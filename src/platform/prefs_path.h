// SPDX-License-Identifier: GPL-3.0-or-later
// Where the preferences file lives: beside the program when its folder can be
// written, otherwise in the user's configuration folder.
#pragma once

#include <filesystem>

namespace mk::platform {

/// True when a file can be created in `dir` right now (tested by creating one).
bool CanWriteIn(const std::filesystem::path& dir);

/// The user's configuration folder: %APPDATA% on Windows; $XDG_CONFIG_HOME,
/// else $HOME/.config elsewhere. Empty when none of these is set.
std::filesystem::path UserConfigDir();

/// The user's folder for the program's own data: %LOCALAPPDATA% on Windows;
/// $XDG_DATA_HOME, else $HOME/.local/share elsewhere. Empty when none is set.
std::filesystem::path UserDataDir();

/// The user's folder for data that may be lost without harm: %LOCALAPPDATA%
/// on Windows; $XDG_CACHE_HOME, else $HOME/.cache elsewhere. Empty when none is set.
std::filesystem::path UserCacheDir();

/// Where the backups of the MK's memory go: <UserDataDir>/mkconfig/backups,
/// or the relative "mkconfig-backups" when there is no data folder (mkctl
/// takes it in the current folder, the window beside the program).
std::filesystem::path BackupsDir();

/// The history of trips: <UserDataDir>/mkconfig/history.sqlite, or the
/// relative "mkconfig-history.sqlite" when there is no data folder (as above).
std::filesystem::path HistoryPath();

/// The program's path with the extension ".ini" when the program's folder is
/// writable; otherwise <UserConfigDir>/<name>/<name>.ini, where <name> is the
/// program's file name without extension. An installed program always takes
/// the user's folder, whoever runs it: one under /usr (a package's), under
/// Program Files, or with the installer's uninstall.exe beside it.
std::filesystem::path PrefsPath(const std::filesystem::path& program);

}  // namespace mk::platform

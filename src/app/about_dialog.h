// SPDX-License-Identifier: GPL-3.0-or-later
// "О программе": the program's version and licence, the MK models it knows
// and the folders it keeps the user's files in.
#pragma once

#include <QString>

#include <filesystem>
#include <functional>

class QMainWindow;

namespace mk::app {

/// The folders the box names, asked each time it opens (they are known once
/// the window has read its preferences).
struct AboutFacts {
  std::filesystem::path preferences;  ///< the preferences file
  std::filesystem::path backups;      ///< the folder of the MK memory backups
  std::filesystem::path history;      ///< the folder of the trip history (history.sqlite)
};

/// The box's text (rich text): version, licence, toolkit, models, folders.
QString AboutText(const AboutFacts& facts);

/// Adds "О программе" to `window`'s help menu (object name "mHelp"), or, when
/// it has none, the menu "?" with "О программе" (F1) to its menu bar; the box
/// opens without blocking the window (so it never waits on a user in tests).
void AddAboutMenu(QMainWindow& window, std::function<AboutFacts()> facts);

}  // namespace mk::app

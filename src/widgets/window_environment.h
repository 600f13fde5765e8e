// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window hands to each window it opens over the device model
// (the settings editor, the journals, the oscilloscope), and how that window
// closed: one shape for all three, so the main window starts them alike.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace mk::device {
class TMK;
}
namespace mk::history {
class HistoryStore;
}

namespace mk::widgets {

class IDialogs;

struct WindowEnvironment {
  /// The window it opens over (the main window); may be null.
  QWidget* parent = nullptr;
  /// Boxes and file dialogs; null: the real ones, over the opened window.
  IDialogs* dialogs = nullptr;
  /// Where its file dialogs start (UTF-8).
  std::string folder;
  /// The object name of the control to show first; empty: the first page.
  std::string focus;
  /// A tank settings file (UTF-8) the settings editor loads on its page «Бак»
  /// once it is up, as that page's button would; empty: none.
  std::string tank_file;
};

struct WindowOutcome {
  /// Closed with OK: the model keeps what was done in the window.
  bool accepted = false;
  /// What was kept changed the settings (they need saving or writing).
  bool changed = false;
};

/// Runs a window modally over the model: RunSettingsEditor, RunJournals,
/// RunOscilloscope.
using WindowRun = std::function<WindowOutcome(device::TMK&, const WindowEnvironment&)>;

/// Runs the history window modally over the history: RunHistory.
using HistoryRun = std::function<void(history::HistoryStore&, const WindowEnvironment&)>;

}  // namespace mk::widgets

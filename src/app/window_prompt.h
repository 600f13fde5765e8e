// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's messages as the channel and the transfers give them.
// While a transfer's progress window is up they wait, so that no box ends up
// under that always-on-top window; they come when it is gone, in front of
// the main window, with the keyboard focus.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "link/user_prompt.h"
#include "widgets/dialogs.h"

class QWidget;

namespace mk::app {

class WindowPrompt final : public link::IUserPrompt {
 public:
  WindowPrompt(widgets::IDialogs& dialogs, QWidget& window) : dialogs_(dialogs), window_(window) {}

  void ShowError(const std::string& text) override;
  void ShowInfo(const std::string& text) override;
  /// Asked at once; a progress window that is up is hidden meanwhile.
  bool AskYesNo(const std::string& text) override;
  /// Runs `ask` (a question window of the transfer) with the progress window
  /// hidden meanwhile, as AskYesNo does.
  bool Ask(const std::function<bool()>& ask);

  /// From here on errors and information wait; `progress` is the window to
  /// hide while a question is asked.
  void Hold(QWidget* progress);
  /// Call once the progress window is gone: brings the main window to the
  /// front and shows, in order, what waited.
  void Release();
  /// Drops the waiting messages that say `text` (the window shows it another way).
  void Forget(const std::string& text);

  /// While set, a message the same as the one shown just before is not shown
  /// again (start-up, where two steps may find the same missing port).
  void CollapseRepeats(bool on);

 private:
  enum class Kind { Error, Info };
  void Show(Kind kind, const std::string& text);

  widgets::IDialogs& dialogs_;
  QWidget& window_;
  QWidget* progress_ = nullptr;
  bool holding_ = false;
  bool collapse_ = false;
  std::string last_;
  std::vector<std::pair<Kind, std::string>> held_;
};

}  // namespace mk::app

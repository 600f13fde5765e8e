// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_prompt.h"

#include <QWidget>

namespace mk::app {

void WindowPrompt::ShowError(const std::string& text) {
  Show(Kind::Error, text);
}

void WindowPrompt::ShowInfo(const std::string& text) {
  Show(Kind::Info, text);
}

bool WindowPrompt::AskYesNo(const std::string& text) {
  return Ask([&] { return dialogs_.AskYesNo(text); });
}

bool WindowPrompt::Ask(const std::function<bool()>& ask) {
  const bool hide = holding_ && progress_ != nullptr && progress_->isVisible();
  if (hide) progress_->hide();
  const bool yes = ask();
  if (hide) progress_->show();
  return yes;
}

void WindowPrompt::Hold(QWidget* progress) {
  holding_ = true;
  progress_ = progress;
}

void WindowPrompt::Release() {
  holding_ = false;
  progress_ = nullptr;
  if (held_.empty()) return;
  window_.raise();
  window_.activateWindow();
  auto held = std::move(held_);
  held_.clear();
  for (const auto& [kind, text] : held) Show(kind, text);
}

void WindowPrompt::Forget(const std::string& text) {
  std::erase_if(held_, [&text](const auto& message) { return message.second == text; });
}

void WindowPrompt::CollapseRepeats(bool on) {
  collapse_ = on;
  last_.clear();
}

void WindowPrompt::Show(Kind kind, const std::string& text) {
  if (holding_) {
    held_.emplace_back(kind, text);
    return;
  }
  if (collapse_ && text == last_) return;
  last_ = text;
  if (kind == Kind::Error) {
    dialogs_.ShowError(text);
  } else {
    dialogs_.ShowInfo(text);
  }
}

}  // namespace mk::app

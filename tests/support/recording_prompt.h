// SPDX-License-Identifier: GPL-3.0-or-later
// The user-prompt double for core tests: every box is recorded, and each
// question gets the answer set in `yes` (No unless a test says otherwise).
#pragma once

#include <string>
#include <vector>

#include "link/user_prompt.h"

namespace mk::tests {

class RecordingPrompt final : public link::IUserPrompt {
 public:
  void ShowError(const std::string& text) override { errors.push_back(text); }
  void ShowInfo(const std::string& text) override { infos.push_back(text); }
  bool AskYesNo(const std::string& text) override {
    questions.push_back(text);
    return yes;
  }

  std::vector<std::string> errors, infos, questions;
  bool yes = false;
};

}  // namespace mk::tests

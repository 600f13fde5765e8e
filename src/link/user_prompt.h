// SPDX-License-Identifier: GPL-3.0-or-later
// The few questions and messages that device code itself puts to the user.
// The program shows them as message boxes; tools print them; tests script them.
#pragma once

#include <string>

namespace mk::link {

class IUserPrompt {
 public:
  virtual ~IUserPrompt() = default;
  /// Error icon, one OK button.
  virtual void ShowError(const std::string& text) = 0;
  /// Information icon, one OK button.
  virtual void ShowInfo(const std::string& text) = 0;
  /// Question icon, Yes and No; true only for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
};

}  // namespace mk::link

// Every modal box and file dialog the main window shows goes through this
// seam, so tests can answer them without a modal loop.
#pragma once

#include <optional>
#include <string>

#include "link/user_prompt.h"
#include "text/utf8_path.h"

class QWidget;

namespace mk::app {

/// The program's name as its message boxes show it.
inline constexpr const char* kProgramName = "Конфигуратор МК";

class IDialogs : public link::IUserPrompt {
 public:
  /// An error box with a "Подробнее" button that shows `details` (plain
  /// text); the box comes back when the details are closed.
  virtual void ShowErrorWithDetails(const std::string& text, const std::string& details) = 0;
  /// The open dialog for settings files; nullopt when cancelled. `folder` is
  /// where it starts. Paths are UTF-8.
  virtual std::optional<std::string> OpenSettingsFile(const std::string& folder) = 0;
  /// The save dialog for settings files; nullopt when cancelled. Does not ask
  /// about overwriting: the window asks its own question.
  virtual std::optional<std::string> SaveSettingsFile(const std::string& folder) = 0;
  /// The save dialog for text exports (default extension "txt"), starting in
  /// `folder`; nullopt when cancelled. The dialog itself asks before
  /// overwriting a file.
  virtual std::optional<std::string> SaveTextFile(const std::string& folder) = 0;
  /// The open and save dialogs for tank settings files (default extension
  /// "vrnko"), starting in `folder`; nullopt when cancelled. The save dialog
  /// itself asks before overwriting a file.
  virtual std::optional<std::string> OpenTankFile(const std::string& folder) = 0;
  virtual std::optional<std::string> SaveTankFile(const std::string& folder) = 0;
};

/// The dialogs return paths as UTF-8; this opens them.
using text::PathFromUtf8;

/// The real boxes and dialogs, parented to `parent` (may be null).
class QtDialogs final : public IDialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void ShowError(const std::string& text) override;
  void ShowErrorWithDetails(const std::string& text, const std::string& details) override;
  void ShowInfo(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  std::optional<std::string> OpenSettingsFile(const std::string& folder) override;
  std::optional<std::string> SaveSettingsFile(const std::string& folder) override;
  std::optional<std::string> SaveTextFile(const std::string& folder) override;
  std::optional<std::string> OpenTankFile(const std::string& folder) override;
  std::optional<std::string> SaveTankFile(const std::string& folder) override;

 private:
  QWidget* parent_;
};

}  // namespace mk::app

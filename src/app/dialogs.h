// Every modal box and file dialog the main window shows goes through this
// seam, so tests can answer them without a modal loop.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "link/user_prompt.h"
#include "settings/shown_diff.h"
#include "text/utf8_path.h"

class QWidget;

namespace mk::app {

/// The program's name as its message boxes show it.
inline constexpr const char* kProgramName = "Конфигуратор МК";

/// What a list of differences is shown for; it decides the buttons.
enum class ChangesPurpose {
  Write,  // "Записать" (Enter) and "Отмена"; nothing to change: "Записать всё равно"
  Compare,  // "Закрыть"; a double click on a setting opens the editor there
  Restore,  // "Восстановить" and "Отмена"
  Take,     // a tick per page, "Взять" and "Отмена"
};

struct ChangesView {
  ChangesPurpose purpose = ChangesPurpose::Compare;
  std::string title;  // the window's caption
  std::string intro;  // the line above the list
  settings::ShownDiff diff;
  /// Take: settings of the ticked pages the held variant hides (not taken).
  std::vector<const settings::Setting*> not_taken;
};

struct ChangesAnswer {
  bool accepted = false;
  std::vector<settings::Page> pages;        // Take: the ticked pages
  const settings::Setting* open = nullptr;  // Compare: double-clicked
};

/// One backup in the restore list, its columns as shown.
struct BackupRow {
  std::string when, version, memory, differing, file;
};

class IDialogs : public link::IUserPrompt {
 public:
  /// The list of differences in the editor's words (modal).
  virtual ChangesAnswer ShowChanges(const ChangesView& view) = 0;
  /// The restore list; the chosen row, or nullopt when cancelled.
  virtual std::optional<std::size_t> ChooseBackup(const std::vector<BackupRow>& rows) = 0;
  /// An error box with a "Подробнее" button that shows `details` (plain
  /// text); the box comes back when the details are closed.
  virtual void ShowErrorWithDetails(const std::string& text, const std::string& details) = 0;
  /// The open dialog for settings files; nullopt when cancelled. `folder` is
  /// where it starts. Paths are UTF-8.
  virtual std::optional<std::string> OpenSettingsFile(const std::string& folder) = 0;
  /// The save dialog for settings files, `name` offered; nullopt when
  /// cancelled. Does not ask about overwriting: the window asks its own question.
  virtual std::optional<std::string> SaveSettingsFile(const std::string& folder,
                                                      const std::string& name) = 0;
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
  std::optional<std::string> SaveSettingsFile(const std::string& folder,
                                              const std::string& name) override;
  ChangesAnswer ShowChanges(const ChangesView& view) override;
  std::optional<std::size_t> ChooseBackup(const std::vector<BackupRow>& rows) override;
  std::optional<std::string> SaveTextFile(const std::string& folder) override;
  std::optional<std::string> OpenTankFile(const std::string& folder) override;
  std::optional<std::string> SaveTankFile(const std::string& folder) override;

 private:
  QWidget* parent_;
};

}  // namespace mk::app

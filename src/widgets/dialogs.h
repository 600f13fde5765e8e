// SPDX-License-Identifier: GPL-3.0-or-later
// Every modal box and file dialog the windows show goes through this seam,
// so tests can answer them without a modal loop.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "link/user_prompt.h"
#include "settings/shown_diff.h"

class QWidget;

namespace mk::widgets {

/// The program's name as its message boxes show it.
inline constexpr const char* kProgramName = "Конфигуратор МК";

/// What a list of differences is shown for; it decides the buttons.
enum class ChangesPurpose {
  Write,  // "Записать" (Enter) and "Отмена"; nothing to change: "Записать всё равно"
  Compare,  // "Взять отмеченные" and "Закрыть"; a double click opens the editor there
  Restore,  // "Восстановить" and "Отмена"
  Take,     // "Взять" and "Отмена"
};

struct ChangesView {
  ChangesPurpose purpose = ChangesPurpose::Compare;
  std::string title;  // the window's caption
  std::string intro;  // the line above the list
  settings::ShownDiff diff;
  /// Take: settings of the ticked pages the held variant hides (not taken).
  std::vector<const settings::Setting*> not_taken;
  /// Lines shown under their own heading, not ticked: "Строка 12: ..." of a
  /// preset that were not taken.
  std::string notes_title;
  std::vector<std::string> notes;
};

/// The list asked before a write: what the write would change in the MK
/// (`diff` from the MK as read to what is to be written).
ChangesView WriteChangesView(settings::ShownDiff diff);

/// Write, Compare and Take tick every setting of the list at first; the
/// answer names the ones the user unticked.
struct ChangesAnswer {
  bool accepted = false;  // Compare: "Взять отмеченные"
  std::vector<const settings::Setting*> unticked;
  const settings::Setting* open = nullptr;  // Compare: double-clicked
};

/// Whether the list shows a tick per setting.
constexpr bool Ticked(ChangesPurpose purpose) {
  return purpose != ChangesPurpose::Restore;
}

/// What a file dialog is for: it decides the filter and the default extension.
enum class FileKind {
  Settings,  // *.vrnkp
  Tank,      // *.vrnko, the tank page's own files
  Text,      // *.txt exports of the journals and the oscilloscope
  Preset,    // *.txt settings as text
  Csv,       // *.csv tables for spreadsheets
  Svg,       // *.svg charts
  Png,       // *.png charts
};

/// One backup in the restore list, its columns as shown.
struct BackupRow {
  std::string when, version, memory, differing, file;
};

/// The answer to a question that can also be called off.
enum class Reply { Yes, No, Cancel };

class IDialogs : public link::IUserPrompt {
 public:
  /// A question box with Да, Нет and Отмена (Да the default); Esc and the
  /// box's close button answer Отмена.
  virtual Reply AskYesNoCancel(const std::string& text) = 0;
  /// Yes and No, No the default: for a question whose Yes throws work away.
  virtual bool AskYesNoDefaultNo(const std::string& text) { return AskYesNo(text); }
  /// The list of differences in the editor's words (modal).
  virtual ChangesAnswer ShowChanges(const ChangesView& view) = 0;
  /// The restore list; the chosen row, or nullopt when cancelled.
  virtual std::optional<std::size_t> ChooseBackup(const std::vector<BackupRow>& rows) = 0;
  /// The pages to save as text, every one ticked at first; nullopt when cancelled.
  virtual std::optional<std::vector<settings::Page>> ChoosePages(const std::string& title) = 0;
  /// An error box with a "Подробнее" button that shows `details` (plain
  /// text); the box comes back when the details are closed.
  virtual void ShowErrorWithDetails(const std::string& text, const std::string& details) = 0;
  /// A box asking for a line of text, `initial` offered; nullopt when
  /// cancelled or left empty.
  virtual std::optional<std::string> AskText(const std::string& text,
                                             const std::string& initial) = 0;
  /// The open dialog for `kind`, starting in `folder`; nullopt when
  /// cancelled. Paths are UTF-8.
  virtual std::optional<std::string> OpenFile(FileKind kind, const std::string& folder) = 0;
  /// The save dialog for `kind`, starting in `folder` with `name` offered;
  /// nullopt when cancelled. It asks before overwriting a file, except for
  /// settings files, where the window asks its own question.
  virtual std::optional<std::string> SaveFile(FileKind kind, const std::string& folder,
                                              const std::string& name) = 0;
};

/// The real boxes and dialogs, parented to `parent` (may be null).
class QtDialogs final : public IDialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void ShowError(const std::string& text) override;
  void ShowErrorWithDetails(const std::string& text, const std::string& details) override;
  void ShowInfo(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  Reply AskYesNoCancel(const std::string& text) override;
  bool AskYesNoDefaultNo(const std::string& text) override;
  std::optional<std::string> AskText(const std::string& text, const std::string& initial) override;
  std::optional<std::string> OpenFile(FileKind kind, const std::string& folder) override;
  std::optional<std::string> SaveFile(FileKind kind, const std::string& folder,
                                      const std::string& name) override;
  ChangesAnswer ShowChanges(const ChangesView& view) override;
  std::optional<std::size_t> ChooseBackup(const std::vector<BackupRow>& rows) override;
  std::optional<std::vector<settings::Page>> ChoosePages(const std::string& title) override;

 private:
  QWidget* parent_;
};

/// The boxes of a window opened over the model: the ones it was given, else
/// the real ones over that window (see Over).
class WindowDialogs {
 public:
  explicit WindowDialogs(IDialogs* given) : given_(given) {}
  /// The window the real boxes stand over, once it exists.
  void Over(QWidget* window) { own_.SetParent(window); }
  IDialogs& Get() { return given_ != nullptr ? *given_ : own_; }

 private:
  IDialogs* given_;
  QtDialogs own_;
};

}  // namespace mk::widgets

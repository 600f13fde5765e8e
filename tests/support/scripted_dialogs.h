// SPDX-License-Identifier: GPL-3.0-or-later
// Boxes and file dialogs for window tests: every box is recorded, questions
// and file dialogs are answered from queues, so no test waits on a modal box.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "widgets/dialogs.h"

namespace mk::widgets::test {

class ScriptedDialogs final : public IDialogs {
 public:
  void ShowError(const std::string& text) override {
    Seen("error: " + text);
    errors.push_back(text);
  }
  void ShowErrorWithDetails(const std::string& text, const std::string& details) override {
    ShowError(text);
    error_details.push_back(details);
  }
  void ShowInfo(const std::string& text) override {
    Seen("info: " + text);
    infos.push_back(text);
  }
  bool AskYesNo(const std::string& text) override {
    Seen("question: " + text);
    questions.push_back(text);
    if (answers.empty()) return false;
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
  }
  Reply AskYesNoCancel(const std::string& text) override {
    Seen("question: " + text);
    questions.push_back(text);
    // Unscripted: Нет, as for a yes-or-no question.
    if (replies.empty()) return Reply::No;
    const Reply reply = replies.front();
    replies.pop_front();
    return reply;
  }
  std::optional<std::string> AskText(const std::string& text, const std::string& initial) override {
    // Not passed to on_box: the name a read's first history import asks for
    // would stand among the boxes the transfer tests check the order of.
    text_questions.push_back(text);
    text_offered.push_back(initial);
    // Unscripted: the offered text taken as it is.
    if (text_answers.empty()) return initial;
    auto answer = text_answers.front();
    text_answers.pop_front();
    return answer;
  }
  std::optional<std::string> OpenFile(FileKind kind, const std::string& folder) override {
    if (kind == FileKind::Tank) {
      tank_open_folders.push_back(folder);
      return Next(tank_open_paths);
    }
    open_folders.push_back(folder);
    return Next(open_paths);
  }
  std::optional<std::string> SaveFile(FileKind kind, const std::string& folder,
                                      const std::string& name) override {
    if (kind == FileKind::Text || kind == FileKind::Preset || kind == FileKind::Csv ||
        kind == FileKind::Svg || kind == FileKind::Png) {
      text_folders.push_back(folder);
      text_kinds.push_back(kind);
      return Next(text_paths);
    }
    if (kind == FileKind::Tank) {
      tank_save_folders.push_back(folder);
      return Next(tank_save_paths);
    }
    save_folders.push_back(folder);
    save_names.push_back(name);
    return Next(save_paths);
  }
  ChangesAnswer ShowChanges(const ChangesView& view) override {
    Seen("changes: " + view.title);
    changes.push_back(view);
    // Unscripted, the default button: Enter writes.
    if (change_answers.empty()) return Answer(view.purpose == ChangesPurpose::Write);
    ChangesAnswer answer = change_answers.front();
    change_answers.pop_front();
    return answer;
  }
  std::optional<std::size_t> ChooseBackup(const std::vector<BackupRow>& rows) override {
    backup_lists.push_back(rows);
    return backup_choice;
  }

  std::vector<std::string> errors, error_details, infos, questions, open_folders, save_folders,
      text_folders, tank_open_folders, tank_save_folders, text_questions, text_offered;
  /// The kinds of the export dialogs (text, CSV, pictures), in turn.
  std::vector<FileKind> text_kinds;
  /// The answers to text boxes, in turn (nullopt: cancelled).
  std::deque<std::optional<std::string>> text_answers;
  std::deque<bool> answers;
  /// The answers to questions with Да, Нет and Отмена, in turn.
  std::deque<Reply> replies;
  std::vector<std::string> save_names;
  /// An answer to script: OK or Cancel, and the settings unticked.
  static ChangesAnswer Answer(bool accepted, std::vector<const settings::Setting*> unticked = {}) {
    ChangesAnswer answer;
    answer.accepted = accepted;
    answer.unticked = std::move(unticked);
    return answer;
  }
  std::optional<std::vector<settings::Page>> ChoosePages(const std::string& title) override {
    Seen("pages: " + title);
    return pages_choice;
  }
  /// The pages "Сохранить страницы как текст" is given; nullopt: cancelled.
  std::optional<std::vector<settings::Page>> pages_choice;
  /// Every list of differences shown, and the answers given in turn (none: a
  /// write's list is accepted, any other cancelled).
  std::vector<ChangesView> changes;
  std::deque<ChangesAnswer> change_answers;
  std::vector<std::vector<BackupRow>> backup_lists;
  std::optional<std::size_t> backup_choice;
  /// Called as each box comes ("error: ...", "info: ...", "question: ..."),
  /// for tests that check what else is on screen at that moment.
  std::function<void(const std::string&)> on_box;
  std::deque<std::optional<std::string>> open_paths, save_paths, text_paths, tank_open_paths,
      tank_save_paths;

 private:
  void Seen(const std::string& box) {
    if (on_box) on_box(box);
  }
  static std::optional<std::string> Next(std::deque<std::optional<std::string>>& queue) {
    if (queue.empty()) return std::nullopt;
    auto value = queue.front();
    queue.pop_front();
    return value;
  }
};

}  // namespace mk::widgets::test

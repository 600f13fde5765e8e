// SPDX-License-Identifier: GPL-3.0-or-later
// What the pages of the settings editor share: the device model, the box seam,
// the undo history, and the signals by which one page's change reaches the
// others. Every change of the image goes through Change(), so a refused value
// is reported in one place and every change can be undone.
#pragma once

#include <QObject>

#include <functional>
#include <string>
#include <vector>

#include "device/mk.h"
#include "settings/edit_history.h"
#include "settings/setting.h"
#include "widgets/dialogs.h"

namespace mk::editor {

class TEditorContext final : public QObject {
  Q_OBJECT

 public:
  /// `file_folder`: where the tank page's file dialogs start (UTF-8).
  TEditorContext(device::TMK& mk, widgets::IDialogs& dialogs, std::string file_folder,
                 QObject* parent = nullptr);

  device::TMK& Mk() { return mk_; }
  const device::TMK& Mk() const { return mk_; }
  link::IUserPrompt& Prompt() { return dialogs_; }
  /// The boxes and the file dialogs (the tank page opens and saves tank files).
  widgets::IDialogs& Dialogs() { return dialogs_; }
  const std::string& FileFolder() const { return file_folder_; }

  /// Runs `change` on the records as one undo step and tells the pages
  /// (Changed). An mk::Error (a range error above all) is shown in an error
  /// box, every record stays as it was, and the result is false. Numbers the
  /// change put outside their ranges are listed in one question; agreed, the
  /// nearest values are stored as a step of their own.
  bool Change(const std::function<void()>& change);

  /// Puts back the bytes of the last change, or writes them again; the pages
  /// are refilled (Refilled). False when there was nothing to undo or redo.
  bool Undo();
  bool Redo();

  /// True while pages are being filled from the image: bound controls do not
  /// write back what they are given then.
  bool Refreshing() const { return refreshing_; }
  void SetRefreshing(bool on) { refreshing_ = on; }

  /// Tells the pages that the selected protocol entry changed (the catalogues
  /// were rebuilt): protocol-dependent lists and visibility must be redone.
  void AnnounceProtocolChange() { emit ProtocolChanged(); }

 signals:
  /// A setting changed through Change().
  void Changed();
  /// The records changed under the pages (undo, redo): every page refills.
  void Refilled();
  void ProtocolChanged();

 private:
  void OfferRangeFixes(const std::vector<const settings::Setting*>& before);

  device::TMK& mk_;
  widgets::IDialogs& dialogs_;
  std::string file_folder_;
  settings::EditHistory history_;
  bool refreshing_ = false;
};

}  // namespace mk::editor

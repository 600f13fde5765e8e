// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editor_context.h"

#include <utility>

#include "settings/range_fixes.h"
#include "text/error.h"

namespace mk::editor {

TEditorContext::TEditorContext(device::TMK& mk, widgets::IDialogs& dialogs, std::string file_folder,
                               QObject* parent)
    : QObject(parent),
      mk_(mk),
      dialogs_(dialogs),
      file_folder_(std::move(file_folder)),
      history_(mk) {}

bool TEditorContext::Change(const std::function<void()>& change) {
  // A change of the protocol can move other settings' ranges under their values.
  const auto before = settings::NumbersOutOfRange(mk_);
  try {
    history_.Apply(change);
  } catch (const Error& e) {
    dialogs_.ShowError(e.what());
    return false;
  }
  emit Changed();
  OfferRangeFixes(before);
  return true;
}

void TEditorContext::OfferRangeFixes(const std::vector<const settings::Setting*>& before) {
  const auto fixes = settings::NewlyOutOfRange(mk_, before);
  if (fixes.empty() || !dialogs_.AskYesNo(settings::RangeFixQuestion(fixes))) return;
  try {
    history_.Apply([&] { settings::ApplyRangeFixes(mk_, fixes); });
  } catch (const Error& e) {
    dialogs_.ShowError(e.what());
    return;
  }
  emit Refilled();
  emit Changed();
}

bool TEditorContext::Undo() {
  if (!history_.Undo()) return false;
  if (history_.ProtocolChanged()) emit ProtocolChanged();
  emit Refilled();
  emit Changed();
  return true;
}

bool TEditorContext::Redo() {
  if (!history_.Redo()) return false;
  if (history_.ProtocolChanged()) emit ProtocolChanged();
  emit Refilled();
  emit Changed();
  return true;
}

}  // namespace mk::editor

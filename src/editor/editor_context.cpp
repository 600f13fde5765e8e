#include "editor/editor_context.h"

#include "text/error.h"

namespace mk::editor {

TEditorContext::TEditorContext(device::TMK& mk, app::IDialogs& dialogs, QObject* parent)
    : QObject(parent), mk_(mk), dialogs_(dialogs), history_(mk) {}

bool TEditorContext::Change(const std::function<void()>& change) {
  try {
    history_.Apply(change);
  } catch (const Error& e) {
    dialogs_.ShowError(e.what());
    return false;
  }
  emit Changed();
  return true;
}

bool TEditorContext::Undo() {
  if (!history_.Undo()) return false;
  emit Refilled();
  emit Changed();
  return true;
}

bool TEditorContext::Redo() {
  if (!history_.Redo()) return false;
  emit Refilled();
  emit Changed();
  return true;
}

}  // namespace mk::editor

// SPDX-License-Identifier: GPL-3.0-or-later
// The contract every page of the settings editor follows. The dialog builds
// each page once, fills it each time the dialog is shown, asks it to write
// back what the user has not yet left before OK closes, and tells it when
// something it depends on changed elsewhere. A page reads and writes only the
// device model's records, and writes only through TEditorContext::Change, so
// the undo history, the changed-value count and the error boxes stay whole.
//
//   Build()     create the controls (once, right after construction);
//   Fill()      show the image's values, apply the variant's visibility;
//   WriteBack() commit an edit still in progress; false keeps the dialog open;
//   Refresh()   the protocol or a shared value changed, or an undo/redo
//               replaced the bytes: redo lists and visibility (default: Fill);
//   Activated() the page became the current page;
//   AddMarks()  register the changed marks of settings it draws inside shared
//               widgets (once, after Build; settings with a widget of their
//               own name are marked on it by the dialog).
#pragma once

#include <QString>
#include <QWidget>

#include "editor/editor_context.h"
#include "settings/pages.h"

namespace mk::editor {

class TChangedMarks;

/// Lays out `root` and everything in it from the innermost layouts outwards,
/// at once: what changed while it was hidden (controls filled, shown or
/// hidden) is otherwise picked up one nesting level per turn of the event
/// loop, and the first picture shows controls cut short.
void SettleLayouts(QWidget* root);

class TSettingsPage : public QWidget {
  Q_OBJECT

 public:
  TSettingsPage(TEditorContext& context, settings::Page page, QWidget* parent = nullptr);

  settings::Page Page() const { return page_; }
  QString Caption() const;

  virtual void Build() = 0;
  virtual void Fill() = 0;
  virtual bool WriteBack() { return true; }
  virtual void Refresh() { Fill(); }
  virtual void Activated() {}
  virtual void AddMarks(TChangedMarks& /*marks*/) {}

 protected:
  /// What a page builds its controls in: a scrolled area that fills the page,
  /// so a window smaller than the page's content still reaches all of it.
  QWidget* Body();
  void showEvent(QShowEvent* event) override;
  TEditorContext& Context() { return context_; }
  device::TMK& Mk() { return context_.Mk(); }

 private:
  TEditorContext& context_;
  settings::Page page_;
  QWidget* body_ = nullptr;
};

}  // namespace mk::editor

// SPDX-License-Identifier: GPL-3.0-or-later
// What the sub-pages of "Дисплей" share: the editor's context, a fill from
// the image, and redrawing when the image changed (the refresh after every
// change), lazily while the sub-page is hidden.
#pragma once

#include <QWidget>

#include "editor/editor_context.h"
#include "settings/pages.h"

namespace mk::editor {

class TChangedMarks;

class TDisplaySubPage : public QWidget {
  Q_OBJECT

 public:
  TDisplaySubPage(TEditorContext& context, QWidget* parent = nullptr);

  /// Shows the image's values and the variant's visibility.
  virtual void Fill() = 0;
  /// Registers the changed marks of the settings it draws (settings_page.h).
  virtual void AddMarks(TChangedMarks& /*marks*/) {}

 protected:
  TEditorContext& Context() { return context_; }
  device::TMK& Mk() { return context_.Mk(); }
  const device::TMK& Mk() const { return context_.Mk(); }

  /// Runs `change` as one undoable step; false when it was refused.
  bool Change(const std::function<void()>& change) { return context_.Change(change); }

  void showEvent(QShowEvent* event) override;

 private:
  void ImageChanged();

  TEditorContext& context_;
  bool stale_ = false;
};

/// The sub-page widget for `page`, or nullptr for "Разное", whose value rows
/// the editor's own page builds (it hosts TShowDisplayBoxes).
TDisplaySubPage* MakeDisplaySubPage(settings::DisplayPage page, TEditorContext& context,
                                    QWidget* parent);

}  // namespace mk::editor

// SPDX-License-Identifier: GPL-3.0-or-later
// The generic controls of the value pages, each bound to one setting of the
// metadata table. A control fills itself from the setting's field, and
// writes back through the editor context only what the user changed, so an
// image value the control cannot show stays stored until the user edits it.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>

#include "editor/editor_context.h"
#include "settings/env.h"
#include "settings/setting.h"

class QLabel;
class QWidget;

namespace mk::editor {

class TBoundControl : public QObject {
  Q_OBJECT

 public:
  /// Makes the widget (object name: the setting's name) and, for kinds that
  /// do not carry their caption, a label; both are parented to `parent`.
  static std::unique_ptr<TBoundControl> Make(TEditorContext& context,
                                             const settings::Setting& setting, QWidget* parent,
                                             bool in_table);

  const settings::Setting& Def() const { return setting_; }
  QWidget* Widget() const { return widget_; }
  /// The caption label; null when the widget shows its own caption.
  QLabel* Label() const { return label_; }

  /// Shows the stored value, the shape and items for `env`, and whether the
  /// control is visible; writes nothing.
  void Fill(const settings::Env& env);
  /// Re-applies only the visibility (after another control's change).
  void ApplyVisibility(const settings::Env& env);
  bool IsShown() const { return shown_; }
  /// Commits an edit still pending (a typed value not yet left). False when refused.
  virtual bool CommitPending() { return true; }

  /// How wide a caption may grow before it wraps (pages with room give more).
  void SetCaptionWidth(int width) { caption_width_ = width; }

  /// Bold caption for a value that differs from the one the editor opened with.
  void MarkChanged(bool changed);
  /// The value as text, for the changed-value marks.
  std::string ValueText() const;

 signals:
  /// A value was written to the image.
  void Committed();

 protected:
  TBoundControl(TEditorContext& context, const settings::Setting& setting);
  virtual void Show(const settings::Env& env) = 0;
  /// Runs a write of the setting; on refusal shows the stored value again.
  bool Write(const std::function<void(device::TMK&, const settings::Env&)>& write);
  void SetWidgets(QWidget* widget, QLabel* label);
  void SetCaption(const QString& caption);
  TEditorContext& Context() { return context_; }
  int CaptionWidth() const { return caption_width_; }
  const device::TMK& Mk() const { return context_.Mk(); }
  settings::Env CurrentEnv() const { return settings::Env::Of(context_.Mk()); }
  bool Filling() const { return context_.Refreshing() || filling_; }

 private:
  /// The tool tip, and the warning mark of a stored value outside its rule.
  void ShowRangeState(const settings::Env& env);
  void ReserveMarkRoom();

  TEditorContext& context_;
  const settings::Setting& setting_;
  QWidget* widget_ = nullptr;
  QLabel* label_ = nullptr;
  bool shown_ = true;
  bool filling_ = false;
  bool writing_ = false;
  int caption_width_ = 170;
};

/// Gives `w` the size its bold font needs as its minimum, so a changed mark
/// (a bold caption) moves nothing.
void ReserveBoldSize(QWidget* w);

}  // namespace mk::editor

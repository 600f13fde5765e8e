// SPDX-License-Identifier: GPL-3.0-or-later
// The page "Дисплей": screens, colour schemes and hot menus, on ten sub-pages
// of its own page control. The sub-pages are empty frames here; the screen
// previews, colour editors and hot menus are built on them against the page
// contract (settings_page.h).
#pragma once

#include <QTabWidget>

#include <array>

#include "editor/page_names.h"
#include "editor/settings_page.h"

namespace mk::editor {

class TDisplaySubPage;
class TSettingsPanel;
class TShowDisplayBoxes;

class TDisplayPage final : public TSettingsPage {
  Q_OBJECT

 public:
  explicit TDisplayPage(TEditorContext& context, QWidget* parent = nullptr);

  void Build() override;
  void Fill() override;
  bool WriteBack() override;
  void AddMarks(TChangedMarks& marks) override;

  /// The sub-page control (object name "pcDisp") and one sub-page.
  QTabWidget* SubPages() const { return sub_pages_; }
  QWidget* SubPage(settings::DisplayPage page) const;
  /// The content of a sub-page (display_sub_page.h); nullptr for "Разное".
  TDisplaySubPage* SubPageContent(settings::DisplayPage page) const;
  /// The show-display boxes on "Разное".
  TShowDisplayBoxes* ShowDisplayBoxes() const { return show_boxes_; }

 private:
  QTabWidget* sub_pages_ = nullptr;
  std::array<QWidget*, kDisplayPages.size()> pages_{};
  std::array<TDisplaySubPage*, kDisplayPages.size()> contents_{};
  TShowDisplayBoxes* show_boxes_ = nullptr;
  TSettingsPanel* misc_values_ = nullptr;
};

}  // namespace mk::editor

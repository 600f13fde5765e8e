// SPDX-License-Identifier: GPL-3.0-or-later
// The pages of the editor fit its opening size with every control whole,
// inside its box and unmoved by bold marks; the window can be made smaller, and
// its pages then scroll. What the search and the tool tips say is the user's words.
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStringListModel>
#include <QTableWidget>

#include "editor/page_names.h"
#include "editor/settings_panel.h"
#include "editor_fixture.h"

namespace mk::editor::test {
namespace {

using LayoutAndWordsTest = EditorTest;

// Where a visible control of `page` is cut, runs out of its box, or needs a scroll bar.
std::vector<std::string> LayoutFaults(QWidget* page) {
  std::vector<std::string> faults;
  const auto name = [](const QWidget* w) {
    const QString text = qobject_cast<const QLabel*>(w) ? qobject_cast<const QLabel*>(w)->text()
                         : qobject_cast<const QAbstractButton*>(w)
                             ? qobject_cast<const QAbstractButton*>(w)->text()
                             : QString();
    return (w->objectName() + " «" + text + "» in " + w->parentWidget()->objectName())
        .toStdString();
  };
  for (auto* scroll : page->findChildren<QScrollArea*>(Qt::FindDirectChildrenOnly)) {
    if (scroll->verticalScrollBar()->maximum() > 0 || scroll->horizontalScrollBar()->maximum() > 0)
      faults.push_back(page->objectName().toStdString() + " scrolls");
  }
  for (QWidget* w : page->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(page) || w->parentWidget() == nullptr) continue;
    const auto* label = qobject_cast<const QLabel*>(w);
    const bool control = (label != nullptr && !label->wordWrap() && !label->text().isEmpty()) ||
                         qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                         qobject_cast<QComboBox*>(w) || qobject_cast<QTableWidget*>(w);
    if (!control || qobject_cast<QScrollBar*>(w->parentWidget())) continue;
    // A date shows its whole text beside the arrow; the others at least their minimum.
    const QSize need = qobject_cast<QDateEdit*>(w) ? w->sizeHint() : w->minimumSizeHint();
    if (w->width() < need.width() || w->height() < need.height())
      faults.push_back(name(w) + " cut");
    if (!w->parentWidget()->rect().contains(w->geometry()))
      faults.push_back(name(w) + " out of its box");
  }
  return faults;
}

TEST_F(LayoutAndWordsTest, PagesFitWithEveryControlWholeAndBoldMarksMoveNothing) {
  Load(99, 0);  // every page and control the variants know
  auto& dlg = Show();
  dlg.resize(kEditorWidth, kEditorHeight);
  QTabWidget* pages = dlg.PageControl();
  for (int i = 0; i < pages->count(); ++i) {
    pages->setCurrentIndex(i);
    QApplication::processEvents();
    QWidget* page = pages->widget(i);
    const std::string where = pages->tabText(i).toStdString();
    for (const std::string& fault : LayoutFaults(page)) ADD_FAILURE() << where << ": " << fault;
    const auto geometries = [&] {
      std::vector<QRect> all;
      for (auto* w : page->findChildren<QWidget*>()) all.push_back(w->geometry());
      return all;
    };
    const auto before = geometries();
    for (auto* panel : page->findChildren<TSettingsPanel*>()) {
      for (const auto& control : panel->Controls()) control->MarkChanged(true);
    }
    QApplication::processEvents();
    EXPECT_EQ(geometries(), before) << where << ": a bold mark moves a widget";
    // Filled again while marked (after a protocol change), the captions keep their lines.
    for (auto* panel : page->findChildren<TSettingsPanel*>()) panel->Fill();
    QApplication::processEvents();
    EXPECT_EQ(geometries(), before) << where << ": a refill under bold marks moves a widget";
    for (auto* panel : page->findChildren<TSettingsPanel*>()) {
      for (const auto& control : panel->Controls()) control->MarkChanged(false);
    }
  }
  // Smaller than its pages, the editor scrolls them.
  dlg.resize(640, 400);
  pages->setCurrentIndex(static_cast<int>(settings::Page::Voice));
  QApplication::processEvents();
  EXPECT_EQ(dlg.size(), QSize(640, 400));
  auto* scroll = pages->currentWidget()->findChild<QScrollArea*>();
  ASSERT_NE(scroll, nullptr);
  EXPECT_GT(scroll->verticalScrollBar()->maximum() + scroll->horizontalScrollBar()->maximum(), 0);
}

TEST_F(LayoutAndWordsTest, SearchAndToolTipsSpeakTheUsersWords) {
  Load(99, 0);
  auto& dlg = Show();
  const QRegularExpression object_name("^(rg|cb|se|me|de|sg|pb|e)[A-Z]");
  const QStringList entries =
      static_cast<QStringListModel*>(dlg.SearchField()->completer()->model())->stringList();
  ASSERT_FALSE(entries.isEmpty());
  for (const QString& entry : entries) {
    EXPECT_FALSE(object_name.match(entry).hasMatch()) << entry.toStdString();
  }
  EXPECT_FALSE(dlg.SearchMatches(QString::fromUtf8("Раз в сутки")).isEmpty());
  const QString tip = Find<QDoubleSpinBox>("seVentTempLimit")->toolTip();
  EXPECT_TRUE(tip.startsWith(
      QString::fromUtf8("Ячейка памяти МК: Limits.VentTempLimit (2 байта без знака)")))
      << tip.toStdString();
}

}  // namespace
}  // namespace mk::editor::test

// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo of a protocol change leave the pages as a fresh opening would
// show them; the dialog's keys work wherever the focus is; Enter in the
// discard question keeps the edits.
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "editor_fixture.h"
#include "settings/lists.h"
#include "settings/setting_table.h"

namespace mk::editor::test {
namespace {

using KeysAndUndoTest = EditorTest;

// What the value pages show of every bound setting: hidden or not, the items
// of a choice, the range of a spin edit.
std::map<std::string, std::string> PageState(const TMK_SetParamsDlg& dlg) {
  std::map<std::string, std::string> state;
  for (const settings::Setting& s : settings::AllSettings()) {
    const auto* w = dlg.findChild<QWidget*>(QString::fromUtf8(s.name));
    if (s.hand_drawn || w == nullptr) continue;
    QString text = w->isHidden() ? "hidden" : "shown";
    if (const auto* combo = qobject_cast<const QComboBox*>(w)) {
      for (int i = 0; i < combo->count(); ++i) text += "|" + combo->itemText(i);
    }
    if (const auto* spin = qobject_cast<const QDoubleSpinBox*>(w)) {
      text += QString(" %1…%2").arg(spin->minimum()).arg(spin->maximum());
    }
    state[std::string(s.name)] = text.toStdString();
  }
  return state;
}

TEST_F(KeysAndUndoTest, UndoAndRedoOfAProtocolChangeShowWhatAFreshOpeningShows) {
  Load(99, 0);
  Show();
  QApplication::setActiveWindow(dialog.get());
  const auto fresh = [&] {
    device::TMK copy = mk;
    copy.RebuildCatalogues(device::CatalogueStep::Protocols);
    copy.RebuildCatalogues(device::CatalogueStep::ParametersAndMenu);
    TMK_SetParamsDlg other(copy, prompt, nullptr, kFileFolder);
    other.show();
    return PageState(other);
  };
  const auto opened = PageState(*dialog);
  ASSERT_EQ(opened, fresh());
  // "Руч.", then a hybrid protocol, the range question answered Нет.
  auto* method = Find<QComboBox>("cbProtocolSelectMeth");
  const int manual = method->findText(QString::fromUtf8("Руч."));
  ASSERT_GE(manual, 0);
  method->setCurrentIndex(manual);
  emit method->activated(manual);
  auto* protocol = Find<QComboBox>("cbProtocol");
  const int prius = protocol->findText("Prius3.0");
  ASSERT_GE(prius, 0);
  prompt.answers = {false};
  protocol->setCurrentIndex(prius);
  emit protocol->activated(prius);
  const auto changed = PageState(*dialog);
  ASSERT_NE(changed, opened);
  for (const char* keys : {"undo", "redo"}) {
    SCOPED_TRACE(keys);
    const bool redo = std::string(keys) == "redo";
    for (int i = 0; i < 2; ++i) {
      QTest::keyClick(dialog.get(), Qt::Key_Z,
                      redo ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
    }
    EXPECT_EQ(PageState(*dialog), redo ? changed : opened);
    EXPECT_EQ(PageState(*dialog), fresh());
  }
}

TEST_F(KeysAndUndoTest, PageKeysSwitchPagesWhereverTheFocusIsAndCtrlFFindsTheSearch) {
  Load();
  Show();
  QApplication::setActiveWindow(dialog.get());
  struct Case {
    const char* focus;  // a combo box on "Источники" (page 1)
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    int page;
  };
  const Case cases[] = {
      {"cbProtocolSelectMeth", Qt::Key_PageDown, Qt::ControlModifier, 2},
      {"cbProtocolSelectMeth", Qt::Key_PageUp, Qt::ControlModifier, 0},
      {"cbProtocolSelectMeth", Qt::Key_Tab, Qt::ControlModifier, 2},
      {"cbProtocolSelectMeth", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.focus) + " " + std::to_string(c.key));
    ASSERT_TRUE(dialog->GoToSetting(c.focus));
    auto* combo = Find<QComboBox>(c.focus);
    const int index = combo->currentIndex();
    QTest::keyClick(combo, c.key, c.mods);
    EXPECT_EQ(dialog->PageControl()->currentIndex(), c.page);
    EXPECT_EQ(combo->currentIndex(), index);
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), dialog->SearchField());
}

TEST_F(KeysAndUndoTest, EnterInTheDiscardQuestionKeepsTheEdits) {
  Load();
  widgets::QtDialogs boxes;
  TMK_SetParamsDlg dlg(mk, boxes, nullptr, kFileFolder);
  boxes.SetParent(&dlg);
  dlg.show();
  QApplication::setActiveWindow(&dlg);
  dlg.findChild<QCheckBox*>("cbTripJournAuto")->click();
  QString default_button;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    default_button =
        static_cast<QAbstractButton*>(box->defaultButton()) == box->button(QMessageBox::No) ? "No"
                                                                                            : "Yes";
    QTest::keyClick(box, Qt::Key_Return);
  });
  QTest::keyClick(&dlg, Qt::Key_Escape);
  EXPECT_EQ(default_button, "No");
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_EQ(dlg.ChangedCount(), 1);
}

}  // namespace
}  // namespace mk::editor::test

// SPDX-License-Identifier: GPL-3.0-or-later
// The list of differences: pages with their counts, the filter, the ticks
// and the answer button that follows them.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "device/mk.h"
#include "support/laid_out_image.h"
#include "support/named_controls.h"
#include "widgets/changes_form.h"

namespace mk::widgets::test {
namespace {

using device::BlockId;
using tests::FindNamed;
using tests::ImageWithVelocityLimit;

ChangesView WriteView(const device::TMK& held, const device::TMK& written) {
  ChangesView view;
  view.purpose = ChangesPurpose::Write;
  view.diff = settings::DiffShown(held, written);
  return view;
}

std::string TextOf(const TChangesForm& form, const char* name) {
  return FindNamed<QPushButton>(form, name)->text().toStdString();
}

// The form run as a window, answered with a click on `button` as soon as it shows.
ChangesAnswer RunAndClick(TChangesForm& form, const char* button) {
  auto* target = FindNamed<QPushButton>(form, button);
  if (target == nullptr || !target->isEnabled()) {
    ADD_FAILURE() << button << " cannot be clicked";
    return {};
  }
  QTimer::singleShot(0, target, &QPushButton::click);
  return form.Run();
}

TEST(ChangesForm, TheListGroupsByPageFiltersRecountsAndWritesOnEnter) {
  device::TMK a, b;
  a.ReplaceImage(3, ImageWithVelocityLimit(60, 0));
  b.ReplaceImage(3, ImageWithVelocityLimit(50, 495));
  ChangesView view = WriteView(a, b);
  TChangesForm form(view);
  EXPECT_TRUE(FindNamed<QPushButton>(form, "bOk")->isDefault());
  EXPECT_EQ(TextOf(form, "bOk"), "Записать");
  auto* tree = FindNamed<QTreeWidget>(form, "tvChanges");
  ASSERT_EQ(tree->topLevelItemCount(), 2);
  EXPECT_EQ(tree->topLevelItem(0)->text(0).toStdString(), "Источники (1)");
  EXPECT_EQ(tree->topLevelItem(1)->text(0).toStdString(), "Границы (1)");
  FindNamed<QLineEdit>(form, "eFilter")->setText("скорость");
  EXPECT_TRUE(tree->topLevelItem(0)->isHidden());
  EXPECT_FALSE(tree->topLevelItem(1)->isHidden());

  TChangesForm nothing(WriteView(a, a));
  EXPECT_EQ(TextOf(nothing, "bOk"), "Записать всё равно");
}

TEST(ChangesForm, EverySettingIsTickedAtFirstAndAPageBoxFollowsItsSettings) {
  device::TMK a, b;
  a.ReplaceImage(3, ImageWithVelocityLimit(60, 0));
  b.ReplaceImage(3, ImageWithVelocityLimit(50, 495));
  b.Rec(BlockId::Limits).SetInt("TankLimit", 7);
  b.StoreAll();
  ChangesView view = WriteView(a, b);
  TChangesForm form(view);
  const auto ticked = [&form] { return FindNamed<QLabel>(form, "lTicked")->text().toStdString(); };
  auto* tree = FindNamed<QTreeWidget>(form, "tvChanges");
  auto* ok = FindNamed<QPushButton>(form, "bOk");
  EXPECT_EQ(ticked(), "Отмечено 3 из 3");
  QTreeWidgetItem* limits = tree->topLevelItem(1);
  ASSERT_EQ(limits->childCount(), 2);
  EXPECT_EQ(limits->checkState(0), Qt::Checked);
  limits->child(0)->setCheckState(0, Qt::Unchecked);
  EXPECT_EQ(limits->checkState(0), Qt::PartiallyChecked);
  EXPECT_EQ(ticked(), "Отмечено 2 из 3");
  ChangesAnswer answer = RunAndClick(form, "bOk");
  EXPECT_TRUE(answer.accepted);
  ASSERT_EQ(answer.unticked.size(), 1u);
  EXPECT_EQ(answer.unticked[0], view.diff.changes[1].setting);
  limits->setCheckState(0, Qt::Unchecked);
  tree->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
  EXPECT_EQ(ticked(), "Отмечено 0 из 3");
  EXPECT_FALSE(ok->isEnabled()) << "nothing ticked, nothing to write";
  limits->setCheckState(0, Qt::Checked);
  EXPECT_TRUE(ok->isEnabled());
  EXPECT_EQ(RunAndClick(form, "bOk").unticked.size(), 1u);

  view.purpose = ChangesPurpose::Compare;
  TChangesForm compare(view);
  EXPECT_EQ(TextOf(compare, "bOk"), "Взять отмеченные");
  EXPECT_FALSE(FindNamed<QPushButton>(compare, "bOk")->isDefault()) << "Enter does not take";
}

}  // namespace
}  // namespace mk::widgets::test

// SPDX-License-Identifier: GPL-3.0-or-later
// "О программе": reached from the window's "?" menu, it tells the one version,
// the licence, the MK models and the folders the window really uses.
#include <QDialog>
#include <QLabel>

#include "app_fixture.h"

namespace mk::app::test {
namespace {

using AboutTest = MainFormTest;

TEST_F(AboutTest, TheHelpMenuOpensTheBoxWithVersionLicenceModelsAndFolders) {
  services_.backup_dir = Dir() / "копии";
  services_.history_dir = Dir() / "история";
  Show();
  Choose("aAbout");
  auto* box = form_->findChild<QDialog*>("AboutBox");
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isVisible());
  EXPECT_EQ(box->windowTitle(), QString::fromUtf8("О программе"));
  // The caption stays the classic one.
  EXPECT_EQ(form_->windowTitle(), QString::fromUtf8(kCaption));

  const QString text = box->findChild<QLabel*>("lAbout")->text();
  for (const char* part :
       {"версия " MK_VERSION, "GPL-3.0-or-later", "1: Легковой, Легковой Такси", "2: Гибрид"}) {
    EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part << "\n" << text.toStdString();
  }
  EXPECT_TRUE(text.contains(QString::fromStdString(IniPath().string()).toHtmlEscaped()));
  for (const char* folder : {"копии", "история"})
    EXPECT_TRUE(text.contains(QString::fromStdString((Dir() / folder).string()))) << folder;
  box->accept();
}

}  // namespace
}  // namespace mk::app::test

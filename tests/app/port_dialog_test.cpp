// SPDX-License-Identifier: GPL-3.0-or-later
// The port-number dialog: its items, its selection and what OK and Cancel keep.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "app/port_dialog.h"
#include "app_fixture.h"
#include "link/vl_rs.h"
#include "support/named_controls.h"

namespace mk::app::test {
namespace {

PortList Present(std::initializer_list<int> numbers) {
  PortList list{};
  for (int n : numbers) list[static_cast<std::size_t>(n)] = true;
  return list;
}

QComboBox* PortBox(const TVL_RS232_SetNumDlg& dialog) {
  return tests::FindNamed<QComboBox>(dialog, "PCB");
}

QStringList Items(const QComboBox& box) {
  QStringList items;
  for (int i = 0; i < box.count(); ++i) items << box.itemText(i);
  return items;
}

TEST(PortDialog, ListsPresentPortsInOrderWithTheCurrentOneSelected) {
  App();
  TVL_RS232_SetNumDlg dialog;
  EXPECT_EQ(dialog.windowTitle().toStdString(), "Выбор номера порта");
  EXPECT_EQ(tests::FindNamed<QLabel>(dialog, "Label1")->text().toStdString(),
            "Выберите последовательный порт");
  EXPECT_FALSE(PortBox(dialog)->isEditable());
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  dialog.Fill(Present({10, 1, 3}), 3);
  EXPECT_EQ(Items(*PortBox(dialog)), (QStringList{"COM1", "COM3", "COM10"}));
  EXPECT_EQ(PortBox(dialog)->currentIndex(), 1);
  EXPECT_EQ(dialog.SelectedPort(), 3);
  PortBox(dialog)->setCurrentIndex(2);
  EXPECT_EQ(dialog.SelectedPort(), 10);
}

TEST(PortDialog, VanishedPortLeavesNothingSelected) {
  App();
  TVL_RS232_SetNumDlg dialog;
  dialog.Fill(Present({1, 3, 10}), 5);
  EXPECT_EQ(PortBox(dialog)->count(), 3);
  EXPECT_EQ(PortBox(dialog)->currentIndex(), -1);
  EXPECT_EQ(dialog.SelectedPort(), 0);
  dialog.Fill(Present({32}), 32);
  EXPECT_EQ(Items(*PortBox(dialog)), QStringList{"COM32"});
  EXPECT_EQ(dialog.SelectedPort(), 32);
}

// Answers the dialog that is about to run modally.
void AnswerNextDialog(int index, bool ok) {
  QTimer::singleShot(0, [index, ok] {
    auto* dialog = qobject_cast<TVL_RS232_SetNumDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->focusWidget(), PortBox(*dialog));
    PortBox(*dialog)->setCurrentIndex(index);
    tests::ClickNamed(*dialog, ok ? "OKBtn" : "CancelBtn");
  });
}

TEST_F(MainFormTest, ManualChoiceSetsThePortAndCancelOrAnEmptyOkKeepsIt) {
  present_ = {1, 3, 10};
  WriteIni("[RS232]\r\nPort=3\r\n[Common]\r\nAuto=0\r\n");
  TMainForm& form = Show();
  ASSERT_EQ(form.Channel()->PortNumber(), 3);

  AnswerNextDialog(2, false);
  Click("bRS232");
  EXPECT_EQ(form.Channel()->PortNumber(), 3);

  AnswerNextDialog(-1, true);
  Click("bRS232");
  EXPECT_EQ(form.Channel()->PortNumber(), 3);

  AnswerNextDialog(2, true);
  Click("bRS232");
  EXPECT_EQ(form.Channel()->PortNumber(), 10);
  EXPECT_FALSE(form.Channel()->IsOpen());

  form.close();
  EXPECT_NE(ReadIni().find("Port=10"), std::string::npos);
}

}  // namespace
}  // namespace mk::app::test

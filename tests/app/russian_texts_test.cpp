// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit's own texts in Russian, and the program's name on its boxes.
#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>

#include "app/russian_texts.h"
#include "app_fixture.h"
#include "widgets/dialogs.h"

namespace mk::app::test {
using widgets::kProgramName;
using widgets::QtDialogs;

namespace {

QString Plain(QString text) {
  return text.remove('&');
}

class RussianTexts : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    translator_ = InstallRussianTexts(App());
    ASSERT_NE(translator_, nullptr) << "the toolkit's translations (qt6-translations-l10n)";
  }
  void TearDown() override {
    // The other window tests expect the toolkit as it starts.
    if (translator_ != nullptr) QCoreApplication::removeTranslator(translator_);
    delete translator_;
  }
  QTranslator* translator_ = nullptr;
};

TEST_F(RussianTexts, AQuestionBoxHasTheProgramsNameAndRussianButtons) {
  QString title, yes, no;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    yes = Plain(box->button(QMessageBox::Yes)->text());
    no = Plain(box->button(QMessageBox::No)->text());
    box->button(QMessageBox::No)->click();
  });
  QtDialogs dialogs;
  EXPECT_FALSE(dialogs.AskYesNo("Файл уже существует. Переписать?"));
  EXPECT_EQ(title.toStdString(), kProgramName);
  EXPECT_EQ(yes.toStdString(), "Да");
  EXPECT_EQ(no.toStdString(), "Нет");

  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    box->button(QMessageBox::Ok)->click();
  });
  dialogs.ShowError("Не вижу МК.");
  EXPECT_EQ(title.toStdString(), kProgramName);
}

TEST_F(RussianTexts, TheFileDialogsReadRussian) {
  QStringList texts;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    texts << dialog->windowTitle();
    for (QLabel* label : dialog->findChildren<QLabel*>()) texts << Plain(label->text());
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    for (QAbstractButton* b : buttons->buttons()) texts << Plain(b->text());
    dialog->reject();
  });
  QtDialogs dialogs;
  EXPECT_FALSE(
      dialogs.SaveFile(widgets::FileKind::Settings, QDir::tempPath().toStdString(), "a.vrnkp")
          .has_value());
  const std::string all = texts.join("|").toStdString();
  for (const char* english : {"Save As", "Look in:", "Cancel", "File name:"}) {
    EXPECT_EQ(all.find(english), std::string::npos) << english << " in " << all;
  }
  EXPECT_NE(all.find("Отмена"), std::string::npos) << all;
  EXPECT_NE(all.find("Сохранить"), std::string::npos) << all;
}

}  // namespace
}  // namespace mk::app::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/dialogs.h"

#include "widgets/backups_form.h"
#include "widgets/changes_form.h"
#include "widgets/pages_form.h"
#include "widgets/qt_text.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>
#include <QVBoxLayout>

namespace mk::widgets {
namespace {

// The filter and default extension of each kind of file dialog.
struct FileFilter {
  const char* filter;
  const char* suffix;
};

FileFilter FilterOf(FileKind kind) {
  switch (kind) {
    case FileKind::Settings:
      return {"Файлы настроек (*.vrnkp)", "vrnkp"};
    case FileKind::Tank:
      return {"Файлы настроек бака (*.vrnko)", "vrnko"};
    case FileKind::Text:
      return {"Текстовые файлы (*.txt);;Все файлы (*)", "txt"};
    case FileKind::Preset:
      return {"Настройки текстом (*.txt);;Все файлы (*)", "txt"};
    case FileKind::Csv:
      return {"Таблицы CSV (*.csv);;Все файлы (*)", "csv"};
    case FileKind::Svg:
      return {"Рисунки SVG (*.svg)", "svg"};
    case FileKind::Png:
      return {"Рисунки PNG (*.png)", "png"};
  }
  return {"Все файлы (*)", ""};
}

// Message boxes carry the program's Russian name as their title.
QString BoxTitle() {
  return Q(kProgramName);
}

std::optional<std::string> RunFileDialog(QWidget* parent, const std::string& folder, FileKind kind,
                                         bool save, const std::string& name) {
  const FileFilter filter = FilterOf(kind);
  QFileDialog dialog(parent, QString(), Q(folder), Q(filter.filter));
  if (!name.empty()) dialog.selectFile(Q(name));
  dialog.setDefaultSuffix(Q(filter.suffix));
  if (save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The main window asks its own question before it overwrites settings.
    if (kind == FileKind::Settings) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}

// Long plain text to read and copy, such as the connection check's report.
void ShowDetails(QWidget* parent, const std::string& details) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Что мешает подключиться к МК"));
  auto* layout = new QVBoxLayout(&dialog);
  auto* text = new QPlainTextEdit(Q(details), &dialog);
  text->setReadOnly(true);
  text->setObjectName(QStringLiteral("mDetails"));
  layout->addWidget(text);
  auto* buttons = new QDialogButtonBox(&dialog);
  buttons->addButton(QStringLiteral("Закрыть"), QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  dialog.resize(760, 420);
  dialog.exec();
}

// A short message would make a box narrower than its title, and the window
// manager would cut the program's name: the box gets the title's width, with
// room for the title bar's icon and buttons.
void FitTitle(QMessageBox& box) {
  QFont title_font = box.font();
  title_font.setBold(true);
  const int width = QFontMetrics(title_font).horizontalAdvance(box.windowTitle()) + 160;
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
}

int RunBox(QWidget* parent, QMessageBox::Icon icon, const std::string& text,
           QMessageBox::StandardButtons buttons, QMessageBox::StandardButton default_button) {
  QMessageBox box(icon, BoxTitle(), Q(text), buttons, parent);
  box.setDefaultButton(default_button);
  FitTitle(box);
  return box.exec();
}

}  // namespace

void QtDialogs::ShowError(const std::string& text) {
  RunBox(parent_, QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtDialogs::ShowErrorWithDetails(const std::string& text, const std::string& details) {
  QMessageBox box(QMessageBox::Critical, BoxTitle(), Q(text), QMessageBox::Ok, parent_);
  QPushButton* more = box.addButton(QStringLiteral("Подробнее"), QMessageBox::ActionRole);
  more->setObjectName(QStringLiteral("bDetails"));
  box.setDefaultButton(QMessageBox::Ok);
  FitTitle(box);
  for (;;) {
    box.exec();
    if (box.clickedButton() != more) return;
    ShowDetails(&box, details);
  }
}

void QtDialogs::ShowInfo(const std::string& text) {
  RunBox(parent_, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtDialogs::AskYesNo(const std::string& text) {
  return RunBox(parent_, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                QMessageBox::Yes) == QMessageBox::Yes;
}

Reply QtDialogs::AskYesNoCancel(const std::string& text) {
  // With a Cancel button the box takes Esc and its close button as Cancel.
  switch (RunBox(parent_, QMessageBox::Question, text,
                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes:
      return Reply::Yes;
    case QMessageBox::No:
      return Reply::No;
    default:
      return Reply::Cancel;
  }
}

bool QtDialogs::AskYesNoDefaultNo(const std::string& text) {
  return RunBox(parent_, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::AskText(const std::string& text, const std::string& initial) {
  bool ok = false;
  const QString answer =
      QInputDialog::getText(parent_, BoxTitle(), Q(text), QLineEdit::Normal, Q(initial), &ok)
          .trimmed();
  if (!ok || answer.isEmpty()) return std::nullopt;
  return answer.toStdString();
}

std::optional<std::string> QtDialogs::OpenFile(FileKind kind, const std::string& folder) {
  return RunFileDialog(parent_, folder, kind, false, {});
}

std::optional<std::string> QtDialogs::SaveFile(FileKind kind, const std::string& folder,
                                               const std::string& name) {
  return RunFileDialog(parent_, folder, kind, true, name);
}

ChangesView WriteChangesView(settings::ShownDiff diff) {
  ChangesView view;
  view.purpose = ChangesPurpose::Write;
  view.title = "Что изменится в МК";
  view.intro = diff.Empty()
                   ? "МК уже хранит эти настройки: записывать нечего. Записать всё равно?"
                   : "Настройки МК, которые изменит запись (было - в МК сейчас, станет - после "
                     "записи). Снимите отметку с того, что записывать не нужно: там останется "
                     "значение МК. Записать?";
  view.diff = std::move(diff);
  return view;
}

ChangesAnswer QtDialogs::ShowChanges(const ChangesView& view) {
  TChangesForm form(view, parent_);
  return form.Run();
}

std::optional<std::vector<settings::Page>> QtDialogs::ChoosePages(const std::string& title) {
  TPagesForm form(title, parent_);
  return form.Run();
}

std::optional<std::size_t> QtDialogs::ChooseBackup(const std::vector<BackupRow>& rows) {
  TBackupsForm form(rows, parent_);
  return form.Run();
}

}  // namespace mk::widgets

#include "app/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QString>

namespace mk::app {
namespace {

const char* const kFilter = "Файлы настроек (*.vrnkp)";
const char* const kSuffix = "vrnkp";

// Message boxes carry the application's name as their title, like the
// toolkit's own boxes do.
QString BoxTitle() {
  return QApplication::applicationDisplayName();
}

std::optional<std::string> RunFileDialog(QWidget* parent, const std::string& folder, bool save) {
  QFileDialog dialog(parent, QString(), QString::fromStdString(folder), QString::fromUtf8(kFilter));
  dialog.setDefaultSuffix(QString::fromUtf8(kSuffix));
  if (save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The window asks "Файл уже существует. Переписать?" itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}

}  // namespace

void QtDialogs::ShowError(const std::string& text) {
  QMessageBox::critical(parent_, BoxTitle(), QString::fromStdString(text), QMessageBox::Ok);
}

void QtDialogs::ShowInfo(const std::string& text) {
  QMessageBox::information(parent_, BoxTitle(), QString::fromStdString(text), QMessageBox::Ok);
}

bool QtDialogs::AskYesNo(const std::string& text) {
  return QMessageBox::question(parent_, BoxTitle(), QString::fromStdString(text),
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::OpenSettingsFile(const std::string& folder) {
  return RunFileDialog(parent_, folder, false);
}

std::optional<std::string> QtDialogs::SaveSettingsFile(const std::string& folder) {
  return RunFileDialog(parent_, folder, true);
}

}  // namespace mk::app

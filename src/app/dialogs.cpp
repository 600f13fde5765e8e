#include "app/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QString>

namespace mk::app {
namespace {

const char* const kSettingsFilter = "Файлы настроек (*.vrnkp)";
const char* const kSettingsSuffix = "vrnkp";
const char* const kTextFilter = "Текстовые файлы (*.txt);;Все файлы (*)";
const char* const kTextSuffix = "txt";

// Message boxes carry the application's name as their title, like the
// toolkit's own boxes do.
QString BoxTitle() {
  return QApplication::applicationDisplayName();
}

enum class Mode { Open, SaveSettings, SaveText };

std::optional<std::string> RunFileDialog(QWidget* parent, const std::string& folder, Mode mode) {
  const bool text = mode == Mode::SaveText;
  QFileDialog dialog(parent, QString(), QString::fromStdString(folder),
                     QString::fromUtf8(text ? kTextFilter : kSettingsFilter));
  dialog.setDefaultSuffix(QString::fromUtf8(text ? kTextSuffix : kSettingsSuffix));
  if (mode != Mode::Open) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // For settings files the window asks "Файл уже существует. Переписать?" itself.
    if (mode == Mode::SaveSettings) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}

}  // namespace

std::filesystem::path PathFromUtf8(const std::string& utf8) {
  return std::filesystem::path(QString::fromStdString(utf8).toStdU16String());
}

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
  return RunFileDialog(parent_, folder, Mode::Open);
}

std::optional<std::string> QtDialogs::SaveSettingsFile(const std::string& folder) {
  return RunFileDialog(parent_, folder, Mode::SaveSettings);
}

std::optional<std::string> QtDialogs::SaveTextFile(const std::string& folder) {
  return RunFileDialog(parent_, folder, Mode::SaveText);
}

}  // namespace mk::app

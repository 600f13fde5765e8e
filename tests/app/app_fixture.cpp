// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_fixture.h"

#include <QPushButton>
#include <QWidget>

#include <fstream>

#include "device/settings_file.h"
#include "support/files.h"

namespace mk::app::test {
namespace {

// The buttons that need settings held: edit, the viewers, save and write.
constexpr const char* kDataButtons[] = {"bEditParams", "bViewJournals", "bViewOsc", "bSaveParams",
                                        "bSetParams"};

}  // namespace

QApplication& App() {
  return *qobject_cast<QApplication*>(QCoreApplication::instance());
}

void MainFormTest::SetUp() {
  App();
  ASSERT_TRUE(dir_.isValid());
  services_.ini_path = IniPath();
  services_.program_dir = Dir();
  services_.documents_dir = Dir();
  services_.dialogs = &dialogs_;
  services_.backup_dir = Dir() / "backups";
  services_.history_path = Dir() / "history.sqlite";
  services_.make_ports = [this](const text::IniFile&) {
    return std::unique_ptr<link::ISerialSystem>(std::make_unique<FakePorts>(present_, unopenable_));
  };
  services_.find_mk = [this] { return mk_ports_; };
  services_.read_settings = [this](link::TVL_RS&, device::TMK&, link::IProgress&, link::IPump&,
                                   device::Connection*) {
    ++reads_;
    return device::TransferResult::Done;
  };
  services_.write_settings = [this](link::TVL_RS&, device::TMK&, link::IProgress&, link::IPump&,
                                    link::IUserPrompt&, device::Connection*,
                                    const device::WriteOptions&) {
    ++writes_;
    return device::TransferResult::Done;
  };
  // Closed with OK; only the editor's OK changes the settings.
  services_.edit_dialog = Window([](device::TMK&) { return true; });
  services_.journals_dialog =
      services_.osc_dialog = [](device::TMK&, const widgets::WindowEnvironment&) {
        return widgets::WindowOutcome{.accepted = true, .changed = false};
      };
}

widgets::WindowRun Window(std::function<bool(device::TMK&)> act) {
  return [act = std::move(act)](device::TMK& mk, const widgets::WindowEnvironment&) {
    const bool ok = act(mk);
    return widgets::WindowOutcome{.accepted = ok, .changed = ok};
  };
}

void MainFormTest::TearDown() {
  if (form_) {
    // Unsaved edits are left without saving: the close question gets No.
    dialogs_.answers.clear();
    dialogs_.replies.clear();
    dialogs_.save_paths.clear();
    form_->close();
    form_.reset();
  }
}

TMainForm& MainFormTest::Show() {
  form_ = std::make_unique<TMainForm>(services_);
  form_->show();
  QApplication::processEvents();
  return *form_;
}

std::string MainFormTest::WriteSettingsFile(const std::string& name, std::uint16_t version,
                                            const std::vector<std::uint8_t>& image) {
  const auto path = Dir() / name;
  tests::WriteBytes(path, device::EncodeSettingsFile(version, image));
  return path.string();
}

void MainFormTest::WriteIni(const std::string& text) {
  std::ofstream(IniPath(), std::ios::binary) << text;
}

std::string MainFormTest::ReadIni() const {
  return tests::ReadText(IniPath());
}

bool MainFormTest::DataButtonsEnabled() const {
  for (const char* name : kDataButtons)
    if (!Find(name)->isEnabled()) return false;
  return true;
}

bool MainFormTest::DataButtonsDisabled() const {
  for (const char* name : kDataButtons)
    if (Find(name)->isEnabled()) return false;
  return true;
}

TProgressForm* VisibleProgressForm() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* p = qobject_cast<TProgressForm*>(w); p != nullptr && p->isVisible()) return p;
  return nullptr;
}

}  // namespace mk::app::test

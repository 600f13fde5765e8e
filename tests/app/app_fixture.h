// SPDX-License-Identifier: GPL-3.0-or-later
// Shared doubles for the main window tests: a machine with chosen COM ports
// that never answer, and a main window built on them and on the scripted
// boxes and dialogs of tests/support.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>

#include <array>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "app/progress_form.h"
#include "link/byte_port.h"
#include "sim/bare_port.h"
#include "support/laid_out_image.h"
#include "support/named_controls.h"
#include "support/scripted_dialogs.h"
#include "widgets/dialogs.h"

namespace mk::app::test {
using widgets::test::ScriptedDialogs;

/// The test program's QApplication (made in main, offscreen unless told otherwise).
QApplication& App();

using tests::LaidOutImage;

/// A port that takes every byte and never answers.
class SilentPort final : public sim::BarePort {
 public:
  void PurgeInput() override {}
  std::size_t Read(std::uint8_t*, std::size_t) override { return 0; }
  std::size_t Write(const std::uint8_t*, std::size_t size) override { return size; }
  bool WaitReadable(std::uint32_t) override { return false; }
};

/// COM ports that exist (all silent) by number.
class FakePorts final : public link::ISerialSystem {
 public:
  /// `unopenable` ports are present but refuse to open (held by another program).
  explicit FakePorts(std::vector<int> present, std::vector<int> unopenable = {})
      : present_(std::move(present)), unopenable_(std::move(unopenable)) {}
  bool Probe(int number) override {
    return std::find(present_.begin(), present_.end(), number) != present_.end();
  }
  std::unique_ptr<link::IBytePort> Open(int number) override {
    opened.push_back(number);
    const bool refused =
        std::find(unopenable_.begin(), unopenable_.end(), number) != unopenable_.end();
    return Probe(number) && !refused ? std::make_unique<SilentPort>() : nullptr;
  }
  std::string PortName(int number) const override { return "COM" + std::to_string(number); }

  std::vector<int> opened;

 private:
  std::vector<int> present_;
  std::vector<int> unopenable_;
};

/// A main window on scripted doubles, with its preferences in a temporary folder.
class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  /// Builds and shows the window (FormShow runs) with the services so far.
  TMainForm& Show();
  std::filesystem::path Dir() const { return dir_.path().toStdString(); }
  std::filesystem::path IniPath() const { return Dir() / "mkconfig.ini"; }
  /// Writes a settings file holding `image` and returns its path.
  std::string WriteSettingsFile(const std::string& name, std::uint16_t version,
                                const std::vector<std::uint8_t>& image);
  void WriteIni(const std::string& text);
  std::string ReadIni() const;
  /// The window's control or menu entry named `name` (its object name).
  template <typename T = QPushButton>
  T* Find(const char* name) const {
    return tests::FindNamed<T>(*form_, name);
  }
  /// Clicks a button of the window as a user does.
  void Click(const char* name) const { tests::ClickNamed(*form_, name); }
  /// Chooses an entry of the window's menu as a user does.
  void Choose(const char* name) const { tests::ChooseNamed(*form_, name); }
  bool DataButtonsEnabled() const;
  bool DataButtonsDisabled() const;

  QTemporaryDir dir_;
  ScriptedDialogs dialogs_;
  MainFormServices services_;
  std::vector<int> present_ = {1, 3};
  std::vector<int> unopenable_;
  std::vector<int> mk_ports_;
  int reads_ = 0;
  int writes_ = 0;
  std::unique_ptr<TMainForm> form_;
};

/// A window the main window opens (editor, journals, oscilloscope) that does
/// `act` on the model and closes with OK when it returns true, else Cancel.
widgets::WindowRun Window(std::function<bool(device::TMK&)> act);

/// The progress window on screen, or null when none is shown.
TProgressForm* VisibleProgressForm();

}  // namespace mk::app::test

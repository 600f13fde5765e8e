// SPDX-License-Identifier: GPL-3.0-or-later
// The main window against the virtual MK on a pseudo-terminal, through the
// real serial code: read, save, load, edit, write, and the MK's memory after.
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <optional>
#include <regex>

#include "app/platform_services.h"
#include "app/progress_form.h"
#include "app_fixture.h"
#include "device/backup_store.h"
#include "device/block_tables.h"
#include "device/mk.h"
#include "device/settings_file.h"
#include "device/transfer.h"
#include "link/clock.h"
#include "link/vl_rs.h"
#include "settings/setting_table.h"
#include "support/files.h"
#include "support/named_controls.h"
#include "support/sim_process.h"

namespace mk::app::test {
using widgets::ChangesPurpose;

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMemory = 8192;
constexpr std::size_t kHalf = kMemory / 2;
constexpr std::size_t kBlock = 32;

// The MK's memory for an image: the image skips the first block of each half.
std::vector<std::uint8_t> MemoryFor(const std::vector<std::uint8_t>& image) {
  std::vector<std::uint8_t> memory(kMemory, 0xEE);
  for (std::size_t i = 0; i < image.size(); ++i) {
    const std::size_t first_half = kHalf - kBlock;
    memory[i < first_half ? i + kBlock : i - first_half + kHalf + kBlock] = image[i];
  }
  return memory;
}

class EndToEndTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    if (!fs::exists(tests::SimProcess::Program())) GTEST_SKIP() << "mk-sim is not built";
    image_ = LaidOutImage(7);
    tests::WriteBytes(Dir() / "memory.bin", MemoryFor(image_));
    StartSim({});
    UsePlatformPorts(services_);
    services_.clock = &clock_;
    services_.pump = &pump_;
    services_.read_settings = [](link::TVL_RS& rs, device::TMK& mk, link::IProgress& progress,
                                 link::IPump& pump, device::Connection* found) {
      return device::ReadSettings(rs, mk, progress, pump, found);
    };
    services_.write_settings = [](link::TVL_RS& rs, device::TMK& mk, link::IProgress& progress,
                                  link::IPump& pump, link::IUserPrompt& prompt,
                                  device::Connection* found, const device::WriteOptions& options) {
      return device::WriteSettings(rs, mk, progress, pump, prompt, found, options);
    };
  }

  void TearDown() override {
    MainFormTest::TearDown();
    sim_.reset();
  }

  /// (Re)starts the virtual MK with `extra` options and points COM1 at it;
  /// before Show(), which reads the preferences.
  void StartSim(const std::vector<std::string>& extra) {
    sim_.reset();
    std::vector<std::string> args{"--address",        "253",
                                  "--device-version", "5",
                                  "--image",          (Dir() / "memory.bin").string(),
                                  "--save",           (Dir() / "saved.bin").string()};
    args.insert(args.end(), extra.begin(), extra.end());
    sim_.emplace(args);
    const std::string pty = sim_->path();
    ASSERT_FALSE(pty.empty());
    WriteIni("[Ports]\r\nCOM1=" + pty + "\r\n[RS232]\r\nPort=1\r\n[Common]\r\nAuto=0\r\n");
  }

  /// Takes the virtual MK away, as a pulled cable would, once the progress
  /// window shows `label` with the gauge at `percent` or more. Should that
  /// never happen, Cancel is pressed after 20 s so the test fails, not hangs.
  void UnplugAt(const QString& label, int percent) {
    auto* poll = new QTimer(&timers_);
    QObject::connect(poll, &QTimer::timeout, [this, poll, label, percent] {
      const TProgressForm* p = VisibleProgressForm();
      if (p == nullptr) return;
      const auto* gauge = tests::FindNamed<QProgressBar>(*p, "ProgressGauge");
      if (tests::FindNamed<QLabel>(*p, "ProgressLabel")->text() != label || !gauge->isVisible() ||
          gauge->value() < percent) {
        return;
      }
      poll->stop();
      sim_->Stop();
    });
    poll->start(5);
    QTimer::singleShot(20000, &timers_, [] {
      if (TProgressForm* p = VisibleProgressForm())
        tests::FindNamed<QPushButton>(*p, "BitBtn1")->click();
    });
  }

  /// Stops the virtual MK and returns the memory it saved on exit.
  std::vector<std::uint8_t> StopAndReadMemory() {
    EXPECT_EQ(sim_->Stop(), 0);
    return tests::ReadBytes(Dir() / "saved.bin");
  }

  std::vector<std::uint8_t> image_;
  std::optional<tests::SimProcess> sim_;
  QObject timers_;  // parent of a test's timers
  link::SteadyClock clock_;
  QtPump pump_;
};

TEST_F(EndToEndTest, ReadSaveLoadEditAndWriteReachTheMksMemory) {
  std::uint8_t edited = 0;
  services_.edit_dialog = Window([&edited](device::TMK& mk) {
    auto& bytes = mk.Rec(device::BlockId::Limits).Bytes();
    bytes[0] = static_cast<std::uint8_t>(bytes[0] ^ 0x5A);
    edited = bytes[0];
    return true;
  });
  TMainForm& form = Show();

  Click("bGetParams");
  ASSERT_TRUE(dialogs_.errors.empty()) << dialogs_.errors.front();
  EXPECT_TRUE(DataButtonsEnabled());
  // The address and memory size the MK answered with, as the status line shows them.
  EXPECT_NE(Find<QLabel>("StatusLine")
                ->text()
                .toStdString()
                .find("адрес 253, память " + std::to_string(kMemory) + " байт"),
            std::string::npos)
      << Find<QLabel>("StatusLine")->text().toStdString();
  EXPECT_EQ(form.Device()->DeviceVersion(), 5);
  EXPECT_EQ(form.Device()->Image(), image_);

  // Save, then load the file back: the same image.
  const std::string file = (Dir() / "mk.vrnkp").string();
  dialogs_.save_paths = {file};
  Click("bSaveParams");
  EXPECT_EQ(fs::file_size(file), 2 + image_.size());
  dialogs_.open_paths = {file};
  Click("bLoadParams");
  EXPECT_EQ(form.Device()->Image(), image_);

  Click("bEditParams");
  ASSERT_TRUE(form.IsModified());
  Click("bSetParams");
  EXPECT_TRUE(dialogs_.errors.empty());
  EXPECT_EQ(dialogs_.infos, std::vector<std::string>{"Настройки записаны в МК"});
  EXPECT_TRUE(form.IsModified());

  const std::int64_t position = form.Device()->Directory().Position(6);
  ASSERT_GT(position, 0);
  ASSERT_LT(position, static_cast<std::int64_t>(kHalf - kBlock));
  const auto memory = StopAndReadMemory();
  ASSERT_EQ(memory.size(), kMemory);
  EXPECT_EQ(memory[static_cast<std::size_t>(position) + kBlock], edited);
  // Everything else is as it was.
  auto expected = MemoryFor(image_);
  expected[static_cast<std::size_t>(position) + kBlock] = edited;
  std::size_t differing = 0;
  for (std::size_t i = kBlock; i < kMemory; ++i) differing += memory[i] != expected[i];
  EXPECT_EQ(differing, 0u);
}

TEST_F(EndToEndTest, AWriteShowsItsChangesFirstAndACancelWritesNothing) {
  services_.edit_dialog = Window([](device::TMK& mk) {
    mk.Rec(device::BlockId::Limits).SetInt("VelocityLimit", 65);
    return true;
  });
  TMainForm& form = Show();
  Click("bGetParams");
  Click("bEditParams");
  bool progress_hidden = false;
  dialogs_.on_box = [&](const std::string& box) {
    if (box.rfind("changes: ", 0) == 0) progress_hidden = VisibleProgressForm() == nullptr;
  };
  dialogs_.change_answers = {ScriptedDialogs::Answer(false)};
  Click("bSetParams");
  ASSERT_EQ(dialogs_.changes.size(), 1u);
  EXPECT_TRUE(progress_hidden);
  const auto& list = dialogs_.changes[0];
  EXPECT_EQ(list.purpose, ChangesPurpose::Write);
  ASSERT_EQ(list.diff.changes.size(), 1u);
  EXPECT_EQ(settings::LineOf(list.diff.changes[0]), "Границы / Скорость, км/час: 0 → 130");
  EXPECT_TRUE(dialogs_.infos.empty());
  EXPECT_TRUE(dialogs_.errors.empty());

  Click("bSetParams");  // unscripted: Enter
  EXPECT_EQ(dialogs_.infos, std::vector<std::string>{"Настройки записаны в МК"});
  EXPECT_TRUE(std::regex_search(
      Find<QLabel>("StatusLine")->text().toStdString(),
      std::regex("^Настройки записаны в МК \\d\\d\\.\\d\\d\\.\\d{4} в \\d\\d:\\d\\d")))
      << Find<QLabel>("StatusLine")->text().toStdString();
  Click("bSetParams");
  ASSERT_EQ(dialogs_.changes.size(), 3u);
  EXPECT_TRUE(dialogs_.changes[2].diff.Empty()) << "nothing left to change";

  auto expected = MemoryFor(image_);
  const auto memory = StopAndReadMemory();
  const auto position = static_cast<std::size_t>(form.Device()->Directory().Position(6));
  expected[position + kBlock] = 65;
  EXPECT_EQ(memory, expected) << "written once confirmed, and only that";
}

TEST_F(EndToEndTest, AnUntickedChangeKeepsTheMksOwnValue) {
  services_.edit_dialog = Window([](device::TMK& mk) {
    auto& limits = mk.Rec(device::BlockId::Limits);
    limits.SetInt("VelocityLimit", 65);
    limits.SetInt("TankLimit", 7);
    limits.SetInt("LiqTemperLimit", 99);
    return true;
  });
  TMainForm& form = Show();
  Click("bGetParams");
  Click("bEditParams");
  dialogs_.change_answers = {ScriptedDialogs::Answer(true, {settings::FindSetting("seTankLimit")})};
  Click("bSetParams");
  ASSERT_EQ(dialogs_.changes.size(), 1u);
  EXPECT_EQ(dialogs_.changes[0].diff.changes.size(), 3u);
  EXPECT_EQ(dialogs_.infos, std::vector<std::string>{"Настройки записаны в МК"});
  EXPECT_EQ(form.Device()->Rec(device::BlockId::Limits).GetInt("TankLimit"), 0)
      << "the settings held are what the MK now holds";

  // Only the tank limit left to write; unticked, the write has nothing to send.
  services_.edit_dialog = Window([](device::TMK& mk) {
    mk.Rec(device::BlockId::Limits).SetInt("TankLimit", 7);
    return true;
  });
  Click("bEditParams");
  dialogs_.change_answers = {ScriptedDialogs::Answer(true, {settings::FindSetting("seTankLimit")})};
  Click("bSetParams");
  ASSERT_EQ(dialogs_.infos.size(), 2u);
  EXPECT_EQ(dialogs_.infos[1],
            "Отмеченные настройки МК уже хранит: записывать нечего. В МК ничего не записано.");

  device::TMK mk;
  mk.ReplaceImage(5, image_);
  auto& limits = mk.Rec(device::BlockId::Limits);
  limits.SetInt("VelocityLimit", 65);
  limits.SetInt("LiqTemperLimit", 99);
  mk.StoreAll();
  EXPECT_EQ(StopAndReadMemory(), MemoryFor(mk.Image())) << "two of three written";
}

TEST_F(EndToEndTest, WritingSettingsOfAnotherDeviceVersionIsRefused) {
  const std::string other = WriteSettingsFile("other.vrnkp", 9, LaidOutImage(7));
  Show();
  dialogs_.open_paths = {other};
  Click("bLoadParams");
  Click("bSetParams");
  EXPECT_EQ(dialogs_.errors,
            std::vector<std::string>{"Версия настроек не совпадает с версией устройства!"});
  EXPECT_TRUE(dialogs_.infos.empty());
  EXPECT_EQ(StopAndReadMemory(), MemoryFor(LaidOutImage(7)));
}

// The known endings of a link that went away: nothing more came, or a frame
// stopped half-way.
bool IsLinkMessage(const std::string& text) {
  return text == link::kNoLink || text == link::kByteDelay;
}

// With wire timing a read of 8 KB takes over a second: the MK goes away in
// the middle of it.
TEST_F(EndToEndTest, UnpluggingDuringAReadEndsWithTheLinkMessageAndAUsableWindow) {
  StartSim({"--wire-timing"});
  TMainForm& form = Show();
  UnplugAt("Чтение настроек...", 30);
  Click("bGetParams");
  ASSERT_EQ(dialogs_.errors.size(), 1u);
  EXPECT_TRUE(IsLinkMessage(dialogs_.errors.front())) << dialogs_.errors.front();
  EXPECT_TRUE(DataButtonsDisabled());
  EXPECT_FALSE(form.Channel()->IsOpen());
  EXPECT_EQ(VisibleProgressForm(), nullptr);
  EXPECT_FALSE(form.Busy());
  EXPECT_TRUE(Find("bGetParams")->isEnabled());
  EXPECT_TRUE(Find("bLoadParams")->isEnabled());
}

TEST_F(EndToEndTest, UnpluggingDuringASecondReadKeepsTheFirstByteForByte) {
  StartSim({"--wire-timing"});
  TMainForm& form = Show();
  Click("bGetParams");
  ASSERT_TRUE(dialogs_.errors.empty());
  ASSERT_EQ(form.Device()->Image(), image_);
  const device::TMK first = *form.Device();

  UnplugAt("Чтение настроек...", 30);
  Click("bGetParams");
  ASSERT_EQ(dialogs_.errors.size(), 1u);
  EXPECT_TRUE(IsLinkMessage(dialogs_.errors.front())) << dialogs_.errors.front();
  EXPECT_TRUE(DataButtonsEnabled());
  EXPECT_FALSE(form.IsModified());
  EXPECT_EQ(form.Device()->Image(), first.Image());
  EXPECT_EQ(form.Device()->DeviceVersion(), first.DeviceVersion());
  for (device::BlockId block : device::kRecordBlocks) {
    EXPECT_EQ(form.Device()->Rec(block).Bytes(), first.Rec(block).Bytes());
  }
}

TEST_F(EndToEndTest, UnpluggingDuringAWriteLeavesTheSettingsAsLoaded) {
  StartSim({"--wire-timing"});
  const std::string file = WriteSettingsFile("mine.vrnkp", 5, image_);
  TMainForm& form = Show();
  dialogs_.open_paths = {file};
  Click("bLoadParams");
  ASSERT_TRUE(DataButtonsEnabled());
  UnplugAt("Запись настроек...", 1);
  Click("bSetParams");
  ASSERT_EQ(dialogs_.errors.size(), 1u);
  // The link's text first, then what the MK now holds and where the backup is.
  const std::string& box = dialogs_.errors.front();
  const std::string cause = box.substr(0, box.find('\n'));
  EXPECT_TRUE(IsLinkMessage(cause)) << box;
  EXPECT_NE(box.find("часть новых настроек"), std::string::npos) << box;
  const auto backups = device::BackupStore(Dir() / "backups").List();
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_NE(box.find("Резервная копия памяти МК до записи: " + backups.front().string()),
            std::string::npos)
      << box;
  EXPECT_TRUE(Find<QLabel>("lBackup")->isVisible());
  EXPECT_TRUE(dialogs_.infos.empty());
  EXPECT_EQ(form.Device()->Image(), image_);
  EXPECT_TRUE(DataButtonsEnabled());
  EXPECT_FALSE(form.Channel()->IsOpen());
  EXPECT_EQ(VisibleProgressForm(), nullptr);
  EXPECT_FALSE(form.Busy());
}

}  // namespace
}  // namespace mk::app::test

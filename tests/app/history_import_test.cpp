// SPDX-License-Identifier: GPL-3.0-or-later
// Every read from the MK is merged into the history of trips: the first one
// asks the vehicle's name, lower totals ask whether it is another MK, and a
// history that cannot be written never fails the read.
#include <QAction>
#include <QLabel>

#include "app_fixture.h"
#include "history/history_store.h"
#include "support/driven_history.h"
#include "support/files.h"

namespace mk::app::test {
namespace {

namespace fs = std::filesystem;
using history::EntryKind;
using widgets::Reply;

class HistoryImportTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    mk_ports_ = {3};
    services_.read_settings = [this](link::TVL_RS&, device::TMK& mk, link::IProgress&, link::IPump&,
                                     device::Connection* found) {
      mk = driven.Read();
      *found = device::Connection{254, 8192, 1};
      return device::TransferResult::Done;
    };
    driven.Drive(Today() - 1440 * 20, 10);
  }
  static history::LocalMinutes Today() { return history::LocalNow() / 1440 * 1440; }
  std::string Status() const { return Find<QLabel>("StatusLine")->text().toStdString(); }
  std::vector<std::string> Vehicles() const {
    history::HistoryStore store(services_.history_path);
    std::vector<std::string> names;
    for (const auto& v : store.Vehicles()) names.push_back(v.name);
    return names;
  }
  std::size_t Trips() const {
    history::HistoryStore store(services_.history_path);
    return store.Entries(EntryKind::Trip, {}).size();
  }

  tests::DrivenMk driven;
};

TEST_F(HistoryImportTest, TheFirstReadAsksTheVehiclesNameAndLaterReadsGoToIt) {
  Show();
  EXPECT_FALSE(Find<QAction>("aHistory")->isEnabled()) << "no history yet";
  dialogs_.text_answers = {"Лада"};
  Click("bGetParams");
  EXPECT_EQ(dialogs_.text_offered, std::vector<std::string>{"МК 1"});
  EXPECT_EQ(Vehicles(), std::vector<std::string>{"Лада"});
  EXPECT_EQ(Status().rfind("В историю «Лада» добавлено поездок ", 0), 0u) << Status();
  EXPECT_TRUE(Find<QAction>("aHistory")->isEnabled());
  const std::size_t first = Trips();

  driven.Drive(Today() - 1440 * 10, 5);
  Click("bGetParams");
  EXPECT_EQ(dialogs_.text_questions.size(), 1u) << "the second read asks nothing";
  EXPECT_EQ(Vehicles(), std::vector<std::string>{"Лада"});
  EXPECT_GT(Trips(), first);
  EXPECT_TRUE(dialogs_.errors.empty());
}

TEST_F(HistoryImportTest, LowerTotalsAskWhetherItIsAnotherMk) {
  const struct {
    Reply reply;
    std::vector<std::string> vehicles;
    bool added;
  } cases[] = {{Reply::Yes, {"МК 1", "МК 1 (2)"}, true},
               {Reply::No, {"МК 1"}, true},
               {Reply::Cancel, {"МК 1"}, false}};
  int n = 0;
  for (const auto& c : cases) {
    services_.history_path = Dir() / ("history" + std::to_string(++n) + ".sqlite");
    driven = tests::DrivenMk();
    driven.Drive(Today() - 1440 * 20, 10);
    Show();
    Click("bGetParams");
    const std::size_t before = Trips();
    // Another MK, driven less, on other days.
    driven = tests::DrivenMk();
    driven.Drive(Today() - 1440 * 6, 3);
    dialogs_.replies = {c.reply};
    dialogs_.questions.clear();
    Click("bGetParams");
    ASSERT_EQ(dialogs_.questions.size(), 1u);
    EXPECT_NE(dialogs_.questions[0].find("похоже, это другой МК"), std::string::npos);
    EXPECT_EQ(Vehicles(), c.vehicles);
    EXPECT_EQ(Trips() > before, c.added);
    if (!c.added) {
      EXPECT_EQ(Status().rfind("История не обновлена. Настройки считаны из МК", 0), 0u);
    }
    EXPECT_TRUE(DataButtonsEnabled());
  }
}

TEST_F(HistoryImportTest, AReadThatCannotWriteTheHistoryStillSucceeds) {
  const fs::path damaged = Dir() / "damaged.sqlite";
  tests::WriteBytes(damaged, std::vector<std::uint8_t>(4096, 0x5A));
  tests::WriteBytes(Dir() / "plain-file", {1});
  const fs::path cases[] = {damaged, Dir() / "plain-file" / "history.sqlite"};
  for (const auto& path : cases) {
    services_.history_path = path;
    dialogs_.errors.clear();
    Show();
    Click("bGetParams");
    EXPECT_TRUE(DataButtonsEnabled()) << path;
    EXPECT_EQ(Status().rfind("Настройки считаны из МК", 0), 0u) << Status();
    ASSERT_EQ(dialogs_.errors.size(), 1u) << path;
    EXPECT_EQ(dialogs_.errors[0].rfind("История не обновлена: ", 0), 0u) << dialogs_.errors[0];
  }
  EXPECT_EQ(tests::ReadBytes(damaged), std::vector<std::uint8_t>(4096, 0x5A)) << "left as it was";
}

TEST_F(HistoryImportTest, ASettingsFileIsAddedFromTheMenu) {
  const std::string file =
      WriteSettingsFile("поездки.vrnkp", 1, sim::ImageFromMemory(driven.memory));
  Show();
  dialogs_.open_paths = {file};
  dialogs_.text_answers = {"Газель"};
  Choose("aHistoryImport");
  ASSERT_EQ(dialogs_.infos.size(), 1u);
  EXPECT_EQ(dialogs_.infos[0].rfind("Файл «поездки.vrnkp» добавлен в историю автомобиля «Газель»: "
                                    "поездок ",
                                    0),
            0u)
      << dialogs_.infos[0];
  EXPECT_GT(Trips(), 0u);
  EXPECT_TRUE(Find<QAction>("aHistory")->isEnabled());
}

}  // namespace
}  // namespace mk::app::test

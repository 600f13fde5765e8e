// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl read and mkctl history against the virtual MK driving from day to
// day: every trip once with its year, statistics that are the records' sums,
// and a read that a broken history never fails.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <regex>
#include <set>
#include <string>
#include <thread>

#include "history/local_time.h"
#include "support/files.h"
#include "support/json_shape.h"
#include "support/sim_process.h"
#include "support/tool_run.h"

namespace {

using mk::tests::Mkctl;
using mk::tests::SimProcess;
using mk::tests::TempFolder;

class MkctlHistoryTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("XDG_DATA_HOME", dir_.File("data").c_str(), 1); }
  void TearDown() override { unsetenv("XDG_DATA_HOME"); }

  TempFolder dir_{"mkctl-history"};
};

// The numbers a key has in every object of a JSON list.
std::vector<std::string> Values(const std::string& json, const std::string& key) {
  std::vector<std::string> out;
  const std::regex pattern("\"" + key + "\": (\"[^\"]*\"|[0-9.]+)");
  for (auto it = std::sregex_iterator(json.begin(), json.end(), pattern);
       it != std::sregex_iterator(); ++it) {
    out.push_back((*it)[1]);
  }
  return out;
}

double Sum(const std::string& json, const std::string& key) {
  double sum = 0;
  for (const auto& v : Values(json, key)) sum += std::stod(v);
  return sum;
}

TEST_F(MkctlHistoryTest, ReadsOnThreeDaysKeepEveryTripOnceAndTheStatisticsAreTheirSums) {
  SimProcess sim({"--drive-days", "2"});
  ASSERT_FALSE(sim.path().empty());
  const auto today = mk::history::LocalNow();
  std::size_t trips = 0;
  for (int day = 0; day < 3; ++day) {
    if (day > 0) {
      sim.Signal(SIGUSR1);
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    const std::string at = mk::history::IsoText(today - today % 1440 + 1440 * day + 1439);
    const auto read =
        Mkctl("read --port " + sim.path() + " --out " + dir_.File("r.vrnkp") + " --at " + at);
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_NE(read.out.find("История: автомобиль «МК 1», добавлено поездок"), std::string::npos)
        << read.out;
    const auto list = Mkctl("history list --json");
    ASSERT_TRUE(mk::tests::LooksLikeOneJsonObject(list.out)) << list.out;
    const auto times = Values(list.out, "time");
    EXPECT_GT(times.size(), trips) << "day " << day << " added no trip";
    trips = times.size();
    EXPECT_EQ(std::set<std::string>(times.begin(), times.end()).size(), times.size())
        << "a trip kept twice:\n"
        << list.out;
    for (const auto& t : times) EXPECT_LE(t, "\"" + at + "\"") << "a trip after its read";
  }
  const auto list = Mkctl("history list --json").out;
  const auto stats = Mkctl("history stats --json").out;
  EXPECT_NEAR(Sum(stats, "distance_km"), Sum(list, "distance_m") / 1000, 1e-6);
  EXPECT_NEAR(Sum(stats, "fuel_l"), (Sum(list, "petrol_ml") + Sum(list, "gas_ml")) / 1000, 1e-6);
  EXPECT_EQ(Sum(stats, "road_s"), Sum(list, "road_s"));
  EXPECT_EQ(Sum(stats, "trips"), static_cast<double>(trips));
  EXPECT_NEAR(Sum(stats, "cost"), Sum(list, "cost"), 0.01 * static_cast<double>(trips));
}

TEST_F(MkctlHistoryTest, AReadSucceedsWhenTheHistoryCannotBeWritten) {
  std::filesystem::create_directories(dir_.path() / "data" / "mkconfig");
  const auto history = dir_.path() / "data" / "mkconfig" / "history.sqlite";
  mk::tests::WriteBytes(history, {'n', 'o', 't', ' ', 'a', ' ', 'd', 'b'});
  SimProcess sim;
  const auto read = Mkctl("read --port " + sim.path() + " --out " + dir_.File("r.vrnkp"));
  EXPECT_EQ(read.status, 0) << read.err;
  EXPECT_TRUE(std::filesystem::exists(dir_.File("r.vrnkp")));
  EXPECT_NE(read.err.find("История поездок не обновлена: История поездок «" + history.string() +
                          "» не открыта"),
            std::string::npos)
      << read.err;
  EXPECT_EQ(mk::tests::ReadText(history), "not a db");
  EXPECT_EQ(
      Mkctl("read --port " + sim.path() + " --out " + dir_.File("s.vrnkp") + " --no-history").err,
      "");
}

TEST_F(MkctlHistoryTest, AnotherMksFileIsRefusedUnlessTheVehicleIsNamed) {
  SimProcess sim({"--drive-days", "3"});
  ASSERT_EQ(Mkctl("read --port " + sim.path() + " --out " + dir_.File("driven.vrnkp")).status, 0);
  SimProcess factory;
  ASSERT_EQ(
      Mkctl("read --port " + factory.path() + " --out " + dir_.File("new.vrnkp") + " --no-history")
          .status,
      0);
  const auto refused = Mkctl("history import " + dir_.File("new.vrnkp"));
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("похоже, это другой МК"), std::string::npos) << refused.err;
  EXPECT_NE(refused.err.find("--vehicle"), std::string::npos) << refused.err;
  const auto named = Mkctl("history import " + dir_.File("new.vrnkp") + " --vehicle 'МК 1'");
  EXPECT_EQ(named.status, 0) << named.err;
  EXPECT_EQ(Mkctl("history list --kind trips --to 2000-01-01").out.find('\n'),
            Mkctl("history list --kind trips --to 2000-01-01").out.size() - 1);  // the header only
  EXPECT_EQ(Mkctl("history list --kind parking").status, 2);
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl against the virtual MK on a pseudo-terminal, as a script would run it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/files.h"
#include "support/sim_process.h"
#include "support/tool_run.h"

namespace {

using mk::tests::Mkctl;
using mk::tests::SimProcess;
using mk::tests::ToolRun;

const std::string kNoLink = "RS232. Нет связи. Проверьте правильность соединения PC и устройства.";

TEST(MkctlIdentifyTest, FindsTheMkAtEachAddress) {
  struct Case {
    const char* address;
    const char* memory;
  };
  for (const Case c : {Case{"252", "8192"}, Case{"253", "8192"}, Case{"254", "32768"}}) {
    SimProcess sim({"--address", c.address, "--device-version", "7"});
    ASSERT_FALSE(sim.path().empty());
    const ToolRun r = Mkctl("identify --port " + sim.path() + " --timeout 5");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, std::string("address ") + c.address + "\nmemory " + c.memory +
                         "\ndevice-version 7\n");
  }
}

TEST(MkctlIdentifyTest, BadAnswersAreRetriedUntilOneIsGood) {
  {
    SimProcess sim({"--address", "253", "--fault", "bad-checksum", "--fault-every", "2"});
    const ToolRun r = Mkctl("identify --port " + sim.path() + " --timeout 5");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "address 253\nmemory 8192\ndevice-version 1\n");
  }
  {
    // Three bad answers use up one round's retries; the next round gets it.
    SimProcess sim({"--address", "253", "--fault", "bad-checksum", "--fault-count", "3"});
    const ToolRun r = Mkctl("identify --port " + sim.path() + " --timeout 10");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "address 253\nmemory 8192\ndevice-version 1\n");
  }
}

TEST(MkctlIdentifyTest, ASilentMkEndsInTheNoLinkTextAfterTheTimeout) {
  SimProcess sim({"--fault", "silence"});
  const ToolRun r = Mkctl("identify --port " + sim.path() + " --timeout 1");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, kNoLink + "\n");
  EXPECT_GE(r.seconds, 1.0);
  EXPECT_LT(r.seconds, 6.0) << "a round of three addresses at most passes the limit";
}

TEST(MkctlIdentifyTest, WrongArgumentsAndUnusablePortsFailWithAReason) {
  ToolRun r = Mkctl("identify");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("укажите порт"), std::string::npos) << r.err;

  r = Mkctl("identify --port COM33");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("Неверный порт «COM33»"), std::string::npos) << r.err;

  r = Mkctl("identify --port /nonexistent/ttyQ9 --timeout 1");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("нет устройства (ENOENT)"), std::string::npos) << r.err;

  for (const char* bad : {"0", "-1", "x", "1e9"}) {
    r = Mkctl(std::string("identify --port 1 --timeout '") + bad + "'");
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_NE(r.err.find("неверное время ожидания"), std::string::npos) << bad << r.err;
  }

  SimProcess sim;
  const int holder = open(sim.path().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
  r = Mkctl("identify --port " + sim.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("занят другой программой"), std::string::npos) << r.err;
  close(holder);
}

TEST(MkctlPortsTest, ListsMappedPortsAndWhyOneCannotBeOpened) {
  SimProcess free_sim;
  SimProcess held_sim;
  const mk::tests::TempFolder dir("mkctl");
  const std::string prefs = dir.File("prefs.ini");
  std::ofstream(prefs) << "[Ports]\r\nCOM3=" << free_sim.path() << "\r\nCOM4=" << held_sim.path()
                       << "\r\nCOM5=/nonexistent/ttyQ9\r\n";
  const int holder = open(held_sim.path().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);

  const ToolRun r = Mkctl("ports --prefs " + prefs);
  close(holder);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("COM3   " + free_sim.path() + "\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("COM4   " + held_sim.path()), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("занят другой программой"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("COM5"), std::string::npos) << "a missing device is not listed";

  const ToolRun via_prefs = Mkctl("identify --port COM3 --prefs " + prefs);
  EXPECT_EQ(via_prefs.status, 0) << via_prefs.err;
  EXPECT_EQ(via_prefs.out, "address 253\nmemory 8192\ndevice-version 1\n");

  EXPECT_EQ(Mkctl("ports --prefs /nonexistent/mk.ini").status, 1);
}

// A Linux editor writes the preferences in UTF-8: such a path is tried as
// written when its Windows-1251 reading names nothing, and messages show it so.
TEST(MkctlPortsTest, APathWrittenInUtf8IsFoundAndShownAsWritten) {
  SimProcess sim;
  const mk::tests::TempFolder dir("mkctl");
  const std::string link = dir.File("порт-мк"), missing = dir.File("нет-порта");
  std::filesystem::create_symlink(sim.path(), link);
  std::ofstream(dir.File("prefs.ini")) << "[Ports]\nCOM3=" << link << "\nCOM4=" << missing << "\n";

  const ToolRun found = Mkctl("identify --port COM3 --prefs " + dir.File("prefs.ini"));
  EXPECT_EQ(found.status, 0) << found.err;
  EXPECT_EQ(found.out, "address 253\nmemory 8192\ndevice-version 1\n");
  const ToolRun absent = Mkctl("identify --port COM4 --prefs " + dir.File("prefs.ini"));
  EXPECT_EQ(absent.status, 1);
  EXPECT_NE(absent.err.find("Порт COM4 (" + missing + ") недоступен: нет устройства"),
            std::string::npos)
      << absent.err;
}

}  // namespace

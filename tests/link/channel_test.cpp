// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "link/fake_line.h"
#include "link/vl_rs.h"
#include "text/ini_file.h"

namespace mk::link {
namespace {

using testing::FakeLine;
using testing::FakePrompt;
using testing::FakeSerialSystem;
using V = std::vector<std::string>;

struct Channel : ::testing::Test {
  VirtualClock clock;
  NoPump pump;
  FakePrompt prompt;
  FakeLine line{clock};
  FakeSerialSystem ports{line, {1, 3, 10}};
};

TEST_F(Channel, WithoutAnyPortTheErrorComesAtCreationAndAtEveryOpen) {
  ports.present.clear();
  TVL_RS rs(ports, clock, pump, prompt);
  EXPECT_EQ(prompt.errors, V{kNoFreePort});
  EXPECT_EQ(rs.PortNumber(), 0);
  EXPECT_EQ(rs.SectionName(), "RS232");
  EXPECT_EQ(rs.BaudRate(), 115200u);
  rs.OpenPort(1);
  rs.OpenPort(2);
  EXPECT_EQ(prompt.errors.size(), 3u);
  EXPECT_FALSE(rs.IsOpen());
  EXPECT_TRUE(ports.open_attempts.empty());
}

TEST_F(Channel, OpeningAppliesTheLineSettingsInOrder) {
  TVL_RS rs(ports, clock, pump, prompt);
  EXPECT_TRUE(prompt.errors.empty());
  EXPECT_EQ(rs.PortNumber(), 1);
  rs.OpenPort(3);
  EXPECT_TRUE(rs.IsOpen());
  EXPECT_EQ(rs.PortNumber(), 3);
  EXPECT_EQ(line.events,
            (V{"open 3", "baud 115200", "bits 8", "parity 0", "stop 2", "dtr", "purge-in"}));
}

TEST_F(Channel, AnAbsentNumberSelectsTheLowestPresentButIsStillTried) {
  TVL_RS rs(ports, clock, pump, prompt);
  rs.OpenPort(5);
  EXPECT_EQ(rs.PortNumber(), 1);
  EXPECT_EQ(ports.open_attempts, std::vector<int>{5});
  EXPECT_FALSE(rs.IsOpen());

  ports.hidden = {7};  // appeared after the scan
  rs.OpenPort(7);
  EXPECT_TRUE(rs.IsOpen());
  EXPECT_EQ(rs.PortNumber(), 1);
}

TEST_F(Channel, NumbersPastThe32ScannedPortsAreRefused) {
  TVL_RS rs(ports, clock, pump, prompt);
  ports.hidden = {33};
  for (int n : {33, 1000, 2147483647}) {
    rs.OpenPort(n);
    EXPECT_EQ(rs.PortNumber(), 1);
    EXPECT_FALSE(rs.IsOpen());
  }
  EXPECT_TRUE(ports.open_attempts.empty());
  rs.OpenPort(0);
  rs.OpenPort(-4);
  EXPECT_EQ(rs.PortNumber(), 1);
}

TEST_F(Channel, ScanningClosesAnOpenPortAndSeesOnlyWhatProbes) {
  TVL_RS rs(ports, clock, pump, prompt);
  rs.OpenPort(10);
  ports.present = {2};
  EXPECT_EQ(rs.ScanPorts(), 1);
  EXPECT_FALSE(rs.IsOpen());
  EXPECT_EQ(line.events.back(), "close");
  EXPECT_TRUE(rs.PortPresent(2));
  EXPECT_FALSE(rs.PortPresent(10));
  EXPECT_EQ(rs.PresentCount(), 1);
  // Numbers outside COM1..COM32 are never present.
  EXPECT_FALSE(rs.PortPresent(0));
  EXPECT_FALSE(rs.PortPresent(33));
  EXPECT_EQ(rs.FirstPresentPort(), 2);
}

TEST_F(Channel, BaudRateIsStoredWhileClosedAndReadBackWhileOpen) {
  TVL_RS rs(ports, clock, pump, prompt);
  rs.SetBaud(9600);
  EXPECT_EQ(rs.BaudRate(), 9600u);
  EXPECT_TRUE(line.events.empty());
  line.baud_readback = 57600;  // the driver substitutes a rate it can do
  rs.OpenPort(1);
  EXPECT_EQ(line.events[1], "baud 9600");
  EXPECT_EQ(rs.BaudRate(), 57600u);
}

TEST_F(Channel, PreferencesKeepThePortNumber) {
  TVL_RS rs(ports, clock, pump, prompt);
  text::IniFile ini;
  rs.LoadSettings(ini);  // no key: the first present port
  EXPECT_EQ(rs.PortNumber(), 1);
  EXPECT_TRUE(rs.IsOpen());

  ini.WriteString("rs232", "port", "10");
  rs.LoadSettings(ini);
  EXPECT_EQ(rs.PortNumber(), 10);
  rs.SaveSettings(ini);
  EXPECT_EQ(ini.Serialize(), "[rs232]\r\nport=10\r\n");

  for (const char* stored : {"40", "99999999999"}) {
    ini.WriteString("RS232", "Port", stored);
    rs.LoadSettings(ini);
    EXPECT_EQ(rs.PortNumber(), 1) << stored;
    EXPECT_FALSE(rs.IsOpen()) << stored;
  }
}

struct ScriptedDialog : TVL_RS_Base::IPortDialog {
  int Choose(const std::array<bool, kMaxPorts + 1>& present, int current) override {
    offered.clear();
    for (int n = 1; n <= kMaxPorts; ++n) {
      if (present[static_cast<std::size_t>(n)]) offered.push_back(n);
    }
    shown_current = current;
    return answer;
  }
  std::vector<int> offered;
  int shown_current = -1;
  int answer = 0;
};

TEST_F(Channel, PortDialogOffersThePresentPortsAndKeepsTheNumberOnCancel) {
  TVL_RS rs(ports, clock, pump, prompt);
  ScriptedDialog dialog;
  rs.OpenPort(3);
  rs.SelectPortDialog();  // no dialog supplied: the port is only closed
  EXPECT_FALSE(rs.IsOpen());
  EXPECT_EQ(dialog.shown_current, -1);

  rs.SetPortDialog(&dialog);
  dialog.answer = 10;
  rs.SelectPortDialog();
  EXPECT_EQ(dialog.offered, (std::vector<int>{1, 3, 10}));
  EXPECT_EQ(dialog.shown_current, 3);
  EXPECT_EQ(rs.PortNumber(), 10);
  EXPECT_TRUE(rs.IsOpen());

  dialog.answer = 0;  // Cancel, or OK on an empty selection
  rs.SelectPortDialog();
  EXPECT_EQ(rs.PortNumber(), 10);

  ports.present.clear();
  dialog.shown_current = -1;
  rs.SelectPortDialog();
  EXPECT_EQ(dialog.shown_current, -1);
  EXPECT_EQ(prompt.errors, V{kNoFreePort});
  EXPECT_EQ(rs.PortNumber(), 10);
}

}  // namespace
}  // namespace mk::link

// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/sim_options.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace mk::sim {
namespace {

using Args = std::vector<std::string>;

TEST(SimOptions, DefaultsAndEveryOption) {
  const SimOptions d = ParseSimOptions({});
  EXPECT_EQ(d.address, 253);
  EXPECT_EQ(d.memory, 0u);
  EXPECT_EQ(d.device_version, 1);
  EXPECT_TRUE(d.faults.faults.empty());

  const SimOptions o = ParseSimOptions({"--address",
                                        "254",
                                        "--memory",
                                        "8192",
                                        "--device-version",
                                        "65535",
                                        "--image",
                                        "in.bin",
                                        "--save",
                                        "out.bin",
                                        "--wire-timing",
                                        "--verbose",
                                        "--settings",
                                        "s.vrnkp",
                                        "--version",
                                        "--fault",
                                        "late:40",
                                        "--fault",
                                        "bad-checksum",
                                        "--fault-every",
                                        "7",
                                        "--fault-count",
                                        "3",
                                        "--fault-after",
                                        "100"});
  EXPECT_EQ(o.address, 254);
  EXPECT_EQ(o.memory, 8192u);
  EXPECT_EQ(o.device_version, 65535);
  EXPECT_EQ(o.image, "in.bin");
  EXPECT_EQ(o.save, "out.bin");
  EXPECT_TRUE(o.wire_timing == WireTiming::kBytes && o.verbose && o.version);
  EXPECT_EQ(o.settings, "s.vrnkp");
  ASSERT_EQ(o.faults.faults.size(), 2u);
  EXPECT_EQ(o.faults.faults[0].arg, 40u);
  EXPECT_EQ(o.faults.faults[1].kind, FaultKind::kBadChecksum);
  EXPECT_EQ(o.faults.every, 7u);
  EXPECT_EQ(o.faults.count, 3u);
  EXPECT_EQ(o.faults.after, 100u);
  EXPECT_TRUE(ParseSimOptions({"--help"}).help);
  EXPECT_EQ(ParseSimOptions({"--wire-timing=bytes"}).wire_timing, WireTiming::kBytes);
  EXPECT_EQ(ParseSimOptions({"--wire-timing=whole"}).wire_timing, WireTiming::kWhole);
  EXPECT_EQ(ParseSimOptions({"--wire-timing=usb"}).wire_timing, WireTiming::kUsb);
}

// The help lists every option the parser takes, all before the closing sentence.
TEST(SimOptions, HelpListsEveryOptionBeforeItsLastWords) {
  const std::string usage = SimUsage();
  const std::size_t closing = usage.find("\n\nBroken region writes");
  ASSERT_NE(closing, std::string::npos);
  for (const char* option :
       {"--address", "--memory", "--device-version", "--image", "--settings", "--save",
        "--wire-timing", "--fault ", "--fault-every", "--fault-count", "--fault-after",
        "--ignore-region", "--verbose", "--help", "--version"}) {
    const std::size_t at = usage.find(std::string("\n  ") + option);
    EXPECT_LT(at, closing) << option;
  }
}

TEST(SimOptions, RefusesWhatTheMKCannotBe) {
  const Args bad[] = {{"--address", "251"}, {"--address", "255"},     {"--address"},
                      {"--memory", "4096"}, {"--memory", "8192k"},    {"--device-version", "65536"},
                      {"--fault", "noise"}, {"--fault-every", "0"},   {"--fault-count", "-1"},
                      {"--image"},          {"--wire-timing", "yes"}, {"252"},
                      {"--wire-timing="},   {"--wire-timing=fast"}};
  for (const auto& args : bad) {
    EXPECT_THROW(ParseSimOptions(args), std::invalid_argument) << args[0];
  }
}

}  // namespace
}  // namespace mk::sim

// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl's command line as a script meets it: help, version, exit statuses,
// unknown options and options that lack their value.
#include <gtest/gtest.h>

#include <string>

#include "support/tool_run.h"

namespace {

using mk::tests::Mkctl;
using mk::tests::ToolRun;

const char* const kCommands[] = {"ports", "identify", "catalog", "read",
                                 "write", "info",     "dump",    "preview"};

TEST(MkctlHelpTest, TheToolAndEachCommandExplainThemselvesOnStandardOutput) {
  for (const char* ask : {"--help", "-h", "help"}) {
    const ToolRun r = Mkctl(ask);
    EXPECT_EQ(r.status, 0) << ask;
    EXPECT_EQ(r.err, "") << ask;
    for (const char* c : kCommands) {
      EXPECT_NE(r.out.find(std::string("\n  ") + c + " "), std::string::npos) << ask << c;
    }
    EXPECT_NE(r.out.find("--prefs ФАЙЛ"), std::string::npos);
    EXPECT_NE(r.out.find("по умолчанию 10"), std::string::npos) << "the default time-out";
    EXPECT_NE(r.out.find("Коды выхода:\n  0  успех"), std::string::npos);
    EXPECT_NE(r.out.find("\n  2  неверная командная строка"), std::string::npos);
  }
  for (const char* c : kCommands) {
    for (const std::string& ask : {std::string(c) + " --help", std::string(c) + " -h",
                                   "help " + std::string(c), std::string(c) + " --port 3 -h"}) {
      const ToolRun r = Mkctl(ask);
      EXPECT_EQ(r.status, 0) << ask << r.err;
      EXPECT_EQ(r.out.rfind(std::string("Использование: mkctl ") + c, 0), 0u) << ask << r.out;
      EXPECT_NE(r.out.find("Коды выхода:"), std::string::npos) << ask;
    }
  }
  const ToolRun write = Mkctl("write --help");
  EXPECT_NE(write.out.find("  --port ПОРТ "), std::string::npos) << write.out;
  EXPECT_NE(write.out.find("  --timeout СЕКУНДЫ "), std::string::npos);
  EXPECT_NE(write.out.find("  --prefs ФАЙЛ "), std::string::npos);
  EXPECT_EQ(Mkctl("info --help").out.find("--port"), std::string::npos)
      << "a command's help lists only its own options";
}

TEST(MkctlHelpTest, VersionIsOneLineOnStandardOutput) {
  const ToolRun r = Mkctl("--version");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("mkctl ", 0), 0u);
  EXPECT_EQ(r.out.find('\n'), r.out.size() - 1);
  EXPECT_EQ(r.err, "");
}

TEST(MkctlUsageTest, AMalformedCommandLineExitsWithTwoAndSaysWhyOnStandardError) {
  struct Case {
    const char* args;
    const char* says;
  };
  const Case cases[] = {
      {"", "не указана команда"},
      {"frobnicate", "неизвестная команда «frobnicate»"},
      {"identify --port 3 --speed 9600", "неизвестный параметр --speed"},
      {"info --json x.vrnkp", "неизвестный параметр --json"},
      {"info", "укажите один файл настроек"},
      {"info a.vrnkp b.vrnkp", "лишний операнд «b.vrnkp»"},
      {"read --port 3", "--out ФАЙЛ"},
      {"write --port 3", "--in ФАЙЛ"},
      {"catalog --device-version 1", "нужны --device-version и --variant"},
      {"read --port P --out F extra", "лишний операнд «extra»"},
      {"diff a b c", "лишний операнд «c»"},
      {"scope x.vrnkp --offset ''", "у параметра --offset нет значения"},
      {"scope x.vrnkp --time-index=", "у параметра --time-index нет значения"},
      {"read --port 3 --out a --out b", "параметр --out указан дважды"},
  };
  for (const Case& c : cases) {
    const ToolRun r = Mkctl(c.args);
    EXPECT_EQ(r.status, 2) << c.args;
    EXPECT_EQ(r.out, "") << c.args;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << "\n" << r.err;
  }
}

TEST(MkctlUsageTest, AnOptionWithoutItsValueIsAUsageErrorNamingIt) {
  struct Case {
    const char* args;
    const char* option;
  };
  const Case cases[] = {
      {"identify --port 3 --timeout", "--timeout"},
      {"identify --timeout 5 --port", "--port"},
      {"identify --port --timeout 5", "--port"},
      {"identify --port 3 --prefs", "--prefs"},
      {"ports --prefs", "--prefs"},
      {"read --port 3 --out", "--out"},
      {"write --port 3 --in", "--in"},
      {"catalog --device-version 1 --variant", "--variant"},
      {"catalog --file", "--file"},
      {"catalog --device-version 1 --variant 0 --protocol", "--protocol"},
  };
  for (const Case& c : cases) {
    const ToolRun r = Mkctl(c.args);
    EXPECT_EQ(r.status, 2) << c.args;
    EXPECT_EQ(r.out, "") << c.args;
    EXPECT_NE(r.err.find(std::string("у параметра ") + c.option + " нет значения"),
              std::string::npos)
        << c.args << "\n"
        << r.err;
    EXPECT_NE(r.err.find("Справка: mkctl "), std::string::npos) << c.args;
  }
}

TEST(MkctlUsageTest, AValueMayFollowAnEqualsSign) {
  const ToolRun r = Mkctl("catalog --device-version=1 --variant=0 --json");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"device_version\": 1,"), std::string::npos);
}

TEST(MkctlUsageTest, AFailureExitsWithOneAndItsReasonOnStandardError) {
  const ToolRun r = Mkctl("info /nonexistent/settings.vrnkp");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_FALSE(r.err.empty());
}

}  // namespace

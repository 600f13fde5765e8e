// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl catalog as a script reads it: the listing for a model and variant or
// for a settings file, and the refusals of bad input.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "device/mk.h"
#include "device/settings_file.h"
#include "sim/factory_image.h"
#include "support/files.h"
#include "support/json_shape.h"
#include "support/tool_run.h"

namespace {

using mk::tests::LooksLikeOneJsonObject;
using mk::tests::Mkctl;
using mk::tests::TempFolder;
using mk::tests::ToolRun;

// A settings file of `device_version` whose directory names `firmware`, with
// every Protocol byte zero.
std::string SettingsFile(const TempFolder& dir, std::uint16_t device_version,
                         std::uint32_t firmware) {
  std::vector<std::uint8_t> image = mk::sim::ImageFromMemory(mk::sim::FactoryMemory(8192));
  for (int i = 0; i < 4; ++i) {
    image[mk::device::BlockDirectory::kFirmwareVersionOffset + i] =
        static_cast<std::uint8_t>(firmware >> (8 * i));
  }
  mk::device::TMK mk;
  mk.ReplaceImage(device_version, std::move(image));
  const std::string path =
      dir.File(std::to_string(device_version) + "_" + std::to_string(firmware) + ".vrnkp");
  mk::device::SaveSettingsFile(path, mk);
  return path;
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(MkctlCatalogTest, JsonListsEveryParameterProtocolAndMenuItem) {
  const ToolRun r = Mkctl("catalog --device-version 1 --variant 0 --json");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(LooksLikeOneJsonObject(r.out)) << r.out.substr(0, 400);
  EXPECT_NE(r.out.find("\"project\": \"Легковой\""), std::string::npos);
  EXPECT_NE(r.out.find("\"known\": true"), std::string::npos);
  // Every protocol's list opens with parameters 1 to 16.
  const int protocols = Count(r.out, "\"error_format\": ");
  EXPECT_GT(protocols, 10);
  EXPECT_EQ(Count(r.out, "\"param_codes\": [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16"),
            protocols);
  // Parameters after PrepareData: decimals with a full stop in the samples.
  EXPECT_GT(Count(r.out, "\"sample_text\": "), 16);
  EXPECT_GT(Count(r.out, "\"ident\": "), 100);
}

TEST(MkctlCatalogTest, AnUnknownModelGetsEverythingAndSaysSo) {
  const ToolRun r = Mkctl("catalog --device-version 999 --variant 7");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("нет в таблице, всё разрешено"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Осциллограф: да"), std::string::npos);
}

TEST(MkctlCatalogTest, ASettingsFileGivesItsModelVariantAndProtocol) {
  const TempFolder dir("catalog");
  const ToolRun r = Mkctl("catalog --file " + SettingsFile(dir, 2, 1) + " --json");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"device_version\": 2,\n  \"variant\": 1,"), std::string::npos);
  EXPECT_NE(r.out.find("\"project\": \"Гибрид Такси\""), std::string::npos);
}

TEST(MkctlCatalogTest, BadInputIsRefusedWithoutAListing) {
  const ToolRun missing = Mkctl("catalog --device-version 1");
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "");

  const ToolRun word = Mkctl("catalog --device-version abc --variant 0");
  EXPECT_EQ(word.status, 2) << "a malformed value is a usage error";
  EXPECT_EQ(word.out, "");
  EXPECT_EQ(word.err.rfind("mkctl catalog: неверное значение --device-version: «abc»\n", 0), 0u)
      << word.err;

  const ToolRun wide = Mkctl("catalog --device-version 1 --variant 256");
  EXPECT_EQ(wide.status, 2);
  EXPECT_EQ(wide.err.rfind("mkctl catalog: неверное значение --variant: «256»\n", 0), 0u)
      << wide.err;

  const TempFolder dir("catalog");
  // A variant travels as a byte: the editor refuses a wider one too.
  const ToolRun file = Mkctl("catalog --file " + SettingsFile(dir, 1, 256));
  EXPECT_EQ(file.status, 1);
  EXPECT_EQ(file.err,
            "Ошибка проверки диапазона: FirmwareVersion = 256, а допустимо от 0 до 255.\n");

  const ToolRun absent = Mkctl("catalog --file " + dir.File("none.vrnkp"));
  EXPECT_EQ(absent.status, 1);
  EXPECT_EQ(absent.out, "");
  EXPECT_FALSE(absent.err.empty());
}

}  // namespace

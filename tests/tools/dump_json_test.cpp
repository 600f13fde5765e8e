// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl dump --json: the same fields as the text dump, each with a type a
// script can act on and a value of that kind.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "device/mk.h"
#include "device/settings_file.h"
#include "sim/factory_image.h"
#include "support/files.h"
#include "support/json_shape.h"
#include "support/tool_run.h"

namespace {

using mk::tests::Mkctl;
using mk::tests::TempFolder;
using mk::tests::ToolRun;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(MkctlDumpJson, EveryFieldOfTheTextDumpWithItsTypeAndValue) {
  const TempFolder dir("dump");
  mk::device::TMK mk;
  mk.ReplaceImage(7, mk::sim::ImageFromMemory(mk::sim::FactoryMemory(8192)));
  mk.Rec(mk::device::BlockId::Service).SetText("UniMeasStr", "a\"b\\");
  mk.Rec(mk::device::BlockId::Limits).SetInt("VelocityLimit", 61);
  mk.StoreAll();
  const std::string file = dir.File("f.vrnkp");
  mk::device::SaveSettingsFile(file, mk);

  const ToolRun text = Mkctl("dump " + file);
  const ToolRun json = Mkctl("dump --json " + file);
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(json.err, "");
  EXPECT_TRUE(mk::tests::LooksLikeOneJsonObject(json.out));
  EXPECT_EQ(json.out.rfind("{\n  \"device_version\": 7,\n  \"firmware_version\": 3,\n", 0), 0u);

  // One entry a field, in the text dump's order and with its path.
  const auto text_lines = Lines(text.out);
  std::vector<std::string> entries;
  for (const std::string& line : Lines(json.out)) {
    if (line.rfind("    {\"path\": ", 0) == 0) entries.push_back(line);
  }
  ASSERT_EQ(entries.size(), text_lines.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string path = text_lines[i].substr(0, text_lines[i].find('='));
    ASSERT_EQ(entries[i].find("{\"path\": \"" + path + "\", \"type\": \""), 4u) << entries[i];
  }
  const auto has = [&](const std::string& entry) {
    return json.out.find(entry) != std::string::npos;
  };
  EXPECT_TRUE(has("{\"path\": \"Limits.VelocityLimit\", \"type\": \"u8\", \"value\": 61}"))
      << "numbers are JSON numbers";
  EXPECT_TRUE(
      has("{\"path\": \"Service.UniMeasStr\", \"type\": \"text\", \"value\": "
          "\"a\\\"b\\\\\"}"))
      << "texts are strings, escaped";
  EXPECT_TRUE(has("\"type\": \"bytes\", \"value\": \"0000"));
  EXPECT_TRUE(has("\"type\": \"s8\", \"value\": -1}")) << "signed values keep their sign";
}

TEST(MkctlDumpJson, TheFlagBelongsToDumpAndInfoStaysText) {
  EXPECT_EQ(Mkctl("info --json x.vrnkp").status, 2);
  EXPECT_EQ(Mkctl("dump --json").status, 2);
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl preview from the command line: a PNG of every screen kind, and clear
// messages for arguments it cannot use.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/mk.h"
#include "device/settings_file.h"
#include "sim/factory_image.h"
#include "support/files.h"
#include "support/tool_run.h"

namespace {

using mk::tests::Mkctl;
using mk::tests::TempFolder;
using mk::tests::ToolRun;

std::string FactoryFile(const TempFolder& dir) {
  mk::device::TMK mk;
  mk.ReplaceImage(1, mk::sim::ImageFromMemory(mk::sim::FactoryMemory(8192)));
  const std::string path = dir.File("factory.vrnkp");
  mk::device::SaveSettingsFile(path, mk);
  return path;
}

TEST(MkctlPreviewTest, WritesAPngOfEachScreenKind) {
  const TempFolder dir("preview");
  const std::string file = FactoryFile(dir);
  for (const char* screen : {"x4:6", "x9:1", "x7:4", "x3:3", "x6:1", "graph:8", "arrow:1"}) {
    const std::string out = dir.File(std::string(screen).replace(2, 1, "_") + ".png");
    const ToolRun r = Mkctl("preview " + file + " --screen " + screen + " --out " + out);
    EXPECT_EQ(r.status, 0) << screen << ": " << r.err;
    const std::vector<std::uint8_t> png = mk::tests::ReadBytes(out);
    ASSERT_GT(png.size(), 320U * 240U * 3U) << screen;
    EXPECT_EQ(png[1], 'P');
    EXPECT_EQ(png[16 + 3], 320 & 0xFF);  // IHDR width, big-endian
    EXPECT_EQ(png[20 + 3], 240);
  }
}

TEST(MkctlPreviewTest, BadArgumentsSayWhatIsWrongAndWriteNothing) {
  const TempFolder dir("preview");
  const std::string file = FactoryFile(dir);
  const std::string out = dir.File("out.png");
  struct Case {
    std::string args;
    std::string message;
    int status = 2;  // a bad command line
  };
  const Case cases[] = {
      {"", "укажите один файл настроек"},
      {file + " --out " + out, "укажите экран"},
      {file + " --screen x4:1", "укажите файл рисунка"},
      {file + " --screen x5:1 --out " + out, "Неизвестный вид экрана «x5»"},
      {file + " --screen x4 --out " + out, "ВИД:НОМЕР"},
      {file + " --screen x4:7 --out " + out, "от 1 до 6"},
      {file + " --screen x6:0 --out " + out, "от 1 до 1"},
      {file + " --screen graph:one --out " + out, "Нет экрана graph:one"},
      {file + " --screen x4: --out " + out, "Не указан номер экрана x4: экраны x4 нумеруются"},
      {dir.File("none.vrnkp") + " --screen x4:1 --out " + out, "none.vrnkp", 1},
      {file + " --screen x4:1 --out " + dir.File("no/out.png"),
       "рисунок «" + dir.File("no/out.png") + "»", 1},
  };
  for (const Case& c : cases) {
    const ToolRun r = Mkctl("preview " + c.args);
    EXPECT_EQ(r.status, c.status) << c.args;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace

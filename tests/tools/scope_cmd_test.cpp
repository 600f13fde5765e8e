// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl scope from the command line: the same picture and text as the viewer's
// core functions, the offset and time scale given, and clear refusals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/mk.h"
#include "device/settings_file.h"
#include "scope/osc_svg.h"
#include "scope/osc_text.h"
#include "sim/factory_image.h"
#include "support/files.h"
#include "support/tool_run.h"
#include "text/cp1251.h"

namespace {

using mk::tests::Mkctl;
using mk::tests::ReadText;
using mk::tests::TempFolder;
using mk::tests::ToolRun;

std::vector<std::uint8_t> FactoryImage() {
  return mk::sim::ImageFromMemory(mk::sim::FactoryMemory(8192));
}

std::string SettingsFile(const TempFolder& dir, const std::vector<std::uint8_t>& image,
                         std::uint16_t device_version = 1) {
  mk::device::TMK mk;
  mk.ReplaceImage(device_version, image);
  const std::string path = dir.File("scope.vrnkp");
  mk::device::SaveSettingsFile(path, mk);
  return path;
}

// The factory recording with the time scale the viewer would have after a click.
mk::device::TMK FactoryRecording(int time_index) {
  mk::device::TMK mk;
  mk.ReplaceImage(1, FactoryImage());
  mk.LoadOscilloscope();
  if (time_index >= 0) mk::scope::SetTimeIndex(mk, time_index);
  return mk;
}

TEST(MkctlScopeTest, TheSvgIsTheViewersPictureAtTheGivenOffsetAndScale) {
  const TempFolder dir("scope");
  const std::string file = SettingsFile(dir, FactoryImage());
  const ToolRun plain = Mkctl("scope " + file + " --svg " + dir.File("plain.svg"));
  ASSERT_EQ(plain.status, 0) << plain.err;
  mk::scope::OscView view;
  view.base_time_index = 3;  // the factory's 5 ms a division
  const mk::device::TMK opening = FactoryRecording(-1);
  EXPECT_EQ(ReadText(dir.File("plain.svg")), mk::scope::PictureToSvg(mk::scope::DrawOscilloscope(
                                                 mk::scope::OscRecording::Of(opening), view)));

  const ToolRun moved =
      Mkctl("scope " + file + " --svg " + dir.File("moved.svg") + " --offset -32 --time-index 7");
  ASSERT_EQ(moved.status, 0) << moved.err;
  view.offset = -32;
  const mk::device::TMK clicked = FactoryRecording(7);
  const std::string expected = mk::scope::PictureToSvg(
      mk::scope::DrawOscilloscope(mk::scope::OscRecording::Of(clicked), view));
  EXPECT_EQ(ReadText(dir.File("moved.svg")), expected);
  EXPECT_NE(expected.find("100мс/д"), std::string::npos);
}

TEST(MkctlScopeTest, TheTextIsTheViewersSaveInWindows1251) {
  const TempFolder dir("scope");
  const std::string file = SettingsFile(dir, FactoryImage());
  const ToolRun r = Mkctl("scope " + file + " --txt " + dir.File("trace.txt"));
  ASSERT_EQ(r.status, 0) << r.err;
  mk::scope::OscView view;
  view.base_time_index = 3;
  const mk::device::TMK mk = FactoryRecording(-1);
  EXPECT_EQ(ReadText(dir.File("trace.txt")),
            mk::text::Utf8ToCp1251(mk::scope::TraceText(mk::scope::OscRecording::Of(mk), view)));
}

TEST(MkctlScopeTest, RefusalsSayWhyAndWriteNothing) {
  const TempFolder dir("scope");
  const std::string file = SettingsFile(dir, FactoryImage());
  const std::string out = dir.File("out.svg");
  struct Case {
    std::string args;
    int status;
    std::string message;
  };
  std::vector<std::uint8_t> bad_range = FactoryImage();
  bad_range[mk::device::kOscPart1Position + 6] = 3;
  std::vector<std::uint8_t> hybrid = FactoryImage();
  hybrid[mk::device::BlockDirectory::kFirmwareVersionOffset] = 2;
  const TempFolder other("scope-bad");
  const std::string bad_file = SettingsFile(other, bad_range);
  const TempFolder third("scope-hybrid");
  const std::string hybrid_file = SettingsFile(third, hybrid, 2);
  const Case cases[] = {
      {"--svg " + out, 2, "укажите один файл настроек"},
      {file, 2, "--svg"},
      {file + " --svg " + out + " --offset 993", 2, "-32…992"},
      {file + " --svg " + out + " --offset x", 2, "--offset"},
      {file + " --svg " + out + " --time-index 10", 2, "0…9"},
      {file + " --svg " + out + " --txt " + out, 2, "один и тот же файл"},
      {file + " --svg " + out + " --txt " + dir.File("./out.svg"), 2, "один и тот же файл"},
      {bad_file + " --svg " + out, 1, "диапазон напряжения 3 вне 0…2"},
      {hybrid_file + " --svg " + out, 1, "оцилллограф не поддерживается"},
      {dir.File("none.vrnkp") + " --svg " + out, 1, "none.vrnkp"},
  };
  for (const Case& c : cases) {
    const ToolRun r = Mkctl("scope " + c.args);
    EXPECT_EQ(r.status, c.status) << c.args << ": " << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
    EXPECT_FALSE(std::filesystem::exists(out)) << c.args;
  }
}

}  // namespace

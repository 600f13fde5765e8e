// mkctl settings from the command line: the values the editor shows, changes by
// its write-back rules, and refusals that write nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "device/mk.h"
#include "device/settings_file.h"
#include "sim/factory_image.h"
#include "support/files.h"
#include "support/tool_run.h"

namespace {

using mk::device::BlockId;
using mk::tests::Mkctl;
using mk::tests::TempFolder;
using mk::tests::ToolRun;

// The virtual MK's factory image for (device version, firmware variant).
std::string SettingsFile(const TempFolder& dir, std::uint16_t version = 1,
                         std::uint8_t firmware = 0) {
  auto image = mk::sim::ImageFromMemory(mk::sim::FactoryMemory(32768));
  image[60] = firmware;
  mk::device::TMK mk;
  mk.ReplaceImage(version, image);
  const std::string path = dir.File("mk.vrnkp");
  mk::device::SaveSettingsFile(path, mk);
  return path;
}

mk::device::TMK Load(const std::string& path) {
  mk::device::TMK mk;
  mk::device::LoadSettingsFile(path, mk);
  return mk;
}

TEST(MkctlSettingsTest, PrintsEveryControlByPageWithTheEditorsValues) {
  const TempFolder dir("settings");
  const ToolRun r = Mkctl("settings " + SettingsFile(dir));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("# Поправки\nseVelocityCorr=0.0\n", 0), 0u) << r.out.substr(0, 200);
  EXPECT_NE(r.out.find("\nseVelocityLimit=80\n"), std::string::npos);
  EXPECT_NE(r.out.find("\ncbResetPeriod1=Запр.\n"), std::string::npos);
  EXPECT_NE(r.out.find("\ncbTankMode=Калибров.2\n"), std::string::npos);
  EXPECT_NE(r.out.find("\neForsTOCntK=ТО форсунки\n"), std::string::npos);
  EXPECT_NE(r.out.find("\ncbTO=да\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nrg24VMode=12В # скрыта\n"), std::string::npos);
  EXPECT_LT(r.out.find("# Границы"), r.out.find("# Озвуч.сообщения"));
}

TEST(MkctlSettingsTest, SetAppliesTheEditorsConversionsAndKeepsEverythingElse) {
  const TempFolder dir("settings");
  const std::string in = SettingsFile(dir), out = dir.File("new.vrnkp");
  const ToolRun r = Mkctl("settings " + in +
                          " --set seVelocityLimit=120 --set seVelocityCorr=1,5"
                          " --set cbResetPeriod1=Запр. --set=meIntenseDayTime=07:30"
                          " --set deTO=01.01.20 --set 'eCandleCntK=Свечи NGK'"
                          " --out " +
                          out);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("сохранены в файл"), std::string::npos) << "success is said on stdout";
  const auto before = Load(in), after = Load(out);
  EXPECT_EQ(after.Rec(BlockId::Limits).GetInt("VelocityLimit"), 60);
  EXPECT_FLOAT_EQ(static_cast<float>(after.Rec(BlockId::Limits).GetFloat("VelocityCorr")), 1.015f);
  EXPECT_EQ(after.Rec(BlockId::Totals).GetInt("ResetPeriod1"), -1);
  EXPECT_EQ(after.Rec(BlockId::Display).GetInt("IntenseDayTime"), 450);
  EXPECT_EQ(after.Rec(BlockId::Service).GetText("CandleCntKText"), "Свечи NGK");
  EXPECT_EQ(after.Rec(BlockId::Parking).Bytes(), before.Rec(BlockId::Parking).Bytes());
  const ToolRun shown = Mkctl("settings " + out);
  EXPECT_NE(shown.out.find("\nseVelocityLimit=120\n"), std::string::npos);
  EXPECT_NE(shown.out.find("\ndeTO=01.01.20\n"), std::string::npos);
}

TEST(MkctlSettingsTest, RefusalsSayWhyExitWithOneAndWriteNothing) {
  const TempFolder dir("settings");
  const std::string in = SettingsFile(dir), out = dir.File("new.vrnkp");
  struct Case {
    const char* set;
    const char* message;
  };
  const Case cases[] = {
      {"seNoSuchThing=1", "Нет настройки «seNoSuchThing»."},
      {"rg24VMode=24В", "скрыта для этого МК"},
      {"seVelocityLimit=210", "должно быть от 40 до 200"},
      {"seTankLimit=много", "«много» не значение настройки «Остаток бака, л»."},
      {"rgPrognozMeth=Завтра", "не значение настройки «Прогноз пробега»"},
      {"eUniMeasStr=Давление", "не длиннее 6 знаков"},
      {"deOSAGO=31.02.20", "должна лежать между"},
  };
  for (const Case& c : cases) {
    const ToolRun r =
        Mkctl("settings " + in + " --set seTimeCorr=5 --set '" + c.set + "' --out " + out);
    EXPECT_EQ(r.status, 1) << c.set;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.set << ": " << r.err;
    EXPECT_FALSE(std::filesystem::exists(out)) << c.set;
  }
}

TEST(MkctlSettingsTest, SetAndOutGoTogether) {
  const TempFolder dir("settings");
  const std::string in = SettingsFile(dir);
  EXPECT_EQ(Mkctl("settings " + in + " --set seTimeCorr=5").status, 2);
  EXPECT_EQ(Mkctl("settings " + in + " --out " + dir.File("x.vrnkp")).status, 2);
  EXPECT_EQ(Mkctl("settings " + in + " --set seTimeCorr --out " + dir.File("x.vrnkp")).status, 2);
  EXPECT_EQ(Mkctl("settings").status, 2);
}

}  // namespace

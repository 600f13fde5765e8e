// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl settings from the command line: the values the editor shows, changes by
// its write-back rules, and refusals that write nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
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
      {"deOSAGO=31.02.20", "должна быть от 10.10.11 до 31.12.99"},
      {"deTO=09.10.11", "«Дата след.ТО» должна быть от 10.10.11 до 31.12.99"},
      {"meIntenseDayTime=25:99", "должно быть от 00:00 до 23:59"},
      {"seVelocityLimit\n=5", "Нет настройки «seVelocityLimit\\n»."},
      {"seVelocityLimit=5\n", "«5\\n» не значение настройки «Скорость, км/час»."},
  };
  for (const Case& c : cases) {
    const ToolRun r =
        Mkctl("settings " + in + " --set seTimeCorr=5 --set '" + c.set + "' --out " + out);
    EXPECT_EQ(r.status, 1) << c.set;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.set << ": " << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << "one line: " << r.err;
    EXPECT_FALSE(std::filesystem::exists(out)) << c.set;
  }
}

// Values outside their rule print as stored and marked, in text and in JSON;
// --page narrows to one page.
TEST(MkctlSettingsTest, OutOfRangeValuesPrintAsStoredAndJsonListsEverySetting) {
  const TempFolder dir("settings");
  auto mk = Load(SettingsFile(dir));
  mk.Rec(BlockId::Limits).SetInt("VelocityLimit", 255);
  mk.Rec(BlockId::Display).SetInt("IntenseDayTime", 1599);
  mk.Rec(BlockId::Service).SetInt("TO", 1);
  mk.StoreAll();
  const std::string odd = dir.File("odd.vrnkp");
  mk::device::SaveSettingsFile(odd, mk);

  const ToolRun text = Mkctl("settings " + odd);
  ASSERT_EQ(text.status, 0) << text.err;
  for (const char* line :
       {"\nseVelocityLimit=510 # вне диапазона\n", "\nmeIntenseDayTime=1599 # вне диапазона\n",
        "\ndeTO=1 # вне диапазона\n", "\nrgDispVar4=1\n", "\nseLit6L=6\n", "\nsgHotMenu0="}) {
    EXPECT_NE(text.out.find(line), std::string::npos) << line;
  }
  const ToolRun limits = Mkctl("settings " + odd + " --page Границы");
  EXPECT_EQ(limits.out.rfind("# Границы\n", 0), 0u) << limits.out.substr(0, 100);
  EXPECT_EQ(limits.out.find("# Поправки"), std::string::npos);
  EXPECT_EQ(Mkctl("settings " + odd + " --page Нет").status, 2);

  const ToolRun json = Mkctl("settings " + odd + " --json");
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_NE(
      json.out.find(R"({"name": "seVelocityLimit", "caption": "Скорость, км/час", )"
                    R"("page": "Границы", "group": "Границы", "shown": "510", "stored": "510", )"
                    R"("unit": "км/час", "min": 40, "max": 200, "step": 2, "hidden": false, )"
                    R"("out_of_range": true})"),
      std::string::npos)
      << json.out.substr(0, 400);
  EXPECT_NE(json.out.find(R"("name": "rgap100_F")"), std::string::npos) << "alarm names";
  EXPECT_NE(json.out.find(R"("blocks": [)"), std::string::npos);
}

// A protocol number past a byte is shown as stored; a change is refused naming
// the setting, and nothing is written.
TEST(MkctlSettingsTest, AProtocolPastAByteShowsAsStoredAndRefusesChanges) {
  const TempFolder dir("settings");
  auto mk = Load(SettingsFile(dir));
  mk.Rec(BlockId::ServiceInfo).SetInt("Protocol", 21225);
  mk.StoreAll();
  const std::string odd = dir.File("odd.vrnkp"), out = dir.File("new.vrnkp");
  mk::device::SaveSettingsFile(odd, mk);

  const ToolRun shown = Mkctl("settings " + odd);
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_NE(shown.out.find("\ncbProtocol=21225 # вне диапазона"), std::string::npos) << shown.out;
  EXPECT_EQ(shown.err, "");
  const ToolRun set = Mkctl("settings " + odd + " --set seTimeCorr=5 --out " + out);
  EXPECT_EQ(set.status, 1);
  EXPECT_NE(set.err.find("Значение настройки «Протокол» (cbProtocol) равно 21225, а должно быть "
                         "от 0 до 255.\n"),
            std::string::npos)
      << set.err;
  EXPECT_FALSE(std::filesystem::exists(out));
}

// What the window draws by hand is set by the same rules.
TEST(MkctlSettingsTest, SetReachesScreenPlacesColoursHotMenusAndTheTank) {
  const TempFolder dir("settings");
  const std::string in = SettingsFile(dir), out = dir.File("new.vrnkp");
  const ToolRun r = Mkctl("settings " + in +
                          " --set pbDisp4_1_3=0 --set sgPalette_1_0=31,0,1"
                          " --set 'sgHotMenu1=TripJournMenu, InitTripParamsMenu'"
                          " --set rgDispVar9=2 --set seOilCalibrQuant=3 --set sgTarirRes3=1234"
                          " --set 'eCandleCntK=Свечи\\tNGK' --out " +
                          out);
  ASSERT_EQ(r.status, 0) << r.err;
  const auto after = Load(out);
  const auto& display = after.Rec(BlockId::Display);
  EXPECT_EQ(display.GetInt("Disp4Params", 1 * 4 + 3), 0);
  const auto user = display.Element("ColorSet", 1);
  EXPECT_EQ(user[0] | (user[1] << 8), 31 * 2048 + 1);
  EXPECT_EQ(display.GetInt("DispVar9"), 1);
  EXPECT_EQ(after.Rec(BlockId::FuelSensor).GetInt("OilCalibrQuant"), 3);
  EXPECT_EQ(after.Rec(BlockId::TankCalibration).GetInt("TarirRes", 3), 1234);
  EXPECT_EQ(after.Rec(BlockId::Service).GetText("CandleCntKText"), "Свечи\tNGK");
  const ToolRun shown = Mkctl("settings " + out);
  EXPECT_NE(shown.out.find("\nsgHotMenu1=TripJournMenu, InitTripParamsMenu\n"), std::string::npos);
  EXPECT_NE(shown.out.find("\neCandleCntK=Свечи\\tNGK\n"), std::string::npos)
      << "escaped as dump does";
  for (const char* bad : {"sgPalette_0_0=32,0,0", "sgHotMenu0=NoSuchMenu", "seLit6L=60000"}) {
    EXPECT_EQ(Mkctl("settings " + in + " --set " + bad + " --out " + out + "x").status, 1) << bad;
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

TEST(MkctlSettingsTest, APageExportedAsTextChangesOnlyThatPageOfAnotherFile) {
  const TempFolder dir("settings");
  const std::string b = SettingsFile(dir), a = dir.File("a.vrnkp"), preset = dir.File("p.txt");
  ASSERT_EQ(
      Mkctl("settings " + b + " --set seVelocityLimit=100 --set seTimeCorr=5 --out " + a).status,
      0);
  ToolRun r = Mkctl("settings " + a + " --export --pages Границы --out " + preset);
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string text = mk::tests::ReadText(preset);
  EXPECT_NE(text.find("\nseVelocityLimit = 100\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("seTimeCorr"), std::string::npos) << "another page";

  r = Mkctl("settings " + b + " --import " + preset + " --out " + dir.File("b2.vrnkp"));
  ASSERT_EQ(r.status, 0) << r.err;
  r = Mkctl("diff " + b + " " + dir.File("b2.vrnkp") + " --shown");
  EXPECT_EQ(r.out, "Границы / Скорость, км/час: 80 → 100\nРазличий: 1\n");

  // A bad line: its number and the setting's range, and no file unless --partial.
  std::ofstream(preset, std::ios::app) << "seTankLimit = 999\n";
  const std::string b3 = dir.File("b3.vrnkp");
  r = Mkctl("settings " + b + " --import " + preset + " --out " + b3);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Строка "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("файл не записан"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(b3));
  r = Mkctl("settings " + b + " --import " + preset + " --partial --out " + b3);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Не приняты:\nСтрока "), std::string::npos) << r.out;
  EXPECT_EQ(Load(b3).Image(), Load(dir.File("b2.vrnkp")).Image());
  EXPECT_EQ(Mkctl("settings " + b + " --partial --out " + b3).status, 2);
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl tank on settings files read from the virtual MK: the calibration
// shown, saved to a tank file and loaded into another settings file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/settings_file.h"
#include "device/tank_file.h"
#include "support/files.h"
#include "support/sim_process.h"
#include "support/tool_run.h"

namespace {

using mk::tests::Mkctl;
using mk::tests::ReadBytes;
using mk::tests::TempFolder;
using mk::tests::ToolRun;
using mk::tests::WriteBytes;
namespace device = mk::device;

class MkctlTank : public ::testing::Test {
 protected:
  void SetUp() override {
    mk::tests::SimProcess sim;
    ASSERT_EQ(Mkctl("read --port " + sim.path() + " --out " + factory_).status, 0);
  }
  device::TMK Load(const std::string& file) {
    device::TMK mk;
    device::LoadSettingsFile(file, mk);
    return mk;
  }

  TempFolder dir_{"tank"};
  const std::string factory_ = dir_.File("factory.vrnkp");
};

TEST_F(MkctlTank, SavesThe245BytesOfTheFactoryCalibration) {
  const std::string tank = dir_.File("factory.vrnko");
  const ToolRun r = Mkctl("tank " + factory_ + " --save " + tank);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Настройки бака сохранены в файл «" + tank + "»\n");
  const auto bytes = ReadBytes(tank);
  ASSERT_EQ(bytes.size(), 245u);
  EXPECT_EQ(bytes, device::EncodeTankFile(Load(factory_)));
  EXPECT_EQ(bytes[0] | bytes[1] << 8, 1000);  // Oil6L
  EXPECT_EQ(bytes[39], 15);                   // TarirLeng
  EXPECT_EQ(bytes[41 + 14], 16 + 3 * 14);     // TarirLit[14]
}

TEST_F(MkctlTank, LoadingATankFileChangesOnlyTheTankCalibration) {
  device::TMK edited = Load(factory_);
  edited.Rec(device::BlockId::FuelSensor).SetInt("Lit43L", 55);
  edited.Rec(device::BlockId::TankCalibration).SetInt("TarirLeng", 3);
  edited.Rec(device::BlockId::TankCalibration).SetInt("TarirRes", 700, 2);
  const std::string tank = dir_.File("edited.vrnko"), out = dir_.File("new.vrnkp");
  WriteBytes(tank, device::EncodeTankFile(edited));

  const ToolRun r = Mkctl("tank " + factory_ + " --load " + tank + " --out " + out);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Настройки МК с настройками бака из «" + tank + "» сохранены в файл «" + out + "»\n");
  device::TMK loaded = Load(out);
  EXPECT_EQ(device::EncodeTankFile(loaded), device::EncodeTankFile(edited));
  // Outside the two tank records every byte is the factory's.
  device::TMK expected = Load(factory_);
  device::DecodeTankFile(device::EncodeTankFile(edited), expected);
  const device::BlockId both[] = {device::BlockId::FuelSensor, device::BlockId::TankCalibration};
  expected.StoreBlocks(both);
  EXPECT_EQ(loaded.Image(), expected.Image());

  const ToolRun shown = Mkctl("tank " + out);
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_NE(shown.out.find("FuelSensor.Lit43L=55\n"), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("TankCalibration.TarirRes[2]=700\n"), std::string::npos);
  EXPECT_EQ(shown.out.rfind("FuelSensor.Oil6L=1000\n", 0), 0u);
}

TEST_F(MkctlTank, ATableCountAbove68BecomesZeroAndTyposAreNamed) {
  device::TMK edited = Load(factory_);
  auto bytes = device::EncodeTankFile(edited);
  bytes[39] = 70;
  const std::string tank = dir_.File("70.vrnko"), out = dir_.File("70.vrnkp");
  WriteBytes(tank, bytes);
  ASSERT_EQ(Mkctl("tank " + factory_ + " --load " + tank + " --out " + out).status, 0);
  EXPECT_EQ(Load(out).Rec(device::BlockId::TankCalibration).GetInt("TarirLeng"), 0);

  edited.Rec(device::BlockId::TankCalibration).SetInt("TarirLit", 2, 5);
  edited.StoreTankCalibration();
  device::SaveSettingsFile(dir_.File("typo.vrnkp"), edited);
  const ToolRun shown = Mkctl("tank " + dir_.File("typo.vrnkp"));
  EXPECT_EQ(shown.status, 0);
  EXPECT_EQ(shown.err, "Точка тарировки 6 похожа на опечатку.\n");
}

TEST_F(MkctlTank, FailuresSayWhyAndWriteNothing) {
  const std::string out = dir_.File("never.vrnkp");
  ToolRun r = Mkctl("tank " + factory_ + " --load " + dir_.File("missing.vrnko") + " --out " + out);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Не удалось прочитать файл настроек бака"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(out));

  r = Mkctl("tank " + factory_ + " --save " + dir_.File("no/such/folder.vrnko"));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Не удалось записать файл настроек бака"), std::string::npos) << r.err;

  for (const std::string& bad : std::vector<std::string>{
           "", " --save x.vrnko", " " + factory_ + " --load x.vrnko",
           " " + factory_ + " --out y.vrnkp", " " + factory_ + " --save a --load b --out c"}) {
    r = Mkctl("tank" + bad);
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_FALSE(r.err.empty()) << bad;
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / "c"));
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/tank_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/files.h"
#include "text/byte_io.h"
#include "text/error.h"

namespace mk::device {
namespace {

namespace fs = std::filesystem;

using tests::ReadBytes;
using tests::WriteBytes;

// A calibration where every item holds something of its own, so a field
// read from the wrong offset shows.
void FillCalibration(TMK& mk) {
  Record& fuel = mk.Rec(BlockId::FuelSensor);
  Record& tank = mk.Rec(BlockId::TankCalibration);
  fuel.SetInt("Oil6L", 1234);
  fuel.SetInt("Lit6L", 7);
  fuel.SetInt("Oil43L", -2);
  fuel.SetInt("Lit43L", 45);
  for (std::size_t k = 0; k < 7; ++k) {
    fuel.SetInt("OilCalibrResArr", 300 + static_cast<std::int64_t>(k), k);
    fuel.SetInt("OilCalibrLitArr", 10 * static_cast<std::int64_t>(k) + 1, k);
  }
  fuel.SetInt("OilCalibrQuant", 5);
  tank.SetInt("TarirHeader", 0xA5);
  tank.SetInt("TarirFlagFinish", 0);
  tank.SetInt("TarirLeng", 68);
  tank.SetInt("TarirInverse", 1);
  tank.SetInt("TarirIncline", 2);
  for (std::size_t i = 0; i < 68; ++i) {
    tank.SetInt("TarirLit", static_cast<std::int64_t>(255 - i), i);
    tank.SetInt("TarirRes", 1000 - 29 * static_cast<std::int64_t>(i), i);
  }
}

TEST(TankFileBytes, ThirteenItemsAtTheirOffsetsLittleEndian) {
  TMK mk;
  FillCalibration(mk);
  const auto file = EncodeTankFile(mk);
  ASSERT_EQ(file.size(), kTankFileSize);
  EXPECT_EQ(TankFileItems().size(), 13u);
  EXPECT_EQ(bytes::ReadU16(file, 0), 1234);
  EXPECT_EQ(bytes::ReadU16(file, 2), 7);
  EXPECT_EQ(bytes::ReadU16(file, 4), 0xFFFE);  // -2
  EXPECT_EQ(bytes::ReadU16(file, 6), 45);
  EXPECT_EQ(bytes::ReadU16(file, 8), 300);
  EXPECT_EQ(bytes::ReadU16(file, 8 + 12), 306);
  EXPECT_EQ(bytes::ReadU16(file, 22), 1);
  EXPECT_EQ(bytes::ReadU16(file, 22 + 12), 61);
  EXPECT_EQ(file[36], 5);
  EXPECT_EQ(file[37], 0xA5);
  EXPECT_EQ(file[38], 0);
  EXPECT_EQ(file[39], 68);
  EXPECT_EQ(file[40], 1);
  EXPECT_EQ(file[41], 255);
  EXPECT_EQ(file[41 + 67], 255 - 67);
  EXPECT_EQ(bytes::ReadU16(file, 109), 1000);
  EXPECT_EQ(file[110], 1000 >> 8);                               // the low byte comes first
  EXPECT_EQ(bytes::ReadU16(file, 109 + 2 * 67), 0x10000 - 943);  // 1000 - 29 * 67, negative
}

TEST(TankFileBytes, DecodingRestoresEveryItemAndLeavesTheSlopeAndTheRest) {
  TMK from;
  FillCalibration(from);
  const auto file = EncodeTankFile(from);

  TMK to;
  to.Rec(BlockId::TankCalibration).SetInt("TarirIncline", 1);
  to.Rec(BlockId::FuelSensor).SetInt("TankContFull", 77);
  DecodeTankFile(file, to);
  EXPECT_EQ(EncodeTankFile(to), file);
  EXPECT_EQ(to.Rec(BlockId::TankCalibration).GetInt("TarirIncline"), 1);
  EXPECT_EQ(to.Rec(BlockId::FuelSensor).GetInt("TankContFull"), 77);
}

TEST(TankFileBytes, AShortFileFillsWholeElementsAsFarAsItGoes) {
  TMK from;
  FillCalibration(from);
  auto file = EncodeTankFile(from);

  // Ends inside OilCalibrResArr[1]: Oil6L … Lit43L and element 0 are read.
  TMK to;
  const TMK fresh;
  DecodeTankFile(std::span(file).first(11), to);
  const Record& fuel = to.Rec(BlockId::FuelSensor);
  EXPECT_EQ(fuel.GetInt("Oil6L"), 1234);
  EXPECT_EQ(fuel.GetInt("Lit43L"), 45);
  EXPECT_EQ(fuel.GetInt("OilCalibrResArr", 0), 300);
  EXPECT_EQ(fuel.GetInt("OilCalibrResArr", 1), 0);  // half an element stays as it was
  EXPECT_EQ(fuel.GetInt("OilCalibrQuant"), 7);
  EXPECT_EQ(to.Rec(BlockId::TankCalibration).Bytes(), fresh.Rec(BlockId::TankCalibration).Bytes());

  // Ends after the first ten table litres.
  TMK partial;
  DecodeTankFile(std::span(file).first(51), partial);
  const Record& tank = partial.Rec(BlockId::TankCalibration);
  EXPECT_EQ(tank.GetInt("TarirLeng"), 68);
  EXPECT_EQ(tank.GetInt("TarirLit", 9), 246);
  EXPECT_EQ(tank.GetInt("TarirLit", 10), 16 + 3 * 10);  // the default
  EXPECT_EQ(tank.GetInt("TarirRes", 0), 0);
}

TEST(TankFileBytes, AnEmptyFileChangesNothingAndBytesPast245AreIgnored) {
  TMK mk;
  FillCalibration(mk);
  const auto before = EncodeTankFile(mk);
  DecodeTankFile({}, mk);
  EXPECT_EQ(EncodeTankFile(mk), before);

  TMK other;
  auto longer = before;
  longer.resize(4000, 0x11);
  DecodeTankFile(longer, other);
  EXPECT_EQ(EncodeTankFile(other), before);
}

// Loading takes what the file holds, as before, but says what it found.
TEST(TankFileNotes, SayTheLengthWhatStayedAndWhatLiesOutOfRange) {
  const auto clean = EncodeTankFile(TMK());
  auto quant = clean;
  quant[36] = 167;
  auto longer = clean;
  longer.resize(490, 0);
  const std::string kept = "Остались прежними: ";
  const std::pair<std::vector<std::uint8_t>, std::string> cases[] = {
      {clean, ""},
      {quant, "Вне допустимых пределов: OilCalibrQuant = 167 (допустимо 0 … 7).\n"},
      {std::vector<std::uint8_t>(clean.begin(), clean.begin() + 37),
       "Длина файла настроек бака не 245 байт, а 37. " + kept +
           "TarirHeader, TarirFlagFinish, TarirLeng, TarirInverse, TarirLit, TarirRes.\n"},
      {std::vector<std::uint8_t>(clean.begin(), clean.end() - 1),
       "Длина файла настроек бака не 245 байт, а 244. " + kept + "TarirRes[67]….\n"},
      {longer, "Длина файла настроек бака не 245 байт, а 490. Байты после 245-го не прочитаны.\n"},
      {{},
       "Длина файла настроек бака не 245 байт, а 0. " + kept +
           "Oil6L, Lit6L, Oil43L, "
           "Lit43L, OilCalibrResArr, OilCalibrLitArr, OilCalibrQuant, TarirHeader, "
           "TarirFlagFinish, TarirLeng, TarirInverse, TarirLit, TarirRes.\n"},
  };
  for (const auto& [file, text] : cases) {
    TMK mk;
    EXPECT_EQ(DecodeTankFile(file, mk).Text(), text) << file.size();
  }
}

class TankFileOnDisk : public ::testing::Test {
 protected:
  tests::TempFolder folder_{"mk-tank"};
  const fs::path dir_ = folder_.path();
};

TEST_F(TankFileOnDisk, SaveThenLoadIntoAnotherModelGivesTheSameCalibration) {
  TMK from;
  FillCalibration(from);
  const auto image_before = from.Image();
  SaveTankFile(dir_ / "a.vrnko", from);
  EXPECT_EQ(ReadBytes(dir_ / "a.vrnko"), EncodeTankFile(from));
  EXPECT_EQ(from.Image(), image_before);  // saving changes nothing
  EXPECT_FALSE(fs::exists(dir_ / "a.vrnko.part"));

  TMK to;
  LoadTankFile(dir_ / "a.vrnko", to);
  EXPECT_EQ(EncodeTankFile(to), EncodeTankFile(from));
}

TEST_F(TankFileOnDisk, AFileOfAnyLengthLoadsWhatItHas) {
  TMK from;
  FillCalibration(from);
  auto bytes = EncodeTankFile(from);
  bytes.resize(100000, 0x7F);
  WriteBytes(dir_ / "long.vrnko", bytes);
  TMK to;
  LoadTankFile(dir_ / "long.vrnko", to);
  EXPECT_EQ(EncodeTankFile(to), EncodeTankFile(from));

  bytes.resize((1 << 20) + 1);
  WriteBytes(dir_ / "huge.vrnko", bytes);
  TMK untouched;
  try {
    LoadTankFile(dir_ / "huge.vrnko", untouched);
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("слишком велик для файла настроек бака"),
              std::string::npos);
  }
  EXPECT_EQ(EncodeTankFile(untouched), EncodeTankFile(TMK()));

  WriteBytes(dir_ / "empty.vrnko", {});
  LoadTankFile(dir_ / "empty.vrnko", to);
  EXPECT_EQ(EncodeTankFile(to), EncodeTankFile(from));
}

TEST_F(TankFileOnDisk, UnreadableFilesAndFailedSavesSayWhichFileAndChangeNothing) {
  TMK mk;
  const auto before = EncodeTankFile(mk);
  for (const fs::path& path : {dir_ / "missing.vrnko", dir_}) {
    try {
      LoadTankFile(path, mk);
      ADD_FAILURE() << path;
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find("Не удалось прочитать файл настроек бака"),
                std::string::npos);
      EXPECT_NE(std::string(e.what()).find(path.filename().string()), std::string::npos);
    }
  }
  EXPECT_EQ(EncodeTankFile(mk), before);

  fs::create_directory(dir_ / "sub");
  EXPECT_THROW(SaveTankFile(dir_ / "sub" / "no" / "x.vrnko", mk), Error);
  EXPECT_THROW(SaveTankFile(dir_ / "sub", mk), Error);
  EXPECT_TRUE(fs::is_directory(dir_ / "sub"));
}

}  // namespace
}  // namespace mk::device

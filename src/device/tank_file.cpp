#include "device/tank_file.h"

#include <algorithm>
#include <string>

#include "device/atomic_file.h"
#include "device/file_reader.h"
#include "text/error.h"

namespace mk::device {

namespace {

constexpr TankFileItem kItems[] = {
    {BlockId::FuelSensor, "Oil6L"},
    {BlockId::FuelSensor, "Lit6L"},
    {BlockId::FuelSensor, "Oil43L"},
    {BlockId::FuelSensor, "Lit43L"},
    {BlockId::FuelSensor, "OilCalibrResArr"},
    {BlockId::FuelSensor, "OilCalibrLitArr"},
    {BlockId::FuelSensor, "OilCalibrQuant"},
    {BlockId::TankCalibration, "TarirHeader"},
    {BlockId::TankCalibration, "TarirFlagFinish"},
    {BlockId::TankCalibration, "TarirLeng"},
    {BlockId::TankCalibration, "TarirInverse"},
    {BlockId::TankCalibration, "TarirLit"},
    {BlockId::TankCalibration, "TarirRes"},
};

// Bytes past the layout are ignored, so a longer file still loads; one far
// longer than any tank file is refused rather than read in whole.
constexpr std::size_t kTankFileReadLimit = 1 << 20;

}  // namespace

std::span<const TankFileItem> TankFileItems() {
  return kItems;
}

std::vector<std::uint8_t> EncodeTankFile(const TMK& mk) {
  std::vector<std::uint8_t> file;
  file.reserve(kTankFileSize);
  for (const TankFileItem& item : kItems) {
    const Record& rec = mk.Rec(item.block);
    const FieldDef& f = rec.Field(item.field);
    for (std::size_t i = 0; i < f.count; ++i) {
      const auto bytes = rec.Element(f, i);
      file.insert(file.end(), bytes.begin(), bytes.end());
    }
  }
  return file;
}

void DecodeTankFile(std::span<const std::uint8_t> file, TMK& mk) {
  file = file.first(std::min(file.size(), kTankFileSize));
  std::size_t at = 0;
  for (const TankFileItem& item : kItems) {
    Record& rec = mk.Rec(item.block);
    const FieldDef& f = rec.Field(item.field);
    for (std::size_t i = 0; i < f.count; ++i) {
      // Half an element would mix the file's low byte with the old high byte.
      if (file.size() - at < f.elem_size) return;
      const auto element = rec.Element(f, i);
      std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(at), f.elem_size, element.begin());
      at += f.elem_size;
    }
  }
}

void SaveTankFile(const std::filesystem::path& path, const TMK& mk) {
  WriteFileAtomically(path, EncodeTankFile(mk),
                      "Не удалось записать файл настроек бака «" + PathText(path) + "».");
}

void LoadTankFile(const std::filesystem::path& path, TMK& mk) {
  const std::string name = "«" + PathText(path) + "»";
  DecodeTankFile(
      ReadFileAtMost(path, kTankFileReadLimit,
                     {.unreadable = "Не удалось прочитать файл настроек бака " + name + ".",
                      .too_large = "Файл " + name +
                                   " слишком велик для файла настроек бака: в нём больше 1 МБ."}),
      mk);
}

}  // namespace mk::device

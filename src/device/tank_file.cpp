#include "device/tank_file.h"

#include <algorithm>
#include <fstream>
#include <string>

#include "device/atomic_file.h"
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

std::string ReadFailure(const std::filesystem::path& path) {
  return "Не удалось прочитать файл настроек бака «" + PathText(path) + "».";
}

// The file's first bytes, no more than the layout holds: whatever follows is
// ignored anyway, and a huge file costs nothing.
std::vector<std::uint8_t> ReadTankBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error(ReadFailure(path));
  std::vector<std::uint8_t> bytes(kTankFileSize);
  // A folder opens like a file and fails on the first read (bad, or the
  // library's own exception): report it in the program's words.
  try {
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  } catch (const std::ios_base::failure&) {
    throw Error(ReadFailure(path));
  }
  if (in.bad()) throw Error(ReadFailure(path));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

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
  DecodeTankFile(ReadTankBytes(path), mk);
}

}  // namespace mk::device

// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/tank_file.h"

#include <algorithm>
#include <string>

#include "device/atomic_file.h"
#include "device/file_reader.h"
#include "text/error.h"
#include "text/utf8_path.h"

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

namespace {

// The editor's range of an item's values; litres go up to the full tank.
struct ItemRange {
  std::string_view field;
  std::int64_t min, max;  // max < 0: up to TankContFull
};
constexpr ItemRange kRanges[] = {
    {"Oil6L", 0, 2000},           {"Lit6L", 0, -1},
    {"Oil43L", 0, 2000},          {"Lit43L", 0, -1},
    {"OilCalibrResArr", 0, 2000}, {"OilCalibrLitArr", 0, -1},
    {"OilCalibrQuant", 0, 7},     {"TarirFlagFinish", 0, 1},
    {"TarirLeng", 0, 68},         {"TarirInverse", 0, 1},
};

std::string ElementName(const FieldDef& f, std::size_t i) {
  return std::string(f.name) + (f.IsArray() ? "[" + std::to_string(i) + "]" : "");
}

void CheckRange(const Record& rec, const FieldDef& f, std::size_t i, std::int64_t full_tank,
                std::vector<std::string>& out) {
  for (const ItemRange& r : kRanges) {
    if (r.field != f.name) continue;
    const std::int64_t max = r.max < 0 ? full_tank : r.max;
    const std::int64_t value = rec.GetInt(f, i);
    if (value < r.min || value > max) {
      out.push_back(ElementName(f, i) + " = " + std::to_string(value) + " (допустимо " +
                    std::to_string(r.min) + " … " + std::to_string(max) + ")");
    }
  }
}

}  // namespace

TankFileNotes DecodeTankFile(std::span<const std::uint8_t> file, TMK& mk) {
  TankFileNotes notes;
  notes.length = file.size();
  file = file.first(std::min(file.size(), kTankFileSize));
  const std::int64_t full_tank = mk.Rec(BlockId::FuelSensor).GetInt("TankContFull");
  std::size_t at = 0;
  bool ended = false;
  for (const TankFileItem& item : kItems) {
    Record& rec = mk.Rec(item.block);
    const FieldDef& f = rec.Field(item.field);
    for (std::size_t i = 0; i < f.count; ++i) {
      // Half an element would mix the file's low byte with the old high byte.
      ended = ended || file.size() - at < f.elem_size;
      if (ended) {
        notes.unchanged.push_back(i == 0 ? std::string(f.name) : ElementName(f, i) + "…");
        break;
      }
      const auto element = rec.Element(f, i);
      std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(at), f.elem_size, element.begin());
      at += f.elem_size;
      CheckRange(rec, f, i, full_tank, notes.out_of_range);
    }
  }
  return notes;
}

std::string TankFileNotes::Text() const {
  const auto list = [](const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
    return text;
  };
  std::string text;
  if (length != kTankFileSize) {
    text += "Длина файла настроек бака не " + std::to_string(kTankFileSize) + " байт, а " +
            std::to_string(length) + ".";
    text += unchanged.empty()
                ? " Байты после " + std::to_string(kTankFileSize) + "-го не прочитаны.\n"
                : " Остались прежними: " + list(unchanged) + ".\n";
  }
  if (!out_of_range.empty()) {
    text += "Вне допустимых пределов: " + list(out_of_range) + ".\n";
  }
  return text;
}

void SaveTankFile(const std::filesystem::path& path, const TMK& mk) {
  WriteFileAtomically(path, EncodeTankFile(mk),
                      "Не удалось записать файл настроек бака «" + text::PathText(path) + "».");
}

TankFileNotes LoadTankFile(const std::filesystem::path& path, TMK& mk) {
  const std::string name = "«" + text::PathText(path) + "»";
  return DecodeTankFile(
      ReadFileAtMost(path, kTankFileReadLimit,
                     {.unreadable = "Не удалось прочитать файл настроек бака " + name + ".",
                      .too_large = "Файл " + name +
                                   " слишком велик для файла настроек бака: в нём больше 1 МБ."}),
      mk);
}

}  // namespace mk::device

// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a tank settings file: decode them into a fresh model,
// then run what the tank page does with a calibration (fill, chart, write the
// grid back). Nothing may crash; what the file holds must come back when it is
// encoded again, and no record but the two tank records may change.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "device/mk.h"
#include "device/tank_file.h"
#include "settings/tank_calibration.h"
#include "text/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace mk::device;
  const std::span<const std::uint8_t> file(data, size);
  TMK mk;
  const RecordCopy before = mk.CopyRecords(kRecordBlocks);
  DecodeTankFile(file, mk);

  const auto encoded = EncodeTankFile(mk);
  if (encoded.size() != kTankFileSize) std::abort();
  // Whole elements only: at most one element's bytes at the end are not taken.
  std::size_t same = 0;
  while (same < std::min(size, kTankFileSize) && encoded[same] == data[same]) ++same;
  if (same + 2 < std::min(size, kTankFileSize)) std::abort();
  for (const auto& [block, bytes] : before.records) {
    if (block == BlockId::FuelSensor || block == BlockId::TankCalibration) continue;
    if (mk.Rec(block).Bytes() != bytes) std::abort();
  }

  const std::size_t count = mk::settings::TarirPointCount(mk);
  if (count > mk::settings::kTarirPointsMax) std::abort();
  const auto chart = mk::settings::TankChartOf(mk);
  if (chart.table.size() != count || chart.table_typos.size() != count) std::abort();
  std::vector<mk::settings::TarirRow> rows;
  for (std::size_t i = 0; i < count; ++i) {
    rows.push_back({std::to_string(chart.table[i].litres), std::to_string(chart.table[i].units)});
  }
  try {
    mk::settings::StoreTarirRows(mk, rows);
  } catch (const mk::RangeError&) {
    // -32768 from the file reads back as its digits, 32768: out of range
  }
  return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as Journals, Totals and ErrorJournal records, whole or cut
// short, through every decoding the journals window and mkctl use. Nothing
// may crash or throw, and every grid keeps its shape.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "device/mk.h"
#include "journal/error_journal.h"
#include "journal/text_grid.h"
#include "journal/totals.h"
#include "journal/trip_journal.h"
#include "text/byte_io.h"

namespace {

using namespace mk::journal;

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckGrid(const TextGrid& grid, std::size_t rows, std::size_t cols) {
  Check(grid.size() == rows);
  for (const auto& row : grid) Check(row.size() == cols);
}

// `bytes` as a record of `size` bytes: the input repeated, so that every
// counter, date and code takes values the input chose.
std::vector<std::uint8_t> Record(std::span<const std::uint8_t> bytes, std::size_t size) {
  std::vector<std::uint8_t> record(size, 0);
  for (std::size_t i = 0; i < size && !bytes.empty(); ++i) record[i] = bytes[i % bytes.size()];
  return record;
}

void DecodeAll(std::span<const std::uint8_t> journals, std::span<const std::uint8_t> totals,
               std::span<const std::uint8_t> errors, const ErrorCodeStyle& style) {
  for (const char* separator : {",", "."}) {
    for (const JournalKind kind : {JournalKind::Trip, JournalKind::Tank}) {
      CheckGrid(JournalGrid(journals, kind, separator), 22, 9);
    }
    for (const TotalsGroup& group : kTotalsGroups) {
      Check(TotalsLines(totals, group, separator).size() <= 6);
    }
    CheckGrid(ErrorGrid(errors, style), 8, 4);
    for (std::size_t slot = 0; slot <= mk::device::kErrorRecords; ++slot) {
      Check(FreezeFrameLines(errors, slot, separator).size() <= 43);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  ErrorCodeStyle style;
  if (size >= 6) {
    style.format = static_cast<std::int32_t>(mk::bytes::ReadU32(input, 0));
    style.options = {data[4], data[5]};
  }
  // Cut short, as the bytes come.
  DecodeAll(input, input, input, style);
  // Whole records, as the model holds them.
  const auto journals = Record(input, 860);
  const auto totals = Record(input, 164);
  const auto errors = Record(input, 664);
  DecodeAll(journals, totals, errors, style);
  Check(!ExportBytes(JournalGrid(journals, JournalKind::Trip, ",")).empty());
  for (std::int32_t format = 0; format <= 10; ++format) {
    const std::uint32_t code = mk::bytes::ReadU32(errors, 16 + 4);
    // A code that shows has a description exactly when it shows as text.
    Check(DescribeErrorCode(code, {format, style.options, "x"}).empty() ==
          RenderErrorCode(code, format, style.options).empty());
  }
  std::vector<std::uint8_t> cleared = totals;
  for (const TotalsGroup& group : kTotalsGroups) ClearTotalsGroup(cleared, group);

  // The style of whatever protocol the bytes select.
  // Built once: a new model builds every catalogue, far slower than the decoding.
  static mk::device::TMK mk;
  auto& info = mk.Rec(mk::device::BlockId::ServiceInfo).Bytes();
  std::copy_n(Record(input, info.size()).begin(), info.size(), info.begin());
  (void)CurrentErrorCodeStyle(mk);
  return 0;
}

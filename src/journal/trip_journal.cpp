// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/trip_journal.h"

#include "device/block_tables.h"
#include "journal/number_format.h"
#include "text/byte_io.h"

namespace mk::journal {
namespace {

using bytes::FitsIn;
using bytes::ReadU16;
using bytes::ReadU32;

constexpr std::array<const char*, 9> kHeaders = {
    "#",
    "Дата и время записи",
    "Время в пути",
    "Пробег, км",
    "Расход топлива, л",
    "Ср. скорость, км/час",
    "Ср. расход на 100 км",
    "Ср. расход в час",
    "Стоимость",
};

std::int16_t ReadS16(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::int16_t>(ReadU16(bytes, offset));
}

}  // namespace

const device::FieldDef& JournalField(JournalKind kind) {
  return *device::BlockDefOf(device::BlockId::Journals)
              .Find(kind == JournalKind::Trip ? "TripJournal" : "TankJournal");
}

TripRecord TripRecord::Read(std::span<const std::uint8_t> bytes) {
  TripRecord r;
  r.minutes = ReadU16(bytes, 0);
  r.day = static_cast<std::uint8_t>(bytes::ReadUnsigned(bytes, 2, 1));
  r.month = static_cast<std::uint8_t>(bytes::ReadUnsigned(bytes, 3, 1));
  r.seconds = ReadU32(bytes, 4);
  r.metres = ReadU32(bytes, 8);
  r.petrol_ml = ReadU32(bytes, 12);
  r.gas_ml = ReadU32(bytes, 16);
  return r;
}

Prices Prices::Read(std::span<const std::uint8_t> journals) {
  return {ReadS16(journals, 0), ReadS16(journals, 2), ReadS16(journals, 4), ReadS16(journals, 6)};
}

std::array<std::string, 8> TripColumns(const TripRecord& r, const Prices& prices,
                                       std::string_view separator) {
  std::array<std::string, 8> c;
  if (r.Empty()) {
    c[0] = "Пусто";
    return c;
  }
  const double s = r.seconds;
  const double m = r.metres;
  // The MK adds its two fuels in 32 bits; the journal shows what it means.
  const double f = static_cast<std::uint32_t>(r.petrol_ml + r.gas_ml);
  const std::uint32_t whole_minutes = r.seconds / 60;
  c[0] = TwoDigit((r.minutes / 60) % 24) + ":" + TwoDigit(r.minutes % 60) + "   " + Plain(r.day) +
         "." + TwoDigit(r.month);
  c[1] = Plain(whole_minutes / 60) + ":" + TwoDigit(whole_minutes % 60);
  c[2] = Fixed(m / 1000, 3, separator);
  c[3] = Fixed(f / 1000, 3, separator);
  c[4] = r.seconds == 0 ? "---" : RoundedHalfEven(m * 3.6 / s);
  c[5] = r.metres == 0 ? "---" : Fixed(f * 100 / m, 1, separator);
  c[6] = r.seconds == 0 ? "---" : Fixed(f * 3.6 / s, 2, separator);
  // Time is charged per hour in whole units, the rest in tenths: S/360, then /10.
  const double cost = m / 1000 * prices.path + r.petrol_ml / 1000.0 * prices.expense +
                      r.gas_ml / 1000.0 * prices.gas + s / 360 * prices.time;
  c[7] = Fixed(cost / 10, 1, separator);
  return c;
}

TextGrid JournalGrid(std::span<const std::uint8_t> journals, JournalKind kind,
                     std::string_view separator) {
  const device::FieldDef& field = JournalField(kind);
  TextGrid grid(field.count + 1);
  grid[0].assign(kHeaders.begin(), kHeaders.end());
  const Prices prices = FitsIn(journals.size(), 0, 8) ? Prices::Read(journals) : Prices{};
  for (std::size_t slot = 0; slot < field.count; ++slot) {
    const std::size_t at = field.offset + slot * field.elem_size;
    const TripRecord record = FitsIn(journals.size(), at, field.elem_size)
                                  ? TripRecord::Read(journals.subspan(at))
                                  : TripRecord{};
    auto& row = grid[slot + 1];
    row.push_back(slot == 0 ? "Посл." : Plain(static_cast<std::int64_t>(slot)));
    for (auto& text : TripColumns(record, prices, separator)) row.push_back(std::move(text));
  }
  return grid;
}

}  // namespace mk::journal

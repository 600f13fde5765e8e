// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/journal_entry.h"

#include "text/byte_io.h"

namespace mk::sim {

void PutJournalEntry(std::span<std::uint8_t> slot, const JournalEntry& entry) {
  bytes::WriteU16(slot, 0, entry.minutes);
  slot[2] = entry.day;
  slot[3] = entry.month;
  bytes::WriteU32(slot, 4, entry.seconds);
  bytes::WriteU32(slot, 8, entry.metres);
  bytes::WriteU32(slot, 12, entry.petrol_ml);
  bytes::WriteU32(slot, 16, entry.gas_ml);
}

}  // namespace mk::sim

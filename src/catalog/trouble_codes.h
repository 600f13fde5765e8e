// SPDX-License-Identifier: GPL-3.0-or-later
// Diagnostic trouble codes of on-board diagnostics (P, C, B, U codes) and
// what they mean, in Russian: the generic codes the standards define the same
// for every maker, one row each, and which ranges are the makers' own.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mk::catalog {

/// A code in its two-byte form: the system in bits 14 and 15 (0 P, 1 C, 2 B,
/// 3 U), then four hexadecimal digits, the first 0 to 3 (P0301 is 0x0301,
/// U0100 is 0xC100).
using TroubleCode = std::uint16_t;

struct TroubleCodeRow {
  TroubleCode code;
  std::string text;
};

/// Who gives a code its meaning.
enum class CodeOwner {
  Standard,  ///< the standards, the same for every maker
  Maker,     ///< the maker of the car (P1xxx, P30xx-P33xx, U1xxx-U3xxx, ...)
  Reserved,  ///< kept by the standards for later use
};

/// A run of codes whose every code with decimal last three digits has a row
/// (P0300-P0399). Codes with letters in them (P0A0F) are extensions that later
/// editions of the standards add; a run says nothing of them.
struct DefinedRange {
  TroubleCode first;
  TroubleCode last;
};

inline constexpr const char* kMakerCodeText =
    "Код производителя: значение зависит от марки автомобиля";
inline constexpr const char* kReservedCodeText = "Зарезервировано стандартом";
inline constexpr const char* kUnlistedCodeText = "Общий код стандарта: описания в программе нет";

/// "P0301" for 0x0301.
std::string TroubleCodeName(TroubleCode code);

/// A code as a person types it: the letter in either case, spaces anywhere
/// ("p0301", "P 0301"); four hexadecimal digits, the first 0 to 3. Anything
/// else is no code.
std::optional<TroubleCode> ParseTroubleCode(std::string_view text);

CodeOwner OwnerOf(TroubleCode code);

/// The catalogue's row of the code; nullptr when it has none.
const TroubleCodeRow* FindTroubleCode(TroubleCode code);

/// What the code means: its row; else the makers' text for a maker's code,
/// the reserved text for a reserved one, and kUnlistedCodeText for a generic
/// code the catalogue has no row for.
std::string DescribeTroubleCode(TroubleCode code);

/// Every row, in code order (P, then C, B, U).
std::span<const TroubleCodeRow> TroubleCodeRows();

/// The runs the catalogue covers completely.
std::span<const DefinedRange> DefinedTroubleCodeRanges();

}  // namespace mk::catalog

// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/trouble_codes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "catalog/trouble_code_rows.h"

namespace mk::catalog {
namespace {

constexpr char kLetters[] = {'P', 'C', 'B', 'U'};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The code as a table writes it. Every code value is some code, so a row
// whose name is no code cannot be given one: the table is wrong, stop.
TroubleCode TableCode(std::string_view name) {
  const auto code = ParseTroubleCode(name);
  if (!code) {
    std::fprintf(stderr, "trouble code table: bad code %.*s\n", static_cast<int>(name.size()),
                 name.data());
    std::abort();
  }
  return *code;
}

// The code after `code` counting its last three digits in decimal, as the
// tables run (P0309, P0310; P0999, P1000).
TroubleCode NextCode(TroubleCode code) {
  const unsigned n = ((code >> 8) & 0xF) * 100 + ((code >> 4) & 0xF) * 10 + (code & 0xF) + 1;
  const unsigned high = (code & 0xF000) + (n / 1000 << 12);
  return static_cast<TroubleCode>(high | (n / 100 % 10) << 8 | (n / 10 % 10) << 4 | n % 10);
}

std::vector<TroubleCodeRow> BuildRows() {
  std::vector<TroubleCodeRow> rows;
  rows::RowSink sink(rows);
  rows::AddPowertrain00(sink);
  rows::AddPowertrain03(sink);
  rows::AddPowertrain07(sink);
  rows::AddPowertrain20(sink);
  rows::AddPowertrain25(sink);
  rows::AddNetwork(sink);
  rows::AddNetwork03(sink);
  rows::AddBodyChassis(sink);
  std::stable_sort(rows.begin(), rows.end(), [](const TroubleCodeRow& a, const TroubleCodeRow& b) {
    return a.code < b.code;
  });
  return rows;
}

const std::vector<TroubleCodeRow>& Rows() {
  static const std::vector<TroubleCodeRow> kRows = BuildRows();
  return kRows;
}

constexpr TroubleCode P(unsigned digits) {
  return static_cast<TroubleCode>(digits);
}
constexpr TroubleCode C(unsigned digits) {
  return static_cast<TroubleCode>(0x4000 | digits);
}
constexpr TroubleCode B(unsigned digits) {
  return static_cast<TroubleCode>(0x8000 | digits);
}
constexpr TroubleCode U(unsigned digits) {
  return static_cast<TroubleCode>(0xC000 | digits);
}

// clang-format off
constexpr DefinedRange kDefined[] = {
    {P(0x0000), P(0x0999)},
    {P(0x2000), P(0x2499)},
    {P(0x2500), P(0x2599)},
    {P(0x2600), P(0x2699)},
    {P(0x2700), P(0x2889)},
    {P(0x3400), P(0x3499)},
    {C(0x0000), C(0x0004)},
    {C(0x0010), C(0x0011)},
    {C(0x0014), C(0x0015)},
    {C(0x0018), C(0x0022)},
    {C(0x0030), C(0x0041)},
    {C(0x0061), C(0x0063)},
    {B(0x0000), B(0x0033)},
    {B(0x0038), B(0x0040)},
    {U(0x0000), U(0x0088)},
    {U(0x0100), U(0x0270)},
    {U(0x0284), U(0x0289)},
    {U(0x0291), U(0x0339)},
    {U(0x0400), U(0x0439)},
    {U(0x0441), U(0x0449)},
    {U(0x0451), U(0x0459)},
    {U(0x0461), U(0x0469)},
    {U(0x0471), U(0x0489)},
    {U(0x0491), U(0x0499)},
    {U(0x0501), U(0x0509)},
    {U(0x0511), U(0x0519)},
    {U(0x0521), U(0x0529)},
    {U(0x0531), U(0x0539)},
    {U(0x0541), U(0x0549)},
    {U(0x0551), U(0x0559)},
    {U(0x0561), U(0x0571)},
    {U(0x0585), U(0x0589)},
    {U(0x0592), U(0x0599)},
};
// clang-format on

}  // namespace

std::string TroubleCodeName(TroubleCode code) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(code & 0x3FFF));
  return std::string(1, kLetters[code >> 14]) + digits;
}

std::optional<TroubleCode> ParseTroubleCode(std::string_view text) {
  std::string packed;
  for (const char c : text) {
    if (c != ' ' && c != '\t') packed += c;
  }
  if (packed.size() != 5) return std::nullopt;
  const char letter = static_cast<char>(packed[0] & ~0x20);  // upper case
  const char* found = std::find(std::begin(kLetters), std::end(kLetters), letter);
  if (found == std::end(kLetters)) return std::nullopt;
  unsigned value = 0;
  for (std::size_t i = 1; i < 5; ++i) {
    const int digit = HexDigit(packed[i]);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  if (value > 0x3FFF) return std::nullopt;
  return static_cast<TroubleCode>((static_cast<unsigned>(found - kLetters) << 14) | value);
}

CodeOwner OwnerOf(TroubleCode code) {
  const unsigned system = code >> 14;
  const unsigned digits = code & 0x3FFF;
  const unsigned first = digits >> 12;
  if (first == 0) return CodeOwner::Standard;
  if (system == 0) {
    if (first == 2) return CodeOwner::Standard;
    if (first == 3) {
      if (digits < 0x3400) return CodeOwner::Maker;
      return digits < 0x3500 ? CodeOwner::Standard : CodeOwner::Reserved;
    }
  }
  return CodeOwner::Maker;
}

const TroubleCodeRow* FindTroubleCode(TroubleCode code) {
  const auto& rows = Rows();
  const auto at =
      std::lower_bound(rows.begin(), rows.end(), code,
                       [](const TroubleCodeRow& r, TroubleCode c) { return r.code < c; });
  return at != rows.end() && at->code == code ? &*at : nullptr;
}

std::string DescribeTroubleCode(TroubleCode code) {
  if (const TroubleCodeRow* row = FindTroubleCode(code)) return row->text;
  switch (OwnerOf(code)) {
    case CodeOwner::Maker:
      return kMakerCodeText;
    case CodeOwner::Reserved:
      return kReservedCodeText;
    case CodeOwner::Standard:
      break;
  }
  return kUnlistedCodeText;
}

std::span<const TroubleCodeRow> TroubleCodeRows() {
  return Rows();
}

std::span<const DefinedRange> DefinedTroubleCodeRanges() {
  return kDefined;
}

namespace rows {

void RowSink::Add(std::string_view code, std::string text) {
  rows_.push_back({TableCode(code), std::move(text)});
}

void RowSink::Run(std::string_view first, std::initializer_list<std::string_view> texts) {
  TroubleCode code = TableCode(first);
  for (const std::string_view text : texts) {
    rows_.push_back({code, std::string(text)});
    code = NextCode(code);
  }
}

void RowSink::Run(std::string_view first, const std::vector<std::string>& texts) {
  TroubleCode code = TableCode(first);
  for (const std::string& text : texts) {
    rows_.push_back({code, text});
    code = NextCode(code);
  }
}

void RowSink::Circuit5(std::string_view first, std::string_view part) {
  using enum Fault;
  Faults(first, part, {Circuit, Range, Low, High, Erratic});
}

void RowSink::Faults(std::string_view first, std::string_view part,
                     std::initializer_list<Fault> faults) {
  std::vector<std::string> texts;
  for (const Fault fault : faults) {
    const char* what = "";
    switch (fault) {
      case Fault::Circuit:
        what = ": неисправность цепи";
        break;
      case Fault::Range:
        what = ": сигнал вне допустимого диапазона";
        break;
      case Fault::Low:
        what = ": низкий уровень сигнала";
        break;
      case Fault::High:
        what = ": высокий уровень сигнала";
        break;
      case Fault::Erratic:
        what = ": неустойчивый сигнал";
        break;
    }
    texts.push_back(std::string(part) + what);
  }
  Run(first, texts);
}

std::vector<std::string> ControlTexts(std::string_view part) {
  const std::string p(part);
  return {p + ": обрыв цепи управления", p + ": цепь управления вне диапазона",
          p + ": низкий уровень в цепи управления", p + ": высокий уровень в цепи управления"};
}

std::vector<std::string> SolenoidTexts(std::string_view part) {
  const std::string p(part);
  return {p + ": неисправность", p + ": плохая работа или залипание в выключенном",
          p + ": залипание во включённом", p + ": электрическая неисправность",
          p + ": неустойчивая работа"};
}

void RowSink::Control4(std::string_view first, std::string_view part) {
  Run(first, ControlTexts(part));
}

void RowSink::Control3(std::string_view first, std::string_view part) {
  const std::string p(part);
  Run(first, {p + ": обрыв цепи управления", p + ": низкий уровень в цепи управления",
              p + ": высокий уровень в цепи управления"});
}

void RowSink::Solenoid5(std::string_view first, std::string_view part) {
  Run(first, SolenoidTexts(part));
}

void RowSink::Numbered(std::string_view first, int count, std::string_view pattern, int from) {
  TroubleCode code = TableCode(first);
  const std::size_t hash = pattern.find('#');
  for (int n = 0; n < count; ++n) {
    std::string text(pattern);
    if (hash != std::string_view::npos) text.replace(hash, 1, std::to_string(from + n));
    rows_.push_back({code, std::move(text)});
    code = NextCode(code);
  }
}

void RowSink::Lettered(std::string_view first, std::string_view letters, std::string_view before,
                       std::string_view after) {
  std::vector<std::string> texts;
  for (const char letter : letters)
    texts.push_back(std::string(before) + letter + std::string(after));
  Run(first, texts);
}

}  // namespace rows
}  // namespace mk::catalog

// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl dtc: what diagnostic trouble codes mean, from the catalogue the
// journals window describes its codes with.
#include <cstdio>
#include <string>
#include <vector>

#include "catalog/trouble_codes.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/json.h"

namespace mk::tools {
namespace {

using catalog::TroubleCode;

bool IsSystemLetter(const std::string& word) {
  return word.size() == 1 && std::string("PCBUpcbu").find(word[0]) != std::string::npos;
}

// The codes as typed. "P 0301" unquoted is two words; a lone letter joins the
// word after it. Every word that is no code is named, none is looked up.
std::vector<TroubleCode> ParseCodes(const std::vector<std::string>& words) {
  std::vector<TroubleCode> codes;
  std::string malformed;
  for (std::size_t i = 0; i < words.size(); ++i) {
    std::string word = words[i];
    if (IsSystemLetter(word) && i + 1 < words.size()) word += words[++i];
    if (const auto code = catalog::ParseTroubleCode(word)) {
      codes.push_back(*code);
    } else {
      malformed += (malformed.empty() ? "«" : ", «") + word + "»";
    }
  }
  if (!malformed.empty()) {
    throw UsageError("неверный код " + malformed +
                     ": нужна буква P, C, B или U и четыре цифры, первая 0…3 (P0301)");
  }
  return codes;
}

void Print(const std::vector<catalog::TroubleCodeRow>& rows, bool json) {
  if (!json) {
    for (const auto& row : rows) {
      std::printf("%s\t%s\n", catalog::TroubleCodeName(row.code).c_str(), row.text.c_str());
    }
    return;
  }
  std::string out = "[";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    out += std::string(i ? ",\n " : "") +
           "{\"code\": " + Quote(catalog::TroubleCodeName(rows[i].code)) +
           ", \"description\": " + Quote(rows[i].text) + "}";
  }
  std::printf("%s]\n", out.c_str());
}

std::vector<catalog::TroubleCodeRow> Listed(const std::vector<std::string>& operands) {
  if (operands.size() > 1 || (operands.size() == 1 && !IsSystemLetter(operands[0]))) {
    throw UsageError("после --list можно указать только систему: P, C, B или U");
  }
  std::vector<catalog::TroubleCodeRow> rows;
  for (const auto& row : catalog::TroubleCodeRows()) {
    if (operands.empty() || catalog::TroubleCodeName(row.code)[0] == (operands[0][0] & ~0x20))
      rows.push_back(row);
  }
  return rows;
}

}  // namespace

int CmdDtc(const Args& args) {
  const auto operands = Operands(args);
  const bool json = HasFlag(args, "json");
  if (HasFlag(args, "list")) {
    Print(Listed(operands), json);
    return 0;
  }
  if (operands.empty()) throw UsageError("укажите коды ошибок (P0301) или --list");
  std::vector<catalog::TroubleCodeRow> rows;
  for (const TroubleCode code : ParseCodes(operands))
    rows.push_back({code, catalog::DescribeTroubleCode(code)});
  Print(rows, json);
  return 0;
}

}  // namespace mk::tools

// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/drawn_values.h"

#include <algorithm>

#include "device/colors.h"
#include "device/field_paths.h"
#include "settings/conversions.h"
#include "settings/hot_menus.h"
#include "settings/lists.h"
#include "text/byte_io.h"
#include "text/error.h"

namespace mk::settings {

namespace {

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : std::string(text) + ",") {
    if (c == ',' || c == ' ') {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  return words;
}

std::string Joined(const std::vector<std::string>& words) {
  std::string out;
  for (const auto& w : words) out += (out.empty() ? "" : ", ") + w;
  return out;
}

std::optional<std::int64_t> Integer(std::string_view text) {
  const auto v = ParseNumber(text);
  if (!v || *v != static_cast<double>(static_cast<std::int64_t>(*v))) return std::nullopt;
  return static_cast<std::int64_t>(*v);
}

std::span<std::uint8_t> ColorSetOf(const Setting& s, device::TMK& mk) {
  return mk.Rec(s.block).Element(s.field, s.index);
}

std::uint16_t ColorWord(const Setting& s, const device::TMK& mk) {
  const auto set = mk.Rec(s.block).Element(s.field, s.index);
  return bytes::ReadU16(set, s.offset);
}

HotList HotListOf(const Setting& s, const device::TMK& mk) {
  return ReadHotList(mk.Rec(s.block), static_cast<int>(s.index / kHotEntries));
}

const catalog::TMKMenuItem* MenuItem(const Env& env, std::uint16_t code) {
  return env.catalogues != nullptr ? env.catalogues->Menu().FindMenuItemByCode(code) : nullptr;
}

const catalog::TMeasParBase* Param(const Env& env, std::int64_t code) {
  if (env.catalogues == nullptr || code <= 0 || code > 255) return nullptr;
  return env.catalogues->Params().FindByCode(static_cast<std::uint8_t>(code));
}

}  // namespace

bool IsDrawnKind(Kind kind) {
  return kind == Kind::Param || kind == Kind::Color || kind == Kind::HotMenu ||
         kind == Kind::BlockList;
}

std::string ShowDrawn(const Setting& s, const device::TMK& mk, const Env& env) {
  switch (s.kind) {
    case Kind::Param: {
      const std::int64_t code = mk.Rec(s.block).GetInt(s.field, s.index);
      if (code == 0) return "нет";
      const auto* p = Param(env, code);
      return p != nullptr ? p->Name : std::to_string(code);
    }
    case Kind::Color: {
      const device::Rgb c = device::UnpackColor(ColorWord(s, mk));
      return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
    }
    case Kind::HotMenu: {
      std::vector<std::string> words;
      for (std::uint16_t code : HotListOf(s, mk)) {
        if (code == 0) continue;
        const auto* item = MenuItem(env, code);
        words.push_back(item != nullptr ? item->Ident : std::to_string(code));
      }
      return Joined(words);
    }
    case Kind::BlockList: {
      std::vector<std::string> words;
      // Byte 0 carries the page's display choices: block numbers start at 8.
      for (int n = 8; n < 256; ++n) {
        if (BlockUsed(mk, static_cast<std::uint8_t>(n))) words.push_back(std::to_string(n));
      }
      return Joined(words);
    }
    default:
      return {};
  }
}

std::string DrawnStored(const Setting& s, const device::TMK& mk) {
  switch (s.kind) {
    case Kind::Param:
      return std::to_string(mk.Rec(s.block).GetInt(s.field, s.index));
    case Kind::Color:
      return std::to_string(ColorWord(s, mk));
    case Kind::HotMenu: {
      std::vector<std::string> words;
      for (std::uint16_t code : HotListOf(s, mk)) words.push_back(std::to_string(code));
      return Joined(words);
    }
    default:
      return ShowDrawn(s, mk, {});
  }
}

bool DrawnOutOfRange(const Setting& s, const device::TMK& mk, const Env& env) {
  if (env.catalogues == nullptr) return false;
  switch (s.kind) {
    case Kind::Param: {
      const std::int64_t code = mk.Rec(s.block).GetInt(s.field, s.index);
      return code != 0 && Param(env, code) == nullptr;
    }
    case Kind::HotMenu:
      return std::ranges::any_of(HotListOf(s, mk), [&](std::uint16_t code) {
        return code != 0 && MenuItem(env, code) == nullptr;
      });
    default:
      return false;
  }
}

void CommitDrawn(const Setting& s, device::TMK& mk, const Env& env, std::string_view text) {
  const auto refuse = [&] {
    throw Error("«" + device::EscapeText(text) + "» не значение настройки «" + std::string(s.name) +
                "».");
  };
  switch (s.kind) {
    case Kind::Param: {
      std::int64_t code = -1;
      if (text == "нет") {
        code = 0;
      } else if (const auto n = Integer(text)) {
        code = *n;
      } else if (env.catalogues != nullptr) {
        for (const auto& p : env.catalogues->Params().Items()) {
          if (p.Name == text) {
            code = p.Code;
            break;
          }
        }
      }
      if (code != 0 && Param(env, code) == nullptr) refuse();
      mk.Rec(s.block).SetInt(s.field, code, s.index);
      return;
    }
    case Kind::Color: {
      const auto words = Words(text);
      if (words.size() != 3) refuse();
      int rgb[3] = {};
      for (std::size_t i = 0; i < 3; ++i) {
        const auto v = Integer(words[i]);
        if (!v || *v < 0 || *v > 31) {
          throw RangeError("Цвет настройки «" + std::string(s.name) +
                           "»: красный, зелёный и синий от 0 до 31.");
        }
        rgb[i] = static_cast<int>(*v);
      }
      const std::uint16_t word = device::PackColor(rgb[0], rgb[1], rgb[2]);
      bytes::WriteU16(ColorSetOf(s, mk), s.offset, word);
      return;
    }
    case Kind::HotMenu: {
      HotList entries{};
      std::size_t at = 0;
      for (const auto& word : Words(text)) {
        if (at == entries.size()) {
          throw RangeError("В горячем меню «" + std::string(s.caption) + "» не больше " +
                           std::to_string(kHotEntries) + " пунктов.");
        }
        const catalog::TMKMenuItem* item = nullptr;
        if (env.catalogues != nullptr) {
          item = env.catalogues->Menu().FindMenuItemByName(word);
          if (item == nullptr) {
            if (const auto code = Integer(word); code && *code > 0 && *code < 65536) {
              item = MenuItem(env, static_cast<std::uint16_t>(*code));
            }
          }
        }
        if (item == nullptr) {
          throw Error("«" + word + "» не пункт меню МК для «" + std::string(s.caption) + "».");
        }
        entries[at++] = item->Code;
      }
      WriteHotList(mk.Rec(s.block), static_cast<int>(s.index / kHotEntries), entries);
      return;
    }
    case Kind::BlockList: {
      std::vector<std::uint8_t> chosen;
      const auto offered = AllBlocks(env);
      for (const auto& word : Words(text)) {
        const auto n = Integer(word);
        const bool known = n && std::ranges::any_of(offered, [&](const catalog::SystemBlock& b) {
                             return b.number == *n;
                           });
        if (!known) throw Error("Блока «" + word + "» нет среди доступных.");
        chosen.push_back(static_cast<std::uint8_t>(*n));
      }
      for (const auto& block : offered) {
        SetBlockUsed(mk, block.number, std::ranges::find(chosen, block.number) != chosen.end());
      }
      return;
    }
    default:
      refuse();
  }
}

}  // namespace mk::settings

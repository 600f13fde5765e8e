// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/typed_input.h"

#include "device/field_paths.h"
#include "settings/conversions.h"
#include "settings/edited_blocks.h"
#include "settings/env.h"
#include "settings/setting_value.h"
#include "text/error.h"

namespace mk::settings {

void TypeIn(device::TMK& mk, const Setting& s, std::string_view value) {
  // The environment follows each change: a new protocol changes what is shown.
  const Env env = Env::Of(mk);
  const std::string name(s.name);
  if (!Visible(s, mk, env)) {
    throw Error("Настройка «" + name + "» скрыта для этого МК и не меняется.");
  }
  if (!StoredByEdit(s.block)) throw Error(NotStoredMessage(name));
  CommitFromText(s, mk, env, s.kind == Kind::Text ? device::UnescapeText(value) : value);
}

std::string TypedValue(const Setting& s, const device::TMK& mk) {
  const std::string shown = ShowAsText(s, mk, Env::Of(mk));
  return s.kind == Kind::Text ? device::EscapeText(shown) : shown;
}

std::string AllowedText(const Setting& s, const device::TMK& mk) {
  const Env env = Env::Of(mk);
  switch (s.kind) {
    case Kind::Spin: {
      const Shape shape = ShapeOf(s, mk, env);
      std::string text = "от " + FormatNumber(shape.min, shape.decimals, '.') + " до " +
                         FormatNumber(shape.max, shape.decimals, '.');
      if (shape.step != 1) text += ", шаг " + FormatNumber(shape.step, shape.decimals, '.');
      return text;
    }
    case Kind::Radio:
    case Kind::Combo: {
      std::string text;
      const auto items = ItemsOf(s, env);
      for (std::size_t i = 0; i < items.size(); ++i) {
        if (!ItemEnabled(s, env, static_cast<int>(i))) continue;
        text += (text.empty() ? "" : " | ") + items[i];
      }
      return text.empty() ? "пусто" : text;
    }
    case Kind::Check:
    case Kind::FlagBit:
      return "да или нет";
    case Kind::Time:
      return "00:00 … 23:59";
    case Kind::Date:
      return "ДД.ММ.ГГ, пусто - нет даты";
    case Kind::Text:
      return "текст до " + std::to_string(s.max_length) + " знаков";
    case Kind::Param:
      return "имя параметра, как на экране МК";
    case Kind::Color:
      return "R,G,B по 0…31";
    case Kind::HotMenu:
      return "идентификаторы пунктов меню через запятую";
    case Kind::BlockList:
      return "номера допсистем через запятую";
  }
  return {};
}

}  // namespace mk::settings

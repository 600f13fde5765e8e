// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/show_displays.h"

#include <algorithm>

#include "device/field_table.h"
#include "text/error.h"

namespace mk::settings {
namespace {

using catalog::Feature;

ShowGroup Numbered(std::string caption, std::string_view field, std::string_view tag, int count) {
  ShowGroup g{std::move(caption), {}, 0};
  for (int bit = 0; bit < count; ++bit) {
    g.boxes.push_back({"cbShowDisp_" + std::string(tag) + "_" + std::to_string(bit),
                       "#" + std::to_string(bit + 1), field, bit, true});
  }
  return g;
}

constexpr std::string_view kAverages[] = {"Поездка",   "Сброс 1",   "Сброс 2",
                                          "Общие",     "В пробках", "Без пробок",
                                          "Таксометр", "Бензин",    "Газ"};

/// The word and the bit within it that hold flag `bit`.
std::pair<std::size_t, int> Place(const device::FieldDef& f, int bit) {
  const int width = static_cast<int>(f.elem_size) * 8;
  if (bit < 0 || bit >= width * static_cast<int>(f.count)) {
    throw Error("Нет флага " + std::to_string(bit) + " в " + std::string(f.name));
  }
  return {static_cast<std::size_t>(bit / width), bit % width};
}

}  // namespace

std::vector<ShowGroup> ShowDisplayGroups(const catalog::Catalogues& catalogues) {
  return ShowDisplayGroups(catalogues.Variant().features, catalogues.CurrentProtocol(),
                           catalogues.Params());
}

std::vector<ShowGroup> ShowDisplayGroups(catalog::Features features,
                                         const catalog::TProtBase* protocol,
                                         const catalog::MeasParamCatalogue& params) {
  const bool x3 = features.Has(Feature::HasX3Displays);
  std::vector<ShowGroup> groups;
  groups.push_back(Numbered("x4", "ShowDisp4", "4", 6));
  groups.push_back(Numbered("x9", "ShowDisp9", "9", 3));
  groups.push_back(Numbered(x3 ? "x3" : "x7", "ShowDisp7", "7", 4));
  if (x3) groups.back().boxes[3].shown = false;
  groups.push_back(Numbered("Графики", "ShowDispG", "G", 8));
  groups.push_back(Numbered("Стрелки", "ShowDispA", "A", 8));
  groups.push_back(Numbered("x6", "ShowDisp6", "6", 1));

  ShowGroup averages = Numbered("Средние", "ShowDispS", "S", 9);
  for (std::size_t i = 0; i < averages.boxes.size(); ++i) {
    averages.boxes[i].caption = std::string(kAverages[i]);
  }
  averages.boxes[6].shown = features.Has(Feature::HasTaxi);
  groups.push_back(std::move(averages));

  // One box per parameter the selected protocol delivers, captioned with its name.
  ShowGroup x1 = Numbered("x1", "ShowDisp1", "1", kX1Boxes);
  x1.boxes_per_group = kX1BoxesPerGroup;
  const std::size_t delivered = protocol != nullptr ? protocol->ParamCodes.size() : 0;
  for (std::size_t n = 0; n < x1.boxes.size(); ++n) {
    ShowBox& box = x1.boxes[n];
    box.shown = n < delivered;
    box.caption.clear();
    if (!box.shown) continue;
    const catalog::TMeasParBase* p = params.FindByCode(protocol->ParamCodes[n]);
    // A code the parameter catalogue lacks still names its box.
    box.caption = p != nullptr ? p->Name : "код " + std::to_string(protocol->ParamCodes[n]);
  }
  groups.push_back(std::move(x1));
  return groups;
}

bool ShowBit(const device::Record& display, std::string_view field, int bit) {
  const device::FieldDef& f = display.Field(field);
  const auto [word, shift] = Place(f, bit);
  return (static_cast<std::uint64_t>(display.GetInt(f, word)) >> shift) & 1;
}

void SetShowBit(device::Record& display, std::string_view field, int bit, bool on) {
  const device::FieldDef& f = display.Field(field);
  const auto [word, shift] = Place(f, bit);
  auto value = static_cast<std::uint64_t>(display.GetInt(f, word));
  const std::uint64_t mask = std::uint64_t{1} << shift;
  value = on ? value | mask : value & ~mask;
  display.SetInt(f, static_cast<std::int64_t>(value), word);
}

}  // namespace mk::settings

// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/screen_kind.h"

#include <algorithm>
#include <string>

#include "device/field_table.h"
#include "preview/canvas.h"
#include "text/error.h"

namespace mk::preview {

namespace {

struct KindInfo {
  std::string_view name;
  int screens;
  int places;
  std::string_view field;
};

// In ScreenKind order.
constexpr KindInfo kKinds[] = {
    {"x4", 6, 4, "Disp4Params"},    {"x9", 3, 9, "Disp9Params"}, {"x7", 4, 7, "Disp7Params"},
    {"x3", 3, 3, "Disp7Params"},    {"x6", 1, 6, "Disp6Params"}, {"graph", 8, 2, "GraphParams"},
    {"arrow", 8, 2, "ArrowParams"},
};

const KindInfo& Info(ScreenKind kind) {
  return kKinds[static_cast<int>(kind)];
}

}  // namespace

std::string_view KindName(ScreenKind kind) {
  return Info(kind).name;
}
int ScreenCount(ScreenKind kind) {
  return Info(kind).screens;
}
int PlaceCount(ScreenKind kind) {
  return Info(kind).places;
}
std::string_view PlacesField(ScreenKind kind) {
  return Info(kind).field;
}

std::optional<ScreenKind> KindFromName(std::string_view name) {
  constexpr std::string_view kCyrillicX = "\xD1\x85";  // "х" in UTF-8
  std::string latin(name);
  if (name.starts_with(kCyrillicX)) latin = "x" + std::string(name.substr(kCyrillicX.size()));
  for (ScreenKind kind : kScreenKinds) {
    if (KindName(kind) == latin) return kind;
  }
  return std::nullopt;
}

ScreenRef ParseScreenRef(std::string_view text) {
  const std::size_t colon = text.find(':');
  const std::string kinds = "x4, x9, x7, x3, x6, graph или arrow";
  if (colon == std::string_view::npos) {
    throw Error("Экран задаётся как ВИД:НОМЕР, например x4:1; ВИД: " + kinds + ".");
  }
  const std::string_view name = text.substr(0, colon), number = text.substr(colon + 1);
  const std::optional<ScreenKind> kind = KindFromName(name);
  if (!kind) throw Error("Неизвестный вид экрана «" + std::string(name) + "»: " + kinds + ".");
  const int count = ScreenCount(*kind);
  int n = 0;
  const bool digits = !number.empty() && number.size() <= 3 &&
                      number.find_first_not_of("0123456789") == std::string_view::npos;
  if (digits) n = std::stoi(std::string(number));
  if (!digits || n < 1 || n > count) {
    const std::string k(KindName(*kind));
    const std::string what = number.empty() ? "Не указан номер экрана " + k
                                            : "Нет экрана " + k + ":" + std::string(number);
    throw Error(what + ": экраны " + k + " нумеруются от 1 до " + std::to_string(count) + ".");
  }
  return ScreenRef{*kind, n - 1};
}

namespace {

std::size_t ElementIndex(const device::Record& display, ScreenKind kind, int screen, int place) {
  if (screen < 0 || screen >= ScreenCount(kind) || place < 0 || place >= PlaceCount(kind)) {
    throw Error("Нет места " + std::to_string(place) + " на экране " + std::string(KindName(kind)) +
                " №" + std::to_string(screen + 1));
  }
  const device::FieldDef& field = display.Field(PlacesField(kind));
  const std::size_t stride = field.cols == 0 ? field.count : field.cols;
  return static_cast<std::size_t>(screen) * stride + static_cast<std::size_t>(place);
}

}  // namespace

std::uint8_t PlaceCode(const device::Record& display, ScreenKind kind, int screen, int place) {
  const std::size_t index = ElementIndex(display, kind, screen, place);
  return static_cast<std::uint8_t>(display.GetInt(PlacesField(kind), index));
}

std::vector<std::uint8_t> ScreenCodes(const device::Record& display, ScreenKind kind, int screen) {
  std::vector<std::uint8_t> codes;
  codes.reserve(static_cast<std::size_t>(PlaceCount(kind)));
  for (int place = 0; place < PlaceCount(kind); ++place) {
    codes.push_back(PlaceCode(display, kind, screen, place));
  }
  return codes;
}

void SetPlaceCode(device::Record& display, ScreenKind kind, int screen, int place,
                  std::uint8_t code) {
  display.SetInt(PlacesField(kind), code, ElementIndex(display, kind, screen, place));
}

std::optional<int> PlaceAt(ScreenKind kind, int x, int y, int w, int h) {
  if (x < 0 || y < 0 || x >= w || y >= h) return std::nullopt;
  const auto cell = [](int v, int size, int parts) {
    const int step = size / parts;
    return step == 0 ? -1 : std::min(v / step, parts - 1);
  };
  switch (kind) {
    case ScreenKind::X4: {
      const int col = cell(x, w, 2), row = cell(y, h, 2);
      if (col < 0 || row < 0) return std::nullopt;
      return col + 2 * row;
    }
    case ScreenKind::X9: {
      const int col = cell(x, w, 3), row = cell(y, h, 3);
      if (col < 0 || row < 0) return std::nullopt;
      return col + 3 * row;
    }
    case ScreenKind::X7: {
      const int band = cell(y, h, 7);
      if (band < 0) return std::nullopt;
      return band;
    }
    case ScreenKind::X3: {
      const int band = cell(y, h, 7);
      if (band < 0) return std::nullopt;
      return band > 4 ? band - 4 : 0;
    }
    case ScreenKind::X6: {
      const int col = cell(x, w, 3), row = cell(y, h, 3);
      if (col < 0 || row < 0) return std::nullopt;
      switch (col + 3 * row) {
        case 2:
          return 1;
        case 5:
          return 2;
        case 6:
          return 3;
        case 7:
          return 4;
        case 8:
          return 5;
        default:
          return 0;
      }
    }
    case ScreenKind::Graph: {
      // The graphs' bounds are the MK's own pixels, however large the box.
      const int at = y * kScreenHeight / h;
      if (at > 180) return std::nullopt;
      return at < 90 ? 0 : 1;
    }
    case ScreenKind::Arrow:
      return x * kScreenWidth / w < kScreenWidth - 200 ? 0 : 1;
  }
  return std::nullopt;
}

}  // namespace mk::preview

// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/charts.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

#include "journal/number_format.h"

namespace mk::history {
namespace {

using scope::FillOp;
using scope::LineOp;
using scope::OscPicture;
using scope::TextOp;

constexpr scope::Rgb kPaper = 0xFFFFFF;
constexpr scope::Rgb kAxis = 0x404040;
constexpr scope::Rgb kGrid = 0xD8D8D8;
constexpr scope::Rgb kPoint = 0x3060C0;
constexpr scope::Rgb kAverage = 0xD03020;
constexpr scope::Rgb kBar = 0x40A060;
constexpr int kLeft = 60, kRight = 20, kTop = 30, kBottom = 40;
constexpr int kMovingAverage = 10;  // trips

struct Frame {
  int x0, y0, x1, y1;  // the plot area
  double top;          // the value at y0; 0 at y1
  int Y(double v) const {
    return y1 - static_cast<int>(std::lround(std::clamp(v / top, 0.0, 1.0) * (y1 - y0)));
  }
};

// A round top for the scale: 1, 2 or 5 times a power of ten above `max`.
double NiceTop(double max) {
  if (max <= 0) return 1;
  const double power = std::pow(10.0, std::floor(std::log10(max)));
  for (double step : {1.0, 2.0, 5.0, 10.0}) {
    if (step * power >= max) return step * power;
  }
  return 10 * power;
}

Frame Axes(OscPicture& p, const char* title, double max) {
  p.ops.emplace_back(FillOp{0, 0, p.width, p.height, kPaper});
  Frame f{kLeft, kTop, p.width - kRight, p.height - kBottom, NiceTop(max)};
  for (int i = 0; i <= 4; ++i) {
    const double v = f.top * i / 4;
    const int y = f.Y(v);
    p.ops.emplace_back(LineOp{f.x0, y, f.x1, y, i == 0 ? kAxis : kGrid});
    p.ops.emplace_back(TextOp{4, y - 7, kAxis, 8, journal::Fixed(v, f.top < 10 ? 1 : 0, ",")});
  }
  p.ops.emplace_back(LineOp{f.x0, f.y0, f.x0, f.y1 + 1, kAxis});
  p.ops.emplace_back(TextOp{f.x0, 6, kAxis, 10, title});
  return f;
}

void NoData(OscPicture& p, const Frame& f) {
  p.ops.emplace_back(TextOp{(f.x0 + f.x1) / 2 - 40, (f.y0 + f.y1) / 2, kAxis, 10, "Нет данных"});
}

// Where the tips go, if anywhere, and how their numbers are written.
struct Tips {
  std::vector<ChartTip>* out;
  std::string_view separator;
  void Add(int x, int y, int width, int height, std::string text) const {
    if (out != nullptr) out->push_back({x, y, width, height, std::move(text)});
  }
};

void Consumption(OscPicture& p, const std::vector<StoredEntry>& trips, const Tips& tips) {
  std::vector<std::pair<LocalMinutes, double>> points;
  for (const auto& t : trips) {
    if (t.entry.metres == 0) continue;
    points.emplace_back(t.entry.time,
                        (t.entry.petrol_ml + 0.0 + t.entry.gas_ml) * 100.0 / t.entry.metres);
  }
  double max = 0;
  for (const auto& pt : points) max = std::max(max, pt.second);
  const Frame f = Axes(p, "Расход на 100 км по поездкам, л (и скользящее среднее)", max);
  if (points.empty()) return NoData(p, f);
  const LocalMinutes first = points.front().first;
  const LocalMinutes span = std::max<LocalMinutes>(1, points.back().first - first);
  const auto x = [&](LocalMinutes t) {
    return f.x0 + 2 + static_cast<int>((t - first) * (f.x1 - f.x0 - 4) / span);
  };
  // Years of trips put many on one spot: each spot is drawn, and has its
  // tip, once (its first trip's).
  const int plot_w = f.x1 - f.x0 + 1, plot_h = f.y1 - f.y0 + 1;
  std::vector<bool> drawn(static_cast<std::size_t>(plot_w) * static_cast<std::size_t>(plot_h));
  // And many on one column: the average's stretch in a column is one line.
  int column = 0, low = 0, high = 0, last_y = 0;
  double sum = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const auto& [t, v] = points[i];
    sum += v;
    if (i >= kMovingAverage) sum -= points[i - kMovingAverage].second;
    const double avg = sum / static_cast<double>(std::min<std::size_t>(i + 1, kMovingAverage));
    const int px = x(t), py = f.Y(v), ay = f.Y(avg);
    auto spot = drawn.begin() + (py - f.y0) * plot_w + (px - f.x0);
    if (!*spot) {
      *spot = true;
      p.ops.emplace_back(FillOp{px - 1, py - 1, 3, 3, kPoint});
      tips.Add(px - 2, py - 2, 5, 5,
               ShownText(t) + ": " + journal::Fixed(v, 1, tips.separator) + " л/100 км (среднее " +
                   journal::Fixed(avg, 1, tips.separator) + ")");
    }
    if (i == 0 || px != column) {
      if (i > 0) {
        if (low < high) p.ops.emplace_back(LineOp{column, low, column, high, kAverage});
        p.ops.emplace_back(LineOp{column, last_y, px, ay, kAverage});
      }
      column = px;
      low = high = ay;
    }
    low = std::min(low, ay);
    high = std::max(high, ay);
    last_y = ay;
  }
  if (low < high) p.ops.emplace_back(LineOp{column, low, column, high, kAverage});
  p.ops.emplace_back(TextOp{f.x0, f.y1 + 8, kAxis, 8, ShownText(first).substr(0, 10)});
  p.ops.emplace_back(
      TextOp{f.x1 - 70, f.y1 + 8, kAxis, 8, ShownText(points.back().first).substr(0, 10)});
}

// Bars of `values`; a bar's name (in its tip, its first `label_length`
// characters under it) is written only for the bars drawn.
struct Bars {
  std::vector<double> values;
  std::function<std::string(std::size_t)> name;
  std::size_t label_length = std::string::npos;
};

void DrawBars(OscPicture& p, const char* title, const char* unit, const Bars& bars,
              const Tips& tips) {
  double max = 0;
  for (const double v : bars.values) max = std::max(max, v);
  const Frame f = Axes(p, title, max);
  if (bars.values.empty()) return NoData(p, f);
  // More bars than the plot has columns share them: a column shows its
  // tallest bar (the others would stand behind it) and that bar's tip.
  const std::size_t n = bars.values.size();
  const int slot = std::max(1, (f.x1 - f.x0) / static_cast<int>(n));
  const auto column = [&](std::size_t i) {
    return f.x0 + 1 +
           static_cast<int>(static_cast<long long>(i) * (f.x1 - f.x0 - 1) /
                            static_cast<long long>(n));
  };
  int label_end = f.x0 - 60;
  for (std::size_t i = 0; i < n;) {
    const int x = column(i);
    std::size_t tallest = i;
    for (++i; i < n && column(i) == x; ++i) {
      if (bars.values[i] > bars.values[tallest]) tallest = i;
    }
    const double value = bars.values[tallest];
    const std::string name = bars.name(tallest);
    const int y = f.Y(value);
    p.ops.emplace_back(FillOp{x + slot / 8, y, std::max(1, slot - slot / 4), f.y1 - y, kBar});
    if (x >= label_end + 60) {
      p.ops.emplace_back(TextOp{x, f.y1 + 8, kAxis, 8, name.substr(0, bars.label_length)});
      label_end = x;
    }
    tips.Add(x, f.y0, slot, f.y1 - f.y0,
             name + ": " + journal::Fixed(value, 1, tips.separator) +
                 (*unit != 0 ? std::string(" ") + unit : std::string()));
  }
}

// The months' bars of one quantity (the last row is the total: no bar).
Bars MonthBars(const std::vector<StatsRow>& months, double (*value)(const StatsRow&)) {
  Bars bars{{}, [&months](std::size_t i) { return months[i].period; }};
  for (std::size_t i = 0; i + 1 < months.size(); ++i) bars.values.push_back(value(months[i]));
  return bars;
}

}  // namespace

OscPicture DrawChart(ChartKind kind, const std::vector<StoredEntry>& trips,
                     const std::vector<StoredEntry>& refuels, const std::vector<StatsRow>& months,
                     ChartSize size, std::vector<ChartTip>* tip_list, std::string_view separator) {
  OscPicture p;
  p.width = size.width;
  p.height = size.height;
  const Tips tips{tip_list, separator};
  switch (kind) {
    case ChartKind::Consumption:
      Consumption(p, trips, tips);
      break;
    case ChartKind::Monthly:
      DrawBars(p, "Пробег по месяцам, км", "км",
               MonthBars(months, [](const StatsRow& r) { return r.DistanceKm(); }), tips);
      break;
    case ChartKind::MonthlyFuel:
      DrawBars(p, "Топливо по месяцам, л", "л",
               MonthBars(months, [](const StatsRow& r) { return r.FuelL(); }), tips);
      break;
    case ChartKind::MonthlyCost:
      DrawBars(p, "Стоимость по месяцам", "",
               MonthBars(months, [](const StatsRow& r) { return r.cost; }), tips);
      break;
    case ChartKind::Refuels: {
      // Bar i - 1 is the interval that ends with refuelling i ("05.03" under it).
      Bars bars{{},
                [&refuels](std::size_t i) {
                  return ShownText(refuels[i + 1].entry.time).substr(0, 10);  // the day
                },
                5};
      for (std::size_t i = 1; i < refuels.size(); ++i)
        bars.values.push_back((refuels[i].entry.time - refuels[i - 1].entry.time) / 1440.0);
      DrawBars(p, "Дней между заправками", "дн.", bars, tips);
      break;
    }
  }
  return p;
}

}  // namespace mk::history

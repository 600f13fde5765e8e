// SPDX-License-Identifier: GPL-3.0-or-later
// Body codes B0xxx (the restraints: airbags' deployment loops, belt sensors)
// and chassis codes C0xxx (brake valves, the brake booster, wheel speed
// sensors, brake pedal switches, the stability sensors), as far as their
// generic meanings are known; the numbers the standards keep free say so.
//
// Many generic body and chassis numbers have meanings that makers read
// differently: some makers had filled B0xxx and C0xxx with their own codes
// before the generic list did (C0040 to C0050 as three wheel speed sensors,
// B0024 as a driver's airbag loop). Only the generic meaning is a row here; a number
// whose generic meaning is not known to us has no row, so it reads as a
// generic code without a description rather than as a guess.
#include "catalog/trouble_code_rows.h"

namespace mk::catalog::rows {
namespace {

std::string Deployment(std::string_view part) {
  return std::string(part) + ": цепь управления срабатыванием";
}

// A frontal airbag's deployment loops, one a stage, from `first` on.
void FrontalStages(RowSink& sink, std::string_view first, std::string_view seat, int stages) {
  std::vector<std::string> texts;
  for (int stage = 1; stage <= stages; ++stage)
    texts.push_back(
        Deployment(std::string(seat) + " фронтальная подушка, ступень " + std::to_string(stage)));
  sink.Run(first, texts);
}

std::string Fault(std::string_view part) {
  return std::string(part) + ": неисправность";
}

// The ABS modulator's inlet and outlet valves of one wheel. The codes are
// named, not counted: the right rear's pair sits at C001C and C001D.
void WheelValves(RowSink& sink, std::string_view inlet, std::string_view outlet,
                 std::string_view wheel) {
  const std::string w(wheel);
  sink.Add(inlet, Fault("Модулятор ABS, впускной клапан " + w));
  sink.Add(outlet, Fault("Модулятор ABS, выпускной клапан " + w));
}

// A wheel's speed sensor: the toothed ring it reads, the sensor and (where
// the number has no older meaning) the sensor's supply. Named, not counted,
// as the right rear's sensor is C003A.
void WheelSpeed(RowSink& sink, std::string_view ring, std::string_view sensor,
                std::string_view supply, std::string_view wheel) {
  const std::string w(wheel);
  sink.Add(ring, Fault("Импульсное кольцо " + w));
  sink.Add(sensor, Fault("Датчик скорости " + w));
  if (!supply.empty()) sink.Add(supply, Fault("Питание датчика скорости " + w));
}

void AddBody(RowSink& sink) {
  // clang-format off
  sink.Add("B0000", kReservedCodeText);
  sink.Run("B0001", {
      Deployment("Фронтальная подушка водителя, ступень 1"),
      Deployment("Фронтальная подушка водителя, ступень 2"),
      Deployment("Фронтальная подушка водителя, ступень 3"),
      Deployment("Коленная подушка водителя"),
      Deployment("Складывающаяся рулевая колонка"),
  });
  sink.Numbered("B0006", 4, kReservedCodeText);
  sink.Run("B0010", {
      Deployment("Фронтальная подушка пассажира, ступень 1"),
      Deployment("Фронтальная подушка пассажира, ступень 2"),
      Deployment("Фронтальная подушка пассажира, ступень 3"),
      Deployment("Коленная подушка пассажира"),
  });
  sink.Numbered("B0014", 6, kReservedCodeText);
  sink.Run("B0020", {
      Deployment("Левая боковая подушка безопасности"),
      Deployment("Левая шторка безопасности 1"),
      Deployment("Левая шторка безопасности 2"),
  });
  sink.Numbered("B0023", 5, kReservedCodeText);
  sink.Run("B0028", {
      Deployment("Правая боковая подушка безопасности"),
      Deployment("Правая шторка безопасности 1"),
  });
  sink.Add("B002A", Deployment("Правая шторка безопасности 2"));
  // The rear rows count on in eights: a side airbag, then the frontal
  // stages. B0034-B0037, the second row right's later stages and the third
  // row's other loops are not known to us.
  sink.Add("B0030", Deployment("Второй ряд, левая боковая подушка"));
  FrontalStages(sink, "B0031", "Второй ряд, левая", 3);
  sink.Add("B0038", Deployment("Второй ряд, правая боковая подушка"));
  FrontalStages(sink, "B0039", "Второй ряд, правая", 1);
  sink.Add("B0040", Deployment("Третий ряд, левая боковая подушка"));
  sink.Add("B004A", Deployment("Третий ряд, правая фронтальная подушка, ступень 2"));
  sink.Add("B0050", Fault("Датчик замка ремня безопасности водителя"));
  // B0051 on reads differently from source to source: no rows.
  // clang-format on
}

void AddChassis(RowSink& sink) {
  // clang-format off
  sink.Add("C0000", kReservedCodeText);
  sink.Run("C0001", {
      Fault("Противобуксовочная система, канал A, клапан 1"),
      Fault("Противобуксовочная система, канал A, клапан 2"),
      Fault("Противобуксовочная система, канал B, клапан 1"),
      Fault("Противобуксовочная система, канал B, клапан 2"),
  });
  // C0005, C0006, C0008, C0009 are not known to us.
  sink.Add("C0007", kReservedCodeText);
  sink.Add("C000A", kReservedCodeText);
  // Four wheels, four codes apart; the two between are not known to us.
  WheelValves(sink, "C0010", "C0011", "левого переднего колеса");
  WheelValves(sink, "C0014", "C0015", "правого переднего колеса");
  WheelValves(sink, "C0018", "C0019", "левого заднего колеса");
  WheelValves(sink, "C001C", "C001D", "правого заднего колеса");
  sink.Run("C0020", {
      "Электродвигатель насоса ABS: неисправность цепи управления",
      "Усилитель тормозов: плохая работа",
      Fault("Электромагнитный клапан усилителя тормозов"),
  });
  // Three codes a wheel, the same three for each; the right rear's supply
  // (C003B) completes the pattern the left wheels' show. C0035 keeps the
  // meaning every diagnostic list and workshop manual gives it, the left
  // front sensor's circuit, which the newer numbering did not take away.
  WheelSpeed(sink, "C0030", "C0031", "C0032", "левого переднего колеса");
  WheelSpeed(sink, "C0033", "C0034", "", "правого переднего колеса");
  sink.Add("C0035", "Цепь датчика скорости левого переднего колеса: неисправность");
  WheelSpeed(sink, "C0036", "C0037", "C0038", "левого заднего колеса");
  WheelSpeed(sink, "C0039", "C003A", "C003B", "правого заднего колеса");
  sink.Run("C0040", {
      Fault("Выключатель педали тормоза A"),
      Fault("Выключатель педали тормоза B"),
  });
  sink.Add("C0051", Fault("Датчик положения рулевого колеса"));
  sink.Run("C0061", {
      Fault("Датчик поперечного ускорения"),
      Fault("Датчик продольного ускорения"),
      Fault("Датчик угловой скорости рыскания"),
  });
  // clang-format on
}

}  // namespace

void AddBodyChassis(RowSink& sink) {
  AddBody(sink);
  AddChassis(sink);
}

}  // namespace mk::catalog::rows

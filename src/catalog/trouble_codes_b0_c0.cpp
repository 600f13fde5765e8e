// SPDX-License-Identifier: GPL-3.0-or-later
// Body codes B0xxx (the restraints: airbags' deployment loops, belt sensors)
// and chassis codes C0xxx (the wheel speed sensors), as far as their generic
// meanings are known; the numbers the standards keep free say so.
//
// Many generic body numbers have meanings that makers read differently: some
// makers had filled B0xxx with their own codes before the generic list did
// (B0024 as a driver's airbag loop). Only the generic meaning is a row here; a
// number whose generic meaning is not known to us has no row, so it reads as a
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
  // Wheel speed sensors, as the generic chassis codes name them.
  sink.Add("C0035", "Датчик скорости левого переднего колеса: неисправность цепи");
  sink.Add("C0040", "Датчик скорости правого переднего колеса: неисправность цепи");
  sink.Add("C0045", "Датчик скорости левого заднего колеса: неисправность цепи");
  sink.Add("C0050", "Датчик скорости правого заднего колеса: неисправность цепи");
}

}  // namespace

void AddBodyChassis(RowSink& sink) {
  AddBody(sink);
  AddChassis(sink);
}

}  // namespace mk::catalog::rows

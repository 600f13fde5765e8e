// SPDX-License-Identifier: GPL-3.0-or-later
// Body codes B0xxx (the airbags' deployment loops) and chassis codes C0xxx
// (the wheel speed sensors), as far as the generic codes go; the numbers the
// standards keep free say so.
#include "catalog/trouble_code_rows.h"

namespace mk::catalog::rows {
namespace {

std::string Deployment(std::string_view part) {
  return std::string(part) + ": цепь управления срабатыванием";
}

}  // namespace

void AddBodyChassis(RowSink& sink) {
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

  // Wheel speed sensors, as the generic chassis codes name them.
  sink.Add("C0035", "Датчик скорости левого переднего колеса: неисправность цепи");
  sink.Add("C0040", "Датчик скорости правого переднего колеса: неисправность цепи");
  sink.Add("C0045", "Датчик скорости левого заднего колеса: неисправность цепи");
  sink.Add("C0050", "Датчик скорости правого заднего колеса: неисправность цепи");
  // clang-format on
}

}  // namespace mk::catalog::rows

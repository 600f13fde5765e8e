// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl tank: the tank calibration of a settings file. Shown as the tank file
// holds it, saved to a tank file (.vrnko), or loaded from one into a new
// settings file, with the same core functions the page "Бак" uses.
#include <cstdio>
#include <string>

#include "device/field_paths.h"
#include "device/settings_file.h"
#include "device/tank_file.h"
#include "settings/tank_calibration.h"
#include "text/error.h"
#include "text/utf8_path.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/terminal_io.h"

namespace mk::tools {

namespace {

void PrintCalibration(const device::TMK& mk) {
  for (const device::TankFileItem& item : device::TankFileItems()) {
    const device::Record& rec = mk.Rec(item.block);
    const device::FieldDef& f = rec.Field(item.field);
    for (std::size_t i = 0; i < f.count; ++i) {
      const std::string index = f.IsArray() ? "[" + std::to_string(i) + "]" : "";
      std::printf("%s.%s%s=%s\n", std::string(rec.Def().name).c_str(), std::string(f.name).c_str(),
                  index.c_str(), device::FormatElement(rec, f, i).c_str());
    }
  }
  const auto typos = settings::TankChartOf(mk).table_typos;
  for (std::size_t i = 0; i < typos.size(); ++i) {
    if (typos[i]) std::fprintf(stderr, "Точка тарировки %zu похожа на опечатку.\n", i + 1);
  }
}

}  // namespace

int CmdTank(const Args& args) {
  const auto files = Operands(args);
  if (files.size() != 1) throw UsageError("укажите один файл настроек");
  const std::string save = Option(args, "save"), load = Option(args, "load"),
                    out = Option(args, "out");
  if (!save.empty() && !load.empty()) throw UsageError("укажите что-то одно: --save или --load");
  if (!load.empty() && out.empty()) throw UsageError("к --load нужен --out НОВЫЙ.vrnkp");
  if (load.empty() && !out.empty()) throw UsageError("--out нужен только вместе с --load");

  device::TMK mk;
  device::LoadSettingsFile(text::PathFromUtf8(files[0]), mk);
  if (!save.empty()) {
    device::SaveTankFile(text::PathFromUtf8(save), mk);
    std::printf("Настройки бака сохранены в файл «%s»\n", save.c_str());
    return 0;
  }
  if (load.empty()) {
    PrintCalibration(mk);
    return 0;
  }
  // Taken as the page takes it, but not in silence.
  std::fputs(device::LoadTankFile(text::PathFromUtf8(load), mk).Text().c_str(), stderr);
  // As the page would show it: a table count the MK cannot hold becomes 0.
  settings::TarirPointCount(mk);
  const device::BlockId tank_blocks[] = {device::BlockId::FuelSensor,
                                         device::BlockId::TankCalibration};
  mk.StoreBlocks(tank_blocks);
  device::SaveSettingsFile(text::PathFromUtf8(out), mk);
  std::printf("Настройки МК с настройками бака из «%s» сохранены в файл «%s»\n", load.c_str(),
              out.c_str());
  return 0;
}

}  // namespace mk::tools

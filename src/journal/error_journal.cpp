// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/error_journal.h"

#include <exception>

#include "catalog/protocol.h"
#include "catalog/trouble_codes.h"
#include "device/block_tables.h"
#include "device/mk.h"
#include "journal/number_format.h"
#include "text/byte_io.h"

namespace mk::journal {
namespace {

using bytes::FitsIn;
using bytes::ReadU16;
using bytes::ReadU32;

enum class Shown { Int, Tenths, Hundredths, FuelHigh, FuelLow, Air };

struct PidValue {
  int pid;
  std::size_t offset;  // in the error record
  const char* caption;
  Shown shown;
};

// In display order. The record stores speed (PID 13) before engine speed
// (PID 12), and the short-term trim of bank 2 (PID 8) before the long-term
// trim of bank 1 (PID 7); the offsets follow the record.
constexpr PidValue kPidValues[] = {
    {3, 12, "Сост. топливной системы 1", Shown::FuelHigh},
    {3, 12, "Сост. топливной системы 2", Shown::FuelLow},
    {4, 14, "Нагрузка на двигатель, %", Shown::Int},
    {5, 16, "ТОЖ, С", Shown::Int},
    {6, 18, "Краткосрочная корр.подачи топл.Б1, %", Shown::Int},
    {8, 20, "Краткосрочная корр.подачи топл.Б2, %", Shown::Int},
    {7, 22, "Долгосрочная корр.продачи топл.Б1, %", Shown::Int},
    {9, 24, "Долгосрочная корр.продачи топл.Б2, %", Shown::Int},
    {10, 26, "Давление топлива, кПа", Shown::Tenths},
    {11, 28, "Давление во впускном коллекторе, кПа", Shown::Int},
    {12, 32, "Обороты/мин", Shown::Int},
    {13, 30, "Скорость, км/час", Shown::Int},
    {14, 34, "Угол опережения зажигания, ВМТ", Shown::Tenths},
    {15, 36, "Температура всасываемого воздуха, С", Shown::Int},
    {16, 38, "Массовый расход воздуха, кг/час", Shown::Tenths},
    {17, 40, "Дроссель, %", Shown::Int},
    {18, 42, "Состояние вторичного воздуха", Shown::Air},
    {20, 44, "Датчик кислорода 1, В", Shown::Hundredths},
    {21, 46, "Датчик кислорода 2, В", Shown::Hundredths},
    {31, 48, "Время с момента запуска двигателя, с", Shown::Int},
    {33, 50, "Пробег с вкл. лампой неиспр., км", Shown::Int},
    {34, 52, "Давление в топл.рампе отн.вакуума, кПа", Shown::Int},
    {35, 54, "Давление в топл.рампе (выс.диап.), кПа", Shown::Tenths},
    {44, 56, "Желаемый расход системы EGR, %", Shown::Int},
    {45, 58, "Ошибка регул.расхода сис.EGR, %", Shown::Int},
    {46, 60, "Жел.уровень продувки паров топлива, %", Shown::Int},
    {48, 62, "Число прогревов двиг.с момента сброса ошибок", Shown::Int},
    {49, 64, "Пробег с момента сброса ошибок, км", Shown::Int},
    {50, 66, "Давление паров топ.в системе продувки", Shown::Int},
    {51, 68, "Атмосферное давление, кПа", Shown::Int},
    {60, 70, "Температура катализатора B1 S1, С", Shown::Int},
    {61, 72, "Температура катализатора B2 S1, С", Shown::Int},
    {62, 74, "Температура катализатора B1 S2, С", Shown::Int},
    {63, 76, "Температура катализатора B2 S2, С", Shown::Int},
    {66, 78, "Напряжение питания БУ, В", Shown::Tenths},
    {68, 80, "Желаемое значение лямбда", Shown::Hundredths},
    {69, 82, "Отн.положение дросс.заслонки, %", Shown::Int},
    {70, 84, "Температура внешнего воздуха, C", Shown::Int},
    {76, 86, "Жел. положение привода дросселя, %", Shown::Int},
    {77, 88, "Время с момента вкл.лампы неиспр., мин", Shown::Int},
    {78, 90, "Время с момента сброса ошибок, мин", Shown::Int},
};

std::string ValueText(std::span<const std::uint8_t> record, const PidValue& v,
                      std::string_view separator) {
  const std::uint16_t raw = ReadU16(record, v.offset);
  const auto value = static_cast<std::int16_t>(raw);
  switch (v.shown) {
    case Shown::Int:
      return Plain(value);
    case Shown::Tenths:
      return Fixed(value / 10.0, 1, separator);
    case Shown::Hundredths:
      return Fixed(value / 100.0, 2, separator);
    case Shown::FuelHigh:
      return FuelSystemState(static_cast<std::uint8_t>(raw >> 8));
    case Shown::FuelLow:
      return FuelSystemState(static_cast<std::uint8_t>(raw & 0xFF));
    case Shown::Air:
      return SecondaryAirState(raw);
  }
  return "";
}

const device::FieldDef& ErrorJournalField(std::string_view name) {
  return *device::BlockDefOf(device::BlockId::ErrorJournal).Find(name);
}

// The bytes of one element of the field, or none when the block is too short.
std::span<const std::uint8_t> Element(std::span<const std::uint8_t> block,
                                      const device::FieldDef& field, std::size_t index) {
  const std::size_t at = field.offset + index * field.elem_size;
  if (index >= field.count || !FitsIn(block.size(), at, field.elem_size)) return {};
  return block.subspan(at, field.elem_size);
}

std::span<const std::uint8_t> ErrorRecord(std::span<const std::uint8_t> block, std::size_t slot) {
  return Element(block, ErrorJournalField("ErrorRecords"), slot);
}

}  // namespace

ErrorCodeStyle CurrentErrorCodeStyle(const device::TMK& mk) {
  const device::Record& info = mk.Rec(device::BlockId::ServiceInfo);
  ErrorCodeStyle style;
  style.options.prot_type_main = static_cast<std::uint8_t>(info.GetInt("ProtTypeMain"));
  style.options.prot_type_add2 = static_cast<std::uint8_t>(info.GetInt("ProtTypeAdd2"));
  const std::int64_t protocol = info.GetInt("Protocol");
  style.format = catalog::TProtBase::kNoErrorFormat;
  if (protocol >= 256 || mk.FirmwareVersion() >= 256) return style;
  catalog::ProtocolCatalogue protocols;
  protocols.Build(mk.DeviceVersion(), static_cast<std::uint8_t>(protocol),
                  static_cast<std::uint8_t>(mk.FirmwareVersion()));
  if (const catalog::TProtBase* current = protocols.Current()) {
    style.format = current->ErrorCodeFormat;
    style.protocol = current->Name;
  }
  return style;
}

std::string DescribeErrorCode(std::uint32_t code, const ErrorCodeStyle& style) {
  const auto shown = ShownAs(code, style.format, style.options);
  if (!shown) return "";
  // Format 0 gives a letter to codes below 0x10000 only.
  if (shown->format == 0 && shown->code < 0x10000)
    return catalog::DescribeTroubleCode(static_cast<catalog::TroubleCode>(shown->code));
  return "Код в формате протокола " + style.protocol + ": описания нет";
}

void ClearErrorJournal(device::TMK& mk) {
  mk.ClearErrorJournal();
  device::Record& errors = mk.Rec(device::BlockId::ErrorJournal);
  for (std::size_t slot = 0; slot < device::kErrorRecords; ++slot) {
    bytes::WriteU32(errors.Element("ErrorRecords", slot), 8, 0);
  }
}

bool PidSupported(std::span<const std::uint8_t> pid_map, int pid) {
  if (pid < 1 || pid > 96) return false;
  const auto index = static_cast<std::size_t>(pid - 1);
  if (index / 8 >= pid_map.size()) return false;
  return (pid_map[index / 8] >> (7 - index % 8)) & 1;
}

std::string ErrorDate(std::uint16_t minutes, std::uint8_t day, std::uint8_t month) {
  return Plain(minutes / 60) + ":" + TwoDigit(minutes % 60) + " " + Plain(day) + "." +
         TwoDigit(month);
}

std::string FuelSystemState(std::uint8_t state) {
  switch (state) {
    case 1:
      return "Разомкнута";
    case 2:
      return "Замкнута";
    case 4:
      return "Разомк.(Раз/Тор)";
    case 8:
      return "Разомк.(Ошибка)";
    case 16:
      return "Замкн.(Датчик)";
    default:
      return "Неизвестно";
  }
}

std::string SecondaryAirState(std::uint16_t state) {
  switch (state) {
    case 1:
      return "В катализатор";
    case 2:
      return "Из катализатора";
    case 4:
      return "Выключено";
    default:
      return "Неизвестно";
  }
}

TextGrid ErrorGrid(std::span<const std::uint8_t> block, const ErrorCodeStyle& style) {
  TextGrid grid;
  grid.push_back({"#", "Время", "Код ошибки", "Описание"});
  for (std::size_t slot = 0; slot < device::kErrorRecords; ++slot) {
    std::vector<std::string> row = {Plain(static_cast<std::int64_t>(slot)), "", "", ""};
    const auto record = ErrorRecord(block, slot);
    if (!record.empty()) {
      if (const std::uint32_t code = ReadU32(record, 4); code != 0) {
        row[1] = ErrorDate(ReadU16(record, 0), record[2], record[3]);
        row[2] = RenderErrorCode(code, style.format, style.options);
        row[3] = DescribeErrorCode(code, style);
      }
    }
    grid.push_back(std::move(row));
  }
  return grid;
}

std::vector<CaptionedValue> FreezeFrameLines(std::span<const std::uint8_t> block, std::size_t slot,
                                             std::string_view separator) {
  std::vector<CaptionedValue> lines;
  const auto record = ErrorRecord(block, slot);
  if (record.empty()) return lines;
  const std::uint32_t code = ReadU32(record, 8);
  if (code == 0) return lines;
  lines.emplace_back("Код ошибки", RenderErrorCode(code, 0, {}));
  // Format 0 whatever the protocol: a code past the four letters has no description.
  if (code < 0x10000)
    lines.emplace_back(catalog::DescribeTroubleCode(static_cast<catalog::TroubleCode>(code)), "");
  const auto pid_map = Element(block, ErrorJournalField("PidMap"), 0);
  for (const PidValue& v : kPidValues) {
    if (PidSupported(pid_map, v.pid))
      lines.emplace_back(v.caption, ValueText(record, v, separator));
  }
  return lines;
}

}  // namespace mk::journal

// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl: the configurator's core for scripts and tests.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string_view>

#include "platform/program_arguments.h"
#include "text/error.h"
#include "tools/mkctl/command_line.h"
#include "tools/mkctl/commands.h"

#ifndef MK_VERSION
#define MK_VERSION "0"
#endif

namespace mk::tools {
namespace {

// One line a command: its name, what follows the name (every option it
// takes), and its help (the first line shows in the list of commands).
constexpr CommandEntry kCommands[] = {
    {"ports", "[--prefs ФАЙЛ]",
     "номера COM, которые есть, почему порт не открыть, и какой из них - МК на USB", CmdPorts},
    {"doctor", "",
     "что мешает подключиться к МК и что с этим сделать\n"
     "Смотрит, есть ли МК на USB (04D8:000A), владельца, группу и права каждого порта, правило\n"
     "udev (uaccess), программы, которые держат порт открытым, ModemManager, brltty и таймер\n"
     "задержки переходников USB. Код возврата 0, когда ничего не мешает, 1, когда что-то мешает.",
     CmdDoctor},
    {"identify", "--port ПОРТ [--timeout СЕКУНДЫ] [--prefs ФАЙЛ]",
     "какой МК отвечает на порту: адрес, память, версия устройства\n"
     "Печатает строки «address N», «memory N», «device-version N».",
     CmdIdentify},
    {"catalog", "--device-version ЧИСЛО --variant ЧИСЛО | --file ФАЙЛ [--protocol ЧИСЛО] [--json]",
     "что программа предлагает для модели и варианта МК: флаги, протоколы, параметры, меню\n"
     "  --device-version, --variant  модель МК и вариант прошивки\n"
     "  --file ФАЙЛ                  взять их (и протокол) из файла настроек\n"
     "  --protocol ЧИСЛО             выбранный протокол\n"
     "  --json                       вывод в JSON",
     CmdCatalog},
    {"read",
     "--port ПОРТ --out ФАЙЛ [--timeout СЕКУНДЫ] [--prefs ФАЙЛ] [--vehicle ИМЯ] [--at ДАТА] "
     "[--no-history]",
     "считать всю память МК в файл настроек\n"
     "  --out ФАЙЛ      файл настроек (*.vrnkp), который будет записан\n"
     "  --vehicle ИМЯ   чья история пополняется журналами (по умолчанию - последний\n"
     "                  автомобиль, для первого чтения «МК <модель>»)\n"
     "  --no-history    не добавлять журналы в историю поездок\n"
     "  --at ДАТА       время чтения для истории, ГГГГ-ММ-ДДTЧЧ:ММ (по умолчанию сейчас)\n"
     "Журналы каждого чтения добавляются в историю (~/.local/share/mkconfig/history.sqlite);\n"
     "если историю записать нельзя, чтение всё равно удаётся, а причина печатается.",
     CmdRead},
    {"write",
     "--port ПОРТ --in ФАЙЛ [--timeout СЕКУНДЫ] [--prefs ФАЙЛ] [--no-backup] [--no-verify] "
     "[--dry-run] [--only ИМЕНА] [--except ИМЕНА]",
     "записать настройки из файла настроек в МК\n"
     "  --in ФАЙЛ    файл настроек (*.vrnkp); повреждённый файл не записывается\n"
     "  --only ИМЕНА    записать только эти изменения (имена, как их печатает settings,\n"
     "                  через запятую); остальные настройки МК остаются как есть\n"
     "  --except ИМЕНА  записать все изменения, кроме этих; если МК уже хранит\n"
     "                  выбранное, ничего не записывается\n"
     "  --dry-run    подключиться, считать память МК, напечатать, что изменится, и ничего\n"
     "               не записывать; код выхода 0 - менять нечего, 1 - есть изменения\n"
     "  --no-backup  не сохранять память МК перед записью (иначе копия ложится в\n"
     "               ~/.local/share/mkconfig/backups, хранятся 50 последних; папку и число\n"
     "               меняют ключи Folder и Keep раздела [Backup] файла --prefs)\n"
     "  --no-verify  не считывать записанные блоки обратно для сверки\n"
     "Перед записью печатает, что изменится в МК, словами редактора (как diff --shown\n"
     "памяти МК и файла). Печатает «backup ПУТЬ» - где копия памяти МК до записи.\n"
     "Если запись прервалась после начала, сообщение говорит, какие блоки уже записаны\n"
     "и где копия.\n"
     "«RS232. Ошибка обмена.(0)»: ответ МК пришёл с неверной контрольной суммой;\n"
     "«RS232. Ошибка обмена.(4)»: в ответе нулевые адрес и заголовок (ответил не МК).",
     CmdWrite},
    {"info", "ФАЙЛ",
     "что в файле настроек: версии устройства и прошивки, каталог блоков, исправен ли он\n"
     "Последняя строка - «verdict ok» или «verdict» и что в файле не так; у повреждённого\n"
     "файла код выхода 1 (write, dump и другие команды такой файл не берут).",
     CmdInfo},
    {"dump", "ФАЙЛ [--json]",
     "каждое поле файла настроек строкой Блок.Поле=значение\n"
     "  --json  объект JSON: device_version, firmware_version и fields - список\n"
     "          {\"path\", \"type\", \"value\"}; type - u8 s8 u16 s16 u32 s32 u16be (value -\n"
     "          целое число), f32 (число или null), text (строка), bytes (строка\n"
     "          шестнадцатеричных цифр)",
     CmdDump},
    {"set", "ФАЙЛ БЛОК.ПОЛЕ=ЗНАЧЕНИЕ... --out ФАЙЛ",
     "поменять поля файла настроек по именам и записать новый файл\n"
     "  БЛОК.ПОЛЕ=ЗНАЧЕНИЕ  как их печатает dump (тексты с \\n, \\t, \\xNN, \\\\);\n"
     "                      значение вне диапазона поля не принимается\n"
     "  --out ФАЙЛ          новый файл настроек",
     CmdSet},
    {"diff",
     "ФАЙЛ [ФАЙЛ2] [--port ПОРТ] [--settings-only] [--shown] [--json] [--timeout СЕКУНДЫ] "
     "[--prefs ФАЙЛ]",
     "сравнить два файла настроек или файл с памятью МК, поле за полем\n"
     "  ФАЙЛ2            второй файл настроек; или --port ПОРТ: память МК\n"
     "  --settings-only  без журналов, итогов и журнала ошибок\n"
     "  --shown          словами редактора: «Страница / Группа / Настройка, ед.: было → стало»;\n"
     "                   скрытые для МК второго файла настройки отдельным списком, журналы и\n"
     "                   прочая память - числом различий («Журнал поездок: 3 записи различаются»)\n"
     "  --json           с --shown: объект JSON header, changes, hidden, other\n"
     "Строка на каждое различие «Блок.Поле[i]: было -> стало», затем число различий.\n"
     "Код выхода: 0 - одинаковы, 1 - различаются, 2 - сравнить не удалось.",
     CmdDiff},
    {"backups", "[ФАЙЛ] [--show N] [--port ПОРТ] [--timeout СЕКУНДЫ] [--prefs ФАЙЛ]",
     "резервные копии памяти МК, которые оставила запись, новые первыми\n"
     "Строка на копию: номер, дата и время, версия устройства, размер памяти, путь.\n"
     "  --show N  что изменит восстановление копии N (словами редактора, как diff --shown)\n"
     "            против файла настроек ФАЙЛ или памяти МК (--port ПОРТ);\n"
     "            код выхода 0 - одинаковы, 1 - различаются",
     CmdBackups},
    {"settings",
     "ФАЙЛ [--page СТРАНИЦА] [--json] [--set ИМЯ=ЗНАЧЕНИЕ] [--take-from ФАЙЛ2 --pages СТРАНИЦЫ]"
     " [--export] [--import ТЕКСТ.txt] [--partial] [--out НОВЫЙ.vrnkp]",
     "настройки файла, как их показывает редактор: ИМЯ=значение по страницам\n"
     "  без параметров          каждая настройка редактора строкой ИМЯ=значение, и те, что\n"
     "                          окно рисует само: места экранов (параметр), цвета (R,G,B\n"
     "                          0…31), горячие меню (имена пунктов), выбранные допсистемы\n"
     "                          (номера); выбор - его текстом, флажки - да/нет, тексты - как\n"
     "                          их печатает dump (\\n, \\t, \\xNN, \\\\); скрытые для\n"
     "                          этого МК помечены «# скрыта», значения вне правил настройки\n"
     "                          печатаются как хранятся и помечены «# вне диапазона»\n"
     "  --page СТРАНИЦА         только одна страница (её заголовок, например Границы)\n"
     "  --json                  объект JSON: settings - список {name, caption, page, group,\n"
     "                          shown, stored, unit, min, max, step, hidden, out_of_range},\n"
     "                          blocks - выбранные допсистемы {number, name}\n"
     "  --set ИМЯ=ЗНАЧЕНИЕ      изменить настройку по правилам редактора; можно несколько раз\n"
     "  --take-from ФАЙЛ2       взять из ФАЙЛ2 настройки страниц --pages (через запятую,\n"
     "  --pages СТРАНИЦЫ        как в редакторе: Дисплей,Озвуч.сообщения); печатает, что\n"
     "                          изменилось; скрытые для этого МК настройки не берутся\n"
     "  --out НОВЫЙ.vrnkp       записать файл настроек с изменениями; при любой ошибке\n"
     "                          файл не пишется\n"
     "  --export                настройки страниц --pages (по умолчанию всех) текстом UTF-8:\n"
     "                          [Страница], затем ИМЯ = значение, над ним комментарий с\n"
     "                          подписью и допустимыми значениями; в --out ТЕКСТ.txt или\n"
     "                          на экран; скрытые для этого МК настройки не пишутся\n"
     "  --import ТЕКСТ.txt      взять такой текст по правилам --set; о каждой непринятой\n"
     "                          строке - её номер, подпись и диапазон, и файл не пишется;\n"
     "                          скрытые для этого МК настройки пропускаются и перечисляются\n"
     "  --partial               с --import: взять принятые строки, перечислить остальные",
     CmdSettings},
    {"preview", "ФАЙЛ --screen ВИД:N --out РИСУНОК.png",
     "один экран МК из файла настроек, нарисованный в PNG\n"
     "  --screen ВИД:N       вид экрана (x4 x9 x7 x3 x6 graph arrow) и его номер, например x4:1\n"
     "  --out РИСУНОК.png    файл рисунка",
     CmdPreview},
    {"scope", "ФАЙЛ [--svg РИСУНОК.svg] [--txt ТЕКСТ.txt] [--offset ОТСЧЁТЫ] [--time-index ИНДЕКС]",
     "осциллограмма из файла настроек: рисунок SVG, как в окне просмотра, или текст отсчётов\n"
     "  --svg РИСУНОК.svg     сетка, подписи, кривая и метки запуска\n"
     "  --txt ТЕКСТ.txt       номер, время (мс) и напряжение (В) каждого отсчёта через табуляцию,\n"
     "                        в Windows-1251, как сохраняет окно просмотра\n"
     "  --offset ОТСЧЁТЫ      сдвиг рисунка, -32…992; по умолчанию 0\n"
     "  --time-index ИНДЕКС   масштаб времени рисунка 0…9 (0.5…500 мс/деление); по умолчанию "
     "записанный",
     CmdScope},
    {"tank", "ФАЙЛ [--save БАК.vrnko | --load БАК.vrnko --out НОВЫЙ.vrnkp]",
     "калибровка бака из файла настроек: показать, сохранить в файл настроек бака, загрузить из "
     "него\n"
     "  без параметров          тринадцать значений файла бака строками Блок.Поле=значение;\n"
     "                          точки тарировки, похожие на опечатку, - на поток ошибок\n"
     "  --save БАК.vrnko        сохранить калибровку в файл настроек бака (245 байт)\n"
     "  --load БАК.vrnko        взять калибровку из файла настроек бака...\n"
     "  --out НОВЫЙ.vrnkp       ...и записать файл настроек с ней; остальное - как в ФАЙЛ",
     CmdTank},
    {"journals", "ФАЙЛ [--tsv ПАПКА] [--decimal-separator ЗНАК] [--json]",
     "журналы и средние из файла настроек, как их показывает окно просмотра журналов\n"
     "Журналы поездок, заправок, ошибок (с описанием кода) со стоп-кадрами и средние,\n"
     "строки через табуляцию.\n"
     "  --json                     объект JSON: trip_journal и tank_journal - {columns, rows},\n"
     "                             totals - список {group, lines}, errors - список {slot, time,\n"
     "                             code, description, freeze_frame}; строки - {caption, value}\n"
     "  --tsv ПАПКА                записать в папку журналы поездок (trip_journal.txt) и заправок\n"
     "                             (tank_journal.txt) так же, как «Сохранить в файл» окна\n"
     "  --decimal-separator ЗНАК   десятичный разделитель , или .; по умолчанию системный",
     CmdJournals},
    {"dtc", "КОД... | --list [СИСТЕМА] [--json]",
     "что значат коды ошибок OBD-II (P0301, U0100): строка «КОД<табуляция>описание» на код\n"
     "  КОД...           коды в любом регистре, можно с пробелом (p0301, \"P 0301\"); неверный\n"
     "                   код - код выхода 2 и его имя в сообщении\n"
     "  --list [СИСТЕМА] весь каталог или одна система: P, C, B, U\n"
     "  --json           список JSON {code, description}\n"
     "Коды, значение которых задаёт производитель (P1xxx, U1xxx…), так и описаны.",
     CmdDtc},
    {"history",
     "ДЕЙСТВИЕ [ФАЙЛ...] [--vehicle ИМЯ] [--at ДАТА] [--kind ВИД] [--from ДАТА] [--to ДАТА] "
     "[--by ПЕРИОД] [--csv ФАЙЛ] [--out РИСУНОК.svg] [--json]",
     "история поездок, заправок и ошибок всех чтений МК\n"
     "  import ФАЙЛ...   добавить журналы файлов настроек; время чтения - время изменения\n"
     "                   файла или --at ГГГГ-ММ-ДДTЧЧ:ММ\n"
     "  list             записи: --kind trips|refuels|errors, --from, --to ДАТА\n"
     "  stats            по месяцам или годам (--by month|year) с итогом\n"
     "  chart consumption|monthly|refuels --out РИСУНОК.svg  график: расход по поездкам со\n"
     "                   скользящим средним, пробег по месяцам, дни между заправками\n"
     "  vehicles         автомобили истории\n"
     "  export --csv ФАЙЛ  поездки в CSV для таблиц (UTF-8, «;»)\n"
     "  --vehicle ИМЯ    чей журнал; import с более низкими итогами, чем у автомобиля,\n"
     "                   принимается, только если он назван явно\n"
     "  --json           list: kind, vehicle, time, road_s, distance_m, petrol_ml, gas_ml, cost;\n"
     "                   stats: period, trips, road_s, distance_km, fuel_l, l_per_100km, cost\n"
     "История - файл history.sqlite в ~/.local/share/mkconfig (%LOCALAPPDATA%\\mkconfig).",
     CmdHistory},
};

// Options described once for every command that names them in its usage.
constexpr OptionHelp kOptions[] = {
    {"--port ПОРТ", "порт МК: номер COM (7, COM7) или путь к устройству (/dev/ttyACM0)"},
    {"--timeout СЕКУНДЫ", "сколько искать МК, прежде чем сдаться; по умолчанию 10"},
    {"--prefs ФАЙЛ",
     "файл настроек программы (mkconfig.ini): раздел [Ports] ставит устройства за номера COM"},
    {"--log ФАЙЛ",
     "журнал обмена: каждый кадр к МК и от него (мс от начала, > или <, байты, команда); "
     "можно и перед командой: mkctl --log ФАЙЛ КОМАНДА ..."},
};

// Options every command takes, as a usage line writes them.
constexpr std::string_view kCommonOptions = "[--log ФАЙЛ]";

const CommandEntry* FindCommand(std::string_view name) {
  for (const auto& c : kCommands) {
    if (name == c.name) return &c;
  }
  return nullptr;
}

std::vector<UsageOption> AcceptedOptions(const CommandEntry& c) {
  return OptionsOf(std::string(c.usage) + " " + std::string(kCommonOptions));
}

int Run(const CommandEntry& c, const Args& args) {
  try {
    if (CheckArgs(args, AcceptedOptions(c), MaxOperands(c.usage))) {
      std::fputs(CommandHelp(c, kOptions, kCommonOptions).c_str(), stdout);
      return 0;
    }
    return c.run(args);
  } catch (const UsageError& e) {
    std::fprintf(stderr, "mkctl %s: %s\nИспользование: %s\nСправка: mkctl %s --help\n", c.name,
                 e.what(), UsageLine(c, kCommonOptions).c_str(), c.name);
    return 2;
  } catch (const Error& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Ошибка: %s\n", e.what());
    return 1;
  }
}

}  // namespace

std::string Option(const Args& args, const std::string& name, const std::string& fallback) {
  for (std::size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] == "--" + name) return args[i + 1];
  }
  return fallback;
}

bool HasFlag(const Args& args, const std::string& name) {
  for (const auto& a : args) {
    if (a == "--" + name) return true;
  }
  return false;
}

std::vector<std::string> Operands(const Args& args) {
  // An option takes a value in every command or in none, so the whole table tells.
  std::vector<UsageOption> all;
  for (const auto& c : kCommands) {
    for (auto& o : AcceptedOptions(c)) all.push_back(std::move(o));
  }
  return OperandsOf(args, all);
}

}  // namespace mk::tools

int main(int raw_argc, char** raw_argv) {
  using namespace mk::tools;
  mk::platform::ProgramArguments arguments(raw_argc, raw_argv);
  int argc = arguments.Argc();
  char** argv = arguments.Argv();
  // `mkctl --log FILE COMMAND ...` is `mkctl COMMAND ... --log FILE`.
  Args leading;
  if (argc >= 2 && std::string_view(argv[1]) == "--log") {
    if (argc < 3) {
      std::fprintf(stderr, "mkctl: у --log нет значения: --log ФАЙЛ КОМАНДА ...\n");
      return 2;
    }
    leading = {argv[1], argv[2]};
    argv += 2;
    argc -= 2;
  }
  const std::string_view first = argc < 2 ? "" : argv[1];
  if (first == "--help" || first == "-h" || first == "help") {
    const CommandEntry* c = argc > 2 ? FindCommand(argv[2]) : nullptr;
    std::fputs(c ? CommandHelp(*c, kOptions, kCommonOptions).c_str()
                 : ToolHelp(kCommands, kOptions, kCommonOptions).c_str(),
               stdout);
    return 0;
  }
  if (first == "--version") {
    std::printf("mkctl %s\n", MK_VERSION);
    return 0;
  }
  const CommandEntry* c = FindCommand(first);
  if (c == nullptr) {
    if (first.empty()) {
      std::fprintf(stderr, "mkctl: не указана команда\n");
    } else {
      std::fprintf(stderr, "mkctl: неизвестная команда «%s»\n", argv[1]);
    }
    std::fprintf(stderr, "Список команд: mkctl --help\n");
    return 2;
  }
  Args args(argv + 2, argv + argc);
  args.insert(args.end(), leading.begin(), leading.end());
  return Run(*c, SplitAssignments(args));
}

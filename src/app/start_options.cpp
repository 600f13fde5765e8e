// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/start_options.h"

namespace mk::app {

StartOptions ParseStartOptions(const QStringList& args) {
  StartOptions options;
  for (qsizetype i = 1; i < args.size(); ++i) {
    const QString& arg = args.at(i);
    const bool has_value = i + 1 < args.size();
    if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
      options.help = true;
    } else if (arg == QLatin1String("--version")) {
      options.version = true;
    } else if (arg == QLatin1String("--ini")) {
      if (has_value) options.ini = args.at(++i);
    } else if (arg == QLatin1String("--lock-name")) {
      if (has_value) options.lock_name = args.at(++i);
    } else if (arg.startsWith(QLatin1String("--"))) {
      // An option of a later version: not a file to open.
    } else if (options.settings_file.isEmpty() && !arg.isEmpty()) {
      options.settings_file = arg;
    }
  }
  return options;
}

StartOptions ParseStartOptions(int argc, const char* const* argv) {
  QStringList args;
  for (int i = 0; i < argc; ++i) args.append(QString::fromLocal8Bit(argv[i]));
  return ParseStartOptions(args);
}

const char* StartUsage() {
  return "mkconfig - просмотр и настройка параметров бортового компьютера МК.\n"
         "\n"
         "Находит МК на его последовательном порту USB (04D8:000A) или на выбранном порту,\n"
         "считывает всю его память, показывает все настройки в редакторе, журналы поездок,\n"
         "заправок и ошибок и осциллограмму, сохраняет настройки в файл (*.vrnkp) и\n"
         "записывает их обратно в МК, перед каждой записью сохраняя копию его памяти.\n"
         "\n"
         "Использование:\n"
         "  mkconfig [ФАЙЛ]         открыть окно; ФАЙЛ - файл настроек (*.vrnkp), который\n"
         "                          окно сразу считает, как «Считать настройки из файла на диске»\n"
         "                          (файл бака *.vrnko открывается в редакторе на странице\n"
         "                          «Бак» поверх уже считанных настроек)\n"
         "  mkconfig --help | --version\n"
         "\n"
         "Параметры:\n"
         "  --ini ФАЙЛ              файл настроек программы вместо обычного\n"
         "  --lock-name ИМЯ         имя защиты от второй копии вместо имени файла программы\n"
         "  -h, --help              справка\n"
         "  --version               версия программы\n"
         "\n"
         "Запущенная второй раз программа выводит на передний план первую, передаёт ей\n"
         "указанный ФАЙЛ (первая считывает его, сначала спросив о несохранённых изменениях)\n"
         "и завершается.\n"
         "\n"
         "Коды выхода:\n"
         "  0  окно закрыто, вторая копия вывела первую вперёд, или напечатаны справка или "
         "версия\n";
}

}  // namespace mk::app

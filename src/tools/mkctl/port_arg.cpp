// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/mkctl/port_arg.h"

#include <cmath>
#include <cstdio>
#include <sstream>

#include "device/file_reader.h"
#include "link/line_speed.h"
#include "platform/port_trouble.h"
#include "text/error.h"
#include "text/ini_file.h"
#include "text/utf8_path.h"
#include "tools/mkctl/terminal_io.h"

namespace mk::tools {

text::IniFile PrefsFromArgs(const Args& args) {
  text::IniFile ini;
  const std::string prefs = Option(args, "prefs");
  if (!prefs.empty()) {
    const auto bytes = device::ReadFileAtMost(
        text::PathFromUtf8(prefs), text::kMaxPreferencesFileSize,
        {"Не могу прочитать файл настроек «" + prefs + "».",
         "Файл настроек «" + prefs + "» слишком велик для файла настроек программы."});
    ini.Parse(std::string(bytes.begin(), bytes.end()));
  }
  return ini;
}

std::unique_ptr<platform::SerialSystem> SerialSystemFromArgs(const Args& args) {
  auto system = platform::CreateSerialSystem();
  if (!Option(args, "prefs").empty()) system->LoadPreferences(PrefsFromArgs(args));
  return system;
}

void ClosingExchangeLog::operator()(link::ExchangeLogFile* log) const {
  if (log != nullptr && !log->Ok()) {
    std::fprintf(stderr, "Журнал обмена «%s» записан не полностью: %s.\n", path.c_str(),
                 log->Problem().c_str());
  }
  delete log;
}

ToolExchangeLog ExchangeLogFromArgs(const Args& args, link::IClock& clock) {
  const std::string path = Option(args, "log");
  if (path.empty()) return nullptr;
  ToolExchangeLog log(new link::ExchangeLogFile(text::PathFromUtf8(path), false, clock.TickCount(),
                                                "mkctl: журнал обмена с МК"),
                      ClosingExchangeLog{path});
  // One that opened but takes nothing (a full disk) is said to be incomplete
  // when it closes, once.
  if (log->Opened()) return log;
  // The transfer matters more than its log: it goes on without one.
  std::fprintf(stderr, "Журнал обмена не ведётся: не удалось открыть «%s»: %s.\n", path.c_str(),
               log->Problem().c_str());
  delete log.release();
  return nullptr;
}

int PortFromArgs(platform::SerialSystem& system, const Args& args) {
  const std::string text = Option(args, "port");
  if (text.empty()) throw UsageError("укажите порт: --port ПОРТ (7, COM7 или путь к устройству)");
  platform::PortArgument arg;
  try {
    arg = platform::ParsePortArgument(text);
  } catch (const Error& e) {
    throw UsageError(e.what());
  }
  const int n = system.Resolve(arg);
  if (n == 0) throw Error("Порту «" + text + "» не досталось свободного номера COM1..COM32.");
  const platform::PortCheck check = system.Check(n);
  if (check.state != platform::PortState::kFree) {
    throw Error(platform::PortTroubleWithFix(n, system.PortName(n), check));
  }
  return n;
}

void OpenAtMkSpeed(link::TVL_RS& rs, platform::SerialSystem& system, int n) {
  rs.OpenPort(n);
  rs.SetBaud(link::kLineBaud);
  if (!rs.IsOpen() || rs.PortNumber() != n) {
    throw Error("Не могу открыть порт COM" + std::to_string(n) + " (" + system.PortName(n) + ").");
  }
}

std::uint32_t TimeoutMs(const std::string& seconds) {
  std::istringstream in(seconds);
  double value = 0;
  in >> value;
  if (seconds.empty() || !in || !in.eof() || !std::isfinite(value) || value <= 0 || value > 86400) {
    throw UsageError("неверное время ожидания «" + seconds + "»: нужно число секунд больше 0");
  }
  return static_cast<std::uint32_t>(std::lround(value * 1000));
}

void StderrPrompt::ShowError(const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
}

void StderrPrompt::ShowInfo(const std::string& text) {
  std::fprintf(stdout, "%s\n", text.c_str());
}

bool StderrPrompt::AskYesNo(const std::string& text) {
  std::fprintf(stderr, "%s Нет.\n", text.c_str());
  return false;
}

}  // namespace mk::tools

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/mkctl/command_line.h"

#include <algorithm>
#include <cstdint>

namespace mk::tools {
namespace {

bool IsOptionWord(std::string_view w) {
  return w.size() > 1 && w[0] == '-' && w != "--";
}

bool IsHelp(std::string_view w) {
  return w == "-h" || w == "--help";
}

const UsageOption* Find(const std::vector<UsageOption>& options, std::string_view name) {
  const auto it = std::find_if(options.begin(), options.end(),
                               [&](const UsageOption& o) { return o.name == name; });
  return it == options.end() ? nullptr : &*it;
}

/// Walks the words, telling each one's role; stops at the first fault.
template <typename OnOperand>
void Walk(const Args& args, const std::vector<UsageOption>& options, bool& help, std::string& fault,
          OnOperand on_operand) {
  bool operands_only = false;
  std::vector<std::string> seen;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& w = args[i];
    if (operands_only || !IsOptionWord(w)) {
      if (w == "--" && !operands_only) {
        operands_only = true;
      } else {
        on_operand(w);
      }
      continue;
    }
    if (IsHelp(w)) {
      help = true;
      continue;
    }
    const UsageOption* o = Find(options, w);
    if (o == nullptr) {
      if (fault.empty()) fault = "неизвестный параметр " + w;
      continue;
    }
    // A second value would silently lose to the first; only assignments
    // (--set ИМЯ=ЗНАЧЕНИЕ) add up.
    const bool adds_up = o->value.find('=') != std::string::npos;
    if (!adds_up && std::find(seen.begin(), seen.end(), w) != seen.end()) {
      if (fault.empty()) fault = "параметр " + w + " указан дважды";
    }
    seen.push_back(w);
    if (o->value.empty()) continue;
    if (i + 1 >= args.size() || args[i + 1].rfind("--", 0) == 0) {
      if (fault.empty()) fault = "у параметра " + w + " нет значения (" + o->value + ")";
      continue;
    }
    ++i;
    // An empty value is no value: taking it for an absent option would hide the slip.
    if (args[i].empty() && fault.empty())
      fault = "у параметра " + w + " нет значения (" + o->value + ")";
  }
}

std::string Column(const std::string& left, const std::string& right) {
  std::size_t chars = 0;
  for (char ch : left) chars += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
  return "  " + left + std::string(chars < 22 ? 22 - chars : 1, ' ') + right + "\n";
}

std::string GlossaryFor(std::string_view usage, std::span<const OptionHelp> glossary) {
  std::string out;
  const auto named = OptionsOf(usage);
  for (const OptionHelp& g : glossary) {
    const auto own = OptionsOf(g.spec);
    if (!own.empty() && Find(named, own.front().name) != nullptr) out += Column(g.spec, g.help);
  }
  return out;
}

}  // namespace

const char* const kExitStatuses =
    "Коды выхода:\n"
    "  0  успех; результат и сообщения об успехе - на стандартный вывод\n"
    "  1  сбой (нет связи, файл не читается или повреждён, МК отказал); причина - на "
    "стандартный поток ошибок\n"
    "  2  неверная командная строка (неизвестная команда или параметр, нет значения "
    "параметра или оно пустое, параметр указан дважды, лишний операнд)\n";

namespace {

// The words of a usage line. Brackets and bars end a word and stand as words
// of their own, so that a flag in brackets is followed by "]" rather than by
// the next operand.
std::vector<std::string> UsageWords(std::string_view usage) {
  std::vector<std::string> words;
  std::string word;
  for (char ch : std::string(usage) + " ") {
    if (ch == ' ' || ch == '[' || ch == ']' || ch == '|') {
      if (!word.empty()) words.push_back(word);
      word.clear();
      if (ch != ' ') words.emplace_back(1, ch);
    } else {
      word += ch;
    }
  }
  return words;
}

}  // namespace

std::vector<UsageOption> OptionsOf(std::string_view usage) {
  std::vector<UsageOption> options;
  const std::vector<std::string> words = UsageWords(usage);
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i].rfind("--", 0) != 0 || words[i].size() < 3) continue;
    UsageOption o{words[i], ""};
    if (i + 1 < words.size() && words[i + 1][0] != '-' && words[i + 1] != "[" &&
        words[i + 1] != "]" && words[i + 1] != "|") {
      o.value = words[i + 1];
    }
    if (Find(options, o.name) == nullptr) options.push_back(o);
  }
  return options;
}

std::vector<std::string> SplitList(const std::string& list) {
  std::vector<std::string> words;
  std::size_t from = 0;
  for (std::size_t comma; (comma = list.find(',', from)) != std::string::npos; from = comma + 1) {
    words.push_back(list.substr(from, comma - from));
  }
  words.push_back(list.substr(from));
  return words;
}

Args SplitAssignments(const Args& words) {
  Args out;
  bool operands_only = false;
  for (const std::string& w : words) {
    const auto eq = w.find('=');
    if (!operands_only && w.rfind("--", 0) == 0 && eq != std::string::npos && eq > 2) {
      out.push_back(w.substr(0, eq));
      out.push_back(w.substr(eq + 1));
    } else {
      out.push_back(w);
    }
    operands_only = operands_only || w == "--";
  }
  return out;
}

std::size_t MaxOperands(std::string_view usage) {
  // A word right after an option is its value, as OptionsOf reads it.
  const std::vector<std::string> words = UsageWords(usage);
  std::size_t count = 0;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (w[0] == '-' || w == "[" || w == "]" || w == "|") continue;
    if (i > 0 && words[i - 1].rfind("--", 0) == 0) continue;
    if (w.ends_with("...")) return SIZE_MAX;
    ++count;
  }
  return count;
}

bool CheckArgs(const Args& args, const std::vector<UsageOption>& options,
               std::size_t max_operands) {
  bool help = false;
  std::string fault;
  std::size_t operands = 0;
  Walk(args, options, help, fault, [&](const std::string& w) {
    if (++operands > max_operands && fault.empty()) fault = "лишний операнд «" + w + "»";
  });
  if (help) return true;
  if (!fault.empty()) throw UsageError(fault);
  return false;
}

std::vector<std::string> OperandsOf(const Args& args, const std::vector<UsageOption>& options) {
  bool help = false;
  std::string fault;
  std::vector<std::string> operands;
  Walk(args, options, help, fault, [&](const std::string& w) { operands.push_back(w); });
  return operands;
}

std::string UsageLine(const CommandEntry& command, std::string_view common) {
  std::string line = std::string("mkctl ") + command.name;
  if (*command.usage != '\0') line += std::string(" ") + command.usage;
  if (!common.empty()) line += " " + std::string(common);
  return line;
}

std::string ToolHelp(std::span<const CommandEntry> commands, std::span<const OptionHelp> glossary,
                     std::string_view common) {
  std::string out =
      "mkctl - настройки МК из командной строки: порты, связь, чтение и запись настроек, "
      "файлы настроек.\n\n"
      "Использование:\n"
      "  mkctl КОМАНДА [параметры]\n"
      "  mkctl КОМАНДА --help      справка по команде\n"
      "  mkctl --help | --version\n\n"
      "Команды:\n";
  for (const CommandEntry& c : commands) {
    const std::string_view help = c.help;
    out += Column(c.name, std::string(help.substr(0, help.find('\n'))));
  }
  out += "\nПараметры (у каждой команды свои, см. mkctl КОМАНДА --help):\n";
  for (const OptionHelp& g : glossary) out += Column(g.spec, g.help);
  if (!common.empty()) out += "Параметры всех команд: " + std::string(common) + "\n";
  out += Column("-h, --help", "справка");
  out += "\nПараметр со значением можно писать и как --имя=значение.\n\n";
  return out + kExitStatuses;
}

std::string CommandHelp(const CommandEntry& command, std::span<const OptionHelp> glossary,
                        std::string_view common) {
  std::string out = "Использование: " + UsageLine(command, common) + "\n\n" + command.help + "\n";
  const std::string options =
      GlossaryFor(std::string(command.usage) + " " + std::string(common), glossary);
  out += "\nПараметры:\n" + options + Column("-h, --help", "эта справка") + "\n";
  return out + kExitStatuses;
}

}  // namespace mk::tools

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/program_arguments.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace mk::platform {
namespace {

std::string Utf8(const wchar_t* w) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string s(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w, -1, s.data(), n, nullptr, nullptr);
  s.resize(static_cast<std::size_t>(n - 1));
  return s;
}

}  // namespace

ProgramArguments::ProgramArguments(int argc, char** argv) {
  int count = 0;
  if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
    for (int i = 0; i < count; ++i) text_.push_back(Utf8(wide[i]));
    LocalFree(wide);
  } else {
    text_.assign(argv, argv + argc);
  }
  for (auto& a : text_) pointers_.push_back(a.data());
  pointers_.push_back(nullptr);
  // The programs print UTF-8; a console left at its OEM code page shows it garbled.
  SetConsoleOutputCP(CP_UTF8);
}

}  // namespace mk::platform

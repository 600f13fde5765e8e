// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/program_arguments.h"

namespace mk::platform {

// The arguments are bytes as the shell passed them; with a UTF-8 locale, UTF-8.
ProgramArguments::ProgramArguments(int argc, char** argv) : text_(argv, argv + argc) {
  for (auto& a : text_) pointers_.push_back(a.data());
  pointers_.push_back(nullptr);
}

}  // namespace mk::platform

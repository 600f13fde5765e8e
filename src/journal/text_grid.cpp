// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/text_grid.h"

#include "device/atomic_file.h"
#include "text/cp1251.h"
#include "text/error.h"
#include "text/file_error.h"
#include "text/utf8_path.h"

namespace mk::journal {

std::vector<std::uint8_t> ExportBytes(const TextGrid& grid) {
  std::string text;
  for (const auto& row : grid) {
    for (const auto& cell : row) {
      text += cell;
      text += '\t';
    }
    text += "\r\n";
  }
  const std::string bytes = text::Utf8ToCp1251(text);
  return {bytes.begin(), bytes.end()};
}

void SaveExport(const std::filesystem::path& path, const TextGrid& grid) {
  const std::error_code failure = device::TryWriteFileAtomically(path, ExportBytes(grid));
  if (failure) {
    throw Error("Не удалось записать файл «" + text::PathText(path) +
                "». Причина: " + text::FileErrorReason(failure) + ".");
  }
}

}  // namespace mk::journal

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/m_ini_file.h"

#include <QWidget>

#include <algorithm>
#include <fstream>
#include <system_error>

#include "device/atomic_file.h"
#include "device/file_reader.h"
#include "platform/prefs_path.h"
#include "text/error.h"
#include "text/utf8_path.h"

namespace mk::app {
namespace fs = std::filesystem;

namespace {

constexpr int kNormal = 0;
constexpr int kMinimised = 1;
constexpr int kMaximised = 2;
constexpr long kMaxCoordinate = 32767;

int StateOf(const QWidget& form) {
  if (form.isMaximized()) return kMaximised;
  if (form.isMinimized()) return kMinimised;
  return kNormal;
}

}  // namespace

TMIniFile::TMIniFile(fs::path path) : path_(std::move(path)) {
  std::error_code ec;
  if (!fs::exists(path_, ec)) {
    if (path_.has_parent_path()) fs::create_directories(path_.parent_path(), ec);
    // A folder we cannot write in leaves the defaults; the save at exit says why.
    try {
      device::WriteFileAtomically(path_, std::string_view(" \r\n"), FailureMessage());
    } catch (const Error&) {
    }
    return;
  }
  // Something that is not a readable file gives the defaults, like an empty one.
  if (!fs::is_regular_file(path_, ec)) return;
  try {
    const auto bytes = device::ReadFileAtMost(path_, text::kMaxPreferencesFileSize, {"", ""});
    ini_.Parse(std::string(bytes.begin(), bytes.end()));
  } catch (const std::exception&) {
    ini_ = text::IniFile();
  }
}

std::string TMIniFile::FailureMessage() const {
  return "Не могу записать файл " + text::PathText(path_) + ".";
}

fs::path TMIniFile::DefaultPath(const fs::path& program) {
  return platform::PrefsPath(program);
}

void TMIniFile::Save() const {
  std::error_code ec;
  if (path_.has_parent_path()) fs::create_directories(path_.parent_path(), ec);
  device::WriteFileAtomically(path_, ini_.Serialize(), FailureMessage());
}

void TMIniFile::LoadPlacement(const std::string& section, QWidget& form) const {
  const long state = ini_.ReadInteger(section, "State", StateOf(form));
  if (state == kMaximised) {
    form.setWindowState(Qt::WindowMaximized);
    return;
  }
  form.setWindowState(state == kMinimised ? Qt::WindowMinimized : Qt::WindowNoState);
  long left = ini_.ReadInteger(section, "Left", form.x());
  long top = ini_.ReadInteger(section, "Top", form.y());
  // Negative means off the left or top edge; absurd values from a damaged
  // file are kept within what a screen could show.
  left = std::clamp(left, 0L, kMaxCoordinate);
  top = std::clamp(top, 0L, kMaxCoordinate);
  form.move(static_cast<int>(left), static_cast<int>(top));
  // A fixed-size window keeps the size it was built with.
  if (form.minimumSize() != form.maximumSize()) {
    long width = ini_.ReadInteger(section, "Width", form.width());
    long height = ini_.ReadInteger(section, "Height", form.height());
    width = width < 0 ? 100 : std::min(width, kMaxCoordinate);
    height = height < 0 ? 100 : std::min(height, kMaxCoordinate);
    form.resize(static_cast<int>(width), static_cast<int>(height));
  }
}

void TMIniFile::SavePlacement(const std::string& section, const QWidget& form) {
  ini_.WriteInteger(section, "State", StateOf(form));
  ini_.WriteInteger(section, "Left", form.x());
  ini_.WriteInteger(section, "Top", form.y());
  ini_.WriteInteger(section, "Width", form.width());
  ini_.WriteInteger(section, "Height", form.height());
}

}  // namespace mk::app

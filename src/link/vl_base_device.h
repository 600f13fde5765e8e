// SPDX-License-Identifier: GPL-3.0-or-later
// The root of the link class family: a named device that keeps its settings
// in one section of the preferences file.
#pragma once

#include <string>

#include "text/ini_file.h"

namespace mk::link {

class TVLBaseDevice {
 public:
  TVLBaseDevice() = default;
  virtual ~TVLBaseDevice() = default;
  TVLBaseDevice(const TVLBaseDevice&) = delete;
  TVLBaseDevice& operator=(const TVLBaseDevice&) = delete;

  virtual void LoadSettings(text::IniFile& /*ini*/) {}
  virtual void SaveSettings(text::IniFile& /*ini*/) {}

  /// The section of the preferences file that holds this device's settings.
  const std::string& SectionName() const { return section_name_; }

 protected:
  void SetSectionName(std::string name) { section_name_ = std::move(name); }

 private:
  std::string section_name_;
};

}  // namespace mk::link

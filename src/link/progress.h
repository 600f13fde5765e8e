// SPDX-License-Identifier: GPL-3.0-or-later
// What a transfer tells the user while it runs, and how the user stops it.
#pragma once

#include <string>

namespace mk::link {

class IProgress {
 public:
  virtual ~IProgress() = default;
  virtual void SetLabel(const std::string& text) = 0;
  /// 0..100.
  virtual void SetGauge(int percent) = 0;
  virtual void ShowGauge(bool visible) = 0;
  virtual void ShowCancel(bool visible) = 0;
  /// True once the user has pressed Cancel.
  virtual bool Cancelled() = 0;
};

}  // namespace mk::link

// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's undo and redo. The image's records are the master copy, so a
// change is kept as the bytes it replaced and the bytes it wrote; undoing puts
// the old bytes back, redoing the new ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "device/mk.h"

namespace mk::settings {

class EditHistory {
 public:
  /// The records the editor may change: blocks 1-11 and the cargo record.
  explicit EditHistory(device::TMK& mk);

  /// Runs `change` on the records. When it throws, every record is put back
  /// as it was and the exception passed on, so a refused value leaves nothing
  /// half-written; otherwise the bytes it changed become one undo step (none
  /// when it changed nothing). Clears what could be redone.
  void Apply(const std::function<void()>& change);

  bool CanUndo() const { return done_ < steps_.size(); }
  bool CanRedo() const { return done_ > 0; }
  /// False when there is nothing to undo or redo. A step that puts another
  /// protocol entry back rebuilds the catalogues it selects, as choosing it did.
  bool Undo();
  bool Redo();
  /// The last undo or redo changed the selected protocol entry.
  bool ProtocolChanged() const { return protocol_changed_; }

 private:
  struct Span {
    device::BlockId block;
    std::size_t offset;
    std::vector<std::uint8_t> before, after;
  };
  using Step = std::vector<Span>;

  std::vector<std::vector<std::uint8_t>> Snapshot() const;
  void Put(const Step& step, bool after);

  device::TMK& mk_;
  // Newest step last; `done_` counts the undone steps at the end.
  std::vector<Step> steps_;
  std::size_t done_ = 0;
  bool protocol_changed_ = false;
};

}  // namespace mk::settings

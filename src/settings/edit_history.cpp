// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/edit_history.h"

#include <algorithm>
#include <array>

#include "settings/edited_blocks.h"

namespace mk::settings {

EditHistory::EditHistory(device::TMK& mk) : mk_(mk) {}

std::vector<std::vector<std::uint8_t>> EditHistory::Snapshot() const {
  std::vector<std::vector<std::uint8_t>> copy;
  copy.reserve(kEditedBlocks.size());
  for (device::BlockId block : kEditedBlocks) copy.push_back(mk_.Rec(block).Bytes());
  return copy;
}

void EditHistory::Apply(const std::function<void()>& change) {
  auto before = Snapshot();
  try {
    change();
  } catch (...) {
    for (std::size_t i = 0; i < kEditedBlocks.size(); ++i)
      mk_.Rec(kEditedBlocks[i]).Bytes() = before[i];
    throw;
  }
  Step step;
  for (std::size_t i = 0; i < kEditedBlocks.size(); ++i) {
    const auto& old_bytes = before[i];
    const auto& new_bytes = mk_.Rec(kEditedBlocks[i]).Bytes();
    // Runs of changed bytes; records never change size.
    std::size_t at = 0;
    while (at < new_bytes.size()) {
      if (old_bytes[at] == new_bytes[at]) {
        ++at;
        continue;
      }
      std::size_t end = at;
      while (end < new_bytes.size() && old_bytes[end] != new_bytes[end]) ++end;
      const auto from = static_cast<std::ptrdiff_t>(at), to = static_cast<std::ptrdiff_t>(end);
      step.push_back({kEditedBlocks[i],
                      at,
                      {old_bytes.begin() + from, old_bytes.begin() + to},
                      {new_bytes.begin() + from, new_bytes.begin() + to}});
      at = end;
    }
  }
  if (step.empty()) return;
  steps_.resize(steps_.size() - done_);
  done_ = 0;
  steps_.push_back(std::move(step));
}

void EditHistory::Put(const Step& step, bool after) {
  const device::Record& info = mk_.Rec(device::BlockId::ServiceInfo);
  const std::int64_t protocol = info.GetInt("Protocol");
  for (const Span& span : step) {
    const auto& bytes = after ? span.after : span.before;
    auto& record = mk_.Rec(span.block).Bytes();
    std::ranges::copy(bytes, record.begin() + static_cast<std::ptrdiff_t>(span.offset));
  }
  protocol_changed_ = info.GetInt("Protocol") != protocol;
  if (protocol_changed_) {
    mk_.RebuildCatalogues(device::CatalogueStep::Protocols);
    mk_.RebuildCatalogues(device::CatalogueStep::ParametersAndMenu);
  }
}

bool EditHistory::Undo() {
  if (!CanUndo()) return false;
  ++done_;
  Put(steps_[steps_.size() - done_], false);
  return true;
}

bool EditHistory::Redo() {
  if (!CanRedo()) return false;
  Put(steps_[steps_.size() - done_], true);
  --done_;
  return true;
}

}  // namespace mk::settings

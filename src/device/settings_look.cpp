// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/settings_look.h"

namespace mk::device {

void ShowSettings(TMK& mk, const std::function<void()>& show) {
  for (const BlockId block : kSettingsBlocks) mk.Load(block);
  const RecordCopy kept = mk.CopyRecords(kEditedBlocks);
  const auto put_back = [&] { mk.RestoreRecords(kept); };
  try {
    Record& info = mk.Rec(BlockId::ServiceInfo);
    const std::int64_t protocol = info.GetInt("Protocol");
    // 255 lies past the end of every variant's protocol list (fewer than 255
    // entries), so the catalogue is built with no entry selected.
    constexpr std::int64_t kNoEntry = 255;
    if (protocol < 0 || protocol > 255) info.SetInt("Protocol", kNoEntry);
    mk.RebuildCatalogues(CatalogueStep::Protocols);
    info.SetInt("Protocol", protocol);
    mk.RebuildCatalogues(CatalogueStep::ParametersAndMenu);
    if (show) show();
  } catch (...) {
    put_back();
    throw;
  }
  put_back();
}

}  // namespace mk::device

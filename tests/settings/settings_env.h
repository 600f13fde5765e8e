// SPDX-License-Identifier: GPL-3.0-or-later
// Device models for the settings tests: a given variant, and a protocol entry
// picked from its catalogue by what it offers.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "device/mk.h"
#include "settings/env.h"

namespace mk::settings::test {

/// A model of (device version, firmware variant) with its catalogues built.
/// An unknown pair (99, 0) gets the permissive variant.
inline void UseVariant(device::TMK& mk, std::uint16_t device_version, std::uint8_t firmware) {
  mk.SetDeviceVersion(device_version);
  mk.SetFirmwareVersion(firmware);
  mk.RebuildCatalogues(device::CatalogueStep::Protocols);
  mk.RebuildCatalogues(device::CatalogueStep::ParametersAndMenu);
}

/// Selects the first protocol entry that `wanted` accepts; false when none does.
inline bool UseProtocol(device::TMK& mk,
                        const std::function<bool(const catalog::TProtBase&)>& wanted) {
  const auto& items = mk.Catalogues().Protocols().Items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!wanted(items[i])) continue;
    mk.Rec(device::BlockId::ServiceInfo).SetInt("Protocol", static_cast<std::int64_t>(i));
    mk.RebuildCatalogues(device::CatalogueStep::Protocols);
    return true;
  }
  return false;
}

}  // namespace mk::settings::test

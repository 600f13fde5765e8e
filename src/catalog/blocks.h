// SPDX-License-Identifier: GPL-3.0-or-later
// The additional-system blocks (ECUs besides the engine's) an MK can poll.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/variant.h"

namespace mk::catalog {

struct SystemBlock {
  std::uint8_t number = 0;  // bit number in BlocksMask
  std::string name;
};

/// The blocks offered for a variant: "Доп.устройства" first with
/// ExtendedBlocks and HasTruckOptions, the common list, then with
/// ExtendedBlocks the extended list, whose hybrid entries need a hybrid protocol.
std::vector<SystemBlock> OfferedBlocks(Features features, bool hybrid_protocol);

}  // namespace mk::catalog

// SPDX-License-Identifier: GPL-3.0-or-later
// The item lists that depend on the variant and the selected protocol, and
// the protocol-selection and additional-system rules built on them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/blocks.h"
#include "device/mk.h"
#include "settings/env.h"

namespace mk::settings {

/// "Авт.", "АвтOBD" (HasAutoOBD), "АвтVAG" (IsVAG without NoAutoVAG),
/// "АвтOpl" (HasAutoOpel), "Руч."; the stored value is the index here.
std::vector<std::string> ProtocolSelectItems(catalog::Features features);
/// The names of every protocol entry, in catalogue order.
std::vector<std::string> ProtocolItems(const Env& env);
/// The caption and options of sub-type box `group` (0 cbProtTypeMain, 1-7
/// cbProtTypeAdd1-7) of the selected entry; empty without one.
catalog::OptionGroup ProtTypeGroup(const Env& env, std::size_t group);
/// "Расчетный"; "ДУТ" unless NoTankSensor; "ДУТ ЭБУ", "ДУТ ЭБУ2", "ДУТ ЭБУ3"
/// for the ECU level sensors the selected entry reports.
std::vector<std::string> TankMethItems(const Env& env);

/// Chooses the protocol entry at `index` as the user does in cbProtocol: a
/// different index is stored in Protocol, the eight sub-types become 0, and
/// the catalogues are rebuilt for it. The same index changes nothing. False
/// when nothing changed.
bool SelectProtocol(device::TMK& mk, std::int64_t index);

/// The blocks offered for the variant and the selected entry.
std::vector<catalog::SystemBlock> AllBlocks(const Env& env);
/// The offered blocks whose bit is set in BlocksMask, in catalogue order.
std::vector<catalog::SystemBlock> UsedBlocks(const device::TMK& mk, const Env& env);
bool BlockUsed(const device::TMK& mk, std::uint8_t number);
void SetBlockUsed(device::TMK& mk, std::uint8_t number, bool used);
/// rgBlocksShow: 0 "Все" sets every offered block, 1 "Протокол" sets those the
/// entry lists and clears the others, 2 "Подключ." changes no block; the
/// choice goes into bits 0-1 of byte 0.
void ApplyBlocksShow(device::TMK& mk, const Env& env, int choice);
}  // namespace mk::settings

// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/lists.h"

#include <algorithm>
#include <string_view>

#include "text/error.h"

namespace mk::settings {

using catalog::Feature;
using device::BlockId;

std::vector<std::string> ProtocolSelectItems(catalog::Features features) {
  std::vector<std::string> items = {"Авт."};
  if (features.Has(Feature::HasAutoOBD)) items.emplace_back("АвтOBD");
  if (features.Has(Feature::IsVAG) && !features.Has(Feature::NoAutoVAG)) {
    items.emplace_back("АвтVAG");
  }
  if (features.Has(Feature::HasAutoOpel)) items.emplace_back("АвтOpl");
  items.emplace_back("Руч.");
  return items;
}

std::vector<std::string> ProtocolItems(const Env& env) {
  std::vector<std::string> items;
  if (env.protocols == nullptr) return items;
  items.reserve(env.protocols->Items().size());
  for (const auto& entry : env.protocols->Items()) items.push_back(entry.Name);
  return items;
}

catalog::OptionGroup ProtTypeGroup(const Env& env, std::size_t group) {
  if (env.protocol == nullptr || group >= env.protocol->Groups.size()) return {};
  return env.protocol->Groups[group];
}

std::vector<std::string> TankMethItems(const Env& env) {
  std::vector<std::string> items = {"Расчетный"};
  if (!env.Has(Feature::NoTankSensor)) items.emplace_back("ДУТ");
  const int sensors = env.protocol == nullptr ? 0 : env.protocol->Capabilities.EcuLevelSensors;
  static constexpr std::string_view kEcu[] = {"ДУТ ЭБУ", "ДУТ ЭБУ2", "ДУТ ЭБУ3"};
  for (int i = 0; i < std::min(sensors, 3); ++i) items.emplace_back(kEcu[i]);
  return items;
}

bool SelectProtocol(device::TMK& mk, std::int64_t index) {
  device::Record& info = mk.Rec(BlockId::ServiceInfo);
  if (info.GetInt("Protocol") == index) return false;
  info.SetInt("Protocol", index);
  static constexpr std::string_view kTypes[] = {"ProtTypeMain", "ProtTypeAdd1", "ProtTypeAdd2",
                                                "ProtTypeAdd3", "ProtTypeAdd4", "ProtTypeAdd5",
                                                "ProtTypeAdd6", "ProtTypeAdd7"};
  for (std::string_view type : kTypes) info.SetInt(type, 0);
  mk.RebuildCatalogues(device::CatalogueStep::Protocols);
  mk.RebuildCatalogues(device::CatalogueStep::ParametersAndMenu);
  return true;
}

std::vector<catalog::SystemBlock> AllBlocks(const Env& env) {
  const bool hybrid = env.protocol != nullptr && env.protocol->Capabilities.HybridDrive;
  return catalog::OfferedBlocks(env.features, hybrid);
}

bool BlockUsed(const device::TMK& mk, std::uint8_t number) {
  const auto mask = mk.Rec(BlockId::Service).Element("BlocksMask");
  return (mask[number / 8] >> (number % 8)) & 1;
}

void SetBlockUsed(device::TMK& mk, std::uint8_t number, bool used) {
  auto mask = mk.Rec(BlockId::Service).Element("BlocksMask");
  const auto bit = static_cast<std::uint8_t>(1u << (number % 8));
  mask[number / 8] =
      static_cast<std::uint8_t>(used ? mask[number / 8] | bit : mask[number / 8] & ~bit);
}

std::vector<catalog::SystemBlock> UsedBlocks(const device::TMK& mk, const Env& env) {
  std::vector<catalog::SystemBlock> used;
  for (auto& block : AllBlocks(env)) {
    if (BlockUsed(mk, block.number)) used.push_back(std::move(block));
  }
  return used;
}

void ApplyBlocksShow(device::TMK& mk, const Env& env, int choice) {
  if (choice < 0 || choice > 2) throw RangeError();
  for (const auto& block : AllBlocks(env)) {
    if (choice == 0) {
      SetBlockUsed(mk, block.number, true);
    } else if (choice == 1) {
      const bool listed =
          env.protocol != nullptr &&
          std::ranges::find(env.protocol->Blocks, block.number) != env.protocol->Blocks.end();
      SetBlockUsed(mk, block.number, listed);
    }
  }
  auto mask = mk.Rec(BlockId::Service).Element("BlocksMask");
  mask[0] = static_cast<std::uint8_t>((mask[0] & ~3u) | static_cast<unsigned>(choice));
}

}  // namespace mk::settings

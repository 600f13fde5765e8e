// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/catalogues.h"

namespace mk::catalog {

Catalogues::Catalogues() {
  Rebuild(1, 0, 0);
}

void Catalogues::Rebuild(std::uint16_t device_version, std::uint8_t protocol,
                         std::uint8_t firmware_version) {
  RebuildProtocols(device_version, protocol, firmware_version);
  RebuildParamsAndMenu();
}

void Catalogues::RebuildParamsAndMenu() {
  params_.Build(Has(Feature::LightsOnMenu), Has(Feature::DippedBeamControl));
  params_.PrepareData(".");
  menu_.BuildMenuCatalogue(Variant().features);
}

void Catalogues::RebuildProtocols(std::uint16_t device_version, std::uint8_t protocol,
                                  std::uint8_t firmware_version) {
  protocols_.Build(device_version, protocol, firmware_version);
}

}  // namespace mk::catalog

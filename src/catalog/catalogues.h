// SPDX-License-Identifier: GPL-3.0-or-later
// The three catalogues of one MK, rebuilt together from its model, firmware
// variant and selected protocol. The device model owns one.
#pragma once

#include <cstdint>
#include <string_view>

#include "catalog/device_menu.h"
#include "catalog/meas_param.h"
#include "catalog/protocol.h"

namespace mk::catalog {

class Catalogues {
 public:
  /// Built for a new device model: DeviceVersion 1, protocol 0, variant 0.
  Catalogues();

  /// Protocols, then measured parameters (which read two protocol flags), then
  /// the device menu. Parameters are prepared with a full stop; call
  /// PrepareParams again with the system's separator for texts shown to users.
  void Rebuild(std::uint16_t device_version, std::uint8_t protocol, std::uint8_t firmware_version);
  /// Only the protocol catalogue and its flags, as the oscilloscope needs.
  void RebuildProtocols(std::uint16_t device_version, std::uint8_t protocol,
                        std::uint8_t firmware_version);
  /// Parameters and menu from the flags of the last protocol build.
  void RebuildParamsAndMenu();
  void PrepareParams(std::string_view decimal_separator) { params_.PrepareData(decimal_separator); }

  bool OscilloscopeSupported() const { return Has(Feature::Oscilloscope); }
  bool Has(Feature f) const { return protocols_.Has(f); }
  const VariantInfo& Variant() const { return protocols_.Variant(); }
  std::string_view ProjectName() const { return protocols_.Variant().project; }

  const ProtocolCatalogue& Protocols() const { return protocols_; }
  /// The selected protocol entry, or nullptr when the index is outside the catalogue.
  const TProtBase* CurrentProtocol() const { return protocols_.Current(); }
  const MeasParamCatalogue& Params() const { return params_; }
  const MenuCatalogue& Menu() const { return menu_; }
  HotMenus DefaultHotMenus() const { return catalog::DefaultHotMenus(menu_, Variant().features); }

 private:
  ProtocolCatalogue protocols_;
  MeasParamCatalogue params_;
  MenuCatalogue menu_;
};

}  // namespace mk::catalog

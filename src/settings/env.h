// SPDX-License-Identifier: GPL-3.0-or-later
// What the editor's rules read besides the image: the variant's flags and the
// selected protocol entry. Taken from the device model's catalogues, or made
// up in tests.
#pragma once

#include "catalog/protocol.h"
#include "catalog/variant.h"
#include "device/mk.h"

namespace mk::settings {

struct Env {
  catalog::Features features;
  const catalog::TProtBase* protocol = nullptr;  // null: the index lies outside the catalogue
  const catalog::ProtocolCatalogue* protocols = nullptr;
  const catalog::Catalogues* catalogues = nullptr;  // parameters and menu items by code

  static Env Of(const device::TMK& mk) {
    const auto& catalogues = mk.Catalogues();
    return {catalogues.Variant().features, catalogues.CurrentProtocol(), &catalogues.Protocols(),
            &catalogues};
  }
  bool Has(catalog::Feature f) const { return features.Has(f); }
};

}  // namespace mk::settings

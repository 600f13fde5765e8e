// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a settings file: decode, parse through whatever directory
// they hold, run the transactions, store and re-encode. Nothing may crash or
// touch memory outside a buffer; encoding must undo decoding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "device/field_paths.h"
#include "device/mk.h"
#include "device/settings_file.h"
#include "text/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace mk::device;
  const std::span<const std::uint8_t> file(data, size);
  SettingsFileContents contents;
  try {
    contents = DecodeSettingsFile(file);
  } catch (const mk::Error&) {
    if (size >= 2) std::abort();
    return 0;
  }
  if (EncodeSettingsFile(contents.device_version, contents.image) !=
      std::vector<std::uint8_t>(file.begin(), file.end())) {
    std::abort();
  }

  // What loading takes is an image whose blocks all lie where the model and
  // the write can use them: storing never grows it, nor reaches before it.
  const bool taken = SettingsFileFault(contents).empty();
  if (taken) {
    TMK checked;
    checked.ReplaceImage(contents.device_version, contents.image);
    try {
      checked.StoreAll();
    } catch (const mk::Error&) {
      std::abort();
    }
    if (checked.Image().size() != contents.image.size()) std::abort();
  }

  TMK mk;
  mk.ReplaceImage(contents.device_version, contents.image);
  mk.LoadCargo();
  mk.LoadOscilloscope();
  (void)DumpFields(mk);
  const bool ok = size > 2 && (data[2] & 1) != 0;
  try {
    mk.EditSettings([&] {
      mk.Rec(BlockId::Limits).SetInt("TankLimit", 1);
      return ok;
    });
  } catch (const mk::Error&) {
    // a protocol or firmware of 256 and more, or a block placed before the image
  }
  try {
    mk.ViewJournals([&] {
      mk.ClearTripJournal();
      mk.ClearErrorJournal();
      return !ok;
    });
    mk.StoreAll();
  } catch (const mk::Error&) {
  }
  const auto again = EncodeSettingsFile(mk.DeviceVersion(), mk.Image());
  if (DecodeSettingsFile(again).image != mk.Image()) std::abort();
  return 0;
}

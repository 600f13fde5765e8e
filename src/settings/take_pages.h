// SPDX-License-Identifier: GPL-3.0-or-later
// Taking some pages of another settings image: a screen layout shared between
// cars without the other car's corrections and tank calibration.
#pragma once

#include <string>
#include <vector>

#include "device/mk.h"
#include "settings/setting.h"
#include "settings/shown_diff.h"

namespace mk::settings {

struct TakeResult {
  /// Settings copied, in page order.
  std::vector<const Setting*> taken;
  /// Settings of those pages that `to`'s variant hides: left as they were.
  std::vector<const Setting*> skipped;
};

/// Copies the stored value of every setting of `pages` that `to`'s variant
/// shows from `from` into `to`'s records, bit for bit (a flag bit alone, not
/// its word). Values are copied as stored, so a range the other image's
/// variant allows travels unchanged. Settings that never reach a file (the
/// cargo record) are not taken. The caller stores the records.
TakeResult TakePages(const device::TMK& from, device::TMK& to, const std::vector<Page>& pages);

/// Taking every page of `from` into `held`, as the list of differences offers it.
struct TakeOffered {
  /// The differing settings `held`'s variant shows, shown and hidden ones of
  /// `from`'s variant alike, in page order.
  std::vector<ShownChange> changes;
  /// The differing settings `held`'s variant hides: they are not taken.
  std::vector<const Setting*> not_taken;
};

/// What taking from `from` would change in `held`, decided as TakePages
/// decides it for all pages; `held` is not touched. Numbers use `separator`.
TakeOffered TakeOffer(const device::TMK& held, const device::TMK& from, char separator = '.');

/// The pages named by their captions ("Дисплей,Озвуч.сообщения"); mk::Error
/// naming an unknown one.
std::vector<Page> PagesFromCaptions(const std::vector<std::string>& captions);

}  // namespace mk::settings

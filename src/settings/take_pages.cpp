// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/take_pages.h"

#include <algorithm>
#include <string>

#include "settings/chosen_settings.h"
#include "settings/env.h"
#include "settings/setting_table.h"
#include "settings/setting_value.h"
#include "text/error.h"

namespace mk::settings {

TakeResult TakePages(const device::TMK& from, device::TMK& to, const std::vector<Page>& pages) {
  // Visibility is decided once, by the held image as it was: taking the
  // protocol must not change which of the same page's settings are taken.
  device::TMK before = to;
  try {
    before.RebuildCatalogues(device::CatalogueStep::Protocols);
  } catch (const Error&) {
  }
  const Env env = Env::Of(before);
  TakeResult result;
  for (const Setting& s : AllSettings()) {
    if (s.block == device::BlockId::Cargo || s.read_only) continue;
    if (std::ranges::find(pages, s.page) == pages.end()) continue;
    if (!Visible(s, before, env)) {
      result.skipped.push_back(&s);
      continue;
    }
    CopyStored(s, from, to);
    result.taken.push_back(&s);
  }
  return result;
}

TakeOffered TakeOffer(const device::TMK& held, const device::TMK& from, char separator) {
  ShownDiff diff = DiffShown(held, from, separator);
  std::vector<Page> all;
  all.reserve(kPages.size());
  for (const PageInfo& page : kPages) all.push_back(page.page);
  // A dry run on a copy: what it skips is what the held variant hides.
  device::TMK probe = held;
  const TakeResult dry = TakePages(from, probe, all);
  std::vector<ShownChange> differing = std::move(diff.changes);
  differing.insert(differing.end(), diff.hidden.begin(), diff.hidden.end());
  TakeOffered offer;
  for (ShownChange& c : differing) {
    if (std::ranges::find(dry.skipped, c.setting) != dry.skipped.end()) {
      offer.not_taken.push_back(c.setting);
    } else {
      offer.changes.push_back(std::move(c));
    }
  }
  // `from`'s hidden ones came last: each goes back among its page's.
  std::ranges::stable_sort(offer.changes, {},
                           [](const ShownChange& c) { return static_cast<unsigned>(c.page); });
  return offer;
}

std::vector<Page> PagesFromCaptions(const std::vector<std::string>& captions) {
  std::vector<Page> pages;
  for (const std::string& caption : captions) {
    const auto it =
        std::ranges::find_if(kPages, [&](const PageInfo& p) { return p.caption == caption; });
    if (it == kPages.end()) throw Error("Нет страницы «" + caption + "».");
    pages.push_back(it->page);
  }
  return pages;
}

}  // namespace mk::settings

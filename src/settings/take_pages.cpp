// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/take_pages.h"

#include <algorithm>
#include <string>

#include "settings/conversions.h"
#include "settings/env.h"
#include "settings/setting_table.h"
#include "settings/setting_value.h"
#include "text/error.h"

namespace mk::settings {

namespace {

void CopyStored(const Setting& s, const device::TMK& from, device::TMK& to) {
  const device::Record& source = from.Rec(s.block);
  device::Record& target = to.Rec(s.block);
  const device::FieldDef& f = source.Field(s.field);
  if (s.bit < 0) {
    const auto bytes = source.Element(f, s.index);
    std::ranges::copy(bytes, target.Element(f, s.index).begin());
    return;
  }
  // A flag bit: only its own bits of the word change.
  const auto read = [&](const device::Record& r) -> std::uint64_t {
    if (f.type == device::FieldType::Bytes) return r.Element(f, 0)[0];
    return static_cast<std::uint64_t>(r.GetInt(f, s.index));
  };
  const std::uint64_t bits = GetBits(read(source), s.bit, s.bit_count);
  const std::uint64_t word = SetBits(read(target), s.bit, s.bit_count, bits);
  if (f.type == device::FieldType::Bytes) {
    target.Element(f, 0)[0] = static_cast<std::uint8_t>(word);
  } else {
    target.SetInt(f, static_cast<std::int64_t>(word), s.index);
  }
}

}  // namespace

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

std::vector<Page> PagesFromCaptions(const std::vector<std::string>& captions) {
  std::vector<Page> pages;
  for (const std::string& caption : captions) {
    const auto it = std::ranges::find_if(kPages, [&](const PageInfo& p) {
      return p.caption == caption || p.object_name == caption;
    });
    if (it == kPages.end()) throw Error("Нет страницы «" + caption + "».");
    pages.push_back(it->page);
  }
  return pages;
}

}  // namespace mk::settings

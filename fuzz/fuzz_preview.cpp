// SPDX-License-Identifier: GPL-3.0-or-later
// The preview renderer over a Display record and colour sets from outside
// bytes (a settings file, an MK): unknown codes, palette indices past 15 and
// any screen layout must draw, never crash or read past a buffer.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "device/mk.h"
#include "preview/render.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  static mk::device::TMK mk;  // catalogues built once
  // Two bytes choose the screen, the rest is the record: one screen a run keeps
  // the fuzzer fast enough to explore.
  const auto kind = mk::preview::kScreenKinds[data[0] % std::size(mk::preview::kScreenKinds)];
  const int screen = data[1] % mk::preview::ScreenCount(kind);
  auto& bytes = mk.Rec(mk::device::BlockId::Display).Bytes();
  std::fill(bytes.begin(), bytes.end(), 0);
  std::copy_n(data + 2, std::min(size - 2, bytes.size()), bytes.begin());
  static mk::preview::Canvas canvas;
  mk::preview::RenderScreen(canvas, mk, kind, screen);
  if (data[0] & 0x80) mk::preview::RenderHotMenu(canvas, mk, data[1] % 4, 1);
  if (data[0] & 0x40) mk::preview::RenderX1(canvas, mk, data[1], 0);
  return 0;
}

// The preview renderer over a Display record and colour sets from outside
// bytes (a settings file, an MK): unknown codes, palette indices past 15 and
// any screen layout must draw, never crash or read past a buffer.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "device/mk.h"
#include "preview/render.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static mk::device::TMK mk;  // catalogues built once
  auto& bytes = mk.Rec(mk::device::BlockId::Display).Bytes();
  std::fill(bytes.begin(), bytes.end(), 0);
  std::copy_n(data, std::min(size, bytes.size()), bytes.begin());
  static mk::preview::Canvas canvas;
  for (mk::preview::ScreenKind kind : mk::preview::kScreenKinds) {
    for (int n = 0; n < mk::preview::ScreenCount(kind); ++n) {
      mk::preview::RenderScreen(canvas, mk, kind, n);
    }
  }
  mk::preview::RenderHotMenu(canvas, mk, 0, 1);
  if (size > 0) mk::preview::RenderX1(canvas, mk, data[0], 0);
  return 0;
}

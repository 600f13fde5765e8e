// SPDX-License-Identifier: GPL-3.0-or-later
// How long one refresh of each "Дисплей" sub-page takes: every preview of the
// sub-page drawn from the factory image and widened to 32-bit pixels, as the
// editor does after every click. The target is under 5 ms for the busiest.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <vector>

#include "device/mk.h"
#include "preview/render.h"
#include "sim/factory_image.h"

namespace {

using mk::preview::ScreenKind;

double MedianMs(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

}  // namespace

int main() {
  mk::device::TMK mk;
  mk.ReplaceImage(1, mk::sim::ImageFromMemory(mk::sim::FactoryMemory(8192)));
  mk.RebuildCatalogues(mk::device::CatalogueStep::Protocols);
  mk.RebuildCatalogues(mk::device::CatalogueStep::ParametersAndMenu);

  mk::preview::Canvas canvas;
  std::vector<std::uint32_t> pixels(mk::preview::kScreenWidth * mk::preview::kScreenHeight);
  std::printf("%-8s %8s %10s %10s\n", "page", "previews", "median ms", "best ms");
  double worst = 0;
  for (ScreenKind kind : mk::preview::kScreenKinds) {
    const int count = mk::preview::ScreenCount(kind);
    std::vector<double> samples;
    for (int round = 0; round < 200; ++round) {
      const auto start = std::chrono::steady_clock::now();
      for (int n = 0; n < count; ++n) {
        mk::preview::RenderScreen(canvas, mk, kind, n);
        mk::preview::ToArgb32(canvas, pixels);
      }
      samples.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count());
    }
    const double median = MedianMs(samples);
    worst = std::max(worst, median);
    std::printf("%-8s %8d %10.3f %10.3f\n", std::string(mk::preview::KindName(kind)).c_str(), count,
                median, *std::min_element(samples.begin(), samples.end()));
  }
  std::printf("busiest sub-page: %.3f ms (target < 5 ms): %s\n", worst,
              worst < 5.0 ? "met" : "MISSED");
  return worst < 5.0 ? 0 : 1;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The picture as SVG: sizes, colours, lines between pixel centres with the
// end pixel left out, texts with their spaces; and the factory trace drawn whole.
#include <gtest/gtest.h>

#include <string>

#include "device/mk.h"
#include "recording_builder.h"
#include "scope/osc_svg.h"
#include "sim/factory_image.h"
#include "text/error.h"

namespace mk::scope {
namespace {

using testing::ViewAt;

bool Has(const std::string& svg, const std::string& part) {
  return svg.find(part) != std::string::npos;
}

TEST(OscSvg, OperationsBecomeElementsPixelForPixel) {
  OscPicture p;
  p.width = 20;
  p.height = 10;
  p.ops = {FillOp{0, 0, 20, 10, kBlack}, LineOp{0, 5, 4, 5, kGrey}, LineOp{0, 1, 1, 1, kCyan},
           LineOp{3, 3, 3, 3, kYellow}, TextOp{2, 3, kMagenta, 10, "  1В/д <&>"}};
  const std::string svg = PictureToSvg(p);
  EXPECT_TRUE(Has(svg, "width=\"20\" height=\"10\" viewBox=\"0 0 20 10\""));
  EXPECT_TRUE(Has(svg, "<rect x=\"0\" y=\"0\" width=\"20\" height=\"10\" fill=\"#000000\"/>"));
  EXPECT_TRUE(Has(svg, "<line x1=\"0.5\" y1=\"5.5\" x2=\"3.5\" y2=\"5.5\" stroke=\"#808080\"/>"));
  EXPECT_TRUE(Has(svg, "<rect x=\"0\" y=\"1\" width=\"1\" height=\"1\" fill=\"#00FFFF\"/>"))
      << "a one-pixel line is a square";
  EXPECT_FALSE(Has(svg, "#FFFF00")) << "a line of no length draws nothing";
  EXPECT_TRUE(Has(svg, "fill=\"#FF00FF\">  1В/д &lt;&amp;&gt;</text>"));
  EXPECT_TRUE(Has(svg, "xml:space=\"preserve\""));
  EXPECT_TRUE(Has(svg, "<text x=\"2\" y=\"15\" font-size=\"13\"")) << "baseline below the top";
}

TEST(OscFactoryTrace, TheVirtualMksRecordingDrawsWithItsScales) {
  device::TMK mk;
  mk.ReplaceImage(1, sim::ImageFromMemory(sim::FactoryMemory(8192)));
  mk.LoadOscilloscope();
  const OscRecording rec = OscRecording::Of(mk);
  const OscPicture p = DrawOscilloscope(rec, ViewAt(0, rec.TimeIndex()));
  std::vector<std::string> texts;
  int trace = 0;
  for (const DrawOp& op : p.ops) {
    if (const auto* t = std::get_if<TextOp>(&op)) texts.push_back(t->text);
    if (const auto* l = std::get_if<LineOp>(&op); l && l->colour == kYellow) ++trace;
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"0.5В/д", "  5мс/д", "0.0мс", "2.5В"}));
  EXPECT_EQ(trace, 970);
  const std::string svg = PictureToSvg(p);
  EXPECT_TRUE(Has(svg, "0.5В/д"));
}

TEST(OscFactoryTrace, NothingReadYetIsNeverDrawnAsATrace) {
  const device::TMK mk;
  const OscRecording rec = OscRecording::Of(mk);
  EXPECT_EQ(rec.TimeIndex(), 1);
  EXPECT_EQ(rec.TriggerLevel1(), 128);
  EXPECT_EQ(rec.RangeIndex(), 4);
  EXPECT_EQ(rec.DividerIndex1(), 0);
  EXPECT_THROW(DrawOscilloscope(rec, ViewAt(0)), RangeError);
}

}  // namespace
}  // namespace mk::scope

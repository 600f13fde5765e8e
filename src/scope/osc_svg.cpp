// SPDX-License-Identifier: GPL-3.0-or-later
#include "scope/osc_svg.h"

#include <charconv>
#include <string_view>

namespace mk::scope {
namespace {

class SvgWriter {
 public:
  explicit SvgWriter(std::string& out) : out_(out) {}

  SvgWriter& operator<<(std::string_view text) {
    out_ += text;
    return *this;
  }
  SvgWriter& operator<<(int value) {
    char digits[16];
    out_.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    return *this;
  }
  SvgWriter& Colour(Rgb rgb) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out_ += '#';
    for (int shift = 20; shift >= 0; shift -= 4) out_ += kHex[rgb >> shift & 0xF];
    return *this;
  }
  SvgWriter& Escaped(std::string_view text) {
    for (char c : text) {
      switch (c) {
        case '&':
          out_ += "&amp;";
          break;
        case '<':
          out_ += "&lt;";
          break;
        case '>':
          out_ += "&gt;";
          break;
        default:
          out_ += c;
      }
    }
    return *this;
  }

 private:
  std::string& out_;
};

void Append(SvgWriter& svg, const FillOp& f) {
  svg << "<rect x=\"" << f.x << "\" y=\"" << f.y << "\" width=\"" << f.width << "\" height=\""
      << f.height << "\" fill=\"";
  svg.Colour(f.colour) << "\"/>\n";
}

void Append(SvgWriter& svg, const LineOp& l) {
  bool any = false;
  int first_x = 0, first_y = 0, last_x = 0, last_y = 0;
  ForEachLinePixel(l, [&](int x, int y) {
    if (!any) first_x = x, first_y = y, any = true;
    last_x = x;
    last_y = y;
  });
  if (!any) return;
  if (first_x == last_x && first_y == last_y) {
    // Not every renderer caps a line of no length; one pixel is a square.
    Append(svg, FillOp{first_x, first_y, 1, 1, l.colour});
    return;
  }
  // Square caps cover the half pixel beyond each centre.
  svg << "<line x1=\"" << first_x << ".5\" y1=\"" << first_y << ".5\" x2=\"" << last_x
      << ".5\" y2=\"" << last_y << ".5\" stroke=\"";
  svg.Colour(l.colour) << "\"/>\n";
}

void Append(SvgWriter& svg, const TextOp& t) {
  // The operation gives the top of the text, SVG its baseline: a font's ascent
  // is about nine tenths of its size.
  const int pixels = TextPixels(t.points);
  svg << "<text x=\"" << t.x << "\" y=\"" << t.y + (pixels * 9 + 5) / 10 << "\" font-size=\""
      << pixels << "\" fill=\"";
  svg.Colour(t.colour) << "\">";
  svg.Escaped(t.text) << "</text>\n";
}

}  // namespace

std::string PictureToSvg(const OscPicture& picture) {
  std::string out;
  out.reserve(64 * picture.ops.size() + 512);
  SvgWriter svg(out);
  svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
      << "width=\"" << picture.width << "\" height=\"" << picture.height << "\" viewBox=\"0 0 "
      << picture.width << " " << picture.height
      << "\" shape-rendering=\"crispEdges\" stroke-width=\"1\" stroke-linecap=\"square\" "
         "font-family=\"sans-serif\" xml:space=\"preserve\">\n";
  for (const DrawOp& op : picture.ops) {
    std::visit([&svg](const auto& o) { Append(svg, o); }, op);
  }
  svg << "</svg>\n";
  return out;
}

}  // namespace mk::scope

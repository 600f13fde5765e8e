#include "scope/osc_svg.h"

#include <cstdio>
#include <optional>

namespace mk::scope {
namespace {

std::string Colour(Rgb rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFF));
  return text;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

struct Pixel {
  int x, y;
};

void Append(std::string& svg, const FillOp& f) {
  svg += "<rect x=\"" + std::to_string(f.x) + "\" y=\"" + std::to_string(f.y) + "\" width=\"" +
         std::to_string(f.width) + "\" height=\"" + std::to_string(f.height) + "\" fill=\"" +
         Colour(f.colour) + "\"/>\n";
}

void Append(std::string& svg, const LineOp& l) {
  std::optional<Pixel> first, last;
  ForEachLinePixel(l, [&](int x, int y) {
    if (!first) first = Pixel{x, y};
    last = Pixel{x, y};
  });
  if (!first) return;
  if (first->x == last->x && first->y == last->y) {
    // Not every renderer caps a line of no length; one pixel is a square.
    Append(svg, FillOp{first->x, first->y, 1, 1, l.colour});
    return;
  }
  // Square caps cover the half pixel beyond each centre.
  const auto centre = [](int v) { return std::to_string(v) + ".5"; };
  svg += "<line x1=\"" + centre(first->x) + "\" y1=\"" + centre(first->y) + "\" x2=\"" +
         centre(last->x) + "\" y2=\"" + centre(last->y) + "\" stroke=\"" + Colour(l.colour) +
         "\"/>\n";
}

void Append(std::string& svg, const TextOp& t) {
  // The operation gives the top of the text, SVG its baseline: a font's ascent
  // is about nine tenths of its size.
  const int pixels = TextPixels(t.points);
  svg += "<text x=\"" + std::to_string(t.x) + "\" y=\"" +
         std::to_string(t.y + (pixels * 9 + 5) / 10) + "\" font-size=\"" + std::to_string(pixels) +
         "\" fill=\"" + Colour(t.colour) + "\">" + Escaped(t.text) + "</text>\n";
}

}  // namespace

std::string PictureToSvg(const OscPicture& picture) {
  const std::string w = std::to_string(picture.width);
  const std::string h = std::to_string(picture.height);
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
         "\" viewBox=\"0 0 " + w + " " + h +
         "\" shape-rendering=\"crispEdges\" stroke-width=\"1\" stroke-linecap=\"square\" "
         "font-family=\"sans-serif\" xml:space=\"preserve\">\n";
  for (const DrawOp& op : picture.ops) {
    std::visit([&svg](const auto& o) { Append(svg, o); }, op);
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace mk::scope

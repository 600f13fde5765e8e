// SPDX-License-Identifier: GPL-3.0-or-later
// The PNG files mkctl preview writes: signature, chunks, checksums and the
// stored deflate blocks that carry the rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "preview/png_writer.h"

namespace mk::preview {
namespace {

std::uint32_t Be32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) << 24 | static_cast<std::uint32_t>(b[at + 1]) << 16 |
         static_cast<std::uint32_t>(b[at + 2]) << 8 | b[at + 3];
}

std::span<const std::uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

TEST(Checksums, KnownValues) {
  EXPECT_EQ(Crc32(Bytes("IEND")), 0xAE426082U);
  EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926U);
  EXPECT_EQ(Adler32(Bytes("Wikipedia")), 0x11E60398U);
  EXPECT_EQ(Adler32({}), 1U);
}

/// Walks the chunks and inflates the stored blocks back into the raw rows.
std::vector<std::uint8_t> RawRows(const std::vector<std::uint8_t>& png, std::uint32_t* width,
                                  std::uint32_t* height) {
  std::vector<std::uint8_t> zlib;
  std::size_t at = 8;
  std::vector<std::string> types;
  while (at + 12 <= png.size()) {
    const std::uint32_t len = Be32(png, at);
    const std::string type(png.begin() + static_cast<std::ptrdiff_t>(at + 4),
                           png.begin() + static_cast<std::ptrdiff_t>(at + 8));
    const std::span<const std::uint8_t> body(png.data() + at + 4, len + 4);
    EXPECT_EQ(Crc32(body), Be32(png, at + 8 + len)) << type;
    if (type == "IHDR") {
      *width = Be32(png, at + 8);
      *height = Be32(png, at + 12);
      EXPECT_EQ(png[at + 16], 8);  // bit depth
      EXPECT_EQ(png[at + 17], 2);  // RGB
    }
    if (type == "IDAT") zlib.insert(zlib.end(), body.begin() + 4, body.end());
    types.push_back(type);
    at += 12 + len;
  }
  EXPECT_EQ(at, png.size());
  EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  std::vector<std::uint8_t> raw;
  std::size_t pos = 2;
  for (bool last = false; !last;) {
    last = zlib.at(pos) & 1;
    EXPECT_EQ(zlib[pos] & 6, 0);  // stored
    const std::size_t len = zlib[pos + 1] | zlib[pos + 2] << 8;
    EXPECT_EQ(len ^ (zlib[pos + 3] | zlib[pos + 4] << 8), 0xFFFFU);
    raw.insert(raw.end(), zlib.begin() + static_cast<std::ptrdiff_t>(pos + 5),
               zlib.begin() + static_cast<std::ptrdiff_t>(pos + 5 + len));
    pos += 5 + len;
  }
  const std::uint32_t adler = static_cast<std::uint32_t>(zlib[pos]) << 24 |
                              static_cast<std::uint32_t>(zlib[pos + 1]) << 16 |
                              static_cast<std::uint32_t>(zlib[pos + 2]) << 8 | zlib[pos + 3];
  EXPECT_EQ(adler, Adler32(raw));
  EXPECT_EQ(pos + 4, zlib.size());
  return raw;
}

TEST(EncodePng, SmallPictureRoundTrips) {
  const std::vector<std::uint8_t> rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 1, 2, 3};
  const auto png = EncodePng(2, 2, rgb);
  ASSERT_GT(png.size(), 8U);
  EXPECT_EQ(std::vector<std::uint8_t>(png.begin(), png.begin() + 8),
            (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
  std::uint32_t w = 0, h = 0;
  const auto raw = RawRows(png, &w, &h);
  EXPECT_EQ(w, 2U);
  EXPECT_EQ(h, 2U);
  EXPECT_EQ(raw, (std::vector<std::uint8_t>{0, 255, 0, 0, 0, 255, 0, 0, 0, 0, 255, 1, 2, 3}));
}

TEST(EncodePng, AWholePreviewNeedsSeveralStoredBlocks) {
  std::vector<std::uint8_t> rgb(320 * 240 * 3);
  for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i * 7);
  std::uint32_t w = 0, h = 0;
  const auto raw = RawRows(EncodePng(320, 240, rgb), &w, &h);
  ASSERT_EQ(raw.size(), 240U * (1 + 320 * 3));
  EXPECT_EQ(raw[0], 0);
  EXPECT_EQ(raw[1 + 320 * 3], 0);
  EXPECT_EQ(raw[1 + 320 * 3 + 1], rgb[320 * 3]);
  EXPECT_EQ(raw.back(), rgb.back());
}

TEST(EncodePng, RefusesPixelDataOfTheWrongSize) {
  EXPECT_THROW(EncodePng(2, 2, std::vector<std::uint8_t>(11)), std::invalid_argument);
  EXPECT_THROW(EncodePng(0, 2, {}), std::invalid_argument);
}

}  // namespace
}  // namespace mk::preview

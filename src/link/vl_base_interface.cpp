// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/vl_base_interface.h"

#include <algorithm>
#include <array>

#include "text/byte_io.h"
#include "text/error.h"

namespace mk::link {
namespace {

constexpr std::int32_t kAnswerSize = 256;
// The checksum goes at the request length, so data may fill at most index 254.
constexpr std::uint32_t kLastDataIndex = 254;
constexpr std::uint8_t kSmallestFrame = 6;

}  // namespace

bool TVLBaseInterface::AnswerValid() const {
  // Shorter than a header and a checksum is never a frame, whatever it sums to.
  const std::uint8_t length = answer_[0];
  if (length < kSmallestFrame) return false;
  std::uint8_t sum = 0;
  for (std::uint8_t i = 0; i < length; ++i) sum = static_cast<std::uint8_t>(sum + answer_[i]);
  return sum == 0;
}

void TVLBaseInterface::BeginRequest() {
  request_length_ = 1;
}

void TVLBaseInterface::EndRequest() {
  if (request_length_ > kLastDataIndex + 1) throw RangeError();
  // 256 bytes in all is stored as 0, which is how the MK reads it too.
  request_[0] = static_cast<std::uint8_t>(request_length_ + 1);
  std::uint8_t sum = 0;
  for (std::uint32_t i = 0; i < request_length_; ++i)
    sum = static_cast<std::uint8_t>(sum + request_[i]);
  request_[request_length_] = static_cast<std::uint8_t>(-sum);
}

void TVLBaseInterface::PutByte(std::uint8_t b) {
  // A byte that has no room would be lost or would overwrite the checksum.
  if (request_length_ > kLastDataIndex) throw RangeError();
  request_[request_length_++] = b;
}

void TVLBaseInterface::PutValue(std::uint32_t value, std::size_t width) {
  // Like PutByte: a value without room throws, and then none of it is written.
  bytes::WriteUnsigned(std::span(request_).first(kLastDataIndex + 1), request_length_, width,
                       value);
  request_length_ += static_cast<std::uint32_t>(width);
}

void TVLBaseInterface::PutWord(std::uint16_t w) {
  PutValue(w, 2);
}

std::uint8_t TVLBaseInterface::GetByte() {
  // Past the buffer (or before it) reads as 0; the position stops just past
  // the end so that any number of reads stays defined.
  if (answer_pos_ < 0) {
    ++answer_pos_;
    return 0;
  }
  if (answer_pos_ >= kAnswerSize) {
    answer_pos_ = kAnswerSize;
    return 0;
  }
  return answer_[static_cast<std::size_t>(answer_pos_++)];
}

std::uint32_t TVLBaseInterface::GetValue(std::size_t width) {
  // Byte by byte through GetByte, so that a value reaching past the buffer
  // reads 0 there and the position stops at its end.
  std::array<std::uint8_t, 4> raw{};
  for (std::size_t i = 0; i < width; ++i) raw[i] = GetByte();
  return static_cast<std::uint32_t>(bytes::ReadUnsigned(raw, 0, width));
}

std::uint16_t TVLBaseInterface::GetWord() {
  return static_cast<std::uint16_t>(GetValue(2));
}

void TVLBaseInterface::PlaceAnswer(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > answer_.size()) throw RangeError();
  std::copy(bytes.begin(), bytes.end(), answer_.begin());
}

}  // namespace mk::link

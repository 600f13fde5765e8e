// SPDX-License-Identifier: GPL-3.0-or-later
// The request and answer buffers of the link and their readers and writers.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "link/vl_base_device.h"

namespace mk::link {

class TVLBaseInterface : public TVLBaseDevice {
 public:
  /// True when answer bytes 0 .. Answer[0]-1 add up to 0 modulo 256.
  bool AnswerValid() const;
  void BeginRequest();
  void EndRequest();
  void PutByte(std::uint8_t b);
  void PutWord(std::uint16_t w);
  std::uint8_t GetByte();
  std::uint16_t GetWord();
  /// Windows-1251 bytes up to the next 0, returned as UTF-8.
  virtual std::string GetString() { return {}; }
  virtual void BeginCommand(std::uint8_t /*address*/, std::uint8_t /*command*/) {}
  virtual void Transact() = 0;
  virtual void TransactOnce() = 0;
  virtual void Command(std::uint8_t /*address*/, std::uint8_t /*command*/) {}
  virtual int DetectAddress() { return 0; }

  using Frame = std::array<std::uint8_t, 256>;
  /// The request being built, then sent: its length byte, data and checksum.
  const Frame& Request() const { return request_; }
  /// Where the next byte of the request goes (after EndRequest: the checksum's index).
  std::uint32_t RequestLength() const { return request_length_; }
  /// The last answer received (or placed); the rest of the buffer keeps older bytes.
  const Frame& Answer() const { return answer_; }
  /// Copies `bytes` to the start of the answer buffer as a receive would;
  /// the rest keeps what it held. More than the buffer holds throws RangeError.
  void PlaceAnswer(std::span<const std::uint8_t> bytes);
  /// The position of the next Get; any value is allowed, reads outside the
  /// buffer give 0.
  std::int32_t AnswerPos() const { return answer_pos_; }
  void SeekAnswer(std::int32_t pos) { answer_pos_ = pos; }

 protected:
  Frame request_{};
  Frame answer_{};
  std::uint32_t request_length_ = 0;
  std::int32_t answer_pos_ = 0;

 private:
  /// Puts the low `width` bytes of `value`, little-endian.
  void PutValue(std::uint32_t value, std::size_t width);
  /// Gets `width` bytes as a little-endian value.
  std::uint32_t GetValue(std::size_t width);
};

}  // namespace mk::link

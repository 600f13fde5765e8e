// SPDX-License-Identifier: GPL-3.0-or-later
// Any valid answer frame read by any sequence of readers stays inside the
// answer buffer, and strings come back as well-formed text.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "link/vl_rs.h"
#include "text/cp1251.h"
#include "text/error.h"

namespace {

class NoPorts final : public mk::link::ISerialSystem {
 public:
  bool Probe(int) override { return false; }
  std::unique_ptr<mk::link::IBytePort> Open(int) override { return nullptr; }
  std::string PortName(int) const override { return {}; }
};

class Silent final : public mk::link::IUserPrompt {
 public:
  void ShowError(const std::string&) override {}
  void ShowInfo(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // Byte 0 sets the frame length (6..255), byte 1 the number of reader
  // operations that follow; the rest fills the answer buffer.
  const std::size_t length = 6 + data[0] % 250;
  const std::size_t op_count = std::min<std::size_t>(data[1], size - 2);
  const std::uint8_t* ops = data + 2;
  const std::uint8_t* frame = ops + op_count;
  const std::size_t frame_size = size - 2 - op_count;

  mk::link::VirtualClock clock;
  mk::link::NoPump pump;
  Silent prompt;
  NoPorts ports;
  mk::link::TVL_RS rs(ports, clock, pump, prompt);

  mk::link::TVL_RS::Frame answer{};
  for (std::size_t i = 0; i < answer.size(); ++i) answer[i] = i < frame_size ? frame[i] : 0;
  answer[0] = static_cast<std::uint8_t>(length);
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i + 1 < length; ++i) sum = static_cast<std::uint8_t>(sum + answer[i]);
  answer[length - 1] = static_cast<std::uint8_t>(-sum);
  rs.PlaceAnswer(answer);
  if (!rs.AnswerValid()) __builtin_trap();

  rs.SeekAnswer(5);
  for (std::size_t i = 0; i < op_count; ++i) {
    // Positions may be set anywhere; a read from any of them ends in the buffer.
    const bool moves = ops[i] % 8 >= 6;
    switch (ops[i] % 8) {
      case 0:
        rs.GetByte();
        break;
      case 1:
        rs.GetWord();
        break;
      case 2:
      case 3:
      case 4:
        rs.GetByte();
        rs.GetWord();
        break;
      case 5: {
        const std::string s = rs.GetString();
        // Text from the device converts back to the very bytes it came from.
        if (mk::text::Cp1251ToUtf8(mk::text::Utf8ToCp1251(s)) != s) __builtin_trap();
        break;
      }
      case 6:
        rs.SeekAnswer(static_cast<std::int8_t>(ops[i]) * 3);
        break;
      default:
        rs.SeekAnswer(248 + ops[i] % 16);
        break;
    }
    if (!moves && rs.AnswerPos() > 256) __builtin_trap();
  }
  return 0;
}

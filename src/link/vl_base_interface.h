// The request and answer buffers of the link and their readers and writers.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "link/vl_base_device.h"

namespace mk::link {

class TVLBaseInterface : public TVLBaseDevice {
 public:
  /// True when answer bytes 0 .. Answer[0]-1 add up to 0 modulo 256.
  virtual bool AnswerValid();
  virtual void BeginRequest();
  virtual void EndRequest();
  virtual void PutCommandByte(std::uint8_t b) = 0;
  virtual void PutByte(std::uint8_t b);
  virtual void PutWord(std::uint16_t w);
  virtual void PutLong(std::int32_t i);
  virtual void PutSingle(float f);
  virtual std::uint8_t GetStatusByte() = 0;
  virtual std::uint8_t GetByte();
  virtual std::uint16_t GetWord();
  virtual std::int32_t GetLong();
  virtual float GetSingle();
  /// Windows-1251 bytes up to the next 0, returned as UTF-8.
  virtual std::string GetString() { return {}; }
  virtual void BeginCommand(std::uint8_t /*address*/, std::uint8_t /*command*/) {}
  virtual void Transact() = 0;
  virtual void TransactOnce() = 0;
  virtual void Command(std::uint8_t /*address*/, std::uint8_t /*command*/) {}
  virtual int DetectAddress() { return 0; }

  std::array<std::uint8_t, 256> Request{};
  std::array<std::uint8_t, 256> Answer{};
  std::uint32_t RequestLength = 0;
  std::int32_t AnswerPos = 0;
};

}  // namespace mk::link

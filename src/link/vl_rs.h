// SPDX-License-Identifier: GPL-3.0-or-later
// The MK exchange: checksummed request/answer frames with time-outs and
// retries, and the commands the configurator sends.
#pragma once

#include <cstdint>

#include "link/exchange_log.h"
#include "link/priority_boost.h"
#include "link/vl_rs_base.h"

namespace mk::link {

/// MK command codes.
enum MkCommand : std::uint8_t {
  kIdentify = 1,
  kWriteChunk = 4,
  kReadBlock = 5,
  kEndWrite = 7,
  kBeginWrite = 12,
};

inline constexpr const char* kNoLink =
    "RS232. Нет связи. Проверьте правильность соединения PC и устройства.";
inline constexpr const char* kByteDelay = "RS232. Ошибка задержки приема внутри блока.";
inline constexpr const char* kExchangeError = "RS232. Ошибка обмена.";
inline constexpr const char* kBusy =
    "Устройство занято. Возможно, оно находится в режиме местного управления.";
inline constexpr const char* kOnlyOneDevice =
    "ТОЛЬКО ОДНО устройство, подключенное к СОМ-порту, должно быть включено. Это действительно "
    "так?";

class TVL_RS : public TVL_RS_Base {
 public:
  TVL_RS(ISerialSystem& ports, IClock& clock, IPump& pump, IUserPrompt& prompt);

  std::string GetString() override;
  void BeginCommand(std::uint8_t address, std::uint8_t command) override;
  void Transact() override;
  void TransactOnce() override;
  void Command(std::uint8_t address, std::uint8_t command) override;
  int DetectAddress() override;

  virtual void Receive();
  virtual void Send();
  virtual void Exchange();

  void SetPortType(std::uint8_t n);
  /// The priority raised while a half-duplex request goes out and its echo
  /// comes back (PortType 2). None by default; not owned.
  void SetPriorityBoost(IPriorityBoost* boost) { boost_ = boost; }
  /// Where every frame sent and received is noted; none by default; not owned.
  void SetExchangeLog(IExchangeLog* log) { log_ = log; }

  /// 0: a full-duplex line; 1 and 2: half-duplex (2 also hears its own request).
  std::uint8_t PortType() const { return port_type_; }
  /// The longest wait, in ms, for the first byte of an answer (plus the request's time on the
  /// wire).
  std::uint16_t ResponseTimeout() const { return response_timeout_; }
  void SetResponseTimeout(std::uint16_t ms) { response_timeout_ = ms; }
  /// The longest wait, in ms, between two bytes of one answer.
  std::uint16_t ByteTimeout() const { return byte_timeout_; }
  void SetByteTimeout(std::uint16_t ms) { byte_timeout_ = ms; }

 protected:
  /// A port just opened may still carry answers to another program's
  /// requests: the first request waits until the line is quiet.
  void PortOpened() override;

 private:
  IBytePort& Port();
  /// One attempt of the current request: first waits out late answers of
  /// earlier attempts, and marks the line unsettled when this one fails.
  void Attempt();
  /// Reads and drops what arrives until the line has been quiet for the time
  /// MarkUnsettled asked. Returns at once while the line is settled.
  void Settle();
  /// From now on, the next request waits until `quiet_ms` pass without a byte.
  void MarkUnsettled(std::uint32_t quiet_ms);
  /// Waits until `port` has a byte or `timeout` ms after `start` have passed,
  /// pumping the window meanwhile; reads at most `max` bytes into `into`.
  std::size_t ReadWithin(std::uint8_t* into, std::size_t max, std::uint32_t start,
                         std::uint32_t timeout, bool pump_first);

  /// Receive's work; `received` counts the answer bytes taken so far.
  void ReceiveAnswer(std::size_t& received);
  /// Throws when the answer cannot be the one to the request sent (a late
  /// answer to an earlier request), after marking the line unsettled.
  void CheckAnswerFits();
  void Log(FrameDirection direction, std::span<const std::uint8_t> bytes, std::string_view note);

  std::uint8_t port_type_ = 0;
  std::uint16_t byte_timeout_ = 200;
  std::uint16_t response_timeout_ = 1000;
  IPriorityBoost* boost_ = nullptr;
  // After an attempt without its answer, that answer may still come, and the
  // frames carry nothing that tells which request they answer.
  bool unsettled_ = false;
  std::uint32_t unsettled_since_ = 0;
  std::uint32_t settle_quiet_ms_ = 0;
  std::uint32_t last_sent_ = 0;   // when the latest attempt began
  bool awaiting_answer_ = false;  // a request went out and its answer is not whole yet
  bool fresh_port_ = false;       // no request has gone out since the port was opened
  std::uint32_t opened_at_ = 0;
  IExchangeLog* log_ = nullptr;
};

}  // namespace mk::link

// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/memory_port.h"

#include <algorithm>
#include <utility>

#include "sim/virtual_mk.h"

namespace mk::sim {

MemoryPort::MemoryPort(VirtualMK* mk, link::IClock& clock, WireTiming wire_timing,
                       std::shared_ptr<PortRecord> record)
    : clock_(clock), schedule_(mk), record_(std::move(record)) {
  schedule_.SetWireTiming(wire_timing);
  record_->open = true;
  ++record_->opens;
  Log("Open");
}

MemoryPort::~MemoryPort() {
  record_->open = false;
  Log("Close");
}

std::uint64_t MemoryPort::NowNs() {
  return std::uint64_t{clock_.TickCount()} * 1'000'000;
}

void MemoryPort::Log(std::string event) {
  record_->events.push_back(std::move(event));
}

bool MemoryPort::LineMatchesMK() const {
  return baud_ == link::kLineBaud && byte_size_ == 8 && parity_ == 0 && stop_bits_ == 2;
}

std::uint32_t MemoryPort::SetBaud(std::uint32_t rate) {
  Log("SetBaud " + std::to_string(rate));
  baud_ = rate;
  return rate;
}

void MemoryPort::SetByteSize(std::uint8_t bits) {
  Log("SetByteSize " + std::to_string(bits));
  byte_size_ = bits;
}

void MemoryPort::SetParity(std::uint8_t parity) {
  Log("SetParity " + std::to_string(parity));
  parity_ = parity;
}

void MemoryPort::SetStopBits(std::uint8_t stop_bits) {
  Log("SetStopBits " + std::to_string(stop_bits));
  stop_bits_ = stop_bits;
}

void MemoryPort::SetDTR() {
  Log("SetDTR");
}
void MemoryPort::SetRTS() {
  Log("SetRTS");
}
void MemoryPort::ClearRTS() {
  Log("ClearRTS");
}

void MemoryPort::PurgeInput() {
  Log("PurgeInput");
  schedule_.DropDue(NowNs());
}

// Writes complete at once, so there is never anything left to purge.
void MemoryPort::PurgeOutput() {
  Log("PurgeOutput");
}

std::size_t MemoryPort::Read(std::uint8_t* buffer, std::size_t max) {
  return schedule_.TakeDue(NowNs(), buffer, max);
}

std::size_t MemoryPort::Write(const std::uint8_t* data, std::size_t size) {
  Log("Write " + std::to_string(size));
  if (LineMatchesMK()) schedule_.Send(std::span(data, size), NowNs());
  return size;
}

bool MemoryPort::WaitReadable(std::uint32_t ms) {
  const std::uint64_t now = NowNs();
  const auto next = schedule_.NextDue();
  if (next && *next <= now) return true;
  std::uint64_t wait = ms;
  if (next) wait = std::min<std::uint64_t>(wait, (*next - now + 999'999) / 1'000'000);
  if (wait > 0) clock_.Sleep(static_cast<std::uint32_t>(wait));
  const auto due = schedule_.NextDue();
  return due && *due <= NowNs();
}

MemorySerialSystem::MemorySerialSystem(VirtualMK& mk, link::IClock& clock, int mk_port)
    : mk_(mk), clock_(clock), mk_port_(mk_port) {
  for (auto& r : records_) r = std::make_shared<PortRecord>();
}

void MemorySerialSystem::AddEmptyPort(int number) {
  if (number >= 1 && number <= kMaxPort) empty_[static_cast<std::size_t>(number)] = true;
}

void MemorySerialSystem::RemoveEmptyPort(int number) {
  if (number >= 1 && number <= kMaxPort) empty_[static_cast<std::size_t>(number)] = false;
}

bool MemorySerialSystem::Present(int number) const {
  if (number < 1 || number > kMaxPort) return false;
  return number == mk_port_ || empty_[static_cast<std::size_t>(number)];
}

PortRecord& MemorySerialSystem::Record(int number) const {
  const bool valid = number >= 1 && number <= kMaxPort;
  return *records_[valid ? static_cast<std::size_t>(number) : 0];
}

bool MemorySerialSystem::IsOpen(int number) const {
  return Record(number).open;
}
std::size_t MemorySerialSystem::OpenCount(int number) const {
  return Record(number).opens;
}

const std::vector<std::string>& MemorySerialSystem::Events(int number) const {
  return Record(number).events;
}

void MemorySerialSystem::ClearEvents() {
  for (auto& r : records_) r->events.clear();
}

bool MemorySerialSystem::Probe(int number) {
  return Present(number) && !IsOpen(number);
}

std::unique_ptr<link::IBytePort> MemorySerialSystem::Open(int number) {
  if (!Probe(number) || refuse_open_) return nullptr;
  VirtualMK* mk = number == mk_port_ ? &mk_ : nullptr;
  return std::make_unique<MemoryPort>(mk, clock_, wire_timing_,
                                      records_[static_cast<std::size_t>(number)]);
}

std::string MemorySerialSystem::PortName(int number) const {
  return "COM" + std::to_string(number);
}

}  // namespace mk::sim

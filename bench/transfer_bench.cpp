// SPDX-License-Identifier: GPL-3.0-or-later
// mk-bench: how close reading and writing the MK's memory come to the wire.
// Run against mk-sim --wire-timing (see bench/run): the limit is the time the
// bytes of every request and answer take at 115200 baud with 11 bits a byte.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "device/settings_file.h"
#include "device/transfer.h"
#include "device/transfer_plan.h"
#include "link/clock.h"
#include "link/line_speed.h"
#include "link/vl_rs.h"
#include "platform/serial_system.h"
#include "sim/factory_image.h"
#include "timing_port.h"
#include "virtual_line.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kBitsPerByte = mk::link::kLineBitsPerByte;
constexpr double kBaud = mk::link::kLineBaud;
constexpr std::size_t kFrame = 6;  // length, address, header word, command or status, checksum

double CpuSeconds() {
#ifdef _WIN32
  return 0;
#else
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return seconds(u.ru_utime) + seconds(u.ru_stime);
#endif
}

// Marks when a phase of a procedure begins, by the label it shows.
class PhaseTimer final : public mk::link::IProgress {
 public:
  PhaseTimer(std::string label, std::function<double()> now)
      : label_(std::move(label)), now_(std::move(now)) {}
  void SetLabel(const std::string& text) override {
    if (text == label_) {
      start = now_();
      cpu_start = CpuSeconds();
    }
  }
  void SetGauge(int) override {}
  void ShowGauge(bool) override {}
  void ShowCancel(bool) override {}
  bool Cancelled() override { return false; }

  double start = 0;  // seconds, on the time source
  double cpu_start = 0;

 private:
  std::string label_;
  std::function<double()> now_;
};

class QuietPrompt final : public mk::link::IUserPrompt {
 public:
  void ShowError(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  void ShowInfo(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
};

// Where the time of the exchanges after `from` went, on average, against what
// the wire alone would take: the MK's turnaround and the pacing of mk-sim show
// as lateness of the first and last answer byte, the client's own work as the
// gap between an answer's last byte and the next request.
void Breakdown(const std::vector<mk::bench::Exchange>& log, std::size_t from) {
  const double byte_s = kBitsPerByte / kBaud;
  double first_late = 0, last_late = 0, gap = 0, reads = 0;
  std::size_t n = 0;
  for (std::size_t i = from; i + 1 < log.size(); ++i) {
    const auto& e = log[i];
    if (e.answer_bytes == 0) continue;
    const double wire_first = static_cast<double>(e.request_bytes + 1) * byte_s;
    const double wire_last = static_cast<double>(e.request_bytes + e.answer_bytes) * byte_s;
    first_late += e.first_byte - e.sent - wire_first;
    last_late += e.last_byte - e.sent - wire_last;
    gap += log[i + 1].sent - e.last_byte;
    reads += static_cast<double>(e.reads);
    ++n;
  }
  if (n == 0) return;
  const double k = 1e6 / static_cast<double>(n);
  std::printf(
      "       per exchange (%zu): first byte %+.0f us, last byte %+.0f us past the wire; "
      "client gap %.0f us; %.1f reads\n",
      n, first_late * k, last_late * k, gap * k, reads / static_cast<double>(n));
}

void Report(const char* what, std::size_t memory, double wall, double cpu, double wire_bytes) {
  const double limit = wire_bytes * kBitsPerByte / kBaud;
  std::printf("%-6s %5zu B  %7.3f s  wire limit %7.3f s  ratio %.3f  cpu %.1f%%\n", what, memory,
              wall, limit, wall / limit, 100 * cpu / wall);
}

int Run(const std::string& op, const std::string& path) {
  auto system = mk::platform::CreateSerialSystem();
  const int n = system->Resolve(mk::platform::ParsePortArgument(path));
  mk::link::SteadyClock clock;
  mk::link::NoPump pump;
  QuietPrompt prompt;
  mk::bench::TimingSystem timed(*system);
  mk::link::TVL_RS rs(timed, clock, pump, prompt);
  rs.OpenPort(n);
  rs.SetBaud(115200);
  if (!rs.IsOpen()) {
    std::fprintf(stderr, "mk-bench: cannot open %s\n", path.c_str());
    return 1;
  }
  mk::bench::TimingPort& log = *timed.last_opened;

  mk::device::TMK mk;
  mk::device::Connection c;
  const auto wall = [] {
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
  };
  PhaseTimer reading("Чтение настроек...", wall);
  mk::device::ReadSettings(rs, mk, reading, pump, &c);
  const double read_wall = wall() - reading.start;
  const double read_cpu = CpuSeconds() - reading.cpu_start;
  const std::size_t blocks = c.MemorySize / 32 - 2;
  const double read_bytes = static_cast<double>(blocks * ((kFrame + 2) + (kFrame + 32)));
  if (op == "read") {
    Report("read", c.MemorySize, read_wall, read_cpu, read_bytes);
    Breakdown(log.log, log.log.size() - blocks);
    return 0;
  }

  mk.LoadAll();
  const std::size_t before_write = log.log.size();
  PhaseTimer writing("Запись настроек...", wall);
  mk::device::WriteOptions options;
  options.verify = op == "write";  // "write-unverified" leaves the read-back out
  if (mk::device::WriteSettings(rs, mk, writing, pump, prompt, nullptr, options) !=
      mk::device::TransferResult::Done) {
    return 1;
  }
  const double write_wall = wall() - writing.start;
  const double write_cpu = CpuSeconds() - writing.cpu_start;
  double write_bytes = 0;
  for (const auto& r : mk::device::PlanRegions(mk.Directory(), mk.Image().size(), c.MemorySize)) {
    write_bytes += 2 * ((kFrame + 4) + kFrame);  // BeginWrite, EndWrite
    write_bytes += static_cast<double>((r.bytes + 31) / 32 * (kFrame + 4 + kFrame) + r.bytes);
  }
  Report(op == "write" ? "write" : "write-", c.MemorySize, write_wall, write_cpu, write_bytes);
  // The write's own exchanges come after its connect and re-read.
  Breakdown(log.log, before_write + 1 + blocks);
  return 0;
}

// The wire time, in seconds, of a whole `mkctl read` and `mkctl write` (connect,
// re-read, blocks, read-back) of the settings `mk`.
std::pair<double, double> WholeWireSeconds(const mk::device::TMK& mk) {
  const std::size_t memory = mk.Image().size() + 64;
  const double identify = 2 * kFrame + 3;
  const double read = identify + static_cast<double>((memory / 32 - 2) * (2 * kFrame + 2 + 32));
  double write = read;
  std::set<std::size_t> pages;
  for (const auto& r : mk::device::PlanRegions(mk.Directory(), mk.Image().size(), memory)) {
    write += 2 * ((kFrame + 4) + kFrame);
    write += static_cast<double>((r.bytes + 31) / 32 * (kFrame + 4 + kFrame) + r.bytes);
    for (std::size_t at = r.address; at < r.address + r.bytes; ++at) pages.insert(at / 32);
  }
  write += static_cast<double>(pages.size() * (2 * kFrame + 2 + 32));
  return {read * kBitsPerByte / kBaud, write * kBitsPerByte / kBaud};
}

// For bench/run to hold the processes' times against: the wire times of a
// whole read and write of the settings file `path`.
int WireLimits(const std::string& path) {
  mk::device::TMK mk;
  mk::device::LoadSettingsFile(path, mk);
  const auto [read, write] = WholeWireSeconds(mk);
  std::printf("%.4f %.4f\n", read, write);
  return 0;
}

// The link alone against the virtual MK at `address` on an ideal line and
// operating system (virtual time): a whole read and a whole write as mkctl runs
// them, the address known from an earlier run, and the read's frames alone.
int VirtualTransfers(mk::sim::WireTiming timing, std::uint8_t address) {
  mk::sim::VirtualMK sim(address);
  sim.LoadImage(mk::sim::FactoryMemory(sim.MemorySize()));
  mk::bench::NanoClock clock;
  mk::bench::VirtualLineSystem system(sim, clock, timing);
  mk::link::NoPump pump;
  QuietPrompt prompt;
  const auto seconds = [&clock] { return static_cast<double>(clock.now_ns) / 1e9; };
  mk::device::Connection c{address, static_cast<std::uint32_t>(sim.MemorySize()), 0};

  mk::link::TVL_RS rs(system, clock, pump, prompt);
  mk::device::TMK mk;
  const double read_start = seconds();
  rs.OpenPort(1);
  PhaseTimer reading("Чтение настроек...", seconds);
  mk::device::ReadSettings(rs, mk, reading, pump, &c);
  rs.ClosePort();
  const double read_end = seconds();
  const double frames_start = reading.start;
  mk.LoadAll();

  clock.Sleep(1000);  // as a later process would
  const double write_start = seconds();
  rs.OpenPort(1);
  if (mk::device::WriteSettings(rs, mk, reading, pump, prompt, &c, {}) !=
      mk::device::TransferResult::Done) {
    return 1;
  }
  const double write_end = seconds();

  const std::size_t blocks = c.MemorySize / 32 - 2;
  const double frames_wire =
      static_cast<double>(blocks * ((kFrame + 2) + (kFrame + 32))) * kBitsPerByte / kBaud;
  const auto [read_wire, write_wire] = WholeWireSeconds(mk);
  std::printf("frames %5u B  %7.3f s  wire %7.3f s  ratio %.3f\n", c.MemorySize,
              read_end - frames_start, frames_wire, (read_end - frames_start) / frames_wire);
  std::printf("read   %5u B  %7.3f s  wire %7.3f s  ratio %.3f\n", c.MemorySize,
              read_end - read_start, read_wire, (read_end - read_start) / read_wire);
  std::printf("write  %5u B  %7.3f s  wire %7.3f s  ratio %.3f\n", c.MemorySize,
              write_end - write_start, write_wire, (write_end - write_start) / write_wire);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "limits") == 0) return WireLimits(argv[2]);
  if (argc == 4 && std::strcmp(argv[1], "virtual") == 0) {
    const auto timing = mk::sim::WireTimingNamed(argv[2]);
    if (timing) return VirtualTransfers(*timing, static_cast<std::uint8_t>(std::atoi(argv[3])));
  }
  if (argc != 3 || (std::strcmp(argv[1], "read") != 0 && std::strcmp(argv[1], "write") != 0 &&
                    std::strcmp(argv[1], "write-unverified") != 0)) {
    std::fprintf(stderr,
                 "usage: mk-bench read|write|write-unverified PORT | limits FILE |"
                 " virtual bytes|whole|usb ADDRESS\n");
    return 2;
  }
  try {
    return Run(argv[1], argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "mk-bench: %s\n", e.what());
    return 1;
  }
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/mk-sim/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace mk::tools {
namespace {

// How long to doze while no client has the terminal open. The master reports
// a hang-up without end then, so poll alone would spin.
constexpr auto kIdleNap = std::chrono::milliseconds(20);
constexpr std::uint64_t kMaxPollNs = 200'000'000;
// Answer bytes go to the terminal in runs of up to 16 (1.5 ms of wire), each
// when its last byte is due: the client sees the answer complete on time
// without both programs waking up for every byte.
constexpr std::size_t kBurstBytes = 16;
constexpr std::uint64_t kBurstGapNs = 200'000;
// With wire timing the MK listens hot for this long after each request: the
// process polls without sleeping, so neither a request nor an answer run waits
// for the scheduler to wake us (tens of microseconds a time, which a real wire
// does not have and which would be charged to the client being measured).
constexpr std::uint64_t kHotListenNs = 50'000'000;

std::uint64_t NowNs() {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(
      duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count());
}

std::runtime_error SystemError(const std::string& what) {
  return std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

PtyServer::PtyServer(sim::VirtualMK& mk, sim::WireTiming wire_timing) : mk_(mk), schedule_(&mk) {
  schedule_.SetWireTiming(wire_timing);
  master_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) throw SystemError("posix_openpt");
  if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
    const auto error = SystemError("grantpt/unlockpt");
    ::close(master_);
    throw error;
  }
  const char* name = ptsname(master_);
  if (name == nullptr) {
    const auto error = SystemError("ptsname");
    ::close(master_);
    throw error;
  }
  slave_path_ = name;
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  MakeRaw();
#ifdef __linux__
  // Wire pacing wants wake-ups to the microsecond, not the default 50 us slack.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
}

PtyServer::~PtyServer() {
  if (master_ >= 0) ::close(master_);
}

// Terminal settings made on the master apply to the pair: no byte is
// translated or echoed even before the client sets its own raw mode.
void PtyServer::MakeRaw() {
  termios t{};
  if (tcgetattr(master_, &t) != 0) return;
  cfmakeraw(&t);
  tcsetattr(master_, TCSANOW, &t);
}

void PtyServer::Flush(std::uint64_t now_ns) {
  std::uint8_t buffer[512];
  for (;;) {
    const std::size_t n = schedule_.TakeDue(now_ns, buffer, sizeof buffer);
    if (n == 0) return;
    // With no client, or one that does not read, the bytes are lost as on a wire.
    if (::write(master_, buffer, n) < 0 && errno != EAGAIN && errno != EIO) {
      std::fprintf(stderr, "mk-sim: write: %s\n", std::strerror(errno));
    }
  }
}

void PtyServer::ReportViolations() {
  const auto& all = mk_.Violations();
  for (; violations_reported_ < all.size(); ++violations_reported_) {
    std::fprintf(stderr, "mk-sim: violation: %s\n", all[violations_reported_].c_str());
  }
}

void PtyServer::Run(const volatile std::sig_atomic_t& stop, const std::function<void()>& between) {
  bool connected = true;
  while (stop == 0) {
    if (between) between();
    const std::uint64_t now = NowNs();
    std::uint64_t wait_ns = kMaxPollNs;
    if (const auto due = schedule_.BurstDue(kBurstBytes, kBurstGapNs)) {
      if (*due <= now) Flush(now);
      wait_ns = std::min(wait_ns, *due > now ? *due - now : 0);
    }
    if (now < hot_until_ns_) wait_ns = 0;
    pollfd pfd{master_, POLLIN, 0};
    const timespec timeout{static_cast<time_t>(wait_ns / 1'000'000'000),
                           static_cast<long>(wait_ns % 1'000'000'000)};
    const int ready = ::ppoll(&pfd, 1, &timeout, nullptr);
    if (ready < 0) {
      if (errno == EINTR) continue;
      throw SystemError("poll");
    }
    if (ready == 0) continue;
    bool hung_up = (pfd.revents & (POLLHUP | POLLERR)) != 0 && (pfd.revents & POLLIN) == 0;
    if (pfd.revents & POLLIN) {
      std::uint8_t buffer[512];
      const ssize_t n = ::read(master_, buffer, sizeof buffer);
      if (n > 0) {
        if (!connected) {
          MakeRaw();
          connected = true;
        }
        const std::uint64_t heard = NowNs();
        schedule_.Send(std::span(buffer, static_cast<std::size_t>(n)), heard);
        if (schedule_.Paced()) hot_until_ns_ = heard + kHotListenNs;
        ReportViolations();
      } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
        hung_up = true;  // EIO: the last client closed the terminal
      }
    }
    if (hung_up) {
      connected = false;
      std::this_thread::sleep_for(kIdleNap);
    }
  }
  Flush(NowNs());
}

}  // namespace mk::tools

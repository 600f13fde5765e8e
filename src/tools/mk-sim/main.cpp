// SPDX-License-Identifier: GPL-3.0-or-later
// mk-sim: a virtual MK on a pseudo-terminal, for the configurator, mkctl and
// the integration tests to talk to as they would to a real MK.
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "device/atomic_file.h"
#include "device/file_reader.h"
#include "device/settings_file.h"
#include "history/local_time.h"
#include "sim/driving.h"
#include "sim/factory_image.h"
#include "sim/sim_options.h"
#include "sim/virtual_mk.h"
#include "tools/mk-sim/pty_server.h"

#ifndef MK_VERSION
#define MK_VERSION "0"
#endif

namespace {

volatile std::sig_atomic_t g_stop = 0;
volatile std::sig_atomic_t g_drive = 0;

void OnSignal(int) {
  g_stop = 1;
}

void OnDriveSignal(int) {
  g_drive = 1;
}

// At most a 32 KB memory's image; anything larger is no memory or settings file.
std::vector<std::uint8_t> ReadFile(const std::string& path) {
  return mk::device::ReadFileAtMost(
      path, 32768, {"cannot open " + path, path + " is larger than any MK's memory"});
}

void CatchStopSignals() {
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: poll returns at once with EINTR
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  action.sa_handler = OnDriveSignal;
  sigaction(SIGUSR1, &action, nullptr);
}

int Run(const mk::sim::SimOptions& options) {
  mk::sim::VirtualMK mk(options.address);
  if (options.memory != 0) mk.SetMemorySize(options.memory);
  mk.SetDeviceVersion(options.device_version);
  if (!options.settings.empty()) {
    const auto file = mk::device::DecodeSettingsFile(ReadFile(options.settings));
    mk.SetDeviceVersion(file.device_version);
    mk.LoadImage(mk::sim::MemoryFromImage(file.image, mk.MemorySize()));
  } else if (options.image.empty()) {
    mk.LoadImage(mk::sim::FactoryMemory(mk.MemorySize()));
  } else {
    mk.LoadImage(ReadFile(options.image));
  }
  mk.SetFaults(options.faults);
  mk.SetIgnoredRegion(options.ignored_region);
  if (options.verbose) {
    mk.SetTrace(
        [](const std::string& line) { std::fprintf(stderr, "mk-sim: %s\n", line.c_str()); });
  }

  // Days of driving end today, before this moment; a signal drives the next day.
  mk::sim::Driver driver;
  const mk::history::LocalMinutes now = mk::history::LocalNow();
  mk::history::LocalMinutes next_day = now - 1440 * (options.drive_days - 1);
  for (int d = 0; d < options.drive_days; ++d, next_day += 1440) {
    driver.DriveDay(mk.Memory(), next_day, next_day >= now - 1439 ? now : -1);
  }
  if (options.drive_days == 0) next_day = now;

  CatchStopSignals();
  mk::tools::PtyServer server(mk, options.wire_timing);
  std::printf("%s\n", server.SlavePath().c_str());
  std::fflush(stdout);
  server.Run(g_stop, [&] {
    if (g_drive == 0) return;
    g_drive = 0;
    driver.DriveDay(mk.Memory(), next_day);
    next_day += 1440;
  });

  if (!options.save.empty()) {
    mk::device::WriteFileAtomically(options.save, mk.Memory(), "cannot write " + options.save);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  mk::sim::SimOptions options;
  try {
    options = mk::sim::ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::invalid_argument& e) {
    std::fprintf(stderr, "mk-sim: %s\n", e.what());
    return 2;
  }
  if (options.help) {
    std::fputs(mk::sim::SimUsage().c_str(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("mk-sim %s\n", MK_VERSION);
    return 0;
  }
  try {
    return Run(options);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "mk-sim: %s\n", e.what());
    return 1;
  }
}

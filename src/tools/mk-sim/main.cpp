// mk-sim: a virtual MK on a pseudo-terminal, for the configurator, mkctl and
// the integration tests to talk to as they would to a real MK.
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/sim_options.h"
#include "sim/virtual_mk.h"
#include "tools/mk-sim/pty_server.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int) {
  g_stop = 1;
}

// The memory the MK starts with when no --image is given. THE place to plug in
// a plausible factory image once there is one; until then a simple pattern in
// which every block reads differently.
std::vector<std::uint8_t> DefaultMemory(std::size_t size) {
  std::vector<std::uint8_t> memory(size);
  for (std::size_t i = 0; i < size; ++i) memory[i] = static_cast<std::uint8_t>(i ^ (i >> 8));
  return memory;
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Writes beside the target and renames, so a reader never sees half an image.
void SaveFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const std::string temp = path + ".part";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + temp);
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    throw std::runtime_error("cannot rename " + temp + " to " + path);
  }
}

void CatchStopSignals() {
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: poll returns at once with EINTR
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

int Run(const mk::sim::SimOptions& options) {
  mk::sim::VirtualMK mk(options.address);
  if (options.memory != 0) mk.SetMemorySize(options.memory);
  mk.SetDeviceVersion(options.device_version);
  if (options.image.empty()) {
    mk.LoadImage(DefaultMemory(mk.MemorySize()));
  } else {
    mk.LoadImage(ReadFile(options.image));
  }
  mk.SetFaults(options.faults);
  if (options.verbose) {
    mk.SetTrace(
        [](const std::string& line) { std::fprintf(stderr, "mk-sim: %s\n", line.c_str()); });
  }

  CatchStopSignals();
  mk::tools::PtyServer server(mk, options.wire_timing);
  std::printf("%s\n", server.SlavePath().c_str());
  std::fflush(stdout);
  server.Run(g_stop);

  if (!options.save.empty()) {
    SaveFile(options.save, std::vector<std::uint8_t>(mk.Memory().begin(), mk.Memory().end()));
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
  try {
    return Run(options);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "mk-sim: %s\n", e.what());
    return 1;
  }
}

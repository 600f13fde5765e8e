// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/sim_options.h"

#include <charconv>
#include <limits>
#include <stdexcept>

namespace mk::sim {
namespace {

std::uint32_t Number(const std::string& option, const std::string& text, std::uint32_t min,
                     std::uint32_t max) {
  std::uint32_t value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < min || value > max) {
    throw std::invalid_argument(option + ": \"" + text + "\" is not a number from " +
                                std::to_string(min) + " to " + std::to_string(max));
  }
  return value;
}

}  // namespace

SimOptions ParseSimOptions(const std::vector<std::string>& args) {
  SimOptions o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw std::invalid_argument(a + " needs a value");
      return args[++i];
    };
    if (a == "--help" || a == "-h") {
      o.help = true;
    } else if (a == "--version") {
      o.version = true;
    } else if (a == "--address") {
      o.address = static_cast<std::uint8_t>(Number(a, value(), 252, 254));
    } else if (a == "--memory") {
      const std::string& v = value();
      o.memory = Number(a, v, 0, std::numeric_limits<std::uint32_t>::max());
      if (o.memory != 8192 && o.memory != 32768) {
        // NOLINTNEXTLINE(performance-inefficient-string-concatenation): once, on the way out
        throw std::invalid_argument(a + ": \"" + v + "\" is neither 8192 nor 32768");
      }
    } else if (a == "--device-version") {
      o.device_version = static_cast<std::uint16_t>(Number(a, value(), 0, 65535));
    } else if (a == "--image") {
      o.image = value();
    } else if (a == "--save") {
      o.save = value();
    } else if (a == "--settings") {
      o.settings = value();
    } else if (a == "--wire-timing") {
      o.wire_timing = WireTiming::kBytes;
    } else if (a.starts_with("--wire-timing=")) {
      const std::string name = a.substr(a.find('=') + 1);
      const auto timing = WireTimingNamed(name);
      if (!timing) {
        throw std::invalid_argument("--wire-timing: \"" + name + "\" is none of bytes, whole, usb");
      }
      o.wire_timing = *timing;
    } else if (a == "--verbose") {
      o.verbose = true;
    } else if (a == "--fault") {
      const Fault f = ParseFault(value());
      o.faults.faults.push_back(f);
    } else if (a == "--fault-every") {
      o.faults.every = Number(a, value(), 1, std::numeric_limits<std::uint32_t>::max());
    } else if (a == "--fault-after") {
      o.faults.after = Number(a, value(), 0, std::numeric_limits<std::uint32_t>::max());
    } else if (a == "--ignore-region") {
      o.ignored_region = static_cast<std::uint16_t>(Number(a, value(), 0, 65535));
    } else if (a == "--drive-days") {
      o.drive_days = static_cast<int>(Number(a, value(), 0, 3650));
    } else if (a == "--fault-count") {
      o.faults.count = Number(a, value(), 1, std::numeric_limits<std::uint32_t>::max());
    } else {
      throw std::invalid_argument("unknown option \"" + a + "\" (see --help)");
    }
  }
  return o;
}

std::string SimUsage() {
  return "usage: mk-sim [options]\n"
         "Runs a virtual MK on a pseudo-terminal. The first line printed is the terminal's\n"
         "path; open it as the MK's serial port. Stops on SIGINT or SIGTERM.\n"
         "\n"
         "  --address 252|253|254    the MK's address (default 253)\n"
         "  --memory 8192|32768      memory size (default: 32768 at address 254, else 8192)\n"
         "  --device-version N       the version Identify reports (default 1)\n"
         "  --image FILE             raw memory image to start from (a shorter file is\n"
         "                           zero-filled)\n"
         "  --settings FILE          serve a settings file (.vrnkp) and its device version\n"
         "  --save FILE              write the memory image to FILE on exit\n"
         "  --wire-timing[=MODEL]    answer at the pace of 115200 baud 8N2; the request is\n"
         "                           heard when its last byte would be in, then the answer\n"
         "                           comes as MODEL says:\n"
         "                             bytes  (the default) after 0.2 ms, byte by byte, each\n"
         "                                    when its last bit would be in\n"
         "                             whole  at once, when its last byte would be in (a\n"
         "                                    peer that writes each answer whole)\n"
         "                             usb    in pieces as a USB serial device hands them\n"
         "                                    over: what came in each millisecond as one\n"
         "                                    packet, and the tail when the answer ends\n"
         "  --fault KIND[:ARG]       misbehave (repeatable; all apply together):\n"
         "                             silence          no answer\n"
         "                             late[:MS]        answer MS ms late (default 3000)\n"
         "                             bad-checksum     corrupt the checksum\n"
         "                             short-frame[:N]  length byte N (1..5, default 3)\n"
         "                             truncated[:K]    only the first K bytes (default 4);\n"
         "                                              also called stall\n"
         "                             busy             status 255, request not carried out\n"
         "                             zero-header      address and header word 0\n"
         "  --fault-every N          fault only every Nth answer (default: every answer)\n"
         "  --fault-count M          fault only M times in all (default: no limit)\n"
         "  --fault-after K          leave the first K answers alone (e.g. to break off\n"
         "                           a transfer half-way)\n"
         "  --ignore-region ADDRESS  answer the region write that begins at ADDRESS as\n"
         "                           usual but keep none of its bytes (a memory fault\n"
         "                           that only reading back finds)\n"
         "  --drive-days N           fill the journals and totals with N days of driving\n"
         "                           ending today; each SIGUSR1 then drives one more day\n"
         "                           (the day after the last one driven)\n"
         "  --verbose                log every request to stderr\n"
         "  --help                   this text\n"
         "  --version                the program's version\n"
         "\n"
         "Broken region writes are reported on stderr as they happen.\n"
         "\n"
         "Exit status:\n"
         "  0  stopped by SIGINT or SIGTERM, or --help or --version printed\n"
         "  1  failure (a file that cannot be read or written, no pseudo-terminal)\n"
         "  2  a bad command line\n";
}

}  // namespace mk::sim

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/host_facts.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <system_error>

#include "platform/posix/usb_sysfs.h"

namespace mk::platform {
namespace fs = std::filesystem;
namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

std::string FirstWord(const fs::path& file) {
  std::ifstream in(file);
  std::string word;
  in >> word;
  return word;
}

std::vector<std::string> Names(const fs::path& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    names.push_back(it->path().filename().string());
  }
  return names;
}

bool IsNumber(const std::string& s) {
  return !s.empty() && s.size() < 10 &&
         std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

std::string ReadLinkName(const fs::path& link) {
  std::error_code ec;
  const fs::path target = fs::read_symlink(link, ec);
  return ec ? std::string() : target.filename().string();
}

std::vector<std::string> Split(const std::string& s, char by) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(s);
  while (std::getline(in, part, by)) parts.push_back(part);
  if (!s.empty() && s.back() == by) parts.emplace_back();
  return parts;
}

}  // namespace

std::vector<SerialTty> SerialTtys(const std::string& sys) {
  std::vector<SerialTty> ttys;
  const fs::path cls = fs::path(sys) / "class" / "tty";
  for (const auto& name : Names(cls)) {
    const fs::path device = cls / name / "device";
    std::error_code ec;
    if (!fs::exists(device, ec)) continue;  // virtual terminals, pseudo-terminals
    SerialTty tty;
    tty.name = name;
    tty.device_dir = fs::canonical(device, ec).string();
    if (const auto ids = UsbIdsOf(device.string())) {
      tty.usb = true;
      tty.vendor = ids->first;
      tty.product = ids->second;
    }
    tty.driver = ReadLinkName(device / "driver");
    // The serial core lists ttyS0..ttyS31 whether or not a UART is there;
    // type 0 means none is.
    if (!tty.usb && fs::exists(cls / name / "type", ec) && FirstWord(cls / name / "type") == "0") {
      continue;
    }
    const std::string latency = FirstWord(device / "latency_timer");
    if (IsNumber(latency)) tty.latency_ms = std::stoi(latency);
    ttys.push_back(std::move(tty));
  }
  std::sort(ttys.begin(), ttys.end(),
            [](const SerialTty& a, const SerialTty& b) { return NaturalLess(a.name, b.name); });
  return ttys;
}

bool UsbDevicePresent(const std::string& sys, const std::string& vendor,
                      const std::string& product) {
  const fs::path devices = fs::path(sys) / "bus" / "usb" / "devices";
  for (const auto& name : Names(devices)) {
    if (Lower(FirstWord(devices / name / "idVendor")) == Lower(vendor) &&
        Lower(FirstWord(devices / name / "idProduct")) == Lower(product)) {
      return true;
    }
  }
  return false;
}

std::vector<Process> Processes(const std::string& proc) {
  std::vector<Process> found;
  for (const auto& name : Names(proc)) {
    if (!IsNumber(name)) continue;
    std::ifstream in(fs::path(proc) / name / "comm");
    Process p{std::stoi(name), ""};
    std::getline(in, p.name);
    found.push_back(std::move(p));
  }
  std::sort(found.begin(), found.end(),
            [](const Process& a, const Process& b) { return a.pid < b.pid; });
  return found;
}

std::vector<Process> Holders(const std::string& proc, const std::string& device, int skip_pid,
                             int& hidden) {
  std::vector<Process> holders;
  for (const auto& p : Processes(proc)) {
    if (p.pid == skip_pid) continue;
    const fs::path fds = fs::path(proc) / std::to_string(p.pid) / "fd";
    std::error_code ec;
    fs::directory_iterator it(fds, ec);
    if (ec) {
      if (ec == std::errc::permission_denied) ++hidden;
      continue;
    }
    for (fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
      std::error_code link_ec;  // a descriptor closed meanwhile is just skipped
      if (fs::read_symlink(it->path(), link_ec) == device && !link_ec) {
        holders.push_back(p);
        break;
      }
    }
  }
  return holders;
}

std::string Accounts::GroupName(unsigned gid) const {
  for (const auto& g : groups) {
    if (g.gid == gid) return g.name;
  }
  return std::to_string(gid);
}

std::string Accounts::UserName(unsigned uid) const {
  for (const auto& [id, name] : users) {
    if (id == uid) return name;
  }
  return std::to_string(uid);
}

bool Accounts::Member(const std::string& user, unsigned gid, unsigned primary_gid) const {
  if (gid == primary_gid) return true;
  for (const auto& g : groups) {
    if (g.gid == gid && std::find(g.members.begin(), g.members.end(), user) != g.members.end()) {
      return true;
    }
  }
  return false;
}

Accounts ReadAccounts(const std::string& etc) {
  Accounts accounts;
  std::ifstream group(fs::path(etc) / "group");
  for (std::string line; std::getline(group, line);) {
    const auto f = Split(line, ':');
    if (f.size() < 4 || !IsNumber(f[2])) continue;
    Accounts::Group g{static_cast<unsigned>(std::stoul(f[2])), f[0], {}};
    for (auto& m : Split(f[3], ',')) {
      if (!m.empty()) g.members.push_back(m);
    }
    accounts.groups.push_back(std::move(g));
  }
  std::ifstream passwd(fs::path(etc) / "passwd");
  for (std::string line; std::getline(passwd, line);) {
    const auto f = Split(line, ':');
    if (f.size() >= 3 && IsNumber(f[2])) {
      accounts.users.emplace_back(static_cast<unsigned>(std::stoul(f[2])), f[0]);
    }
  }
  return accounts;
}

std::optional<MkRule> FindMkRule(const std::string& etc, const std::string& lib_udev) {
  // udev reads both folders as one, by file name; /etc wins a tie.
  std::map<std::string, std::pair<fs::path, std::string>> files;
  const std::pair<fs::path, std::string> folders[] = {
      {fs::path(lib_udev) / "rules.d", "/lib/udev/rules.d/"},
      {fs::path(etc) / "udev" / "rules.d", "/etc/udev/rules.d/"}};
  for (const auto& [dir, shown] : folders) {
    for (const auto& name : Names(dir)) {
      if (name.size() > 6 && name.ends_with(".rules")) files[name] = {dir / name, shown + name};
    }
  }
  // The MK's rule names its identifiers on one line; what it does with the
  // port may follow on others (after a GOTO to a label of the same file).
  for (const auto& [name, where] : files) {
    std::ifstream in(where.first);
    bool names_mk = false;
    MkRule rule{where.second, false, false};
    for (std::string line; std::getline(in, line);) {
      const std::string l = Lower(line);
      if (l.starts_with("#")) continue;
      names_mk |= l.find("04d8") != std::string::npos && l.find("000a") != std::string::npos;
      rule.uaccess |= l.find("uaccess") != std::string::npos;
      rule.modem_manager_ignore |= l.find("id_mm_device_ignore") != std::string::npos;
    }
    if (names_mk) return rule;
  }
  return std::nullopt;
}

bool BrlttyInstalled(const std::string& etc, const std::string& lib_udev) {
  std::error_code ec;
  if (fs::exists(fs::path(etc) / "brltty.conf", ec)) return true;
  const auto rules = Names(fs::path(lib_udev) / "rules.d");
  return std::any_of(rules.begin(), rules.end(),
                     [](const std::string& n) { return n.find("brltty") != std::string::npos; });
}

}  // namespace mk::platform

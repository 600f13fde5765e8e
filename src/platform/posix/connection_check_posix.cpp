// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/connection_check_posix.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <optional>

#include "platform/posix/host_facts.h"
#include "platform/usb_mk.h"

namespace mk::platform {
namespace {

constexpr const char* kRuleFix =
    "установите правило udev, которое идёт с программой: sudo cp packaging/udev/60-mk.rules "
    "/etc/udev/rules.d/ && sudo udevadm control --reload-rules && sudo udevadm trigger, "
    "затем переподключите МК";

// Groups whose members can make themselves root (or read and change what only
// root may): never the way to a serial port. Known by name, as the account
// database gives it (gid 0 is "root" there).
bool GrantsRoot(const std::string& name) {
  static constexpr const char* kGroups[] = {"root", "sudo",   "wheel", "admin",  "disk",
                                            "kmem", "shadow", "staff", "docker", "lxd"};
  return std::find(std::begin(kGroups), std::end(kGroups), name) != std::end(kGroups);
}

std::string ModeText(mode_t mode) {
  std::string s;
  for (int shift = 6; shift >= 0; shift -= 3) {
    s += (mode >> shift) & 4 ? 'r' : '-';
    s += (mode >> shift) & 2 ? 'w' : '-';
    s += (mode >> shift) & 1 ? 'x' : '-';
  }
  return s;
}

std::string Join(const std::vector<std::string>& items) {
  std::string s;
  for (const auto& i : items) s += (s.empty() ? "" : ", ") + i;
  return s;
}

class Checker {
 public:
  Checker(const HostRoots& roots, const UserIdentity& user)
      : roots_(roots), user_(user), accounts_(ReadAccounts(roots.etc)) {}

  ConnectionReport Run() {
    const std::string user_name = user_.name.empty() ? accounts_.UserName(user_.uid) : user_.name;
    const bool mk_on_usb = UsbDevicePresent(roots_.sys, kMkVendor, kMkProduct);
    const std::vector<SerialTty> ttys = SerialTtys(roots_.sys);
    rule_ = FindMkRule(roots_.etc, roots_.lib_udev);

    std::vector<std::string> mk_ports, other_ports;
    for (const auto& t : ttys) (IsMk(t) ? mk_ports : other_ports).push_back("/dev/" + t.name);
    if (!mk_on_usb) {
      Block("МК не найден на USB: среди устройств USB нет 04D8:000A.",
            "подключите МК кабелем USB и включите его; если он так и не появится, возьмите другой "
            "кабель (с линиями данных) или другое гнездо USB.");
    } else if (mk_ports.empty()) {
      Block("МК виден на USB (04D8:000A), но последовательного порта у него нет.",
            "загрузите драйвер порта: sudo modprobe cdc_acm, затем переподключите МК.");
    }
    report_.checked.push_back("USB: МК (04D8:000A) в /sys/bus/usb/devices — " +
                              std::string(!mk_on_usb         ? "не найден"
                                          : mk_ports.empty() ? "найден, без порта"
                                                             : "найден, порт " + Join(mk_ports)));
    std::vector<std::string> all = mk_ports;
    all.insert(all.end(), other_ports.begin(), other_ports.end());
    report_.checked.push_back("последовательные порты в /sys/class/tty: " +
                              (all.empty() ? std::string("нет ни одного") : Join(all)));
    report_.checked.push_back(
        "правило udev для МК в /etc/udev/rules.d и /lib/udev/rules.d — " +
        (rule_ ? "установлено: " + rule_->path + (rule_->uaccess ? " (метка uaccess)" : "")
               : std::string("не установлено")));

    std::vector<std::string> group_names{accounts_.GroupName(user_.gid)};
    for (unsigned g : user_.groups) {
      if (g != user_.gid) group_names.push_back(accounts_.GroupName(g));
    }
    report_.checked.push_back("права на порты у пользователя " + user_name +
                              " (группы: " + Join(group_names) + ")");

    int hidden = 0;
    for (const auto& t : ttys) {
      // With the MK on USB, the other ports matter only to someone who uses them.
      const bool matters = IsMk(t) || mk_ports.empty();
      CheckPort(t, matters, user_name, hidden);
    }
    const std::vector<Process> processes = Processes(roots_.proc);
    std::string holders_line = "программы, которые держат порты открытыми (/proc): процессов " +
                               std::to_string(processes.size());
    if (hidden > 0) {
      holders_line += ", из них у " + std::to_string(hidden) +
                      " открытые файлы не видны (их видит только root: sudo mkctl doctor)";
    }
    report_.checked.push_back(holders_line);

    CheckModemManager(processes);
    CheckBrltty();
    return report_;
  }

 private:
  static bool IsMk(const SerialTty& t) {
    return t.usb && t.vendor == "04d8" && t.product == "000a";
  }

  void Block(std::string what, std::string fix) {
    report_.obstacles.push_back({true, std::move(what), std::move(fix)});
  }
  void Warn(std::string what, std::string fix) {
    report_.obstacles.push_back({false, std::move(what), std::move(fix)});
  }
  void Add(bool blocking, std::string what, std::string fix) {
    report_.obstacles.push_back({blocking, std::move(what), std::move(fix)});
  }

  bool InGroupNow(unsigned gid) const {
    return gid == user_.gid ||
           std::find(user_.groups.begin(), user_.groups.end(), gid) != user_.groups.end();
  }

  void CheckPort(const SerialTty& t, bool matters, const std::string& user_name, int& hidden) {
    const std::string device = "/dev/" + t.name;
    const std::string label = device + (IsMk(t) ? " (МК)" : t.usb ? " (переходник USB)" : "");
    struct stat st {};
    if (stat((roots_.dev + "/" + t.name).c_str(), &st) != 0) {
      Add(matters, "Порт " + label + " есть в ядре, но файла устройства " + device + " нет.",
          "пусть udev создаст его заново: sudo udevadm trigger, или переподключите устройство.");
      return;
    }
    CheckAccess(t, st, label, matters, user_name);

    for (const auto& p : Holders(roots_.proc, device, user_.pid, hidden)) {
      Add(matters,
          "Порт " + label + " держит открытым программа " + p.name + " (PID " +
              std::to_string(p.pid) + ").",
          "закройте " + p.name + " или завершите её: kill " + std::to_string(p.pid) + ".");
    }
    if (t.usb && !IsMk(t) && t.latency_ms && *t.latency_ms > 1) {
      Warn("Переходник " + device + (t.driver.empty() ? "" : " (" + t.driver + ")") +
               ": таймер задержки " + std::to_string(*t.latency_ms) +
               " мс, каждый короткий ответ МК может ждать его, и чтение всей памяти идёт в "
               "несколько раз дольше.",
           "echo 1 | sudo tee /sys/bus/usb-serial/devices/" + t.name + "/latency_timer");
    }
  }

  void CheckAccess(const SerialTty& t, const struct stat& st, const std::string& label,
                   bool matters, const std::string& user_name) {
    const mode_t mode = st.st_mode;
    bool may = user_.uid == 0 || (st.st_uid == user_.uid && (mode & 0600) == 0600) ||
               (InGroupNow(st.st_gid) && (mode & 0060) == 0060) || (mode & 0006) == 0006;
    // An ACL (uaccess gives the user at the seat one) does not show in the mode.
    if (!may && user_.is_current_process) {
      may = access((roots_.dev + "/" + t.name).c_str(), R_OK | W_OK) == 0;
    }
    if (may) return;

    const std::string owner = accounts_.UserName(st.st_uid);
    const std::string group = accounts_.GroupName(st.st_gid);
    const std::string facts = "Порт " + label + ": владелец " + owner + ", группа " + group +
                              ", права " + ModeText(mode) + "; ";
    if ((mode & 0060) == 0060 && accounts_.Member(user_name, st.st_gid, user_.gid)) {
      Add(matters,
          facts + "вас добавили в группу " + group +
              ", но в этом сеансе её ещё нет: вы вошли в систему раньше.",
          "выйдите из системы и войдите снова (или перезагрузите компьютер).");
      return;
    }
    std::string fix;
    if (GrantsRoot(group)) {
      const bool seat_rule = IsMk(t) && rule_ && rule_->uaccess;
      fix = std::string(seat_rule ? "войдите в систему за этим компьютером: метка uaccess даёт "
                                    "доступ к порту тому, кто вошёл за ним"
                        : IsMk(t) ? kRuleFix
                                  : "пусть порт получит группу dialout (правилом udev с "
                                    "GROUP=\"dialout\"), затем переподключите устройство") +
            ". Вступать в группу " + group + " не нужно: она даёт права root.";
    } else if (IsMk(t) && !(rule_ && rule_->uaccess)) {
      fix = kRuleFix + std::string("; или: sudo usermod -aG ") + group + " " + user_name +
            " и войдите в систему снова.";
    } else {
      fix = "sudo usermod -aG " + group + " " + user_name + ", затем выйдите и войдите снова.";
    }
    Add(matters,
        facts + "пользователь " + user_name + " не владелец, не в группе " + group +
            (IsMk(t) && rule_ && rule_->uaccess
                 ? ", а метка uaccess правила udev даёт доступ только тому, кто вошёл за этим "
                   "компьютером (не через ssh)."
                 : ", и метки uaccess у порта нет."),
        fix);
  }

  void CheckModemManager(const std::vector<Process>& processes) {
    const bool running = std::any_of(processes.begin(), processes.end(),
                                     [](const Process& p) { return p.name == "ModemManager"; });
    report_.checked.push_back(std::string("ModemManager — ") +
                              (running ? "запущен" : "не запущен"));
    if (running && !(rule_ && rule_->modem_manager_ignore)) {
      Block(
          "Запущен ModemManager, а правила udev, которое велит ему не трогать МК, нет: он "
          "открывает новый порт и шлёт в него AT-команды, и МК не отвечает программе.",
          std::string(kRuleFix) +
              "; или остановите его: sudo systemctl disable --now "
              "ModemManager.");
    }
  }

  void CheckBrltty() {
    const bool installed = BrlttyInstalled(roots_.etc, roots_.lib_udev);
    report_.checked.push_back(std::string("brltty — ") +
                              (installed ? "установлен" : "не установлен"));
    if (installed) {
      Warn(
          "Установлен brltty (программа для брайлевских дисплеев): он забирает себе некоторые "
          "переходники USB–COM, и их порт пропадает.",
          "если МК подключён через такой переходник и порт не появляется: sudo apt remove "
          "brltty.");
    }
  }

  const HostRoots& roots_;
  const UserIdentity& user_;
  Accounts accounts_;
  std::optional<MkRule> rule_;
  ConnectionReport report_;
};

}  // namespace

UserIdentity CurrentUser() {
  UserIdentity user;
  user.uid = getuid();
  user.gid = getgid();
  const int n = getgroups(0, nullptr);
  std::vector<gid_t> groups(static_cast<std::size_t>(std::max(n, 0)));
  const int got = n > 0 ? getgroups(n, groups.data()) : 0;
  for (int i = 0; i < got; ++i) user.groups.push_back(groups[static_cast<std::size_t>(i)]);
  user.pid = getpid();
  user.is_current_process = true;
  return user;
}

ConnectionReport CheckConnection(const HostRoots& roots, const UserIdentity& user) {
  return Checker(roots, user).Run();
}

ConnectionReport CheckConnection() {
  return CheckConnection(HostRoots{}, CurrentUser());
}

}  // namespace mk::platform

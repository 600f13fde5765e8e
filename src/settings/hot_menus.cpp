// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/hot_menus.h"

#include <algorithm>

#include "device/field_table.h"
#include "text/error.h"

namespace mk::settings {

const std::string_view kHotMenuHint =
    "Для того, чтобы добавить или удалить пункт меню или очистить всю таблицу, щелкните ПРАВОЙ "
    "кнопкой мыши в соответствующей строке таблицы.\r\n\r\nДля того, чтобы поменять местами "
    "пункты меню, нажмите ЛЕВУЮ кнопку мыши на левой колонке нужного пункта,  потяните и "
    "отпустите в нужной строке таблицы.";

namespace {

void CheckList(int list) {
  if (list < 0 || list >= kHotLists) throw Error("Нет горячего меню " + std::to_string(list));
}

void CheckRow(int row) {
  if (row < 0 || row >= kHotEntries) throw Error("Нет строки " + std::to_string(row));
}

// How the insert menus are written down: an identifier, or a submenu caption
// followed by its entries up to the matching end marker.
struct Entry {
  std::string_view ident;  // an item, or the caption of a submenu
  bool opens = false;      // starts a submenu
  bool closes = false;     // ends the current submenu
};
constexpr Entry Sub(std::string_view caption) {
  return {caption, true, false};
}
constexpr Entry End() {
  return {"", false, true};
}
constexpr Entry It(std::string_view ident) {
  return {ident};
}

constexpr Entry kList0[] = {
    Sub("Управление"),
    It("VirtLockMenu"),
    It("FullTankMenu"),
    It("ToTankMenu"),
    It("InTankMenu"),
    It("VentOnMenu"),
    It("PrognozMenu"),
    It("InjTimeHHMenu"),
    It("ExpenseHHMenu"),
    It("CorrUOZMenu"),
    It("CandleDryMenu"),
    It("EBUInitMenu"),
    It("EBUResetMenu"),
    End(),
    Sub("Источники"),
    It("TankMethMenu"),
    It("LightsOnMenu"),
    It("IntenseDayTimeMenu"),
    It("IntenseNightTimeMenu"),
    End(),
    Sub("Границы"),
    It("LiqTemperLimitMenu"),
    It("RevolutionsLimitMenu"),
    It("VelocityLimitMenu"),
    It("TankLimitMenu"),
    It("VentTempLimitMenu"),
    It("InjTimeLimitMenu"),
    It("LiqTemperReadyMenu"),
    It("Vel100Menu"),
    It("Vel100DownMenu"),
    It("Exp100ArrowLimMenu"),
    End(),
    Sub("Время"),
    It("WakeTimeMenu"),
    It("WakeActiveMenu"),
    End(),
    Sub("Дисплей"),
    It("Intense0Menu"),
    It("Intense1Menu"),
    Sub("Стрелочные"),
    It("DispShowArrowMethMenu"),
    End(),
    Sub("Графические"),
    It("MeasParamsHistoryFlagMenu"),
    End(),
    End(),
    Sub("Озвуч.сообщения"),
    It("AlarmPermJournMenu"),
    It("SoundVolumeMenu"),
    It("FlagSoundMenu"),
    It("SayParamPeriodMenu"),
    It("apVelMenu"),
    It("AlarmVelSecNoSayMaxMenu"),
    It("apRevMenu"),
    It("apTankMenu"),
    It("apHoloMenu"),
    It("apEconomMenu"),
    It("apGabarMenu"),
    It("apLightsMenu"),
    It("apTankFullMenu"),
    It("apInjTimeMenu"),
    It("apErrorMenu"),
    It("apLiqTempHighMenu"),
    It("apLiqTempReadyMenu"),
    End(),
    Sub("TO"),
    It("ErrorsMenu"),
    It("BlocksABS9Menu"),
    It("BlocksElPakNMenu"),
    It("BlocksElPakUAZMenu"),
    It("BlocksClimatUAZMenu"),
    It("BlocksABS9UMenu"),
    End(),
};

constexpr Entry kList3[] = {
    Sub("Парковка"),
    It("ParkOffMenu"),
    It("ParkUseMenu_0"),
    It("ParkSenseMenu_0"),
    It("ParkSpeedMenu_0"),
    It("ParkBeepTypeMenu"),
    It("ParkAlwaysOnMenu"),
    End(),
    Sub("Парковка вперед"),
    It("ParkUseMenu_1"),
    It("ParkForwConstOffMenu"),
    It("ParkSenseMenu_1"),
    It("ParkSpeedMenu_1"),
    End(),
};

class MenuBuilder {
 public:
  MenuBuilder(const catalog::MenuCatalogue& menu, catalog::Features features)
      : menu_(menu), features_(features) {
    stack_.push_back({});
  }

  void Item(std::string_view ident) {
    // The lights item belongs to the sources only where the variant has no
    // air temperature (code 37 is the ice warning otherwise).
    if (ident == "LightsOnMenu" && !features_.Has(catalog::Feature::NoAirTemper)) return;
    if (const catalog::TMKMenuItem* item = menu_.FindMenuItemByName(ident)) {
      stack_.back().children.push_back({item->Caption, item->Code, {}});
    }
  }
  void Open(std::string_view caption) { stack_.push_back({std::string(caption), 0, {}}); }
  void Close() {
    InsertMenuNode done = std::move(stack_.back());
    stack_.pop_back();
    if (done.IsSubmenu()) stack_.back().children.push_back(std::move(done));
  }
  void Add(std::span<const Entry> entries) {
    for (const Entry& e : entries) {
      if (e.opens) {
        Open(e.ident);
      } else if (e.closes) {
        Close();
      } else {
        Item(e.ident);
      }
    }
  }
  std::vector<InsertMenuNode> Take() { return std::move(stack_.front().children); }

 private:
  const catalog::MenuCatalogue& menu_;
  catalog::Features features_;
  std::vector<InsertMenuNode> stack_;
};

}  // namespace

bool HotListShown(int list, catalog::Features features) {
  if (list == 2) return features.Has(catalog::Feature::HasTaxi);
  if (list == 3) return !features.Has(catalog::Feature::NoParkSensors);
  return list >= 0 && list < kHotLists;
}

HotList ReadHotList(const device::Record& display, int list) {
  CheckList(list);
  HotList entries{};
  for (int row = 0; row < kHotEntries; ++row) {
    entries[static_cast<std::size_t>(row)] = static_cast<std::uint16_t>(
        display.GetInt("HotMenu", static_cast<std::size_t>(list), static_cast<std::size_t>(row)));
  }
  return entries;
}

void WriteHotList(device::Record& display, int list, const HotList& entries) {
  CheckList(list);
  for (int row = 0; row < kHotEntries; ++row) {
    display.SetInt("HotMenu", entries[static_cast<std::size_t>(row)],
                   static_cast<std::size_t>(list), static_cast<std::size_t>(row));
  }
}

HotList Compacted(const HotList& entries) {
  HotList out{};
  std::copy_if(entries.begin(), entries.end(), out.begin(), [](std::uint16_t e) { return e != 0; });
  return out;
}

HotList Deleted(const HotList& entries, int row) {
  CheckRow(row);
  HotList out = entries;
  out[static_cast<std::size_t>(row)] = 0;
  return out;
}

HotList Inserted(const HotList& entries, int row, std::uint16_t code) {
  CheckRow(row);
  HotList out = entries;
  std::copy_backward(entries.begin() + row, entries.end() - 1, out.end());
  out[static_cast<std::size_t>(row)] = code;
  return out;
}

HotList Moved(const HotList& entries, int from, int to) {
  CheckRow(from);
  CheckRow(to);
  HotList out = entries;
  if (from < to) {
    std::rotate(out.begin() + from, out.begin() + from + 1, out.begin() + to + 1);
  } else if (to < from) {
    std::rotate(out.begin() + to, out.begin() + from, out.begin() + from + 1);
  }
  return out;
}

std::string EntryCaption(const catalog::MenuCatalogue& menu, std::uint16_t code) {
  if (code == 0) return {};
  const catalog::TMKMenuItem* item = menu.FindMenuItemByCode(code);
  return item != nullptr ? item->Caption : std::string();
}

std::vector<InsertMenuNode> InsertMenu(const catalog::MenuCatalogue& menu,
                                       catalog::Features features, int list) {
  CheckList(list);
  MenuBuilder b(menu, features);
  switch (list) {
    case 0:
      b.Add(kList0);
      break;
    case 1:
      for (const char* ident :
           {"InitTripParamsMenu", "InitReset0ParamsMenu", "InitReset1ParamsMenu",
            "InitStopParamsMenu", "InitNoStopParamsMenu", "InitResetOnlyParamsMenu",
            "TripMinStopMenu", "TripJournMenu"}) {
        b.Item(ident);
      }
      b.Open("Журнал поездок");
      b.Open("Записать");
      for (int n = 1; n <= 20; ++n) b.Item("WriteTrip" + std::to_string(n) + "Menu");
      b.Close();
      b.Open("Просмотреть");
      for (int n = 0; n <= 20; ++n) b.Item("ViewTrip" + std::to_string(n) + "Menu");
      b.Close();
      b.Close();
      b.Item("TankJournMenu");
      b.Open("Журнал заправок");
      for (int n = 0; n <= 20; ++n) b.Item("ViewTank" + std::to_string(n) + "Menu");
      b.Close();
      break;
    case 2:
      for (const char* ident :
           {"TaxStartFinishMenu", "TaxTarifDNMenu", "TaxTarifNumMenu", "TaxClearAllSumMenu",
            "TaxFlagMinMenu", "TaxTarifStartMenu", "TaxTarifSumMinMenu"}) {
        b.Item(ident);
      }
      for (int n = 0; n < 5; ++n) {
        const std::string t = std::to_string(n);
        for (const char* part :
             {"TaxTimeTarif%Day", "TaxPathTarif%Day", "TaxTimeTarif%Night", "TaxPathTarif%Night"}) {
          std::string ident = part;
          ident.replace(ident.find('%'), 1, t);
          b.Item(ident + "Menu");
        }
      }
      break;
    default:
      b.Add(kList3);
      break;
  }
  return b.Take();
}

}  // namespace mk::settings

// SPDX-License-Identifier: GPL-3.0-or-later
// The additional-system blocks, in the order the editor offers them.
#include "catalog/blocks.h"

namespace mk::catalog {
namespace {

enum class BlockList : std::uint8_t { kTruck, kCommon, kExtended, kHybrid };
using enum BlockList;

struct BlockRow {
  std::uint8_t number;
  const char* name;
  BlockList list;
};

constexpr BlockRow kRows[] = {
    {93, "Доп.устройства", kTruck},
    {8, "Иммо АПС-4", kCommon},
    {10, "Иммо АПС-6", kCommon},
    {11, "Иммо АПС-6.1Люкс", kCommon},
    {12, "Отопитель/Климат", kCommon},
    {13, "ЭМУР Калуга", kCommon},
    {14, "ЭМУР Махачкала", kCommon},
    {15, "ЭМУР Mando", kCommon},
    {16, "СНПБ (подушки)", kCommon},
    {17, "Электропак.Приора", kCommon},
    {18, "Электропак.Норма", kCommon},
    {19, "Электропак.Люкс", kCommon},
    {20, "МДВ Калина Люкс", kCommon},
    {21, "ABS 5.3", kCommon},
    {22, "ABS 8/9", kCommon},
    {23, "ABS 9У", kCommon},
    {24, "Бл.Упр.Стеклоочист.", kCommon},
    {26, "СНПБ Ш-Н(подушки)", kCommon},
    {31, "Электропакет УАЗ", kCommon},
    {32, "Пульт клим.уст.УАЗ", kCommon},
    {34, "UAZ AWD Dymos", kCommon},
    {35, "UAZ AWD Dymos2", kCommon},
    {51, "ABS Largus", kCommon},
    {52, "ЭП Largus", kCommon},
    {66, "Электропак. УАЗ 1", kCommon},
    {67, "Под.Нива TRW", kCommon},
    {68, "Под.Нива Siemens", kCommon},
    {116, "Duster ABS 1", kCommon},
    {117, "Duster подушки 1", kCommon},
    {118, "Duster ЭМУР 1", kCommon},
    {25, "Таката (подушки)", kExtended},
    {27, "Bosch ESP9", kExtended},
    {28, "Bosch ABS/ESP9", kExtended},
    {29, "АКПП Jatco AY-K3", kExtended},
    {30, "Электропакет Гранта", kExtended},
    {36, "Клим.уст. Visteon", kExtended},
    {37, "АКПП AMT ZF 2180", kExtended},
    {38, "ABS Ford", kExtended},
    {39, "АКПП Ford", kExtended},
    {40, "HEC (приборка) Ford", kExtended},
    {41, "ЭГУР Ford", kExtended},
    {42, "HCM (фары) Ford", kExtended},
    {43, "FACM (впрыск) Ford", kExtended},
    {44, "AWD Ford", kExtended},
    {45, "АКПП Niss2", kExtended},
    {46, "CVT Outlander", kExtended},
    {47, "АКПП Pajero", kExtended},
    {48, "АКПП Captiva", kExtended},
    {49, "АКПП SsangYong", kExtended},
    {50, "АКПП Hover H5", kExtended},
    {53, "АКПП Niss3", kExtended},
    {54, "АКПП Outl 3.0", kExtended},
    {55, "Веста ABS9", kExtended},
    {56, "Веста под.Takata", kExtended},
    {57, "Веста приб.панель", kExtended},
    {58, "Веста ЭМУР", kExtended},
    {59, "Веста ЭП BCM", kExtended},
    {60, "Веста ЭП EMM", kExtended},
    {61, "X-Ray ABS 9.1", kExtended},
    {62, "X-Ray EPS", kExtended},
    {63, "X-Ray приб.панель", kExtended},
    {64, "X-Ray ЭП BCM", kExtended},
    {65, "X-Ray подушки", kExtended},
    {69, "АКПП Hyund/Kia", kExtended},
    {71, "АКПП Mazda1", kExtended},
    {72, "АКПП Mazda23", kExtended},
    {73, "АКПП Suzuki1", kExtended},
    {74, "CVT Outlander16", kExtended},
    {75, "АКПП Astra", kExtended},
    {76, "Климат.Valeo", kExtended},
    {77, "Bosch ESP9.1", kExtended},
    {78, "HV ECU Estima", kHybrid},
    {79, "HV Battery Prius2", kHybrid},
    {80, "HV ECU Prius3", kHybrid},
    {81, "Климат Тойота", kHybrid},
    {82, "HV ECU Aqua", kHybrid},
    {84, "HV ECU RX450H", kHybrid},
    {85, "HV ECU ES300H", kHybrid},
    {115, "HV ECU RX400H", kHybrid},
    {119, "HV ECU Camry", kHybrid},
    {120, "HV ECU Sai", kHybrid},
    {121, "HV ECU Harrier", kHybrid},
    {130, "Сист.рекупер.1", kHybrid},
    {131, "Сист.рекупер.2", kHybrid},
    {83, "Веста Эра-Глонас", kExtended},
    {86, "АКПП Niss4", kExtended},
    {87, "АКПП Niss1", kExtended},
    {88, "АКПП Chery QR019", kExtended},
    {89, "АКПП Kuga1", kExtended},
    {133, "АКПП Kuga2", kExtended},
    {90, "АКПП Niss5", kExtended},
    {91, "АКПП Suzuki2", kExtended},
    {92, "АКПП Suzuki3", kExtended},
    {94, "Duster Упр.впрыском", kExtended},
    {95, "Duster ABS", kExtended},
    {96, "Duster приборка", kExtended},
    {97, "Duster ЦЭКБС", kExtended},
    {98, "Duster подушки", kExtended},
    {99, "Duster климат", kExtended},
    {100, "Duster АКПП", kExtended},
    {101, "Duster ЭМУР", kExtended},
    {102, "Duster коммутация", kExtended},
    {103, "Duster полн.привод", kExtended},
    {104, "Duster Радио", kExtended},
    {105, "Duster телематика", kExtended},
    {106, "Duster HandsFree", kExtended},
    {107, "Duster Multimedia", kExtended},
    {108, "CVT Patriot", kExtended},
    {109, "АКПП Hyund/Kia3", kExtended},
    {110, "АКПП A13 Bonus/Very", kExtended},
    {111, "АКПП Chery A16 Arr 3", kExtended},
    {112, "CVT Geely Emgr EC7", kExtended},
    {113, "CVT Punch VT2", kExtended},
    {114, "CVT TCU", kExtended},
    {122, "Creta конд.", kExtended},
    {123, "Creta ус.руля", kExtended},
    {124, "Creta ABS", kExtended},
    {125, "Creta подушки", kExtended},
    {126, "Creta ЭП BCM", kExtended},
    {127, "Creta приборка", kExtended},
    {128, "Creta смарт-ключ", kExtended},
    {129, "Creta соед.блок", kExtended},
};

bool Offered(BlockList list, Features f, bool hybrid_protocol) {
  switch (list) {
    case kTruck:
      return f.Has(Feature::ExtendedBlocks) && f.Has(Feature::HasTruckOptions);
    case kCommon:
      return true;
    case kExtended:
      return f.Has(Feature::ExtendedBlocks);
    case kHybrid:
      return f.Has(Feature::ExtendedBlocks) && hybrid_protocol;
  }
  return false;
}

}  // namespace

std::vector<SystemBlock> OfferedBlocks(Features features, bool hybrid_protocol) {
  std::vector<SystemBlock> blocks;
  for (const BlockRow& row : kRows) {
    if (Offered(row.list, features, hybrid_protocol)) blocks.push_back({row.number, row.name});
  }
  return blocks;
}

}  // namespace mk::catalog

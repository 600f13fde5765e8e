// SPDX-License-Identifier: GPL-3.0-or-later
// The protocol options the editor offers, as sets shared by several protocols.
// Group 0 is the variant (ProtTypeMain), groups 1..7 the subtypes
// (ProtTypeAdd1..7); a group left empty is hidden.
#include <map>

#include "catalog/protocol_table.h"

namespace mk::catalog {
namespace {

using enum ProtocolCap;
using Items = std::vector<std::string>;

const Items kPolling = {"4", "1"};

const std::map<OptionSetId, OptionSet>& Sets() {
  static const std::map<OptionSetId, OptionSet> kSets = {
      {OptionSetId::kNone, {}},
      {OptionSetId::kCanPolling,
       {{{{},
          {"Опрос CAN раз/сек", kPolling},
          {},
          {},
          {"Темп. масла АКПП", {"Нет", "Toy1", "Toy2", "Toy3", "Toy4"}}}},
        {kGearboxOil}}},
      {OptionSetId::kGenericCan,
       {{{{},
          {"Опрос CAN раз/сек", kPolling},
          {},
          {},
          {"Темп. масла АКПП",
           {"Нет",        "Paj.Sport", "Outlndr", "Niss1",      "Captiva",    "Toy1",
            "Toy2",       "HovH5,St",  "Niss2",   "Wrangler",   "Rexton",     "Kyr/Act",
            "Niss3",      "Outl3.0",   "Paj.WF",  "Duster",     "Mazda1",     "Hyund/Kia1",
            "Hyund/Kia2", "Mazda2",    "Mazda3",  "Subaru",     "Niss4",      "Suz1",
            "Outl16",     "Astra",     "Toy3",    "Chery",      "Kuga1",      "Niss5",
            "Suz2",       "Suz3",      "Patrt",   "Hyund/Kia3", "A13",        "A16",
            "Emgrd",      "Punch",     "TCU",     "Toy4",       "Hyund/Kia4", "Kuga2"}}}},
        {kGearboxOil}}},
      {OptionSetId::kM74Can,
       {{{{}, {}, {}, {}, {"Темп. масла АКПП", {"Нет", "Jatco", "ZF 2180", "Niss5"}}}},
        {kGearboxOil, kFan, kSideLights}}},
      {OptionSetId::kRussianEcu,
       {{{{"Канал включения вентилятора", {"1", "2", "1+2"}}, {"Вариант ШД", {"ШД", "ЭМК"}}}}, {}}},
      {OptionSetId::kRussianEcu2,
       {{{{"Канал включения вентилятора", {"1", "2", "1+2"}}, {"Тип ДК2", {"Lambda", "O2 Пер"}}}},
        {}}},
      {OptionSetId::kMikas, {{{{"Тип", {"1", "2"}}}}, {}}},
      {OptionSetId::kTobd1, {{{{"Тип протокола", {"MAP1", "MAP2", "VAF"}}}}, {}}},
      {OptionSetId::kToyotaCoolant, {{{{"Вариант ТОЖ", {"с 92", "до 92"}}}}, {}}},
      {OptionSetId::kMitsubishi, {{{{"Вариант ТОЖ/ТВВ", {"1", "2"}}}}, {}}},
      {OptionSetId::kOpel, {{{{"Тип ошибок", {"1", "2"}}}}, {}}},
      {OptionSetId::kObd, {{{{"Тип ОБД", {"1", "2"}}, {"Запрос ошибок", {"Авто", "Руч."}}}}, {}}},
      {OptionSetId::kRenault,
       {{{{"Тип", {"K20E3", "K20E4", "R27E3", "R27E4", "R27  "}},
          {"Тип двигателя", {"Бензин", "Дизель"}},
          {"Круиз", {"Нет", "Да"}},
          {"Расчет расхода", {"5D", "DustD"}}}},
        {}}},
      {OptionSetId::kErrorRequest, {{{{"Запрос ошибок", {"Авто", "Руч."}}}}, {}}},
      {OptionSetId::kErrorType, {{{{"Тип ошибок", {"1", "2"}}}}, {}}},
      {OptionSetId::kThrottle, {{{{"Тип дросселя", {"1", "2"}}}}, {}}},
      {OptionSetId::kConsumption, {{{{"Расчет расхода", {"1", "2"}}}}, {}}},
      {OptionSetId::kProbe, {{{{"Тип ДК", {"1", "2"}}}}, {}}},
  };
  return kSets;
}

}  // namespace

const OptionSet& GetOptionSet(OptionSetId id) {
  const auto& sets = Sets();
  const auto it = sets.find(id);
  return it != sets.end() ? it->second : sets.at(OptionSetId::kNone);
}

}  // namespace mk::catalog

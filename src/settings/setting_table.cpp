// SPDX-License-Identifier: GPL-3.0-or-later
// The settings of the value pages. Captions are the MK's own texts, spaces
// included; fields are named as in the device model's field tables.
#include "settings/setting_table.h"

#include <algorithm>
#include <deque>
#include <string>

#include "settings/conversions.h"
#include "settings/setting_builder.h"

namespace mk::settings {

namespace {

using catalog::Feature;
using device::BlockId;
using enum Feature;
using namespace table;

void Corrections(Builder& b) {
  b.On(Page::Corrections, "Поправки");
  b.Spin("seVelocityCorr", "Скорость, %", kLimits, "VelocityCorr", -99.0, 999.9)
      .Decimals(1)
      .Step(0.1)
      .Conv(Conversion::Percent);
  b.Spin("seExpenseCorr", "Расхода бензина, %", kLimits, "ExpenseCorr", -99.0, 999.9)
      .Decimals(1)
      .Step(0.1)
      .Conv(Conversion::Percent);
  b.Spin("seGazExpenseCorr", "Расход газа, %", kLimits, "GazExpenseCorr", -99.0, 999.9)
      .Decimals(1)
      .Step(0.1)
      .Conv(Conversion::Percent)
      .Hide({NoGas});
  b.Spin("seAirTemperCorr", "Температура воздуха, С", kLimits, "AirTemperCorr", -20, 20)
      .Hide({NoAirTemper});
  b.Spin("seAccCorr", "Напряжение АКБ, В", kLimits, "AccCorr", -0.7, 0.7)
      .Step(0.1)
      .Decimals(1)
      .Conv(Conversion::Times10);
  b.Spin("seTimeCorr", "Время (секунд в сутки)", kLimits, "TimeCorr", -30, 30);
  b.Spin("seAllPathStart", "Начальный пробег, км", kTotals, "AllPathStart", 0, 999999);
  b.Group({});
  b.Radio("rgForsPosFlag", "Полярность форсунки", kLimits, "ForsPosFlag", "+|-")
      .When(Rule::InjectorSources);
  b.Radio("rgForsCoef", "Тахометер", kLimits, "ForsCoef", "1|2|4")
      .Conv(Conversion::ForsCoef)
      .When(Rule::InjectorSources);
}

void Sources(Builder& b) {
  b.On(Page::Sources, "Протокол");
  b.Combo("cbProtocolSelectMeth", "Способ опр. протокола", kInfo, "ProtocolSelectMeth")
      .From(ItemSource::ProtocolSelectMeth);
  b.Combo("cbProtocol", "Протокол", kInfo, "Protocol")
      .From(ItemSource::Protocols)
      .Writes(Writer::SelectProtocol)
      .When(Rule::ManualProtocol);
  static constexpr std::string_view kTypes[] = {"ProtTypeMain", "ProtTypeAdd1", "ProtTypeAdd2",
                                                "ProtTypeAdd3", "ProtTypeAdd4", "ProtTypeAdd5",
                                                "ProtTypeAdd6", "ProtTypeAdd7"};
  static constexpr std::string_view kNames[] = {
      "cbProtTypeMain", "cbProtTypeAdd1", "cbProtTypeAdd2", "cbProtTypeAdd3",
      "cbProtTypeAdd4", "cbProtTypeAdd5", "cbProtTypeAdd6", "cbProtTypeAdd7"};
  for (std::size_t i = 0; i < 8; ++i) {
    b.Combo(kNames[i], "", kInfo, kTypes[i])
        .From(ItemSource::ProtType)
        .OptionGroup(i)
        .Varies(Vary::ProtTypeGroup)
        .When(Rule::ProtTypeTitled);
  }
  b.Group("Бак");
  b.Combo("cbTankMode", "Бак", kFuel, "TankMode", "Калибров.2|Калибров.7|Тарирован.|Некалибр.");
  b.Combo("cbTankMeth", "Бак тип", kFuel, "TankMeth").From(ItemSource::TankMeth);
  b.FlagBit("cbUseTank2", "Использовать бак 2", kInfo, "ConfigFlags", 6).Need({HasTank2});
  b.Spin("seTankContFull", "Полный бак (бензин), л", kFuel, "TankContFull", 16, 2040);
  b.Spin("seGazContFull", "Полный бак (газ), л", kFuel, "GazContFull", 10, 300).Hide({NoGas});
  b.Spin("seK100Manual", "К-т потреб. топлива (Р/100 руч.)", kFuel, "K100Manual", 1.0, 99.9)
      .Decimals(1)
      .Step(0.1)
      .Conv(Conversion::Times10);
  b.FlagBit("cbGasOil", "Включить режим Газ/Бензин", kInfo, "ConfigFlags", 8).Hide({NoGas});
  b.FlagBit("cbLightsOn", "Включить управление ближним светом", kInfo, "ConfigFlags", 7)
      .Need({HasLightsControl});
  b.Group("Источники");
  b.RadioBits("rgLockType", "Замок зажигания", kInfo, "ConfigFlags", 0, 1, "Физич.|Вирт.")
      .Hide({NoLockType});
  b.Spin("seLockTypeLevel", "Уровень виртуального замка", kInfo, "LockTypeLevel", 1, 3)
      .Hide({NoLockType})
      .When(Rule::VirtualLock);
  b.RadioBits("rgGabarType", "Габариты", kInfo, "ConfigFlags", 5, 1, "Физич.|ЭБУ")
      .Needs(Needs::SideLightsFromEcu);
  b.RadioBits("rgGabarInvPol", "Полярность входа Габариты", kInfo, "ConfigFlags", 10, 1,
              "1 (Прямая)|0 (Инверсная)")
      .When(Rule::GabarPolarity);
  b.Radio("rgVelocityMeth", "Скорость", kLimits, "VelocityMeth", "ЭБУ|Датч.");
  b.Radio("rgRevolutionsMeth", "Обороты", kLimits, "RevolutionsMeth", "ЭБУ|Форс.")
      .Hide({NoSensorInputs});
  b.Radio("rgExpenseMeth", "Расход бензина", kLimits, "ExpenseMeth", "ЭБУ|Форс.")
      .Hide({NoSensorInputs});
  b.Radio("rgGasMeth", "Расход газа", kLimits, "GasMeth", "ЭБУ|Форс.")
      .Hide({NoGas, NoSensorInputs});
  b.Radio("rgUaccMeth", "Напряжение аккумулятора", kLimits, "UaccMeth", "ЭБУ|Датч.")
      .Needs(Needs::BatteryFromEcu);
  b.Radio("rgPrognozMeth", "Прогноз пробега", kLimits, "PrognozMeth", "Средн|10 км|Ручн.");
  b.Radio("rgAirTemperMeth", "Алгоритм измерения Т воздуха", kLimits, "AirTemperMeth",
          "Обычн.|Динамич.")
      .Conv(Conversion::NonZero)
      .Hide({NoAirTemper});
  b.Group("Яркость");
  b.Radio("rgIntenseMeth", "Управления яркостью дисплея", kDisp, "IntenseMeth",
          "Откл.|Время|Габар.")
      .Disables(2, 2, {NoSensorInputs});
  b.Time("meIntenseDayTime", "Врем вкл. ДНЕВНОЙ яркости", kDisp, "IntenseDayTime");
  b.Time("meIntenseNightTime", "Врем вкл. НОЧНОЙ яркости", kDisp, "IntenseNightTime");
  b.Spin("seIntense0", "Яркость подсветки (День)", kDisp, "Intense0", 0, 4);
  b.Spin("seIntense1", "Яркость подсветки (Ночь)", kDisp, "Intense1", 0, 4);
}

void Limits(Builder& b) {
  b.On(Page::Limits, "Границы");
  b.Spin("seLiqTemperLimit", "ТОЖ, С", kLimits, "LiqTemperLimit", 80, 120)
      .Needs(Needs::CoolantTemperature);
  b.Spin("seRevolutionsLimit", "Обороты двиг., об/мин * 100", kLimits, "RevolutionsLimit", 25, 80);
  b.Spin("seVelocityLimit", "Скорость, км/час", kLimits, "VelocityLimit", 40, 200)
      .Step(2)
      .ButtonsOnly()
      .Conv(Conversion::Half);
  b.Spin("seStopVelocityLimit", "Скорость  пробки, км/час", kLimits, "StopVelocityLimit", 0, 200)
      .Step(2)
      .Hide({NoStopVelocity});
  b.Spin("seTankLimit", "Остаток бака, л", kLimits, "TankLimit", 5, 99).Step(2);
  b.Spin("seUaccLowLimit", "Низкое напряжение АКБ, В", kLimits, "UaccLowLimit", 9.0, 13.9)
      .Step(2)
      .Decimals(1)
      .Conv(Conversion::Times10)
      .Varies(Vary::Battery24V, AltRange(18.0, 27.8));
  b.Spin("seUaccHighLimit", "Высокое напряжение АКБ, В", kLimits, "UaccHighLimit", 14.0, 16.0)
      .Step(2)
      .Decimals(1)
      .Conv(Conversion::Times10)
      .Varies(Vary::Battery24V, AltRange(28.0, 32.0));
  b.Spin("seVentTempLimit", "Т вкл. вентилятора, С", kLimits, "VentTempLimit", 75, 115)
      .Needs(Needs::FanOrHybrid)
      .Varies(Vary::FanHybrid, AltRange(25, 60));
  b.Spin("seInjTimeLimit", "Превыш. времени впр. на ХХ ,%", kLimits, "InjTimeLimit", 1, 99);
  b.Spin("seLiqTemperReady", "Т прогрева двигателя, С", kLimits, "LiqTemperReady", 10, 110)
      .Needs(Needs::CoolantTemperature);
  b.Spin("seVel100", "Разгон до, км/час", kLimits, "Vel100", 40, 200).Step(2);
  b.Spin("seVel100Down", "Торможение с, км/час", kLimits, "Vel100Down", 40, 200).Step(2);
  b.Spin("seVAGSFilterLimit", "Наполнение сажевого фильтра, %", kLimits, "VAGSFilterLimit", 5, 60)
      .Needs(Needs::Class82);
  b.Spin("seOilAKPPTemperLimit", "Т масла АКПП, С", kLimits, "OilAKPPTemperLimit", 80, 150)
      .Needs(Needs::GearboxOil);
  b.Spin("seOilEngTemperLimit", "Т масла ДВС, С", kLimits, "OilEngTemperLimit", 80, 150)
      .Needs(Needs::EngineOil);
  b.Spin("seCVTFDeteriorLim", "Износ масла АКПП * 1000", kLimits, "CVTFDeteriorLim", 10, 100)
      .Needs(Needs::Class1);
  b.Spin("seRetarderOilTemperLimit", "Т масла ретардера, С", kLimits, "RetarderOilTemperLimit", 30,
         200)
      .Needs(Needs::GearboxOil);
  b.Spin("seInvTemperLimit", "Т инвертора", kLimits, "InvTemperLimit", 50, 120)
      .Needs(Needs::Hybrid);
  b.Spin("seHVBTemperLimit", "Т ВВБ", kLimits, "HVBTemperLimit", 25, 60).Needs(Needs::Hybrid);
  b.Spin("seAddCoolingTemper", "Т Доп.Охл.ДВС", kLimits, "AddCoolingTemper", 90, 100)
      .Needs(Needs::HybridAddCooling);
  b.Check("cbHybridCoolHVB", "Нагр.ВВБ", kLimits, "HybridCoolHVB").Needs(Needs::Hybrid);
  b.Spin("seTareWeight", "Вес тары, т", kCargo, "TareWeight", 0, 999.9)
      .Decimals(1)
      .Step(0.1)
      .Conv(Conversion::Times10)
      .Need({HasCargo})
      .Needs(Needs::Cargo);
  b.Spin("seCargoDens", "Плотность груза, т/м3", kCargo, "CargoDens", 0, 999.9)
      .Decimals(1)
      .Step(0.1)
      .Conv(Conversion::Times10)
      .Need({HasCargo})
      .Needs(Needs::Cargo);
  b.Group({});
  b.Radio("rgExp100ArrowLim", "Показ расхода/100 на стрелочн. диспл.", kLimits, "Exp100ArrowLim",
          "24/80|24|80");
  b.RadioBits("rg24VMode", "Режим работы с АКБ", kInfo, "ConfigFlags", 11, 1, "12В|24В")
      .Need({Is24V})
      .ReadOnly();
}

// Each warning's groups are named after its alarm in the image: "rgap" + name + "_F" / "_N".
struct Warning {
  std::string_view label;
  std::string_view first, repeat;  // control names; repeat empty for one group
  catalog::Features need, hide;
  settings::Needs needs = Needs::Nothing;
};

void Voice(Builder& b) {
  b.On(Page::Voice, "Звук");
  b.Spin("seSoundVolume", "Громкость", kDisp, "SoundVolume", 0, 8).Hide({NoVoice});
  b.Radio("rgFlagSound", "Откл.звук", kDisp, "FlagSound", {}).From(ItemSource::FlagSound);
  b.Radio("rgSayHelloMode", "", kDisp, "SayHelloMode", "Вкл.|Раз в сутки|Откл.").Hide({NoVoice});
  b.Spin("seSayParamPeriod", "Период автоповтора озвуч. параметров  (4=откл)", kDisp,
         "SayParamPeriod", 4, 99)
      .Hide({NoVoice});
  b.Spin("seAlarmVelSecNoSayMax", "Прореживание сообщений о превыш. скорости, мин (-1=П) ", kAlarm,
         "AlarmVelSecNoSayMax", -1, 99);
  b.Spin("seSayEconomPeriod", "Эконометр период проговора", kDisp, "SayEconomPeriod", 1, 20);
  b.Check("cbSoundKeys", "Вкл. звук при нажатии кнопок", kDisp, "SoundKeys");
  b.Check("cbSoundLock", "Вкл. звук при включении замка зажигания", kDisp, "SoundLock");

  static const Warning kWarnings[] = {
      {"Высокое U АКБ", "rgapUAccHigh_F", "rgapUAccHigh_N", {}, {}},
      {"Низкое U АКБ", "rgapUAccLow_F", "rgapUAccLow_N", {}, {}},
      {"Превыш.скорость", "rgapVel_F", "rgapVel_N", {}, {}},
      {"Превыш.обороты", "rgapRev_F", "rgapRev_N", {}, {}},
      {"Остаток бака", "rgapTank_F", "rgapTank_N", {}, {}},
      {"Гололед", "rgapHolo_F", "rgapHolo_N", {}, {NoAirTemper}},
      {"Выполнить ТО", "rgapTO_F", {}, {}, {}},
      {"Разгон", "rgap100_F", "rgap100_N", {}, {}},
      {"Торможение", "rgap100Down_F", "rgap100Down_N", {}, {}},
      {"Неисправность", "rgapError_F", {}, {}, {}, Needs::ErrorReading},
      {"Перегрев ОЖ", "rgapLiqTempHigh_F", "rgapLiqTempHigh_N", {}, {}, Needs::CoolantTemperature},
      {"Эконометр", "rgapEconom_F", "rgapEconom_N", {}, {}},
      {"Габариты", "rgapGabar_F", {}, {}, {NoGabarLights}},
      {"Полный бак", "rgapTankFull_F", {}, {}, {}},
      {"%Впрыск/расход", "rgapInjTime_F", {}, {}, {}},
      {"Прогрев ДВС", "rgapLiqTempReady_F", {}, {}, {}, Needs::CoolantTemperature},
      {"Ближн.Свет", "rgapLights_F", {}, {}, {NoGabarLights}},
      {"Сажевый фильтр", "rgapSFilter_F", {}, {IsVAG}, {}},
      {"Перегрев ВВБ", "rgapHVBTemperHigh_F", "rgapHVBTemperHigh_N", {}, {}, Needs::Hybrid},
      {"Перегрев АКПП",
       "rgapTemperOilAKPPHigh_F",
       "rgapTemperOilAKPPHigh_N",
       {},
       {},
       Needs::GearboxOil},
      {"Перегрев масла ДВС",
       "rgapTemperOilEngHigh_F",
       "rgapTemperOilEngHigh_N",
       {},
       {},
       Needs::EngineOil},
      {"Износ масла АКПП", "rgapCVTFDeterior_F", {}, {}, {}, Needs::Class1OrTruck},
      {"Перегрев ретардера",
       "rgapRetarderOilTemperHigh_F",
       "rgapRetarderOilTemperHigh_N",
       {},
       {},
       Needs::GearboxOil},
      {"Перегрев инвертора", "rgapInvTemperHigh_F", "rgapInvTemperHigh_N", {}, {}, Needs::Hybrid},
  };
  b.Group("Предупреждения");
  for (std::size_t i = 0; i < std::size(kWarnings); ++i) {
    const Warning& w = kWarnings[i];
    const bool pair = !w.repeat.empty();
    b.Radio(w.first, w.label, kAlarm, "AlarmModes", {})
        .From(ItemSource::VoiceModes)
        .Disables(3, 4, {NoVoice})
        .Element(i)
        .Conv(pair ? Conversion::AlarmFirst : Conversion::AlarmSingle)
        .Cell(w.label, "Первое")
        .Need(w.need)
        .Hide(w.hide)
        .Needs(w.needs)
        .OnLeave();
    if (pair) {
      b.Radio(w.repeat, w.label, kAlarm, "AlarmModes", {})
          .From(ItemSource::VoiceModes)
          .Disables(3, 4, {NoVoice})
          .Element(i)
          .Conv(Conversion::AlarmRepeat)
          .Cell(w.label, "Последующие")
          .Need(w.need)
          .Hide(w.hide)
          .Needs(w.needs)
          .OnLeave();
    }
  }
}

void Averages(Builder& b) {
  b.On(Page::Averages, "Расчет стоимости");
  b.Spin("sePriceTime", "Время, 1час", kJourn, "PriceTime", 0, 999);
  b.Spin("sePricePath", "Пробег, 1км", kJourn, "PricePath", 0, 99.9)
      .Decimals(1)
      .Step(0.1)
      .Conv(Conversion::Times10);
  b.Spin("sePriceExpense", "Бензин, 1л", kJourn, "PriceExpense", 0, 99.9)
      .Decimals(1)
      .Step(0.1)
      .Conv(Conversion::Times10);
  b.Spin("sePriceGas", "Газ, 1л", kJourn, "PriceGas", 0, 99.9)
      .Decimals(1)
      .Step(0.1)
      .Conv(Conversion::Times10)
      .Hide({NoGas});
  b.Group("Периоды автосброса, дни");
  b.Combo("cbResetPeriod0", "1", kTotals, "ResetPeriod0").From(ItemSource::ResetPeriod).OnLeave();
  b.Combo("cbResetPeriod1", "2", kTotals, "ResetPeriod1")
      .From(ItemSource::ResetPeriodForbid)
      .Conv(Conversion::IndexMinus1)
      .OnLeave();
  b.Combo("cbResetPeriodOnly", "Г/Б", kTotals, "ResetPeriodOnly")
      .From(ItemSource::ResetPeriodForbid)
      .Conv(Conversion::IndexMinus1)
      .Hide({NoGas})
      .OnLeave();
  b.Group("Поездки");
  b.Spin("seTripMinStop", "Непрерывание поезки, мин", kJourn, "TripMinStop", 0, 995)
      .Step(5)
      .ButtonsOnly()
      .Conv(Conversion::Fifth);
  b.Check("cbTripJournAuto", "Автоматическая запись в журнал поездок", kJourn, "TripJournAuto");
  b.Check("cbTripShowFlag", "Показ поездки", kJourn, "TripShowFlag");
}

void Parking(Builder& b) {
  b.On(Page::Parking, {});
  b.Radio("rgParkType", "Тип ", kPark, "ParkType", "PT|PU").Hide({ParkTypeFixedA, ParkTypeFixedB});
  b.Radio("rgParkBeepType", "Тип озвучки", kPark, "ParkBeepType", "Нет|Zumm|Пред.|Голос");
  b.Radio("rgParkForwConstOff", "Режим работы", kPark, "ParkForwConstOff", "Вкл|Вкл3с|ДвЗад");
  b.Spin("seParkStopLengBeep", "Бип Stop cм", kPark, "ParkStopLengBeep", 40, 250)
      .Step(10)
      .ButtonsOnly()
      .Conv(Conversion::Tenth);
  b.Spin("seParkFarkopLen", "Фаркоп см", kPark, "ParkFarkopLen", 0, 50);
  for (int side = 0; side < 2; ++side) {
    b.Group(side == 0 ? "Задний" : "Передний");
    const bool rear = side == 0;
    b.Check(rear ? "cbParkUse0" : "cbParkUse1", "Использовать", kPark,
            rear ? "ParkUse0" : "ParkUse1");
    b.Spin(rear ? "seParkSense0" : "seParkSense1", "Чувствительность", kPark,
           rear ? "ParkSense0" : "ParkSense1", 1, 7);
    b.Spin(rear ? "seParkSpeed0" : "seParkSpeed1", "Быстродействие", kPark,
           rear ? "ParkSpeed0" : "ParkSpeed1", 1, 3);
    b.Spin(rear ? "seParkMinLeng0" : "seParkMinLeng1", "Граница тревога", kPark,
           rear ? "ParkMinLeng0" : "ParkMinLeng1", 30, 90)
        .Step(10)
        .ButtonsOnly()
        .Conv(Conversion::Tenth);
    if (rear) {
      b.Spin("seParkStopVel0", "ПаркStop скорость", kPark, "ParkStopVel0", 0, 20);
      b.Spin("seParkStopLeng0", "ПаркStop cм", kPark, "ParkStopLeng0", 40, 250)
          .Step(10)
          .ButtonsOnly()
          .Conv(Conversion::Tenth);
    } else {
      b.Spin("seParkStopVel1", "Парк скорость", kPark, "ParkStopVel1", 0, 90);
      b.Spin("seParkStopLeng1", "Парк cм", kPark, "ParkStopLeng1", 50, 250)
          .Step(10)
          .ButtonsOnly()
          .Conv(Conversion::Tenth);
    }
    b.Spin(rear ? "seParkProbesQntReal0" : "seParkProbesQntReal1", "Количество датчиков", kPark,
           rear ? "ParkProbesQntReal0" : "ParkProbesQntReal1", 2, 4);
  }
}

struct Counter {
  std::string_view spin, text, check;
  std::string_view caption;  // empty for a counter the user names
  std::string_view field, text_field;
  int bit;
};

void Service(Builder& b) {
  b.On(Page::Service, "Осталось до...,               тыс.км        использ.");
  constexpr catalog::Features kFull{ServiceKm};
  b.Date("deTO", "Дата след.ТО", kServ, "TO").Cell("Дата след.ТО", "тыс.км");
  b.FlagBit("cbTO", "Дата след.ТО", kServ, "ServiceFlags", 7)
      .Cell("Дата след.ТО", "использ.")
      .Hide(kFull);
  b.Date("deOSAGO", "Дата опл.ОСАГО", kServ, "OSAGO").Cell("Дата опл.ОСАГО", "тыс.км").Hide(kFull);
  b.FlagBit("cbOSAGO", "Дата опл.ОСАГО", kServ, "ServiceFlags", 8)
      .Cell("Дата опл.ОСАГО", "использ.")
      .Hide(kFull);
  static constexpr Counter kCounters[] = {
      {"seAirFiltCntK", {}, "cbAirFiltCntK", "Замена.возд.ф.", "AirFiltCntK", {}, 0},
      {"seKPPOilCntK", {}, "cbKPPOilCntK", "Замена мас.КПП", "KPPOilCntK", {}, 1},
      {"seForsTOCntK", "eForsTOCntK", "cbForsTOCntK", {}, "ForsTOCntK", "ForsTOCntKText", 2},
      {"seGRMStrapCntK",
       "eGRMStrapCntK",
       "cbGRMStrapCntK",
       {},
       "GRMStrapCntK",
       "GRMStrapCntKText",
       3},
      {"seCoolLiqCntK", {}, "cbCoolLiqCntK", "Замена охл.жидк.", "CoolLiqCntK", {}, 4},
      {"seEngOilCntK", {}, "cbEngOilCntK", "Замена масла дв.", "EngOilCntK", {}, 5},
      {"seCandleCntK", "eCandleCntK", "cbCandleCntK", {}, "CandleCntK", "CandleCntKText", 6},
  };
  static constexpr std::string_view kUserRows[] = {"Счетчик 1", "Счетчик 2", "Счетчик 3"};
  std::size_t user = 0;
  for (const Counter& c : kCounters) {
    const std::string_view row = c.caption.empty() ? kUserRows[user++] : c.caption;
    const bool air_filter = c.bit == 0;
    Row spin = b.Spin(c.spin, row, kServ, c.field, 0, 99).Cell(row, "тыс.км");
    if (air_filter) {
      // Variants that count service in kilometres keep the air filter row only, in tenths.
      AltShape km;
      km.caption = "ТО тыс.км";
      km.max = 9.9;
      km.step = 0.1;
      km.decimals = 1;
      km.converts = true;
      km.conversion = Conversion::Times10;
      spin.Varies(Vary::ServiceKm, km);
    } else {
      spin.Hide(kFull);
    }
    if (!c.text.empty()) {
      b.Add(Kind::Text, c.text, row, kServ, c.text_field)
          .Cell(row, "название")
          .NamesRow()
          .MaxLength(15)
          .Hide(kFull)
          .OnLeave();
    }
    b.FlagBit(c.check, row, kServ, "ServiceFlags", c.bit).Cell(row, "использ.").Hide(kFull);
  }
}

void UniMeas(Builder& b) {
  b.On(Page::UniMeas, "Универсальный вход");
  b.Check("cbUseUniMeas", "Использовать", kServ, "UseUniMeas");
  b.Add(Kind::Text, "eUniMeasStr", "Название", kServ, "UniMeasStr").MaxLength(6).OnLeave();
  b.Group("Калибровка");
  b.Spin("seUniMeasDat0", "Мин", kServ, "UniMeasDat0", -180, 2500).Cell("Мин", "Показания");
  static constexpr std::string_view kAdcDiffer = "Значения АЦП Мин и Макс должны различаться.";
  b.Spin("seUniMeasADC0", "Мин", kServ, "UniMeasADC0", 0, 1023)
      .Cell("Мин", "АЦП")
      .MustDiffer("seUniMeasADC1", kAdcDiffer);
  b.Spin("seUniMeasDat1", "Макс", kServ, "UniMeasDat1", -180, 2500).Cell("Макс", "Показания");
  b.Spin("seUniMeasADC1", "Макс", kServ, "UniMeasADC1", 0, 1023)
      .Cell("Макс", "АЦП")
      .MustDiffer("seUniMeasADC0", kAdcDiffer);
}

void DisplayMisc(Builder& b) {
  b.On(Page::Display, "Разное");
  b.Check("cbDispShowTitle", "Заставка показывать", kDisp, "DispShowTitle");
  b.Check("cbShowDispName", "Подпись дисп. показывать", kDisp, "ShowDispName");
  b.Radio("rgAirWaterShow", "Подпись температура", kServ, "AirWaterShow", "Воздуха|Воды")
      .Need({HasUniMeas});
  b.Radio("rgDispSpeed", "Скорость вывода информации, раз/сек", kDisp, "DispSpeed", "1|2|3|4");
}

void Blocks(Builder& b) {
  b.On(Page::Blocks, {});
  b.RadioBits("rgBlocksShow", "Показывать", kServ, "BlocksMask", 0, 2, "Все|Протокол|Подключ.")
      .Writes(Writer::BlocksShow);
  b.RadioBits("rgBlocksShowList", "Показывать", kServ, "BlocksMask", 7, 1, "Списком|По типам");
}

std::vector<Setting> Build() {
  Builder b;
  Corrections(b);
  Sources(b);
  Limits(b);
  DisplayMisc(b);
  Voice(b);
  Averages(b);
  Parking(b);
  Service(b);
  Blocks(b);
  UniMeas(b);
  DrawnSettings(b);
  return b.Take();
}

}  // namespace

namespace table {

std::string_view Builder::Keep(std::string text) {
  // A deque never moves what it holds, so the views stay good.
  static std::deque<std::string> kept;
  return kept.emplace_back(std::move(text));
}

}  // namespace table

std::span<const Setting> AllSettings() {
  static const std::vector<Setting> kTable = Build();
  return kTable;
}

const Setting* FindSetting(std::string_view name) {
  for (const Setting& s : AllSettings()) {
    if (s.name == name) return &s;
  }
  return nullptr;
}

std::vector<const Setting*> SettingsOf(Page page) {
  std::vector<const Setting*> list;
  for (const Setting& s : AllSettings()) {
    if (s.page == page) list.push_back(&s);
  }
  return list;
}

}  // namespace mk::settings

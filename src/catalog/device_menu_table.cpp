// SPDX-License-Identifier: GPL-3.0-or-later
// The items of the MK's menu in code order. The running code goes up for
// every row whether its item exists or not, so a code stored in a settings
// image always names the same item.
#include "catalog/device_menu_table.h"

namespace mk::catalog {
namespace {

using enum MenuRowKind;
using enum Feature;

constexpr const char* kDateCaption = "     ММ:ЧЧ ДД.ММ";

// kind, identifier, caption, group, required flags, excluding flags; code.
constexpr MenuRow kRows[] = {
    {kItem, "VirtLockMenu", "Вирт. замок Вкл/Откл", 0, {}, {}},                    // 1
    {kItem, "FullTankMenu", "Заправка до полн.", 0, {}, {}},                       // 2
    {kItem, "ToTankMenu", "Заправлено л", 0, {}, {}},                              // 3
    {kItem, "InTankMenu", "Теперь в баке л", 0, {}, {}},                           // 4
    {kItem, "VentOnMenu", "Вентилятор Вкл/Откл", 0, {}, {}},                       // 5
    {kItem, "PrognozMenu", "Прогн.проб.Экон", 0, {}, {}},                          // 6
    {kItem, "InjTimeHHMenu", "% на впрыск", 0, {}, {}},                            // 7
    {kItem, "ExpenseHHMenu", "% Расход", 0, {}, {}},                               // 8
    {kItem, "CorrUOZMenu", "Поправка УОЗ", 0, {HasCorrUOZ}, {}},                   // 9
    {kItem, "EBUResetMenu", "Сброс ЭБУ", 0, {}, {}},                               // 10
    {kItem, "CandleDryMenu", "Сушка свечей", 0, {}, {}},                           // 11
    {kItem, "TankMethMenu", "Бак тип Расчетный/ДУТ/ДУТ ЭБУ", 0, {}, {}},           // 12
    {kItem, "LiqTemperLimitMenu", "Граница ТОЖ", 0, {}, {}},                       // 13
    {kItem, "RevolutionsLimitMenu", "Граница Обор.", 0, {}, {}},                   // 14
    {kItem, "VelocityLimitMenu", "Граница Скор.", 0, {}, {}},                      // 15
    {kItem, "TankLimitMenu", "Ост.бака", 0, {}, {}},                               // 16
    {kItem, "VentTempLimitMenu", "T Вкл.вент.", 0, {}, {}},                        // 17
    {kItem, "InjTimeLimitMenu", "Впрыск/Расх %", 0, {}, {}},                       // 18
    {kItem, "LiqTemperReadyMenu", "Прогрев ДВС", 0, {}, {}},                       // 19
    {kItem, "Vel100Menu", "Разгон до", 0, {}, {}},                                 // 20
    {kItem, "Vel100DownMenu", "Тормож. с", 0, {}, {}},                             // 21
    {kItem, "Exp100ArrowLimMenu", "P/100 стрелки", 0, {}, {}},                     // 22
    {kItem, "WakeTimeMenu", "Будильник", 0, {}, {}},                               // 23
    {kItem, "WakeActiveMenu", "Будильник Акт./Пас.", 0, {}, {}},                   // 24
    {kItem, "Intense0Menu", "Яркость/День", 0, {}, {}},                            // 25
    {kItem, "Intense1Menu", "Яркость/Ночь", 0, {}, {}},                            // 26
    {kItem, "DispShowArrowMethMenu", "Динамика Сглаживать/Данные", 0, {}, {}},     // 27
    {kItem, "MeasParamsHistoryFlagMenu", "Обратный отсчет", 0, {}, {}},            // 28
    {kItem, "AlarmPermJournMenu", "Журнал предупр.", 0, {}, {}},                   // 29
    {kItem, "SoundVolumeMenu", "Громкость", 0, {}, {NoVoice}},                     // 30
    {kItem, "FlagSoundMenu", "Откл.звук", 0, {}, {}},                              // 31
    {kItem, "SayParamPeriodMenu", "Автоповтор", 0, {}, {NoVoice}},                 // 32
    {kItem, "apVelMenu", "Превыш.скорость", 0, {}, {}},                            // 33
    {kItem, "AlarmVelSecNoSayMaxMenu", "Скор.прореж.", 0, {}, {}},                 // 34
    {kItem, "apRevMenu", "Превыш.обороты", 0, {}, {}},                             // 35
    {kItem, "apTankMenu", "Остаток бака", 0, {}, {}},                              // 36
    {kItem, "apHoloMenu", "Гололед", 0, {}, {NoAirTemper}},                        // 37
    {kOrElse, "LightsOnMenu", "Упр.Бл.Свет", 0, {HasLightsControl}, {}},           // 37
    {kItem, "apEconomMenu", "Эконометр", 0, {}, {}},                               // 38
    {kItem, "apGabarMenu", "Габариты", 0, {}, {NoGabarLights}},                    // 39
    {kItem, "apLightsMenu", "Ближн.Свет", 0, {}, {NoGabarLights}},                 // 40
    {kItem, "apTankFullMenu", "Полный бак", 0, {}, {}},                            // 41
    {kItem, "apInjTimeMenu", "%Впрыск/расход", 0, {}, {}},                         // 42
    {kItem, "apErrorMenu", "Неисправность", 0, {}, {}},                            // 43
    {kItem, "apLiqTempHighMenu", "Перегрев ОЖ", 0, {}, {}},                        // 44
    {kItem, "apLiqTempReadyMenu", "Прогрев ДВС", 0, {}, {}},                       // 45
    {kItem, "InitTripParamsMenu", "Сброс Поездка", 1, {}, {}},                     // 46
    {kItem, "InitReset0ParamsMenu", "Сброс Сброс1", 1, {}, {}},                    // 47
    {kItem, "InitReset1ParamsMenu", "Сброс Cброс2", 1, {}, {}},                    // 48
    {kItem, "InitStopParamsMenu", "Сброс Пробки", 1, {}, {}},                      // 49
    {kItem, "InitNoStopParamsMenu", "Сброс БезПробок", 1, {}, {NoStopVelocity}},   // 50
    {kItem, "TripMinStopMenu", "Непрер.Поездки", 1, {}, {NoStopVelocity}},         // 51
    {kItem, "TripJournMenu", "Журнал поездок", 1, {}, {}},                         // 52
    {kItem, "ContinueTripMenu", "Продолжить", 1, {}, {}},                          // 53
    {kItem, "WriteTripMenu", "Записать", 1, {}, {}},                               // 54
    {kNumbered, "WriteTrip", kDateCaption, 1, {}, {}},                             // 55-74
    {kItem, "ViewTripMenu", "Просмотреть", 1, {}, {}},                             // 75
    {kItem, "ViewTrip0Menu", "Пoс.     ММ:ЧЧ ДД.ММ", 1, {}, {}},                   // 76
    {kNumbered, "ViewTrip", kDateCaption, 1, {}, {}},                              // 77-96
    {kItem, "TankJournMenu", "Журнал заправок", 1, {}, {}},                        // 97
    {kItem, "ViewTank0Menu", "Пoс.     ММ:ЧЧ ДД.ММ", 1, {}, {}},                   // 98
    {kNumbered, "ViewTank", kDateCaption, 1, {}, {}},                              // 99-118
    {kItem, "TaxStartFinishMenu", "Включить/Выключить такс-р", 2, {HasTaxi}, {}},  // 119
    {kItem, "TaxTarifDNMenu", "Тариф День/Ночь", 2, {HasTaxi}, {}},                // 120
    {kItem, "TaxTarifNumMenu", "Тариф 1/2/3/4/5", 2, {HasTaxi}, {}},               // 121
    {kItem, "TaxClearAllSumMenu", "Всего", 2, {HasTaxi}, {}},                      // 122
    {kItem, "TaxFlagMinMenu", "Подача/Минималка", 2, {HasTaxi}, {}},               // 123
    {kItem, "TaxTarifStartMenu", "Стоим.подачи", 2, {HasTaxi}, {}},                // 124
    {kItem, "TaxTarifSumMinMenu", "Стоим.миним.", 2, {HasTaxi}, {}},               // 125
    {kTariffs, "", "Тар.", 2, {HasTaxi}, {}},                                      // 126-145
    {kItem, "ParkOffMenu", "Кратковр.откл.", 3, {}, {NoParkSensors}},              // 146
    {kItem, "ParkUseMenu_0", "Парктроник Вкл/Откл", 3, {}, {NoParkSensors}},       // 147
    {kItem, "ParkSenseMenu_0", "Чувствит.", 3, {}, {NoParkSensors}},               // 148
    {kItem, "ParkSpeedMenu_0", "Быстродействие", 3, {}, {NoParkSensors}},          // 149
    {kItem, "ParkBeepTypeMenu", "Тип озвуч.", 3, {}, {NoParkSensors}},             // 150
    {kItem, "ParkAlwaysOnMenu", "Отключать Авто/Нет", 3, {}, {NoParkSensors}},     // 151
    {kItem, "ParkUseMenu_1", "П.Парктроник Вкл/Откл", 3, {}, {NoParkSensors}},     // 152
    {kItem, "ParkForwConstOffMenu", "Режим работы Вкл/Вкл3с/ДвЗад", 3, {}, {NoParkSensors}},  // 153
    {kItem, "ParkSenseMenu_1", "П.Чувствит.", 3, {}, {NoParkSensors}},                        // 154
    {kItem, "ParkSpeedMenu_1", "П.Быстродействие", 3, {}, {NoParkSensors}},                   // 155
    {kItem, "InitResetOnlyGasParamsMenu", "Сброс Газ", 0, {}, {NoGas}},                       // 156
    {kItem, "IntenseDayTimeMenu", "День", 0, {}, {}},                                         // 157
    {kItem, "IntenseNightTimeMenu", "Ночь", 0, {}, {}},                                       // 158
    {kItem, "ErrorsMenu", "Ошибки ЭБУ", 0, {}, {}},                                           // 159
    {kItem, "BlocksABS9Menu", "ABS 8/9", 0, {HasBlocks}, {}},                                 // 160
    {kItem, "BlocksElPakNMenu", "Электропак.Норма", 0, {HasBlocks}, {}},                      // 161
    {kItem, "BlocksElPakUAZMenu", "Электропакет УАЗ", 0, {HasBlocks}, {}},                    // 162
    {kItem, "BlocksClimatUAZMenu", "Пульт клим.уст.УАЗ", 0, {HasBlocks}, {}},                 // 163
    {kItem, "EBUInitMenu", "Инициализация ЭБУ", 0, {}, {}},                                   // 164
    {kItem, "BlocksABS9UMenu", "ABS 9У", 0, {HasBlocks}, {}},                                 // 165
    {kItem, "InitResetOnlyOilParamsMenu", "Сброс Бенз", 0, {}, {NoGas}},                      // 166
    {kItem, "BlocksBoschESP9Menu", "Bosch ESP9", 0, {HasBlocks, HasBoschBlocks}, {}},         // 167
    {kItem, "BlocksBoschESP91Menu", "Bosch ABS/ESP9", 0, {HasBlocks, HasBoschBlocks}, {}},    // 168
    {kItem, "BlocksBoschABSESP9Menu", "Bosch ESP9.1", 0, {HasBlocks, HasBoschBlocks}, {}},    // 169
    {kItem, "TareWeightMenu", "Вес тары,т", 0, {HasCargo}, {}},                               // 170
    {kItem, "CargoDensMenu", "Плотн.гр,т/м3", 0, {HasCargo}, {}},                             // 171
};

}  // namespace

std::span<const MenuRow> MenuRows() {
  return kRows;
}

}  // namespace mk::catalog

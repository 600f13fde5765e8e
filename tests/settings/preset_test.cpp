// SPDX-License-Identifier: GPL-3.0-or-later
// Settings as text: a page exported and imported gives the same bytes back,
// bad lines are reported with their number and the setting's rule, hidden
// settings are skipped, and another model's preset applies what both have.
#include "settings/preset.h"

#include <gtest/gtest.h>

#include <optional>

#include "device/block_tables.h"
#include "settings/conversions.h"
#include "settings/env.h"
#include "settings/pages.h"
#include "settings/setting_table.h"
#include "settings/setting_value.h"
#include "settings/typed_input.h"
#include "sim/factory_image.h"
#include "text/error.h"

namespace mk::settings {
namespace {

// The virtual MK's factory settings as (device version, firmware variant).
device::TMK Factory(std::uint16_t device_version = 1, std::uint8_t firmware = 0) {
  auto image = sim::ImageFromMemory(sim::FactoryMemory(8192));
  image[device::BlockDirectory::kFirmwareVersionOffset] = firmware;
  device::TMK mk;
  mk.ReplaceImage(device_version, image);
  mk.RebuildCatalogues(device::CatalogueStep::Protocols);
  mk.RebuildCatalogues(device::CatalogueStep::ParametersAndMenu);
  return mk;
}

// Another value the setting takes, typed as a user would; none for the
// settings drawn by hand and dates.
std::optional<std::string> OtherValue(const Setting& s, const device::TMK& mk) {
  const Env env = Env::Of(mk);
  const std::string now = TypedValue(s, mk);
  switch (s.kind) {
    case Kind::Spin: {
      const Shape shape = ShapeOf(s, mk, env);
      const std::string low = FormatNumber(shape.min, shape.decimals, '.');
      return now == low ? FormatNumber(shape.max, shape.decimals, '.') : low;
    }
    case Kind::Radio:
    case Kind::Combo: {
      const auto items = ItemsOf(s, env);
      for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] != now && ItemEnabled(s, env, static_cast<int>(i))) return items[i];
      }
      return std::nullopt;
    }
    case Kind::Check:
    case Kind::FlagBit:
      return now == "да" ? "нет" : "да";
    case Kind::Time:
      return now == "01:02" ? "03:04" : "01:02";
    case Kind::Text:
      return "Тест";
    default:
      return std::nullopt;
  }
}

class PresetRoundTrip : public ::testing::TestWithParam<PageInfo> {};

TEST_P(PresetRoundTrip, ThePageExportedAndImportedOverOtherValuesGivesTheSameBytes) {
  const device::TMK original = Factory();
  device::TMK other = original;
  std::size_t moved = 0;
  for (const Setting* s : SettingsOf(GetParam().page)) {
    // A value outside its rule is not carried: the text could not give it back.
    // Choosing another scheme loads its colours: choosing back cannot unload them.
    if (s->read_only || s->writer == Writer::ColorScheme || !Visible(*s, other, Env::Of(other)) ||
        OutOfRange(*s, original, Env::Of(original))) {
      continue;
    }
    const auto value = OtherValue(*s, other);
    if (!value) continue;
    try {
      TypeIn(other, *s, *value);
      ++moved;
    } catch (const Error&) {
      // A value another rule refuses (a cross-check): left as it was.
    }
  }
  other.StoreBlocks(device::kSettingsBlocks);
  if (moved > 0) {
    EXPECT_NE(other.Image(), original.Image());
  }

  const std::string text = PresetText(original, {GetParam().page}, "2026-12-09");
  const PresetOutcome outcome = ApplyPreset(other, text);
  other.StoreBlocks(device::kSettingsBlocks);
  EXPECT_EQ(outcome.refused, std::vector<std::string>{});
  EXPECT_EQ(other.Image(), original.Image());
  for (const Setting* s : SettingsOf(GetParam().page)) {
    EXPECT_EQ(TypedValue(*s, other), TypedValue(*s, original)) << s->name;
  }
}

INSTANTIATE_TEST_SUITE_P(Pages, PresetRoundTrip, ::testing::ValuesIn(kPages), [](const auto& p) {
  return "Page" + std::to_string(static_cast<unsigned>(p.param.page));
});

TEST(PresetText, HeaderSectionsCaptionsAndRangesAsAUserReadsThem) {
  const std::string text = PresetText(Factory(), {Page::Limits}, "2026-12-09");
  EXPECT_EQ(text.rfind("# Настройки МК как текст (Конфигуратор МК)\n# Модель: ", 0), 0u) << text;
  EXPECT_NE(text.find("прошивка 0\n# Дата: 2026-12-09\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n[Границы]\n"), std::string::npos);
  EXPECT_EQ(text.find("[Поправки]"), std::string::npos) << "only the chosen page";
  EXPECT_NE(text.find("\n# Скорость, км/час: от 40 до 200, шаг 2\nseVelocityLimit = 80\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("seVAGSFilterLimit"), std::string::npos) << "hidden for this MK";
}

struct BadPreset {
  const char* what;
  const char* text;
  std::vector<std::string> refused, skipped;
};

TEST(PresetImport, EveryLineNotTakenIsNamedWithItsNumberAndTheSettingsRule) {
  const BadPreset cases[] = {
      {"out of range",
       "[Границы]\nseVelocityLimit = 300\n",
       {"Строка 2: Значение настройки «Скорость, км/час» должно быть от 40 до 200."},
       {}},
      {"unknown name",
       "# comment\n\nseNoSuch = 1\r\n",
       {"Строка 3: нет настройки «seNoSuch»."},
       {}},
      {"no value", "seVelocityLimit\n", {"Строка 1: нужно «ИМЯ = значение»."}, {}},
      {"unknown page", "[Нет такой]\n", {"Строка 1: нет страницы «Нет такой»."}, {}},
      {"not an item",
       "rgLockType = Zzz",
       {"Строка 1: «Zzz» не значение настройки «Замок зажигания». Можно: Физич. | Вирт.."},
       {}},
      {"hidden",
       "\xEF\xBB\xBFseVAGSFilterLimit = 30\nseVelocityLimit = 100\n",
       {},
       {"Строка 1: «Наполнение сажевого фильтра, %» (seVAGSFilterLimit) скрыта для этого МК и не "
        "взята."}},
  };
  for (const BadPreset& c : cases) {
    device::TMK mk = Factory();
    const PresetOutcome outcome = ApplyPreset(mk, c.text);
    EXPECT_EQ(outcome.refused, c.refused) << c.what;
    EXPECT_EQ(outcome.skipped, c.skipped) << c.what;
  }
}

TEST(PresetImport, AnotherModelsPresetAppliesWhatBothShowAndSkipsTheRest) {
  const device::TMK everything = Factory(99);  // the permissive variant: every setting shown
  const device::TMK car = Factory(1);
  std::vector<Page> all;
  for (const auto& page : kPages) all.push_back(page.page);
  device::TMK applied = car;
  const PresetOutcome outcome = ApplyPreset(applied, PresetText(everything, all, "2026-12-09"));
  EXPECT_FALSE(outcome.skipped.empty());
  for (const std::string& line : outcome.skipped) {
    EXPECT_NE(line.find("скрыта для этого МК"), std::string::npos) << line;
  }
  const Env env = Env::Of(applied);
  for (const Setting& s : AllSettings()) {
    if (s.read_only || !Visible(s, car, Env::Of(car)) || !Visible(s, applied, env)) continue;
    if (OutOfRange(s, everything, Env::Of(everything))) continue;
    EXPECT_EQ(TypedValue(s, applied), TypedValue(s, everything)) << s.name;
  }
}

}  // namespace
}  // namespace mk::settings

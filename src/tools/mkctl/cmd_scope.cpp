// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl scope: the oscilloscope recording of a settings file as the viewer
// draws it (SVG) or saves it (tab-separated text), from the same core.
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "device/atomic_file.h"
#include "device/settings_file.h"
#include "scope/osc_drawing.h"
#include "scope/osc_svg.h"
#include "scope/osc_text.h"
#include "text/error.h"
#include "text/utf8_path.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/port_arg.h"
#include "tools/mkctl/terminal_io.h"

namespace mk::tools {
namespace {

int IntOption(const Args& args, const std::string& name, int fallback, int min, int max) {
  const std::string text = Option(args, name);
  if (text.empty()) return fallback;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < min || value > max) {
    throw UsageError("неверное значение --" + name + ": «" + text + "» (допустимо " +
                     std::to_string(min) + "…" + std::to_string(max) + ")");
  }
  return value;
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  const auto full_a = std::filesystem::weakly_canonical(a, error);
  if (error) return a == b;
  const auto full_b = std::filesystem::weakly_canonical(b, error);
  return error ? a == b : full_a == full_b;
}

}  // namespace

int CmdScope(const Args& args) {
  const auto files = Operands(args);
  if (files.size() != 1) throw UsageError("укажите один файл настроек");
  const std::string svg = Option(args, "svg");
  const std::string txt = Option(args, "txt");
  if (svg.empty() && txt.empty()) throw UsageError("укажите --svg РИСУНОК.svg или --txt ТЕКСТ.txt");
  if (!svg.empty() && !txt.empty() && SameFile(text::PathFromUtf8(svg), text::PathFromUtf8(txt))) {
    // The text would silently take the picture's place.
    throw UsageError("--svg и --txt указывают на один и тот же файл «" + svg + "»");
  }
  scope::OscView view;
  view.offset =
      IntOption(args, "offset", 0, scope::OscView::kMinOffset, scope::OscView::kMaxOffset);
  const int time_index = IntOption(args, "time-index", -1, 0, scope::kTimeScales - 1);

  device::TMK mk;
  device::LoadSettingsFile(text::PathFromUtf8(files[0]), mk);
  StderrPrompt prompt;
  // The same transaction as the viewer's button: a variant without
  // oscilloscope gets its message, and nothing reaches the file.
  const bool shown = mk.ViewOscilloscope(
      [&] {
        view.base_time_index = scope::CheckedTimeIndex(scope::OscRecording::Of(mk).TimeIndex());
        if (time_index >= 0) scope::SetTimeIndex(mk, time_index);
        const scope::OscRecording rec = scope::OscRecording::Of(mk);
        if (!svg.empty()) {
          const std::string picture = scope::PictureToSvg(scope::DrawOscilloscope(rec, view));
          device::WriteFileAtomically(
              text::PathFromUtf8(svg),
              std::span(reinterpret_cast<const std::uint8_t*>(picture.data()), picture.size()),
              "Не удалось записать рисунок «" + svg + "».");
        }
        if (!txt.empty()) scope::SaveTraceText(text::PathFromUtf8(txt), rec, view);
        return true;
      },
      prompt);
  return shown ? 0 : 1;
}

}  // namespace mk::tools

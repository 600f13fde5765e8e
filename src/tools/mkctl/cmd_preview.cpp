// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl preview: one MK screen of a settings file as a PNG picture, drawn by
// the same renderer as the editor's previews.
#include <cstdio>

#include "device/atomic_file.h"
#include "device/settings_file.h"
#include "preview/png_writer.h"
#include "preview/render.h"
#include "text/error.h"
#include "text/utf8_path.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/terminal_io.h"

namespace mk::tools {

int CmdPreview(const Args& args) {
  const auto files = Operands(args);
  if (files.size() != 1) throw UsageError("укажите один файл настроек");
  const std::string screen = Option(args, "screen");
  if (screen.empty()) throw UsageError("укажите экран: --screen ВИД:N, например --screen x4:1");
  const std::string out = Option(args, "out");
  if (out.empty()) throw UsageError("укажите файл рисунка: --out РИСУНОК.png");
  preview::ScreenRef ref;
  try {
    ref = preview::ParseScreenRef(screen);
  } catch (const Error& e) {
    throw UsageError(e.what());  // a screen that does not exist is a bad command line
  }

  device::TMK mk;
  device::LoadSettingsFile(text::PathFromUtf8(files[0]), mk);
  // The parameter list depends on the variant (code 11 is the air temperature
  // or the lights flag), as in the editor.
  mk.RebuildCatalogues(device::CatalogueStep::Protocols);
  mk.RebuildCatalogues(device::CatalogueStep::ParametersAndMenu);

  preview::Canvas canvas;
  preview::RenderScreen(canvas, mk, ref.kind, ref.screen);
  const auto png =
      preview::EncodePng(preview::kScreenWidth, preview::kScreenHeight, preview::ToRgb24(canvas));
  device::WriteFileAtomically(text::PathFromUtf8(out), png,
                              "Не удалось записать рисунок «" + out + "».");
  return 0;
}

}  // namespace mk::tools

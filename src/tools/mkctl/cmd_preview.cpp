// mkctl preview: one MK screen of a settings file as a PNG picture, drawn by
// the same renderer as the editor's previews.
#include <cstdio>

#include "device/atomic_file.h"
#include "device/settings_file.h"
#include "preview/png_writer.h"
#include "preview/render.h"
#include "text/error.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/terminal_io.h"

namespace mk::tools {

int CmdPreview(const Args& args) {
  if (args.empty() || args[0].starts_with("--")) {
    throw Error("Укажите файл настроек: mkctl preview FILE --screen KIND:N --out PICTURE.png.");
  }
  const std::string screen = Option(args, "screen");
  if (screen.empty()) throw Error("Укажите экран: --screen KIND:N, например --screen x4:1.");
  const std::string out = Option(args, "out");
  if (out.empty()) throw Error("Укажите файл картинки: --out PICTURE.png.");
  const preview::ScreenRef ref = preview::ParseScreenRef(screen);

  device::TMK mk;
  device::LoadSettingsFile(FilePath(args[0]), mk);
  // The parameter list depends on the variant (code 11 is the air temperature
  // or the lights flag), as in the editor.
  mk.RebuildCatalogues(device::CatalogueStep::Protocols);
  mk.RebuildCatalogues(device::CatalogueStep::ParametersAndMenu);

  preview::Canvas canvas;
  preview::RenderScreen(canvas, mk, ref.kind, ref.screen);
  const auto png =
      preview::EncodePng(preview::kScreenWidth, preview::kScreenHeight, preview::ToRgb24(canvas));
  device::WriteFileAtomically(FilePath(out), png, "Не удалось записать картинку " + out + ".");
  return 0;
}

}  // namespace mk::tools

// SPDX-License-Identifier: GPL-3.0-or-later
// An oscilloscope picture as an SVG document, pixel for pixel where the
// operations are lines.
#pragma once

#include <string>

#include "scope/osc_drawing.h"

namespace mk::scope {

/// A standalone SVG document (UTF-8) of `picture`'s size. Lines run between
/// the centres of their first and last pixel, so the end pixel stays
/// undrawn as in the viewer.
std::string PictureToSvg(const OscPicture& picture);

}  // namespace mk::scope

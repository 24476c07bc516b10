// The face every output sets the plan's texts in: DejaVu Sans, regular and
// bold, from the files the package depends on (fonts-dejavu-core). The path
// is fixed rather than asked of the system's font configuration, which would
// hand back whatever face it has instead of this one when these are missing;
// the layout's boxes hold only for this face, so its absence is an error.
#pragma once

#include <optional>
#include <string>

#include "core/font/font_face.h"

namespace sundial::font {

inline constexpr const char* kTextFamily = "DejaVu Sans";
inline constexpr const char* kTextFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
inline constexpr const char* kTextBoldFontFile =
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// Opened on first use and kept for the program's life. Throws FontError
// naming the file when it cannot be read (and tries again on the next call).
const FontFace& TextFace(bool bold);

// Why the text faces cannot be used, naming the file and the package that
// brings it; nothing when both open.
std::optional<std::string> TextFontProblem();

}  // namespace sundial::font

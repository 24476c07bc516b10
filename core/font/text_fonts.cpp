#include "core/font/text_fonts.h"

namespace sundial::font {

const FontFace& TextFace(bool bold) {
    if (bold) {
        static const FontFace boldFace(kTextBoldFontFile);
        return boldFace;
    }
    static const FontFace regularFace(kTextFontFile);
    return regularFace;
}

std::optional<std::string> TextFontProblem() {
    try {
        TextFace(false);
        TextFace(true);
    } catch (const FontError& e) {
        return std::string(e.what()) + " (it comes with the package fonts-dejavu-core).";
    }
    return std::nullopt;
}

}  // namespace sundial::font

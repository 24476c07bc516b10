// A font embedded in the document as a subset: a Type 0 font of Identity-H
// two-byte codes over a CIDFontType2 descendant. Each glyph the document
// shows is given the next character identifier (CID) the first time it is
// drawn, so that the content streams can be written as the pages go and the
// subset, the widths (/W), the CID-to-glyph map and the ToUnicode map, which
// hold only what was drawn, are written once the last page is done.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/pdf/font_program.h"

namespace sundial::pdf {

class EmbeddedFont {
  public:
    // `program` must outlive the font; `fontObject` is the number the
    // resources name the font by.
    EmbeddedFont(const FontProgram& program, std::int32_t fontObject)
        : program_(program), fontObject_(fontObject) {}

    std::int32_t FontObject() const { return fontObject_; }

    // The string operand that shows UTF-8 `text`: "<0001000200010003>", one
    // CID of four hex digits a character (malformed bytes show as "?").
    std::string Encode(std::string_view text);
    // How far `text` advances, thousandths of the font size, and how many
    // characters it has (each takes the character spacing).
    double Advance(std::string_view text) const;
    static std::size_t CharacterCount(std::string_view text);

    // One object of the font: its dictionary, or for a stream the entries of
    // its dictionary besides /Length (which the writer adds) and its data.
    struct Object {
        std::int32_t number = 0;
        std::string dictionary;
        std::string stream;
        bool isStream = false;
    };
    // Objects written after the last page: the Type 0 font under FontObject()
    // and kExtraObjects more, numbered from `first`. Throws std::runtime_error
    // when the subset cannot be made.
    static constexpr std::int32_t kExtraObjects = 5;
    std::vector<Object> Objects(std::int32_t first) const;

  private:
    std::string SubsetName() const;
    std::string Widths() const;
    std::string ToUnicode() const;

    const FontProgram& program_;
    std::int32_t fontObject_;
    // Entry c - 1 is the glyph (and the character it shows) of CID c.
    std::vector<FontGlyph> glyphs_;
    // Glyph index to CID, 0 for a glyph not yet used: a page's every
    // character is looked up here.
    std::vector<std::uint16_t> cidOf_;
};

}  // namespace sundial::pdf

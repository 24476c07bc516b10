// A TrueType font the writer embeds, as the writer needs to know it: which
// glyph shows a character, how far each glyph advances, the descriptor's
// figures, and a subset holding just the glyphs a document used. The writer
// stays free of any font library: whoever reads the font file implements this.
//
// Units: thousandths of the font size (PDF glyph space), y up from the
// baseline.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace sundial::pdf {

struct FontGlyph {
    std::uint16_t id = 0;  // the glyph's index in the font file
    char32_t shown = 0;    // the character it shows: "?" when it stands in for one the font lacks
};

struct FontProgramMetrics {
    std::array<double, 4> bbox{};  // left, bottom, right, top of every glyph together
    double ascent = 0;
    double descent = 0;  // below the baseline: negative
    double capHeight = 0;
    double stemV = 0;           // the vertical stems' thickness
    double italicAngleDeg = 0;  // counter-clockwise from the vertical; 0 upright
};

struct FontSubset {
    std::string bytes;  // a TrueType file holding the glyphs asked for
    // Entry i: the subset's glyph index of the i-th glyph asked for.
    std::vector<std::uint16_t> newIds;
};

class FontProgram {
  public:
    virtual ~FontProgram() = default;

    virtual std::string PostScriptName() const = 0;
    // The glyph for `codePoint`, or the stand-in "?" for one the font lacks.
    virtual FontGlyph GlyphFor(char32_t codePoint) const = 0;
    virtual double AdvanceOf(std::uint16_t glyph) const = 0;
    virtual FontProgramMetrics Metrics() const = 0;
    // `shown[i]` is what `glyphs[i]` shows, for the subset's character map.
    // Throws std::runtime_error when no subset can be made.
    virtual FontSubset Subset(std::span<const std::uint16_t> glyphs,
                              std::span<const char32_t> shown) const = 0;
};

}  // namespace sundial::pdf

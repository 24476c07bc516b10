// A TrueType font file, read once: which glyph shows a character, how far
// each advances and how high its ink reaches, and subsets of it for
// embedding. What the layout measures and what the PDF embeds come from the
// same FontFace, so a text's box and its printed ink agree.
//
// Units: ems (fractions of the font size) for the layout; thousandths of the
// font size for the PDF (FontProgram). y up from the baseline.
#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "core/pdf/font_program.h"

namespace sundial::font {

// A font file that cannot be read or is not a font: the path and the reason.
class FontError : public std::runtime_error {
  public:
    FontError(const std::filesystem::path& path, const std::string& reason)
        : std::runtime_error("The font \"" + path.string() + "\" " + reason), path_(path) {}
    const std::filesystem::path& path() const noexcept { return path_; }

  private:
    std::filesystem::path path_;
};

// The ink of one glyph: how far above and below the baseline it reaches.
struct GlyphInk {
    double topEm = 0;
    double bottomEm = 0;  // negative below the baseline
};

class FontFace final : public pdf::FontProgram {
  public:
    // Throws FontError when `file` cannot be read or holds no glyphs.
    explicit FontFace(const std::filesystem::path& file);
    ~FontFace() override;
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const std::filesystem::path& File() const { return file_; }
    // Whether the font has a glyph of its own for `codePoint`.
    bool Has(char32_t codePoint) const;
    // How far UTF-8 `text` advances, in ems: each character's glyph (the
    // stand-in "?" for one the font lacks, and for malformed bytes), with no
    // kerning, as a PDF shows a string.
    double AdvanceEm(std::string_view text) const;
    GlyphInk InkOf(char32_t codePoint) const;

    std::string PostScriptName() const override;
    pdf::FontGlyph GlyphFor(char32_t codePoint) const override;
    double AdvanceOf(std::uint16_t glyph) const override;
    pdf::FontProgramMetrics Metrics() const override;
    pdf::FontSubset Subset(std::span<const std::uint16_t> glyphs,
                           std::span<const char32_t> shown) const override;

  private:
    struct Library;
    std::filesystem::path file_;
    std::unique_ptr<Library> hb_;
};

}  // namespace sundial::font

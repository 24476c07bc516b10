// Character widths and descriptors of the four font families the writer knows
// (Courier New, Times New Roman, Symbol, Arial), each in four styles. No font
// file is read or embedded: the viewer supplies the glyphs.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace sundial::pdf {

struct FontMetrics {
    std::string FontName;  // base font name: family, then ",Bold", ",Italic" or ",BoldItalic"
    std::uint8_t FirstChar = 32;
    std::uint8_t LastChar = 255;
    std::string Descriptor;  // font descriptor entries, written as they stand
    // Entry c - 1 is the width of code c, thousandths of the font size; zero
    // outside FirstChar..LastChar.
    std::array<std::int32_t, 255> Widths{};
    std::int32_t DefaultWidth = 0;  // what Length uses outside FirstChar..LastChar
    // The widths of FirstChar..LastChar as a font's /Widths array lists them:
    // sixteen to a line, each followed by a blank, every line ended by CR LF.
    std::string WidthsLines;

    // Width of one Windows-1252 code as Length measures it.
    std::int32_t WidthOf(std::uint8_t code) const {
        return code >= FirstChar && code <= LastChar && code > 0 ? Widths[code - 1u] : DefaultWidth;
    }
};

// `style`: 0 regular, 1 bold, 2 italic, 3 bold italic. Each throws
// PdfUsageError for any other style. The sixteen tables are built once, on
// first use, and live as long as the program.
const FontMetrics& CourierNewMetrics(int style);
const FontMetrics& TimesNewRomanMetrics(int style);
const FontMetrics& SymbolMetrics(int style);
const FontMetrics& ArialMetrics(int style);

// The family named by `baseFont`, ignoring case and spaces ("times new roman"
// is Times New Roman); any name that is not Courier New, Times New Roman or
// Symbol gets Arial.
const FontMetrics& MetricsForFont(std::string_view baseFont, int style);

// How far `win1252` advances set in `metrics` at `fontSize`, in points: the
// glyphs' widths, plus `wordSpacing` for each blank and `charSpacing` for each
// character (the last included), all times `horizontalScaling` percent.
double TextAdvance(const FontMetrics& metrics, std::string_view win1252, float fontSize,
                   float wordSpacing, float charSpacing, float horizontalScaling);

// ",Bold", ",Italic", ",BoldItalic" for styles 1..3; "" otherwise.
std::string StyleSuffix(int style);

}  // namespace sundial::pdf

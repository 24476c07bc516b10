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

    // Width of one Windows-1252 code as Length measures it.
    std::int32_t WidthOf(std::uint8_t code) const {
        return code >= FirstChar && code <= LastChar && code > 0 ? Widths[code - 1u] : DefaultWidth;
    }
};

// `style`: 0 regular, 1 bold, 2 italic, 3 bold italic. Each throws
// PdfUsageError for any other style.
FontMetrics CourierNewMetrics(int style);
FontMetrics TimesNewRomanMetrics(int style);
FontMetrics SymbolMetrics(int style);
FontMetrics ArialMetrics(int style);

// The family named by `baseFont`, ignoring case and spaces ("times new roman"
// is Times New Roman); any name that is not Courier New, Times New Roman or
// Symbol gets Arial.
FontMetrics MetricsForFont(std::string_view baseFont, int style);

// ",Bold", ",Italic", ",BoldItalic" for styles 1..3; "" otherwise.
std::string StyleSuffix(int style);

}  // namespace sundial::pdf

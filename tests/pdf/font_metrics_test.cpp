#include "pdf/font_metrics.h"

#include <gtest/gtest.h>

#include <array>

#include "pdf/pdf_error.h"

namespace sundial::pdf {
namespace {

struct TellingRow {
    const char* name;
    FontMetrics (*family)(int);
    int style;
    std::array<int, 7> widths;  // codes 32, 48, 65, 87, 97, 105, 109
};

constexpr std::array<std::uint8_t, 7> kTellingCodes = {32, 48, 65, 87, 97, 105, 109};

const TellingRow kTellingRows[] = {
    {"courier-regular", CourierNewMetrics, 0, {600, 600, 600, 600, 600, 600, 600}},
    {"courier-bold-italic", CourierNewMetrics, 3, {600, 600, 600, 600, 600, 600, 600}},
    {"times-regular", TimesNewRomanMetrics, 0, {250, 500, 722, 944, 444, 278, 778}},
    {"times-bold", TimesNewRomanMetrics, 1, {250, 500, 722, 1000, 500, 278, 833}},
    {"times-italic", TimesNewRomanMetrics, 2, {250, 500, 611, 833, 500, 278, 722}},
    {"times-bold-italic", TimesNewRomanMetrics, 3, {250, 500, 667, 889, 500, 278, 778}},
    {"arial-regular", ArialMetrics, 0, {278, 556, 667, 944, 556, 222, 833}},
    {"arial-italic", ArialMetrics, 2, {278, 556, 667, 944, 556, 222, 833}},
    {"arial-bold", ArialMetrics, 1, {278, 556, 722, 944, 556, 278, 889}},
    {"arial-bold-italic", ArialMetrics, 3, {278, 556, 722, 944, 556, 278, 889}},
    {"symbol-regular", SymbolMetrics, 0, {250, 500, 722, 768, 631, 329, 576}},
    {"symbol-bold", SymbolMetrics, 1, {250, 500, 722, 768, 631, 329, 576}},
};

TEST(FontMetricsTest, TellingRowsOfThePublishedWidths) {
    for (const TellingRow& row : kTellingRows) {
        const FontMetrics m = row.family(row.style);
        for (std::size_t i = 0; i < kTellingCodes.size(); ++i) {
            EXPECT_EQ(m.WidthOf(kTellingCodes[i]), row.widths[i])
                << row.name << " code " << int(kTellingCodes[i]);
        }
    }
}

TEST(FontMetricsTest, RangesAndWidthsOutsideThem) {
    const struct {
        const char* name;
        FontMetrics metrics;
        int first, defaultWidth;
        const char* fontName;
    } rows[] = {
        {"courier", CourierNewMetrics(1), 32, 600, "CourierNew,Bold"},
        {"times", TimesNewRomanMetrics(2), 32, 333, "TimesNewRoman,Italic"},
        {"symbol", SymbolMetrics(3), 30, 332, "Symbol,BoldItalic"},
        {"arial", ArialMetrics(0), 32, 272, "Arial"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.metrics.FontName, row.fontName) << row.name;
        EXPECT_EQ(row.metrics.FirstChar, row.first) << row.name;
        EXPECT_EQ(row.metrics.LastChar, 255) << row.name;
        // Below FirstChar, and code 0, take DefaultWidth, not /MissingWidth.
        EXPECT_EQ(row.metrics.WidthOf(static_cast<std::uint8_t>(row.first - 1)), row.defaultWidth)
            << row.name;
        EXPECT_EQ(row.metrics.WidthOf(0), row.defaultWidth) << row.name;
    }
}

TEST(FontMetricsTest, EveryCodeInRangeHasAPositiveWidth) {
    for (const TellingRow& row : kTellingRows) {
        const FontMetrics m = row.family(row.style);
        for (int code = m.FirstChar; code <= 255; ++code) {
            EXPECT_GT(m.WidthOf(static_cast<std::uint8_t>(code)), 0) << row.name << " " << code;
        }
    }
    for (int code = 32; code <= 255; ++code) {
        EXPECT_EQ(CourierNewMetrics(2).WidthOf(static_cast<std::uint8_t>(code)), 600) << code;
    }
}

TEST(FontMetricsTest, GlyphlessCodesTakeTheDefaultGlyphsAdvance) {
    // Code 127 and the code page's undefined codes have no glyph: the default
    // glyph's advance in the TrueType families, 600 in Symbol as its codes 30, 31.
    for (const std::uint8_t code : {127, 129, 141, 143, 144, 157}) {
        EXPECT_EQ(ArialMetrics(0).WidthOf(code), 365) << int(code);
        EXPECT_EQ(TimesNewRomanMetrics(1).WidthOf(code), 365) << int(code);
        EXPECT_EQ(CourierNewMetrics(0).WidthOf(code), 600) << int(code);
        EXPECT_EQ(SymbolMetrics(0).WidthOf(code), 600) << int(code);
    }
    EXPECT_EQ(SymbolMetrics(0).WidthOf(30), 600);
    EXPECT_EQ(SymbolMetrics(0).WidthOf(31), 600);
}

TEST(FontMetricsTest, FamilyChosenIgnoringCaseAndSpaces) {
    const struct {
        const char* given;
        const char* fontName;
    } rows[] = {
        {"Courier New", "CourierNew"}, {"times new roman", "TimesNewRoman"},
        {"  S y m b o l ", "Symbol"},  {"Arial", "Arial"},
        {"Helvetica", "Arial"},        {"", "Arial"},
    };
    for (const auto& row : rows) EXPECT_EQ(MetricsForFont(row.given, 0).FontName, row.fontName);
}

TEST(FontMetricsTest, DescriptorTextInKeyOrder) {
    EXPECT_EQ(CourierNewMetrics(0).Descriptor,
              "/Flags 34 /FontBBox [-250 -300 720 1000] /MissingWidth 600 /StemV 109 /StemH 109 "
              "/ItalicAngle 0 /CapHeight 833 /XHeight 417 /Ascent 833 /Descent -300 /Leading 133 "
              "/MaxWidth 600 /AvgWidth 600");
    EXPECT_NE(ArialMetrics(1).Descriptor.find("/Flags 16416 /FontBBox [-250 -212 1120 1000] "
                                              "/MissingWidth 311"),
              std::string::npos);
}

TEST(FontMetricsTest, StylesOutsideZeroToThreeAreRefused) {
    EXPECT_THROW(MetricsForFont("Arial", 4), PdfUsageError);
    EXPECT_THROW(CourierNewMetrics(-1), PdfUsageError);
}

}  // namespace
}  // namespace sundial::pdf

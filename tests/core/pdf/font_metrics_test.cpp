#include "core/pdf/font_metrics.h"

#include <gtest/gtest.h>

#include <array>

#include "core/pdf/pdf_error.h"

namespace sundial::pdf {
namespace {

TEST(FontMetricsTest, TellingRowsOfThePublishedWidths) {
    constexpr std::array<std::uint8_t, 7> kCodes = {32, 48, 65, 87, 97, 105, 109};  // " 0AWaim"
    const struct {
        const char* name;
        FontMetrics metrics;
        std::array<int, 7> widths;
    } rows[] = {
        {"courier-bold-italic", CourierNewMetrics(3), {600, 600, 600, 600, 600, 600, 600}},
        {"times-regular", TimesNewRomanMetrics(0), {250, 500, 722, 944, 444, 278, 778}},
        {"times-bold", TimesNewRomanMetrics(1), {250, 500, 722, 1000, 500, 278, 833}},
        {"times-italic", TimesNewRomanMetrics(2), {250, 500, 611, 833, 500, 278, 722}},
        {"times-bold-italic", TimesNewRomanMetrics(3), {250, 500, 667, 889, 500, 278, 778}},
        {"arial-italic", ArialMetrics(2), {278, 556, 667, 944, 556, 222, 833}},
        {"arial-bold", ArialMetrics(1), {278, 556, 722, 944, 556, 278, 889}},
        {"arial-bold-italic", ArialMetrics(3), {278, 556, 722, 944, 556, 278, 889}},
        {"symbol-bold", SymbolMetrics(1), {250, 500, 722, 768, 631, 329, 576}},
    };
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < kCodes.size(); ++i) {
            EXPECT_EQ(row.metrics.WidthOf(kCodes[i]), row.widths[i])
                << row.name << " " << int(kCodes[i]);
        }
    }
    for (int code = 32; code <= 255; ++code) {
        EXPECT_EQ(CourierNewMetrics(1).WidthOf(static_cast<std::uint8_t>(code)), 600) << code;
    }
}

TEST(FontMetricsTest, CodesWithoutAGlyph) {
    // Outside FirstChar..LastChar: DefaultWidth.
    EXPECT_EQ(ArialMetrics(0).WidthOf(31), 272);
    EXPECT_EQ(TimesNewRomanMetrics(0).WidthOf(0), 333);
    EXPECT_EQ(SymbolMetrics(0).WidthOf(29), 332);
    // In range but glyphless (127 and the code page's undefined codes): the
    // default glyph's advance; in Symbol 600, as its control codes 30 and 31.
    for (const std::uint8_t code : {127, 129, 141, 143, 144, 157}) {
        EXPECT_EQ(ArialMetrics(0).WidthOf(code), 365) << int(code);
        EXPECT_EQ(TimesNewRomanMetrics(1).WidthOf(code), 365) << int(code);
        EXPECT_EQ(SymbolMetrics(0).WidthOf(code), 600) << int(code);
    }
    EXPECT_EQ(SymbolMetrics(0).WidthOf(30), 600);
}

TEST(FontMetricsTest, FamilyByNameIgnoringCaseAndSpaces) {
    const std::pair<const char*, const char*> rows[] = {{"times new roman", "TimesNewRoman,Bold"},
                                                        {" S y m b o l", "Symbol,Bold"},
                                                        {"COURIERNEW", "CourierNew,Bold"},
                                                        {"Helvetica", "Arial,Bold"}};
    for (const auto& [given, fontName] : rows)
        EXPECT_EQ(MetricsForFont(given, 1).FontName, fontName);
    EXPECT_EQ(SymbolMetrics(0).FirstChar, 30);
    EXPECT_THROW(MetricsForFont("Arial", 4), PdfUsageError);
    EXPECT_THROW(CourierNewMetrics(-1), PdfUsageError);
}

// The /Widths lines are formatted once per table: sixteen entries a line, the
// last line holding the rest, every entry the width as written in the file.
TEST(FontMetricsTest, WidthsLinesListFirstCharToLastChar) {
    const struct {
        const char* name;
        const FontMetrics& metrics;
        int lines;
        const char* lastLine;
    } rows[] = {
        {"courier-224-codes", CourierNewMetrics(0), 14,
         "600 600 600 600 600 600 600 600 600 600 600 600 600 600 600 600 \r\n"},
        {"symbol-226-codes", SymbolMetrics(0), 15, "494 600 \r\n"},
    };
    for (const auto& row : rows) {
        const std::string& text = row.metrics.WidthsLines;
        int lines = 0;
        std::string entries;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos;
             start = end + 2, ++lines) {
            entries += text.substr(start, end - start);
        }
        EXPECT_EQ(start, text.size()) << row.name << ": text after the last CR LF";
        EXPECT_EQ(lines, row.lines) << row.name;
        EXPECT_TRUE(text.ends_with(row.lastLine)) << row.name;
        std::string expected;
        for (int code = row.metrics.FirstChar; code <= row.metrics.LastChar; ++code) {
            expected += std::to_string(row.metrics.WidthOf(static_cast<std::uint8_t>(code))) + " ";
        }
        EXPECT_EQ(entries, expected) << row.name;
    }
    // Built once: every call hands out the same table.
    EXPECT_EQ(&MetricsForFont("courier new", 0), &CourierNewMetrics(0));
}

TEST(TextAdvanceTest, WidthsSpacingAndScaling) {
    const FontMetrics& arial = ArialMetrics(0);  // a 556, b 556, blank 278
    const struct {
        const char* name;
        const char* text;
        float size, wordSpacing, charSpacing, scaling;
        double points;  // to a few ulps: every term is a multiple of 1/1000 point
    } rows[] = {
        {"widths-only", "a b", 10, 0, 0, 100, 13.9},
        {"word-spacing-per-blank", "a b", 10, 2, 0, 100, 15.9},
        {"char-spacing-per-character", "a b", 10, 0, 1, 100, 16.9},
        {"scaled-half", "a b", 10, 2, 1, 50, 9.45},
        {"empty", "", 10, 2, 1, 100, 0},
    };
    for (const auto& row : rows) {
        EXPECT_DOUBLE_EQ(
            TextAdvance(arial, row.text, row.size, row.wordSpacing, row.charSpacing, row.scaling),
            row.points)
            << row.name;
    }
}

}  // namespace
}  // namespace sundial::pdf

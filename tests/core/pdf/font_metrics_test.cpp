#include "core/pdf/font_metrics.h"

#include <gtest/gtest.h>

#include <array>

#include "core/pdf/pdf_error.h"
#include "tests/support/row_name.h"

namespace sundial::pdf {
namespace {

using sundial::testing::PrintTo;
using sundial::testing::RowName;

struct WidthRow {
    const char* name;
    const FontMetrics& (*family)(int style);
    int style;
    std::array<int, 7> widths;  // of " 0AWaim"
};

class PublishedWidthsTest : public ::testing::TestWithParam<WidthRow> {};

TEST_P(PublishedWidthsTest, TellingCodes) {
    constexpr std::array<std::uint8_t, 7> kCodes = {32, 48, 65, 87, 97, 105, 109};
    const FontMetrics& metrics = GetParam().family(GetParam().style);
    for (std::size_t i = 0; i < kCodes.size(); ++i) {
        EXPECT_EQ(metrics.WidthOf(kCodes[i]), GetParam().widths[i]) << int(kCodes[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PublishedWidthsTest,
    ::testing::Values(
        WidthRow{"courier-bold-italic", CourierNewMetrics, 3, {600, 600, 600, 600, 600, 600, 600}},
        WidthRow{"times-regular", TimesNewRomanMetrics, 0, {250, 500, 722, 944, 444, 278, 778}},
        WidthRow{"times-bold", TimesNewRomanMetrics, 1, {250, 500, 722, 1000, 500, 278, 833}},
        WidthRow{"times-italic", TimesNewRomanMetrics, 2, {250, 500, 611, 833, 500, 278, 722}},
        WidthRow{"times-bold-italic", TimesNewRomanMetrics, 3, {250, 500, 667, 889, 500, 278, 778}},
        WidthRow{"arial-italic", ArialMetrics, 2, {278, 556, 667, 944, 556, 222, 833}},
        WidthRow{"arial-bold", ArialMetrics, 1, {278, 556, 722, 944, 556, 278, 889}},
        WidthRow{"arial-bold-italic", ArialMetrics, 3, {278, 556, 722, 944, 556, 278, 889}},
        WidthRow{"symbol-bold", SymbolMetrics, 1, {250, 500, 722, 768, 631, 329, 576}}),
    RowName());

TEST(FontMetricsTest, CourierIsMonospaced) {
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

struct FamilyRow {
    const char* name;
    const char* given;
    const char* fontName;
};

class FamilyByNameTest : public ::testing::TestWithParam<FamilyRow> {};

TEST_P(FamilyByNameTest, IgnoringCaseAndSpaces) {
    EXPECT_EQ(MetricsForFont(GetParam().given, 1).FontName, GetParam().fontName);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FamilyByNameTest,
    ::testing::Values(FamilyRow{"lower-case", "times new roman", "TimesNewRoman,Bold"},
                      FamilyRow{"spaced-out", " S y m b o l", "Symbol,Bold"},
                      FamilyRow{"upper-case", "COURIERNEW", "CourierNew,Bold"},
                      FamilyRow{"unknown-is-arial", "Helvetica", "Arial,Bold"}),
    RowName());

TEST(FontMetricsTest, StylesBeyondBoldItalicAreRefused) {
    EXPECT_EQ(SymbolMetrics(0).FirstChar, 30);
    EXPECT_THROW(MetricsForFont("Arial", 4), PdfUsageError);
    EXPECT_THROW(CourierNewMetrics(-1), PdfUsageError);
}

struct WidthsLinesRow {
    const char* name;
    const FontMetrics& (*family)(int style);
    int lines;
    const char* lastLine;
};

class WidthsLinesTest : public ::testing::TestWithParam<WidthsLinesRow> {};

// The /Widths lines are formatted once per table: sixteen entries a line, the
// last line holding the rest, every entry the width as written in the file.
TEST_P(WidthsLinesTest, ListFirstCharToLastChar) {
    const FontMetrics& metrics = GetParam().family(0);
    const std::string& text = metrics.WidthsLines;
    int lines = 0;
    std::string entries;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2, ++lines) {
        entries += text.substr(start, end - start);
    }
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    EXPECT_EQ(lines, GetParam().lines);
    EXPECT_TRUE(text.ends_with(GetParam().lastLine));
    std::string expected;
    for (int code = metrics.FirstChar; code <= metrics.LastChar; ++code) {
        expected += std::to_string(metrics.WidthOf(static_cast<std::uint8_t>(code))) + " ";
    }
    EXPECT_EQ(entries, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WidthsLinesTest,
    ::testing::Values(
        WidthsLinesRow{"courier-224-codes", CourierNewMetrics, 14,
                       "600 600 600 600 600 600 600 600 600 600 600 600 600 600 600 600 \r\n"},
        WidthsLinesRow{"symbol-226-codes", SymbolMetrics, 15, "494 600 \r\n"}),
    RowName());

TEST(FontMetricsTest, BuiltOnceForTheProgram) {
    EXPECT_EQ(&MetricsForFont("courier new", 0), &CourierNewMetrics(0));
}

struct AdvanceRow {
    const char* name;
    const char* text;
    float size, wordSpacing, charSpacing, scaling;
    double points;  // to a few ulps: every term is a multiple of 1/1000 point
};

class TextAdvanceTest : public ::testing::TestWithParam<AdvanceRow> {};

TEST_P(TextAdvanceTest, WidthsSpacingAndScaling) {
    const AdvanceRow& row = GetParam();
    const FontMetrics& arial = ArialMetrics(0);  // a 556, b 556, blank 278
    EXPECT_DOUBLE_EQ(
        TextAdvance(arial, row.text, row.size, row.wordSpacing, row.charSpacing, row.scaling),
        row.points);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TextAdvanceTest,
    ::testing::Values(AdvanceRow{"widths-only", "a b", 10, 0, 0, 100, 13.9},
                      AdvanceRow{"word-spacing-per-blank", "a b", 10, 2, 0, 100, 15.9},
                      AdvanceRow{"char-spacing-per-character", "a b", 10, 0, 1, 100, 16.9},
                      AdvanceRow{"scaled-half", "a b", 10, 2, 1, 50, 9.45},
                      AdvanceRow{"empty", "", 10, 2, 1, 100, 0}),
    RowName());

}  // namespace
}  // namespace sundial::pdf

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

}  // namespace
}  // namespace sundial::pdf

#include "core/pdf/pdf_syntax.h"

#include <gtest/gtest.h>

#include "core/pdf/creation_time.h"
#include "core/pdf/win1252.h"

namespace sundial::pdf {
namespace {

TEST(FormatNumberTest, ShortestDecimalHalvesToEven) {
    const struct {
        const char* name;
        float value;
        int places;
        const char* text;
    } rows[] = {
        {"a4-width", 595.2f, 3, "595.2"},
        {"whole", 842.0f, 3, "842"},
        {"negative-zero", -0.0f, 3, "0"},
        {"tiny-negative-rounds-to-zero", -0.0004f, 3, "0"},
        {"zero-before-point", 0.5f, 3, "0.5"},
        {"negative", -28.346457f, 3, "-28.346"},
        {"carry-into-a-new-digit", 999.9996f, 3, "1000"},
        {"half-down-to-even", 0.0005f, 3, "0"},
        {"half-up-to-even", 0.0015f, 3, "0.002"},
        {"half-units", 2.5f, 0, "2"},
        {"seven-digits-only", 123456.79f, 3, "123456.8"},
        {"no-exponent", 1.0e20f, 3, "100000000000000000000"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FormatNumber(row.value, row.places), row.text) << row.name;
    EXPECT_EQ(EscapeText("a(b)\\c"), "a\\(b\\)\\\\c");
}

TEST(ToWin1252Test, OneBytePerCharacter) {
    const struct {
        const char* name;
        std::string utf8, bytes;
    } rows[] = {
        {"latin-1", "Z\xC3\xBCrich", "Z\xFCrich"},
        {"euro-and-quotes", "\xE2\x82\xAC\xE2\x80\x9Cq\xE2\x80\x9D", "\x80\x93q\x94"},
        {"undefined-slot-passes-through", "\xC2\x81", "\x81"},
        {"outside-the-code-page", "\xCE\xB1=\xF0\x9F\x8C\x9E", "?=?"},
        {"truncated", "a\xE2\x82", "a??"},
        {"overlong", "\xC0\xAF", "??"},
        {"surrogate", "\xED\xA0\x80", "???"},
    };
    for (const auto& row : rows) EXPECT_EQ(ToWin1252(row.utf8), row.bytes) << row.name;
}

TEST(PdfDateTextTest, CarriesTheOffsetFromUtc) {
    const std::pair<int, const char*> rows[] = {{0, "D:20240307090503+00'00'"},
                                                {-300, "D:20240307090503-05'00'"},
                                                {330, "D:20240307090503+05'30'"}};
    for (const auto& [offset, text] : rows) {
        EXPECT_EQ(PdfDateText({2024, 3, 7, 9, 5, 3, offset}), text) << offset;
    }
}

}  // namespace
}  // namespace sundial::pdf

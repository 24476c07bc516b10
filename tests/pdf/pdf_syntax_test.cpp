#include "pdf/pdf_syntax.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "pdf/creation_time.h"
#include "pdf/win1252.h"

namespace sundial::pdf {
namespace {

struct NumberCase {
    const char* name;
    float value;
    int places;
    const char* text;
};

const NumberCase kNumberCases[] = {
    {"a4-width", 595.2f, 3, "595.2"},
    {"whole", 842.0f, 3, "842"},
    {"zero", 0.0f, 3, "0"},
    {"negative-zero", -0.0f, 3, "0"},
    {"tiny-negative-rounds-to-zero", -0.0004f, 3, "0"},
    {"leading-zero", 0.5f, 3, "0.5"},
    {"negative", -28.346457f, 3, "-28.346"},
    {"cm-to-points-2", 56.692913f, 3, "56.693"},
    {"cm-to-points-28", 793.70081f, 3, "793.701"},
    {"carry-into-new-digit", 999.9996f, 3, "1000"},
    {"half-to-even-down", 0.0005f, 3, "0"},
    {"half-to-even-up", 0.0015f, 3, "0.002"},
    {"half-to-even-units", 2.5f, 0, "2"},
    {"half-odd-units", 3.5f, 0, "4"},
    {"seven-digits-only", 123456.79f, 3, "123456.8"},
    {"no-exponent-large", 1.0e20f, 3, "100000000000000000000"},
    {"grey-128", 128.0f / 255.0f, 3, "0.502"},
    {"cos-90-rounds-away", 3.2584137e-7f, 3, "0"},
};

class FormatNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(FormatNumberTest, WritesShortestRoundedDecimal) {
    const NumberCase& c = GetParam();
    EXPECT_EQ(FormatNumber(c.value, c.places), c.text);
}

INSTANTIATE_TEST_SUITE_P(Rows, FormatNumberTest, ::testing::ValuesIn(kNumberCases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(FormatNumberTest, IgnoresACommaDecimalLocale) {
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE.UTF-8 locale";
    for (const NumberCase& c : kNumberCases) {
        EXPECT_EQ(FormatNumber(c.value, c.places), c.text) << c.name;
    }
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(EscapeTextTest, EscapesBackslashFirstThenParentheses) {
    EXPECT_EQ(EscapeText("a(b)\\c"), "a\\(b\\)\\\\c");
    EXPECT_EQ(EscapeText("(senza titolo)"), "\\(senza titolo\\)");
    EXPECT_EQ(EscapeText("plain"), "plain");
}

TEST(ToWin1252Test, MapsUtf8ToOneBytePerCharacter) {
    const struct {
        const char* name;
        std::string utf8;
        std::string bytes;
    } rows[] = {
        {"ascii", "Exeter, Britain", "Exeter, Britain"},
        {"latin1", "Z\xC3\xBCrich", "Z\xFCrich"},
        {"euro-sign", "\xE2\x82\xAC", "\x80"},
        {"curly-quotes", "\xE2\x80\x9Cq\xE2\x80\x9D", "\x93q\x94"},
        {"oe-ligature-and-y-diaeresis", "\xC5\x93\xC5\xB8", "\x9C\x9F"},
        {"undefined-slot-passes-through", "\xC2\x81", "\x81"},
        {"outside-code-page", "\xCE\xB1=\xE2\x88\x9E", "?=?"},
        {"emoji", "\xF0\x9F\x8C\x9E", "?"},
        {"truncated-sequence", "a\xE2\x82", "a??"},
        {"overlong-slash", "\xC0\xAF", "??"},
        {"surrogate", "\xED\xA0\x80", "???"},
        {"lone-continuation", "\x80x", "?x"},
    };
    for (const auto& row : rows) EXPECT_EQ(ToWin1252(row.utf8), row.bytes) << row.name;
}

TEST(PdfDateTextTest, CarriesTheMachinesOffsetFromUtc) {
    const struct {
        const char* name;
        int offsetMinutes;
        const char* text;
    } rows[] = {
        {"utc", 0, "D:20240307090503+00'00'"},
        {"central-europe", 60, "D:20240307090503+01'00'"},
        {"new-york", -300, "D:20240307090503-05'00'"},
        {"india", 330, "D:20240307090503+05'30'"},
        {"newfoundland", -210, "D:20240307090503-03'30'"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(PdfDateText({2024, 3, 7, 9, 5, 3, row.offsetMinutes}), row.text) << row.name;
    }
}

TEST(PdfDateTextTest, LocalClockOffsetIsWholeMinutesWithinADay) {
    const LocalTimestamp now = LocalTimeNow();
    EXPECT_GE(now.year, 2020);
    EXPECT_LE(std::abs(now.utcOffsetMinutes), 14 * 60);
}

}  // namespace
}  // namespace sundial::pdf

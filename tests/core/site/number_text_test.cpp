#include "core/site/number_text.h"

#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <random>

namespace sundial {
namespace {

struct Row {
    const char* name;
    float value;
    const char* numberText;
    const char* printed;
};

const Row kRows[] = {
    {"two decimals", 72.71f, "72.71", " 72.71 "},
    {"small negative", -0.07f, "-0.07", "-.07 "},
    {"whole hour", 7.0f, "7", " 7 "},
    {"below one", 0.12f, "0.12", " .12 "},
    {"negative longitude", -2.35f, "-2.35", "-2.35 "},
    {"latitude", 51.5f, "51.5", " 51.5 "},
    {"zero", 0.0f, "0", " 0 "},
    {"negative zero", -0.0f, "0", " 0 "},
    {"seven digits kept", 38.31268f, "38.31268", " 38.31268 "},
    {"eighth digit rounded", 4.1234569f, "4.123457", " 4.123457 "},
    {"hundreds", 185.2f, "185.2", " 185.2 "},
    {"tiny stays plain", 0.000123f, "0.000123", " .000123 "},
};

TEST(NumberText, FormatsLikeTheReport) {
    for (const Row& row : kRows) {
        EXPECT_EQ(NumberText(row.value), row.numberText) << row.name;
        EXPECT_EQ(PrintedNumber(row.value), row.printed) << row.name;
    }
}

TEST(NumberText, IgnoresACommaDecimalLocale) {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 not installed";
    for (const Row& row : kRows) EXPECT_EQ(NumberText(row.value), row.numberText) << row.name;
    EXPECT_EQ(DecimalText(185.2, 15), "185.2");
    std::setlocale(LC_ALL, "C");
}

TEST(NumberText, DoublePrecisionKeepsFifteenDigits) {
    EXPECT_EQ(DecimalText(185.2, 15), "185.2");
    EXPECT_EQ(DecimalText(1234567.125, 15), "1234567.125");
    EXPECT_EQ(DecimalText(100.0, 7), "100");
    EXPECT_EQ(DecimalText(1e7, 7), "10000000");
}

TEST(NumberText, RoundTripTextReadsBackToTheSameSingle) {
    for (float v : {38.312675f, 0.1f, -83.310265f, 6.632961f, 1e-7f}) {
        EXPECT_EQ(std::stof(RoundTripText(v)), v);
    }
}

// printf rounds the exact binary value too; plate coordinates, every tie one
// can be (k / 128 mm) and a few far ones.
TEST(NumberText, PlacesTextRoundsAsPrintfDoes) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mm(-3000, 3000);
    for (int i = 0; i < 200000; ++i) {
        const double v = i < 4   ? std::array{1e300, -1e-300, -999999.9995, 0.0635}[i]
                         : i % 2 ? mm(random)
                                 : std::ldexp(i - 100000.0, -7);
        for (const int places : {0, 3, 6, 9}) {
            char buf[512];
            std::snprintf(buf, sizeof buf, "%.*f", places, v);
            std::string s = buf;
            while (s.find('.') != std::string::npos && (s.back() == '0' || s.back() == '.'))
                s.pop_back();
            ASSERT_EQ(PlacesText(v, places), s == "-0" ? "0" : s) << v << " to " << places;
        }
    }
    EXPECT_EQ(PlacesText(2.5, 0), "2");  // a tie, to even
}

}  // namespace
}  // namespace sundial

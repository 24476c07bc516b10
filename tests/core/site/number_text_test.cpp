#include "core/site/number_text.h"

#include <gtest/gtest.h>

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

// C's printf rounds the exact binary value too: the reference, with its
// trailing zeros and bare point taken off.
std::string PrintfPlaces(double value, int places) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*f", places, value);
    std::string s = buf;
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

TEST(NumberText, PlacesTextRoundsAsPrintfDoes) {
    const struct {
        double value;
        int places;
        const char* text;
    } rows[] = {
        {12.3404, 3, "12.34"}, {-0.0004, 3, "0"}, {0.0625, 3, "0.062"},  // a tie, to even
        {0.0635, 3, "0.064"},  {2.5, 0, "2"},     {-999999.9995, 3, "-1000000"},
        {1e300, 2, nullptr},   {-1e-300, 9, "0"}, {1234.5, 9, "1234.5"},
    };
    for (const auto& r : rows) {
        const std::string expected = r.text ? r.text : PrintfPlaces(r.value, r.places);
        EXPECT_EQ(PlacesText(r.value, r.places), expected) << r.value;
        EXPECT_EQ(PlacesText(r.value, r.places), PrintfPlaces(r.value, r.places)) << r.value;
    }
    // Plate coordinates in mm and every tie a coordinate can be.
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mm(-3000, 3000);
    for (int i = 0; i < 200000; ++i) {
        const double v = i % 2 ? mm(random) : std::ldexp(static_cast<double>(i - 100000), -7);
        ASSERT_EQ(PlacesText(v, 3), PrintfPlaces(v, 3)) << v;
    }
}

}  // namespace
}  // namespace sundial

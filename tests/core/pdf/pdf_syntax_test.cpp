#include "core/pdf/pdf_syntax.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "core/pdf/creation_time.h"
#include "core/pdf/win1252.h"
#include "tests/support/row_name.h"

namespace sundial::pdf {
namespace {

using sundial::testing::PrintTo;
using sundial::testing::RowName;

struct NumberRow {
    const char* name;
    float value;
    int places;
    const char* text;
};

class FormatNumberTest : public ::testing::TestWithParam<NumberRow> {};

TEST_P(FormatNumberTest, ShortestDecimalHalvesToEven) {
    const NumberRow& row = GetParam();
    EXPECT_EQ(FormatNumber(row.value, row.places), row.text);
    EXPECT_EQ(FormatNumberByDigits(row.value, row.places), row.text);
    std::string appended = "x";
    AppendNumber(appended, row.value, row.places);
    EXPECT_EQ(appended, std::string("x") + row.text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FormatNumberTest,
    ::testing::Values(NumberRow{"a4_width", 595.2f, 3, "595.2"},
                      NumberRow{"whole", 842.0f, 3, "842"},
                      NumberRow{"negative_zero", -0.0f, 3, "0"},
                      NumberRow{"tiny_negative_rounds_to_zero", -0.0004f, 3, "0"},
                      NumberRow{"zero_before_point", 0.5f, 3, "0.5"},
                      NumberRow{"negative", -28.346457f, 3, "-28.346"},
                      NumberRow{"carry_into_a_new_digit", 999.9996f, 3, "1000"},
                      NumberRow{"half_down_to_even", 0.0005f, 3, "0"},
                      NumberRow{"half_up_to_even", 0.0015f, 3, "0.002"},
                      NumberRow{"half_units", 2.5f, 0, "2"},
                      NumberRow{"seven_digits_only", 123456.79f, 3, "123456.8"},
                      NumberRow{"no_exponent", 1.0e20f, 3, "100000000000000000000"},
                      // 65.0415 is held as 65.041496...: seven digits make it 65.04150, a
                      // half, which goes to even. Rounding the single directly gives 65.041.
                      NumberRow{"digits_first_then_places", 65.0415f, 3, "65.042"},
                      NumberRow{"exact_half_at_the_fourth_place_down", 100.0625f, 3, "100.062"},
                      NumberRow{"exact_half_at_the_fourth_place_up", 100.1875f, 3, "100.188"},
                      NumberRow{"exact_half_at_the_eighth_digit", 1234567.5f, 3, "1234568"},
                      NumberRow{"exact_half_at_the_eighth_digit_even", 1234566.5f, 3, "1234566"},
                      NumberRow{"seven_nines_carry", 9.9999995f, 3, "10"},
                      NumberRow{"just_below_two_to_minus_ten", 0.00097656244f, 3, "0.001"},
                      NumberRow{"two_to_minus_ten", 0.0009765625f, 6, "0.000977"},
                      NumberRow{"just_below_two_to_twenty_three", 8388607.5f, 3, "8388608"},
                      NumberRow{"two_to_twenty_three", 8388608.0f, 3, "8388608"},
                      NumberRow{"negative_places_digits", -0.123456f, 5, "-0.12346"},
                      NumberRow{"smallest_single", 1.4e-45f, 3, "0"}),
    RowName());

// AppendNumber's integer shortcut and the digit-string path agree on every
// binade the shortcut takes (and one either side). A one-off run over every
// single of those binades at 3 places found no difference either.
TEST(NumberShortcutTest, AgreesWithTheDigitPath) {
    for (const int places : {0, 3, 6, 9}) {
        for (std::uint32_t exponent = 116; exponent <= 151; ++exponent) {
            for (std::uint32_t fraction = 0; fraction < (1u << 23); fraction += 16411) {
                for (const std::uint32_t sign : {0u, 1u}) {
                    const auto value = std::bit_cast<float>(sign << 31 | exponent << 23 | fraction);
                    std::string fast;
                    AppendNumber(fast, value, places);
                    ASSERT_EQ(fast, FormatNumberByDigits(value, places))
                        << value << " at " << places << " places";
                }
            }
        }
    }
}

struct IntegerRow {
    const char* name;
    std::int64_t value;
    const char* text;
};

class AppendIntegerTest : public ::testing::TestWithParam<IntegerRow> {};

TEST_P(AppendIntegerTest, PlainDecimal) {
    std::string out = "x";
    AppendInteger(out, GetParam().value);
    EXPECT_EQ(out, std::string("x") + GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AppendIntegerTest,
    ::testing::Values(IntegerRow{"zero", 0, "0"}, IntegerRow{"negative", -7, "-7"},
                      IntegerRow{"largest-object", 32767, "32767"},
                      IntegerRow{"most-negative", INT64_MIN, "-9223372036854775808"}),
    RowName());

struct TextRow {
    const char* name;
    std::string utf8, bytes;
};

class ToWin1252Test : public ::testing::TestWithParam<TextRow> {};

TEST_P(ToWin1252Test, OneBytePerCharacter) {
    EXPECT_EQ(ToWin1252(GetParam().utf8), GetParam().bytes);
    std::string appended = "x";
    AppendWin1252(appended, GetParam().utf8);
    EXPECT_EQ(appended, "x" + GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ToWin1252Test,
    ::testing::Values(TextRow{"ascii", "Plain text (1)", "Plain text (1)"},
                      TextRow{"latin-1", "Z\xC3\xBCrich", "Z\xFCrich"},
                      TextRow{"euro-and-quotes", "\xE2\x82\xAC\xE2\x80\x9Cq\xE2\x80\x9D",
                              "\x80\x93q\x94"},
                      TextRow{"undefined-slot-passes-through", "\xC2\x81", "\x81"},
                      TextRow{"outside-the-code-page", "\xCE\xB1=\xF0\x9F\x8C\x9E", "?=?"},
                      TextRow{"truncated", "a\xE2\x82", "a??"},
                      TextRow{"overlong", "\xC0\xAF", "??"},
                      TextRow{"surrogate", "\xED\xA0\x80", "???"}),
    RowName());

struct EscapeRow {
    const char* name;
    std::string text, escaped;
};

class EscapeTextTest : public ::testing::TestWithParam<EscapeRow> {};

TEST_P(EscapeTextTest, BackslashAndParenthesesEscaped) {
    EXPECT_EQ(EscapeText(GetParam().text), GetParam().escaped);
}

INSTANTIATE_TEST_SUITE_P(Rows, EscapeTextTest,
                         ::testing::Values(EscapeRow{"plain", "abc", "abc"},
                                           EscapeRow{"empty", "", ""},
                                           EscapeRow{"mixed", "a(b)\\c", "a\\(b\\)\\\\c"},
                                           EscapeRow{"only-specials", "()\\", "\\(\\)\\\\"},
                                           EscapeRow{"special-last", "x)", "x\\)"}),
                         RowName());

struct DateRow {
    const char* name;
    int offsetMinutes;
    const char* text;
};

class PdfDateTextTest : public ::testing::TestWithParam<DateRow> {};

TEST_P(PdfDateTextTest, CarriesTheOffsetFromUtc) {
    EXPECT_EQ(PdfDateText({2024, 3, 7, 9, 5, 3, GetParam().offsetMinutes}), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Rows, PdfDateTextTest,
                         ::testing::Values(DateRow{"utc", 0, "D:20240307090503+00'00'"},
                                           DateRow{"west", -300, "D:20240307090503-05'00'"},
                                           DateRow{"half-hour-east", 330,
                                                   "D:20240307090503+05'30'"}),
                         RowName());

}  // namespace
}  // namespace sundial::pdf

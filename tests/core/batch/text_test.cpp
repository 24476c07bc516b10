#include "core/batch/text.h"

#include <gtest/gtest.h>

#include <ostream>

namespace sundial {
namespace {

struct TextRow {
    const char* name;
    std::string text;
    bool printable;
    const char* shown;
};

// Test lists name the row, not its bytes.
void PrintTo(const TextRow& row, std::ostream* os) {
    *os << row.name;
}

class OutsideText : public testing::TestWithParam<TextRow> {};

TEST_P(OutsideText, IsCheckedAndShownSafely) {
    EXPECT_EQ(PrintableText(GetParam().text), GetParam().printable);
    EXPECT_EQ(ShownText(GetParam().text), GetParam().shown);
    // What is shown is always fit to show.
    EXPECT_TRUE(PrintableText(ShownText(GetParam().text)));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OutsideText,
    testing::Values(
        TextRow{"ascii", "Exeter", true, "Exeter"}, TextRow{"two_byte", "Zürich", true, "Zürich"},
        TextRow{"three_byte", "Москва €", true, "Москва €"},
        TextRow{"four_byte", "dial \xF0\x9F\x8C\x9E", true, "dial \xF0\x9F\x8C\x9E"},
        TextRow{"terminal_escape", "a\x1B[2Jb", false, "a?[2Jb"},
        TextRow{"line_break", "a\nb", false, "a?b"}, TextRow{"delete", "a\x7F", false, "a?"},
        TextRow{"c1_control", "a\xC2\x9B", false, "a?"},
        TextRow{"latin1_byte", "Z\xFCrich", false, "Z?rich"},
        TextRow{"cut_short", "ab\xE2\x82", false, "ab??"},
        TextRow{"overlong_slash", "\xC0\xAF", false, "??"},
        TextRow{"surrogate", "\xED\xA0\x80", false, "???"},
        TextRow{"past_unicode", "\xF4\x90\x80\x80", false, "????"}, TextRow{"empty", "", true, ""}),
    [](const testing::TestParamInfo<TextRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sundial

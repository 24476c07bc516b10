#include "core/io/clean_text.h"

#include <gtest/gtest.h>

namespace sundial::io {
namespace {

// Malformed bytes become U+FFFD one for one; controls and noncharacters go.
TEST(CleanText, GivesWellFormedTextWithoutControls) {
    const struct {
        const char* name;
        std::string in;
        std::string out;
    } rows[] = {
        {"clean", "Z\xC3\xBCrich \xE2\x80\x94 \xF0\x9F\x8C\x9E",
         "Z\xC3\xBCrich \xE2\x80\x94 \xF0\x9F\x8C\x9E"},
        {"latin-1 byte", "M\xE4rz", "M\xEF\xBF\xBDrz"},
        {"cut short", "ab\xE2\x82", "ab\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"overlong slash", "a\xC0\xAF", "a\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"surrogate", "\xED\xA0\x80x", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDx"},
        {"past U+10FFFF", "\xF4\x90\x80\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"controls", "a\tb\nc\x1B[2Jd\x7F\xC2\x85", "abc[2Jd"},
        {"noncharacters", "a\xEF\xBF\xBE\xEF\xBF\xBF\xEF\xB7\x90\xF4\x8F\xBF\xBFz", "az"},
        {"nul", std::string("a\0b", 3), "ab"},
    };
    for (const auto& row : rows) {
        const std::string& expected = row.out;
        const CleanedText clean = CleanText(row.in);
        EXPECT_EQ(clean.text, expected) << row.name;
        EXPECT_EQ(clean.changed, row.in != expected) << row.name;
        // Cleaning is idempotent: clean text passes untouched.
        EXPECT_FALSE(CleanText(clean.text).changed) << row.name;
    }
    EXPECT_EQ(CleanText("a\r\nb\tc", true).text, "a\r\nbc");
}

}  // namespace
}  // namespace sundial::io

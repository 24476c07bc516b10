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
        {"clean", "Z\xC3\xBCrich \xF0\x9F\x8C\x9E", "Z\xC3\xBCrich \xF0\x9F\x8C\x9E"},
        {"latin-1 byte", "M\xE4rz", "M\xEF\xBF\xBDrz"},
        {"surrogate", "\xED\xA0\x80x", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDx"},
        {"controls", std::string("a\tb\nc\x1B[2J\0d\x7F\xC2\x85", 14), "abc[2Jd"},
        {"noncharacters", "a\xEF\xBF\xBE\xEF\xBF\xBF\xEF\xB7\x90\xF4\x8F\xBF\xBFz", "az"},
    };
    for (const auto& row : rows) {
        const CleanedText clean = CleanText(row.in);
        EXPECT_EQ(clean.text, row.out) << row.name;
        EXPECT_EQ(clean.changed, row.in != row.out) << row.name;
        // Cleaning is idempotent: clean text passes untouched.
        EXPECT_FALSE(CleanText(clean.text).changed) << row.name;
    }
    EXPECT_EQ(CleanText("a\r\nb\tc", true).text, "a\r\nbc");
}

}  // namespace
}  // namespace sundial::io

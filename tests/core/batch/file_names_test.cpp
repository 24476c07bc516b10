#include "core/batch/file_names.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>

#include "core/places/places.h"

namespace sundial {
namespace {

struct StemRow {
    const char* name;
    std::string site;
    const char* stem;
};

// Test lists name the row, not its bytes.
void PrintTo(const StemRow& row, std::ostream* os) {
    *os << row.name;
}

class SafeStem : public testing::TestWithParam<StemRow> {};

TEST_P(SafeStem, KeepsWordsAndReplacesTheRest) {
    EXPECT_EQ(SafeFileStem(GetParam().site), GetParam().stem);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SafeStem,
    testing::Values(StemRow{"place", "London, Britain", "London_Britain"},
                    StemRow{"path_separators", "../../etc/passwd", "etc_passwd"},
                    StemRow{"backslash_and_colon", "C:\\x", "C_x"},
                    StemRow{"leading_dash", "--force", "force"},
                    StemRow{"leading_dot", ".hidden", "hidden"},
                    StemRow{"inner_dash_kept", "Saint-Malo", "Saint-Malo"},
                    StemRow{"accents_kept", "Zürich, Schweiz", "Zürich_Schweiz"},
                    StemRow{"other_script", "Москва", "Москва"},
                    StemRow{"control_characters", std::string("a\tb\nc\x01", 6), "a_b_c"},
                    StemRow{"malformed_utf8", "a\xC3(b\xFF", "a_b"},
                    StemRow{"no_break_space",
                            "a\xC2\xA0"
                            "b",
                            "a_b"},
                    StemRow{"right_to_left_override", "invoice\u202Efdp.exe", "invoice_fdp_exe"},
                    StemRow{"zero_width_space", "a\u200Bb", "a_b"},
                    StemRow{"nothing_usable", " ,./ ", "site"}, StemRow{"empty", "", "site"}),
    [](const testing::TestParamInfo<StemRow>& info) { return std::string(info.param.name); });

TEST(SafeFileStem, LongNamesStopAtAWholeCharacter) {
    const std::string stem = SafeFileStem(std::string(79, 'a') + "ü and more");
    EXPECT_EQ(stem, std::string(79, 'a'));  // "ü" would need two bytes more
    EXPECT_LE(SafeFileStem(std::string(500, 'x')).size(), kMaxStemBytes);
}

TEST(UniqueStems, RepeatsAndCaseTwinsGetNumbers) {
    UniqueStems stems;
    EXPECT_EQ(stems.Claim("London"), "London");
    EXPECT_EQ(stems.Claim("london"), "london-2");
    EXPECT_EQ(stems.Claim("London-2"), "London-2-2");  // the name a repeat took
    EXPECT_EQ(stems.Claim("London!"), "London-3");
    EXPECT_EQ(stems.Claim("Paris"), "Paris");
}

// Every place of the gazetteer gets its own file, from its own name.
TEST(UniqueStems, EveryGazetteerPlaceHasItsOwnName) {
    UniqueStems stems;
    std::set<std::string> seen;
    for (const Place& place : Places()) {
        const std::string stem = stems.Claim(place.placeName);
        EXPECT_EQ(stem, SafeFileStem(place.placeName)) << place.placeName;
        EXPECT_EQ(stem.find_first_of("/\\ ,."), std::string::npos) << stem;
        EXPECT_TRUE(seen.insert(stem).second) << stem;
    }
    EXPECT_EQ(seen.size(), Places().size());
}

}  // namespace
}  // namespace sundial

#include "core/batch/site_rows.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <fstream>
#include <ostream>
#include <streambuf>
#include <utility>

namespace sundial {
namespace {

constexpr const char* kHeader = "name,latitude,longitude,bearing,utc\n";

struct RowCase {
    const char* name;
    const char* row;    // one line after the header
    const char* error;  // fragment of the row's error, "" when it is good
};

// Test lists name the row, not its bytes.
void PrintTo(const RowCase& row, std::ostream* os) {
    *os << row.name;
}

class OneRow : public testing::TestWithParam<RowCase> {};

TEST_P(OneRow, IsReadOrRefusedWithItsReason) {
    const SitesFile file = ReadSitesCsv(std::string(kHeader) + GetParam().row + "\n");
    ASSERT_EQ(file.error, "");
    ASSERT_EQ(file.rows.size(), 1u);
    const SiteRow& row = file.rows[0];
    EXPECT_EQ(row.line, 2);
    if (*GetParam().error == '\0') {
        EXPECT_EQ(row.error, "");
    } else {
        EXPECT_NE(row.error.find(GetParam().error), std::string::npos) << row.error;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OneRow,
    testing::Values(
        RowCase{"good", "Church,51.5,0.12,200,0", ""},
        RowCase{"limits", "Edge,70,-180,250,-12", ""},
        RowCase{"lower_limits", "Edge,15,180,110,12", ""},
        RowCase{"spaces_around", " Church , 51.5 , 0.12 , 200 , 0 ", ""},
        RowCase{"plus_sign", "Church,+51.5,+0.12,200,+1", ""},
        RowCase{"quoted_name", "\"St Mary, Exeter\",50.7,3.5,185.2,0", ""},
        RowCase{"missing_name", ",51.5,0.12,200,0", "name is missing"},
        RowCase{"missing_value", "Church,51.5,,200,0", "longitude is missing"},
        RowCase{"too_few_fields", "Church,51.5,0.12,200", "4 fields"},
        RowCase{"too_many_fields", "Church,51.5,0.12,200,0,x", "6 fields"},
        RowCase{"comma_decimal", "Church,\"51,5\",0.12,200,0", "latitude \"51,5\" is not a number"},
        RowCase{"word", "Church,north,0.12,200,0", "not a number"},
        RowCase{"infinite", "Church,inf,0.12,200,0", "not a number"},
        RowCase{"exponent", "Church,5e1,0.12,200,0", "not a number"},
        RowCase{"latitude_high", "Church,70.01,0.12,200,0", "latitude 70.01 is outside"},
        RowCase{"latitude_low", "Church,14.9,0.12,200,0", "latitude 14.9 is outside"},
        RowCase{"longitude_far_east", "Church,50,-180.5,200,0", "longitude -180.5 is outside"},
        RowCase{"bearing_low", "Church,50,0,109.9,0", "bearing 109.9 is outside"},
        RowCase{"fractional_zone", "Church,50,0,200,5.5", "zone 5.5 is unknown"},
        RowCase{"zone_too_far", "Church,50,0,200,13", "zone 13 is unknown"},
        RowCase{"line_break_in_name", "\"two\nlines\",50,0,200,0", "not printable"},
        RowCase{"malformed_utf8_name", "Z\xFCrich,47.4,-8.5,200,1", "not printable"},
        RowCase{"stray_quote", "Ch\"urch,50,0,200,0", "quote inside"}),
    [](const testing::TestParamInfo<RowCase>& info) { return std::string(info.param.name); });

// The tz column: the zone's standard time in the year read for is the row's
// zone, standing in for an empty utc or agreeing with it.
TEST(SitesFile, NamedZonesGiveTheirStandardTime) {
    const struct {
        const char* row;    // name,latitude,longitude,bearing,utc,tz,dial
        const char* error;  // fragment; "" when good
        float utc;
    } rows[] = {
        {"London,51.5,0.12,200,,Europe/London,", "", 0},
        {"Sydney,-33.9,-151.2,20,10,Australia/Sydney,vertical", "", 10},
        {"London,51.5,0.12,200,1,Europe/London,", "utc 1 and the tz disagree: Europe/London", 0},
    };
    for (const auto& r : rows) {
        const SitesFile file = ReadSitesCsv(
            std::string("name,latitude,longitude,bearing,utc,tz,dial\n") + r.row + "\n", 2026);
        ASSERT_EQ(file.rows.size(), 1u) << r.row << ": " << file.error;
        const SiteRow& row = file.rows[0];
        EXPECT_NE(row.error.find(r.error), std::string::npos) << r.row << ": " << row.error;
        if (*r.error != '\0') continue;
        EXPECT_EQ(row.error, "");
        EXPECT_EQ(row.site.UtcOffset, r.utc) << r.row;
        EXPECT_EQ(row.zone ? row.zone->year : 0, 2026) << r.row;
    }
}

TEST(SitesFile, RowsBecomeTheSitesTheDialogsWouldMake) {
    const SitesFile file = ReadSitesCsv(
        "utc,name,bearing,longitude,latitude\r\n"  // any column order
        "1,Zürich,174.8,-8.55,47.37\r\n"
        "-5,\"Boston, MA\",180,71.06,42.36\r\n");
    ASSERT_EQ(file.error, "");
    ASSERT_EQ(file.rows.size(), 2u);
    const SiteState& east = file.rows[0].site;
    EXPECT_EQ(east.PlaceName, "Zürich");
    EXPECT_EQ(east.Latitude, 47.37f);
    EXPECT_EQ(east.Longitude, -8.55f);  // east of Greenwich is negative
    EXPECT_EQ(east.WallBearing, "174.8");
    EXPECT_EQ(east.DeclinationSide, "East");
    EXPECT_EQ(east.UtcOffset, 1.0f);
    const SiteState& west = file.rows[1].site;
    EXPECT_EQ(west.PlaceName, "Boston, MA");
    EXPECT_EQ(west.Longitude, 71.06f);
    EXPECT_EQ(west.DeclinationSide, "South");
    EXPECT_EQ(west.UtcOffset, -5.0f);
}

TEST(SitesFile, LinesCountBlankLinesAndQuotedBreaks) {
    const SitesFile file = ReadSitesCsv(std::string(kHeader) +
                                        "A,50,0,200,0\n"
                                        "\n"
                                        "\"B\nis bad\",50,0,200,0\n"
                                        "C,99,0,200,0\n"
                                        "D,50,0,200,0\n");
    ASSERT_EQ(file.rows.size(), 4u);
    EXPECT_EQ(file.rows[0].line, 2);
    EXPECT_EQ(file.rows[1].line, 4);
    EXPECT_EQ(file.rows[2].line, 6);
    EXPECT_NE(file.rows[2].error, "");
    EXPECT_EQ(file.rows[3].line, 7);
    EXPECT_EQ(file.rows[3].error, "");
}

TEST(SitesFile, AHeaderThatCannotBeUsedReadsNoRow) {
    struct Row {
        const char* name;
        const char* text;
        const char* error;
    } rows[] = {
        {"empty file", "", "empty"},
        {"no header", "Church,51.5,0.12,200,0\n", "unknown"},
        {"misspelt column", "name,lattitude,longitude,bearing,utc\n", "\"lattitude\" is unknown"},
        {"column twice", "name,name,latitude,longitude,bearing,utc\n", "given twice"},
        {"column missing", "name,latitude,longitude,bearing\n", "\"utc\" is missing"},
    };
    for (const Row& row : rows) {
        const SitesFile file = ReadSitesCsv(row.text);
        EXPECT_TRUE(file.rows.empty()) << row.name;
        EXPECT_NE(file.error.find(row.error), std::string::npos) << row.name << ": " << file.error;
    }
    // Case and spaces in the header do not matter.
    EXPECT_EQ(ReadSitesCsv(" Name , LATITUDE,longitude,Bearing,UTC\n").error, "");
}

TEST(PlaceRow, IsWhatPickingThePlaceSets) {
    const Place& london = *FindPlaces("London, Britain").front();
    const SiteRow row = PlaceRow(london, "200");
    EXPECT_EQ(row.error, "");
    EXPECT_EQ(row.name, "London, Britain");
    EXPECT_EQ(row.site.PlaceName, "London, Britain");
    EXPECT_EQ(row.site.Latitude, london.latitude);
    EXPECT_EQ(row.site.Longitude, london.longitude);
    EXPECT_EQ(row.site.UtcOffset, 0.0f);
    EXPECT_EQ(row.site.WallBearing, "200");
    EXPECT_EQ(row.site.DeclinationSide, "West");
}

TEST(WildcardMatch, WholeTextIgnoringCase) {
    struct Row {
        const char* pattern;
        const char* text;
        bool match;
    } rows[] = {
        {"London", "london", true},
        {"Lon", "London", false},
        {"Lon*", "London", true},
        {"*don", "London", true},
        {"L?ndon", "London", true},
        {"L?ndon", "Lndon", false},
        {"*", "", true},
        {"", "", true},
        {"", "x", false},
        {"*a*b*", "xaybz", true},
        {"*a*b", "xaybz", false},
        {"**", "anything", true},
        {"*, Britain", "London, Britain", true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(WildcardMatch(row.pattern, row.text), row.match)
            << row.pattern << " ~ " << row.text;
    }
    // A long run of stars against a near miss stays quick.
    EXPECT_FALSE(WildcardMatch(std::string(60, '*') + "b", std::string(5000, 'a')));
}

TEST(PlacesMatching, CaptionsAndPlaceNames) {
    EXPECT_EQ(PlacesMatching("*").size(), Places().size());
    EXPECT_EQ(PlacesMatching("Atlantis").size(), 0u);
    const auto britain = PlacesMatching("*, Britain");
    ASSERT_FALSE(britain.empty());
    for (const Place* p : britain) EXPECT_STREQ(p->subMenu, "Britain") << p->placeName;
    const auto london = PlacesMatching("LONDON");
    ASSERT_FALSE(london.empty());
    EXPECT_STREQ(london.front()->placeName, "London, Britain");
}

// `head`, then `body` over and over up to `size` bytes, made as it is read:
// a huge file that costs the test no memory of its own.
class MadeText : public std::streambuf {
  public:
    MadeText(const std::string& head, const std::string& body, std::size_t size)
        : next_(head), left_(size) {
        while (block_.size() < 65536) block_ += body;
    }

  protected:
    int_type underflow() override {
        if (left_ == 0) return traits_type::eof();
        shown_ = std::exchange(next_, block_).substr(0, left_);
        left_ -= shown_.size();
        setg(shown_.data(), shown_.data(), shown_.data() + shown_.size());
        return traits_type::to_int_type(shown_[0]);
    }

  private:
    std::string next_, block_, shown_;
    std::size_t left_;
};

// Whatever the file, reading it costs a few megabytes: a file past the bounds
// is refused rather than held, and a stray quote spoils only its own row.
TEST(SitesFile, HugeOrEndlessFilesAreReadInBoundedMemory) {
    constexpr std::size_t k200MB = std::size_t{200} << 20;
    constexpr long kMemoryTolKB = 64 * 1024;  // kMaxSites short rows, and slack
    const std::string stray = std::string(kHeader) + "\"stray,50,0,200,0\n";
    const struct {
        const char* name;
        std::string head, body;
        std::size_t size;
        const char* error;  // fragment of the file's error
        std::size_t goodRows;
    } cases[] = {
        {"commas", kHeader, ",", k200MB, "", 0},
        {"many rows", kHeader, "A,50,0,200,0\n", k200MB, "at most 100000 rows", 0},
        {"stray quote", stray, "B,50,0,200,0\n", stray.size() + 50000 * 13, "", 50000},
        {"/dev/zero", "", "", 0, "line 1: the line is longer than 4096 bytes", 0},
    };
    for (const auto& c : cases) {
        rusage before{}, after{};
        ::getrusage(RUSAGE_SELF, &before);
        MadeText made(c.head, c.body.empty() ? " " : c.body, c.size);
        std::istream generated(&made);
        std::ifstream zeros(c.name, std::ios::binary);
        const SitesFile file = ReadSitesCsv(c.size > 0 ? generated : zeros);
        ::getrusage(RUSAGE_SELF, &after);
        EXPECT_LT(after.ru_maxrss - before.ru_maxrss, kMemoryTolKB) << c.name;
        EXPECT_NE(file.error.find(c.error), std::string::npos) << c.name << ": " << file.error;
        const auto good = std::count_if(file.rows.begin(), file.rows.end(),
                                        [](const SiteRow& row) { return row.error.empty(); });
        EXPECT_EQ(static_cast<std::size_t>(good), c.goodRows) << c.name;
    }
}

}  // namespace
}  // namespace sundial

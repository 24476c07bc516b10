#include "core/places/places.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "tests/support/row_name.h"

namespace sundial {
namespace {

using sundial::testing::PrintTo;
using sundial::testing::RowName;

const Place& Only(const char* text) {
    const auto found = FindPlaces(text);
    EXPECT_EQ(found.size(), 1u) << text;
    return *found.front();
}

struct Sub {
    std::string caption;
    size_t count;
    int zone;
    bool operator==(const Sub&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Sub& sub) {
    return os << sub.caption << " x" << sub.count << " UTC" << sub.zone;
}

TEST(Gazetteer, HoldsTheRegionsAndSubMenusInMenuOrder) {
    EXPECT_EQ(Places().size(), 270u);
    EXPECT_EQ(PlacesIn(Region::WestEurope).size(), 184u);
    EXPECT_EQ(PlacesIn(Region::EastEurope).size(), 8u);
    EXPECT_EQ(PlacesIn(Region::NorthAmerica).size(), 78u);

    // Each sub-menu as one run of rows sharing its zone, in menu order.
    std::vector<Sub> subs;
    for (const Place& p : Places()) {
        if (subs.empty() || subs.back().caption != p.subMenu)
            subs.push_back({p.subMenu, 0, p.utcOffset});
        ++subs.back().count;
        EXPECT_EQ(p.utcOffset, subs.back().zone) << p.caption;
    }
    const std::vector<Sub> expected = {
        {"Austria/Switz", 13, 1}, {"Benelux", 8, 1},          {"Britain", 24, 0},
        {"Denmark", 4, 1},        {"France", 35, 1},          {"Germany", 19, 1},
        {"Ireland", 13, 0},       {"Italy", 31, 1},           {"Portugal", 7, 0},
        {"Spain", 30, 0},         {"Hungary", 8, 1},          {"West USA", 25, -7},
        {"South USA", 22, -6},    {"South East USA", 20, -5}, {"North East USA", 11, -5},
    };
    EXPECT_EQ(subs, expected);
}

TEST(Gazetteer, EveryRowIsNorthernWithinTheDialogsRangesAndNamedConsistently) {
    std::map<Region, std::set<std::string>> itemsPerWindow;
    for (const Place& p : Places()) {
        EXPECT_GE(p.latitude, 25.9f) << p.caption;
        EXPECT_LE(p.latitude, 59.0f) << p.caption;
        EXPECT_LE(std::abs(p.longitude), 180.0f) << p.caption;
        EXPECT_EQ(std::string(p.itemName).rfind("mnu", 0), 0u) << p.caption;
        // Control names are unique within a window (menus dispatch on them).
        EXPECT_TRUE(itemsPerWindow[p.region].insert(p.itemName).second) << p.itemName;
    }
}

// Rows that an earlier list gave another town's values or was a degree off.
struct CorrectedRow {
    const char* name;
    float lat, lon;
};

class CorrectedRowTest : public ::testing::TestWithParam<CorrectedRow> {};

TEST_P(CorrectedRowTest, HoldsTheTownsTruePosition) {
    const Place& p = Only(GetParam().name);
    // The table's literals and the row's are the same single: exact.
    EXPECT_EQ(p.latitude, GetParam().lat);
    EXPECT_EQ(p.longitude, GetParam().lon);
}

INSTANTIATE_TEST_SUITE_P(Rows, CorrectedRowTest,
                         ::testing::Values(CorrectedRow{"Bern, Switzerland", 46.95f, -7.5f},
                                           CorrectedRow{"Coleraine, Ireland", 55.1f, 6.7f},
                                           CorrectedRow{"Daytona Beach, USA", 29.2f, 81.0f},
                                           CorrectedRow{"Orlando, USA", 28.5f, 81.4f},
                                           CorrectedRow{"Bordeaux, France", 44.8f, 0.6f},
                                           CorrectedRow{"Bruxelles, Benelux", 50.8f, -4.4f},
                                           CorrectedRow{"Eindhoven, Benelux", 51.4f, -5.5f}),
                         RowName());

// A first start's place: the gazetteer's own Exeter row, not a copy of it.
TEST(Gazetteer, DefaultPlaceIsExeterInWestEurope) {
    const Place& place = DefaultPlace();
    EXPECT_EQ(&place, &Only("Exeter, Britain"));
    EXPECT_EQ(place.region, Region::WestEurope);
    EXPECT_STREQ(place.itemName, "mnuExeter");
    EXPECT_EQ(place.latitude, 50.7f);
    EXPECT_EQ(place.longitude, 3.5f);
    EXPECT_EQ(place.utcOffset, 0);
}

TEST(Gazetteer, KnownRowsAndTheSystemsOwnSpellings) {
    const Place& london = Only("London");
    EXPECT_STREQ(london.placeName, "London, Britain");
    EXPECT_EQ(london.latitude, 51.5f);
    EXPECT_EQ(london.longitude, 0.1f);
    EXPECT_EQ(london.utcOffset, 0);

    const Place& budapest = Only("Budapest");
    EXPECT_EQ(budapest.longitude, -19.1f);
    EXPECT_EQ(budapest.utcOffset, 1);

    EXPECT_STREQ(Only("Liege").placeName, "Leige, Benelux");
    EXPECT_STREQ(Only("New York").placeName, "NewYork, USA");
    EXPECT_STREQ(Only("Petenza").itemName, "mnuPotenza");
    EXPECT_STREQ(Only("Szelnok").placeName, "Szelnok, Hungary");
    EXPECT_STREQ(Only("Exeter").itemName, "mnuExeter");
}

TEST(Gazetteer, AmbiguousCaptionsResolveWithTheirCountry) {
    EXPECT_EQ(FindPlaces("Aberdeen").size(), 2u);
    EXPECT_EQ(Only("Aberdeen, USA").utcOffset, -7);
    EXPECT_EQ(Only("aberdeen, britain").utcOffset, 0);
    EXPECT_TRUE(FindPlaces("Atlantis").empty());
}

TEST(Gazetteer, ApplyPlaceSetsNameAndCoordinatesOnly) {
    SiteState site;
    site.UtcOffset = 7;
    ApplyPlace(site, Only("Budapest"));
    EXPECT_EQ(site.PlaceName, "Budapest, Hungary");
    EXPECT_EQ(site.Latitude, Only("Budapest").latitude);
    EXPECT_EQ(site.UtcOffset, 7.0f);  // the zone goes through Timeset
}

}  // namespace
}  // namespace sundial

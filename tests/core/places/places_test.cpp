#include "core/places/places.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace sundial {
namespace {

const Place& Only(const char* text) {
    const auto found = FindPlaces(text);
    EXPECT_EQ(found.size(), 1u) << text;
    return *found.front();
}

TEST(Gazetteer, HoldsTheRegionsAndSubMenusInMenuOrder) {
    EXPECT_EQ(Places().size(), 270u);
    EXPECT_EQ(PlacesIn(Region::WestEurope).size(), 184u);
    EXPECT_EQ(PlacesIn(Region::EastEurope).size(), 8u);
    EXPECT_EQ(PlacesIn(Region::NorthAmerica).size(), 78u);

    struct Sub {
        const char* caption;
        size_t count;
        int zone;
    };
    const Sub expected[] = {
        {"Austria/Switz", 13, 1}, {"Benelux", 8, 1},          {"Britain", 24, 0},
        {"Denmark", 4, 1},        {"France", 35, 1},          {"Germany", 19, 1},
        {"Ireland", 13, 0},       {"Italy", 31, 1},           {"Portugal", 7, 0},
        {"Spain", 30, 0},         {"Hungary", 8, 1},          {"West USA", 25, -7},
        {"South USA", 22, -6},    {"South East USA", 20, -5}, {"North East USA", 11, -5},
    };
    size_t i = 0;
    for (const Sub& sub : expected) {
        for (size_t k = 0; k < sub.count; ++k, ++i) {
            ASSERT_LT(i, Places().size());
            EXPECT_STREQ(Places()[i].subMenu, sub.caption) << Places()[i].caption;
            EXPECT_EQ(Places()[i].utcOffset, sub.zone) << Places()[i].caption;
        }
    }
    EXPECT_EQ(i, Places().size());
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
TEST(Gazetteer, CorrectedRowsHoldTheTownsTruePositions) {
    struct Row {
        const char* name;
        float lat, lon;
    } rows[] = {
        {"Bern, Switzerland", 46.95f, -7.5f}, {"Coleraine, Ireland", 55.1f, 6.7f},
        {"Daytona Beach, USA", 29.2f, 81.0f}, {"Orlando, USA", 28.5f, 81.4f},
        {"Bordeaux, France", 44.8f, 0.6f},    {"Bruxelles, Benelux", 50.8f, -4.4f},
        {"Eindhoven, Benelux", 51.4f, -5.5f},
    };
    for (const Row& row : rows) {
        const Place& p = Only(row.name);
        EXPECT_EQ(p.latitude, row.lat) << row.name;
        EXPECT_EQ(p.longitude, row.lon) << row.name;
    }
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

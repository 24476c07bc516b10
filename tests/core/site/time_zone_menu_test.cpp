#include "core/site/time_zone_menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sundial {
namespace {

std::vector<std::string> VisibleCaptions(const TimeZoneMenu& menu) {
    std::vector<std::string> shown;
    for (const ZoneItem& item : kZoneItems) {
        if (menu.Visible(item.offset)) shown.push_back(item.caption);
    }
    return shown;
}

TEST(TimeZoneMenu, StartsWithEverythingVisibleAndBstChecked) {
    const TimeZoneMenu menu;
    EXPECT_EQ(VisibleCaptions(menu).size(), 25u);
    EXPECT_TRUE(menu.PlaceholderVisible());
    for (const ZoneItem& item : kZoneItems) EXPECT_EQ(menu.Checked(item.offset), item.offset == 1);
}

TEST(TimeZoneMenu, TimesetNarrowsToTheZoneAndItsWrappedNeighbours) {
    struct Row {
        double value;
        std::vector<std::string> shown;  // menu order
    } rows[] = {
        {0, {"UTC-1", "UTC (GMT)", "UTC+1 (BST)"}}, {-12, {"UTC-12", "UTC-11", "UTC+12"}},
        {12, {"UTC-12", "UTC+11", "UTC+12"}},       {1.0f, {"UTC (GMT)", "UTC+1 (BST)", "UTC+2"}},
        {-5, {"UTC-6", "UTC-5", "UTC-4"}},
    };
    for (const Row& row : rows) {
        TimeZoneMenu menu;
        ASSERT_EQ(menu.Timeset(row.value), static_cast<int>(row.value));
        EXPECT_EQ(VisibleCaptions(menu), row.shown) << row.value;
        EXPECT_FALSE(menu.PlaceholderVisible());
        for (const ZoneItem& item : kZoneItems) {
            EXPECT_EQ(menu.Checked(item.offset), item.offset == row.value) << item.caption;
        }
    }
}

TEST(TimeZoneMenu, ValuesThatAreNoWholeZoneChangeNothing) {
    for (double value : {5.5, 13.0, -13.0, 0.5}) {
        TimeZoneMenu menu;
        menu.Timeset(0);
        EXPECT_FALSE(menu.Timeset(value)) << value;
        EXPECT_EQ(VisibleCaptions(menu),
                  (std::vector<std::string>{"UTC-1", "UTC (GMT)", "UTC+1 (BST)"}));
        EXPECT_TRUE(menu.Checked(0));
    }
}

TEST(TimeZoneMenu, ChoosingANeighbourMovesTheCheckButKeepsTheThreeZones) {
    TimeZoneMenu menu;
    menu.Timeset(0);
    menu.Choose(1);
    EXPECT_EQ(VisibleCaptions(menu),
              (std::vector<std::string>{"UTC-1", "UTC (GMT)", "UTC+1 (BST)"}));
    EXPECT_TRUE(menu.Checked(1));
    EXPECT_FALSE(menu.Checked(0));
}

}  // namespace
}  // namespace sundial

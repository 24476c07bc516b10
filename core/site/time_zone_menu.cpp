#include "core/site/time_zone_menu.h"

#include <cmath>

namespace sundial {

const std::array<ZoneItem, kZoneCount> kZoneItems = {{
    {"mnuUTn12", "UTC-12", -12}, {"mnuUTn11", "UTC-11", -11},  {"mnuUTn10", "UTC-10", -10},
    {"mnuUTn9", "UTC-9", -9},    {"mnuUTn8", "UTC-8", -8},     {"mnuUTn7", "UTC-7", -7},
    {"mnuUTn6", "UTC-6", -6},    {"mnuUTn5", "UTC-5", -5},     {"mnuUTn4", "UTC-4", -4},
    {"mnuUTn3", "UTC-3", -3},    {"mnuUTn2", "UTC-2", -2},     {"mnuUTn1", "UTC-1", -1},
    {"mnuUT0", "UTC (GMT)", 0},  {"mnuUT1", "UTC+1 (BST)", 1}, {"mnuUT2", "UTC+2", 2},
    {"mnuUT3", "UTC+3", 3},      {"mnuUT4", "UTC+4", 4},       {"mnuUT5", "UTC+5", 5},
    {"mnuUT6", "UTC+6", 6},      {"mnuUT7", "UTC+7", 7},       {"mnuUT8", "UTC+8", 8},
    {"mnuUT9", "UTC+9", 9},      {"mnuUT10", "UTC+10", 10},    {"mnuUT11", "UTC+11", 11},
    {"mnuUT12", "UTC+12", 12},
}};

std::optional<int> MatchZone(double value) {
    for (int n = -12; n <= 12; ++n) {
        if (value == n) return n;
    }
    return std::nullopt;
}

TimeZoneMenu::TimeZoneMenu() {
    visible_.fill(true);
    checked_[Index(1)] = true;
}

void TimeZoneMenu::Choose(int offset) {
    checked_.fill(false);
    checked_[Index(offset)] = true;
}

std::optional<int> TimeZoneMenu::Timeset(double value) {
    const std::optional<int> zone = MatchZone(value);
    if (!zone) return std::nullopt;
    placeholderVisible_ = true;
    visible_.fill(false);
    const int before = *zone == -12 ? 12 : *zone - 1;
    const int after = *zone == 12 ? -12 : *zone + 1;
    visible_[Index(before)] = true;
    visible_[Index(*zone)] = true;
    visible_[Index(after)] = true;
    placeholderVisible_ = false;
    Choose(*zone);
    return zone;
}

}  // namespace sundial

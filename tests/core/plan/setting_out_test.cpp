// The setting-out page: its noon times held against the sun's own hour angle,
// and its words for each kind of dial.
#include "core/plan/setting_out.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "core/plan/sun_samples.h"
#include "core/plan/text_metrics.h"
#include "core/sun/solar_position.h"
#include "tests/core/plan/test_plans.h"

namespace sundial::plan {
namespace {

// The times come from the equation of time read twice; the sun's hour angle
// at them, from its full position, is within a few seconds of time of zero.
constexpr double kHourAngleTolDeg = 0.02;  // 4.8 s of time

TEST(SettingOut, TrueNoonIsWhenTheSunCrossesTheMeridian) {
    const struct {
        const char* name;
        double lat, lonWest, zone;
    } rows[] = {{"London", 51.5, 0.12, 0},    {"Sydney", -33.87, -151.2, 10},
                {"NewYork", 40.7, 74.0, -5},  {"Kathmandu", 27.7, -85.3, 5.75},
                {"Reykjavik", 64.1, 21.9, 0}, {"Honolulu", 21.3, 157.9, -10}};
    for (const auto& r : rows) {
        const std::vector<NoonTime> times = TrueNoonTimes(r.lonWest, r.zone, kSampleYear);
        ASSERT_EQ(times.size(), 24u) << r.name;
        for (const NoonTime& t : times) {
            const ClockTime clock =
                ShiftClock({kSampleYear, t.month, t.day, 0, 0, 0}, t.clockHours);
            EXPECT_EQ(clock.day, t.day) << r.name << " noon falls on its own date";
            const SolarResult sun = SunAt(r.lat, r.lonWest, clock, r.zone);
            ASSERT_TRUE(sun.position) << sun.error;
            EXPECT_NEAR(sun.position->hourAngleDeg, 0, kHourAngleTolDeg)
                << r.name << " " << t.month << "-" << t.day;
        }
    }
    EXPECT_TRUE(TrueNoonTimes(0, 0, kLastSunYear + 5).empty());
}

struct KindRow {
    const char* name;
    std::function<engine::Plane(const engine::Site&)> plane;
    std::vector<const char*> says;
};

TEST(SettingOut, EachKindOfDialIsSetOutByItsOwnWords) {
    const SiteState site = testing::SiteOf({"London", 51.5f, 0.12f, "200", 0});
    const KindRow rows[] = {
        {"wall",
         [](auto&) { return engine::VerticalPlane(200); },
         {"looks 200.00\u00b0", "bearing --lat 51.5 --lon 0.12 --west --utc 0 --plan 200", "plumb",
          "meets the face at"}},
        {"horizontal",
         [](auto&) { return engine::HorizontalPlane(); },
         {"true north and south", "Level the plate both ways", "N", "meets the face at"}},
        {"reclined",
         [](auto&) {
             return engine::Plane{180, 30};
         },
         {"tilted back 30.00\u00b0", "stands 30.00\u00b0 from the plumb line", "looking up"}},
        {"polar", [](auto& s) { return engine::PolarPlane(s); }, {"runs parallel to the face"}},
        {"equatorial",
         [](auto& s) { return engine::EquatorialPlane(s); },
         {"set square", "summer face above", "51.50\u00b0 above the north horizon"}},
    };
    for (const KindRow& row : rows) {
        SCOPED_TRACE(row.name);
        PlanOptions o;
        o.plane = row.plane(EngineSite(site));
        const Plan p = testing::Built(site, o);
        std::string words;
        int times = 0;
        for (const Element& e : p.settingOut.elements) {
            for (const Point& q : e.points) {
                EXPECT_TRUE((Rect{0, 0, kSettingOutWidthMm, p.settingOut.heightMm}.Contains(q)));
            }
            if (e.shape != Shape::Text) continue;
            words += e.text + " ";  // wrapped lines read on as one text
            // Every text stays on the page's width.
            EXPECT_LE(TextBox(e).right, kSettingOutWidthMm + 1e-9) << e.text;
            times += e.text.size() == 5 && e.text[2] == ':';
        }
        EXPECT_EQ(times, 24) << "the 1st and 15th of every month";
        for (const char* say : row.says) EXPECT_NE(words.find(say), std::string::npos) << say;
        if (o.plane->reclineDeg != 0) {
            EXPECT_EQ(words.find("wall"), std::string::npos) << words;
        }
    }
}

}  // namespace
}  // namespace sundial::plan

// An equatorial plate's two faces on one sheet: each headed with its season,
// and the lower one the upper one seen from below.
#include "core/plan/winter_face.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "tests/core/plan/test_plans.h"

namespace sundial::plan {
namespace {

constexpr double kDirTol = 1e-9;  // unit directions of lines from one engine

TEST(WinterFace, TheLowerFaceIsTheUpperSeenFromBelow) {
    const struct {
        const char* name;
        float lat, lonWest, zone;
        const char* upperSeason;
    } rows[] = {{"London", 51.5f, 0.12f, 0, "March to the September"},
                {"Sydney", -33.87f, -151.2f, 10, "September to the March"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const SiteState site = testing::SiteOf({r.name, r.lat, r.lonWest, "180", r.zone});
        PlanOptions o;
        o.plane = engine::EquatorialPlane(EngineSite(site));
        o.nodusMm = 80;
        const Plan p = testing::Built(site, o);
        double lowerTop = 0;
        int headings = 0;
        for (const Element& e : p.dial.elements) {
            // Each face's caption lies just under its plate.
            if (e.text.rfind("SUMMER FACE", 0) == 0) {
                ++headings;
                EXPECT_NE(e.text.find(r.upperSeason), std::string::npos) << e.text;
                lowerTop = e.points[0].y;
            }
            if (e.text.rfind("WINTER FACE", 0) == 0) {
                ++headings;
                EXPECT_GT(e.points[0].y, p.plateHeightMm * 2) << "under the lower plate";
            }
        }
        ASSERT_EQ(headings, 2);
        // The rod's shadow points the same way in space at a given hour on
        // both faces; seen from the other side, left and right swap.
        std::map<double, Point> upper, lower;
        for (const Element& e : p.dial.elements) {
            if (e.role != Role::HourLines || !e.hour) continue;
            const Point a = e.points[0], b = e.points[1];
            const double len = std::hypot(b.x - a.x, b.y - a.y);
            (a.y > lowerTop ? lower : upper)[*e.hour] = {(b.x - a.x) / len, (b.y - a.y) / len};
        }
        ASSERT_FALSE(lower.empty());
        int matched = 0;
        for (const auto& [hour, d] : lower) {
            const auto it = upper.find(hour);
            if (it == upper.end()) continue;
            ++matched;
            EXPECT_NEAR(d.x, -it->second.x, kDirTol) << hour;
            EXPECT_NEAR(d.y, it->second.y, kDirTol) << hour;
        }
        EXPECT_GE(matched, 6) << "the equinox's hours are lit on both faces";
    }
    // Any other plane keeps one face.
    const SiteState london = testing::SiteOf({"London", 51.5f, 0.12f, "180", 0});
    for (const Element& e : testing::Built(london, {}).dial.elements) {
        EXPECT_EQ(e.text.find("WINTER FACE"), std::string::npos);
    }
}

}  // namespace
}  // namespace sundial::plan

// A dial keeping a named zone, against the zones' published rules: the lines
// stay where the standard time puts them, the summer ring reads the zone's own
// summer time (or is left out, saying why), and the title names the zone.
#include "core/plan/summer_ring.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/core/plan/test_plans.h"

namespace sundial::plan {
namespace {

struct Row {
    const char* zone;
    int year;
    float standard;              // the site's zone: the zone's standard time
    std::optional<int> hoursOn;  // the summer ring's step; nothing for none
    const char* title;           // the zone as the title names it
    const char* note;            // part of the note when the ring is left out
};

const Row kRows[] = {
    {"Europe/London", 2026, 0, 1, "Europe/London, UTC+0, summer UTC+1", nullptr},
    // Summer straddles the year's end in the south.
    {"Australia/Sydney", 2026, 10, 1, "Australia/Sydney, UTC+10, summer UTC+11", nullptr},
    // Its rules call summer the standard time and winter a negative saving.
    {"Europe/Dublin", 2026, 0, 1, "Europe/Dublin, UTC+0, summer UTC+1", nullptr},
    {"Antarctica/Troll", 2026, 0, 2, "Antarctica/Troll, UTC+0, summer UTC+2", nullptr},
    {"Asia/Tokyo", 2026, 9, std::nullopt, "Asia/Tokyo, UTC+9", "keeps no summer time in 2026"},
    {"Australia/Lord_Howe", 2026, 10.5f, std::nullopt,
     "Australia/Lord_Howe, UTC+10:30, summer UTC+11", "not whole hours on"},
    // UTC+3 with summer time until 27 March 2011, then a lasting UTC+4.
    {"Europe/Moscow", 2011, 4, std::nullopt, "Europe/Moscow, UTC+4", "keeps no summer time"},
};

std::vector<std::pair<double, double>> Points(const Plan& p, Role role) {
    std::vector<std::pair<double, double>> points;
    for (const Element& e : p.dial.elements) {
        if (e.role != role) continue;
        for (const Point& q : e.points) points.push_back({q.x, q.y});
    }
    return points;
}

TEST(SummerRing, FollowsTheNamedZone) {
    for (const Row& r : kRows) {
        SCOPED_TRACE(std::string(r.zone) + " " + std::to_string(r.year));
        const SiteState site = testing::SiteOf({"Here", -33.87f, -151.21f, "0", r.standard});
        PlanOptions o;
        o.widthMm = 800;
        o.heightMm = 600;
        o.extras.year = r.year;
        o.extras.summerNumerals = true;
        o.zone = ZoneInYear(r.zone, r.year).zone;
        ASSERT_TRUE(o.zone);
        const Plan p = testing::Built(site, o);
        int summer = 0, titled = 0;
        for (const Element& e : p.dial.elements) {
            if (e.role == Role::SummerNumerals && ++summer) {
                EXPECT_EQ(e.text, NumeralText(static_cast<int>(*e.hour) + r.hoursOn.value_or(0),
                                              NumeralStyle::Roman));
            }
            titled += e.text.starts_with(std::string("Clock time of zone ") + r.title + ". ");
        }
        EXPECT_EQ(summer > 0, r.hoursOn.has_value());
        EXPECT_EQ(titled, 1);
        EXPECT_EQ(std::any_of(p.notes.begin(), p.notes.end(),
                              [&](const auto& n) { return r.note && n.find(r.note) != n.npos; }),
                  r.note != nullptr);
        // The zone moves no line: its standard time as a fixed offset (with a
        // ring where the zone has one) draws the same hour lines.
        PlanOptions fixed = o;
        fixed.zone.reset();
        fixed.extras.summerNumerals = r.hoursOn.has_value();
        EXPECT_EQ(Points(testing::Built(site, fixed), Role::HourLines), Points(p, Role::HourLines));
        // A site kept off the zone's standard time is refused.
        SiteState off = site;
        off.UtcOffset += 1;
        EXPECT_EQ(BuildPlan(off, o).status, PlanStatus::BadOptions);
    }
}

}  // namespace
}  // namespace sundial::plan

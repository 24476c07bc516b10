// A dial keeping a named zone: the lines stay where the zone's standard time
// puts them, the summer ring reads the zone's own summer time (or is left
// out, saying why), and the title names the zone.
#include "core/plan/summer_ring.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/core/plan/test_plans.h"

namespace sundial::plan {
namespace {

struct Row {
    const char* name;
    testing::SiteCase site;  // its zone the named zone's standard time
    const char* zone;
    std::optional<int> hoursOn;  // the summer ring's step; nothing for none
    const char* titleZone;
    const char* note;  // part of the note when the ring is left out
};

const Row kRows[] = {
    {"london",
     {"London", 51.5f, 0.12f, "180", 0},
     "Europe/London",
     1,
     "Europe/London, UTC+0, summer UTC+1",
     nullptr},
    {"sydney",
     {"Sydney", -33.87f, -151.21f, "0", 10},
     "Australia/Sydney",
     1,
     "Australia/Sydney, UTC+10, summer UTC+11",
     nullptr},
    {"troll",
     {"Troll", -72.0f, -2.5f, "0", 0},
     "Antarctica/Troll",
     2,
     "Antarctica/Troll, UTC+0, summer UTC+2",
     nullptr},
    {"tokyo",
     {"Tokyo", 35.7f, -139.7f, "180", 9},
     "Asia/Tokyo",
     std::nullopt,
     "Asia/Tokyo, UTC+9",
     "keeps no summer time in 2026"},
    {"lord-howe",
     {"Lord Howe", -31.55f, -159.08f, "0", 10.5f},
     "Australia/Lord_Howe",
     std::nullopt,
     "Australia/Lord_Howe, UTC+10:30, summer UTC+11",
     "not whole hours on"},
};

PlanOptions Options(const Row& r) {
    PlanOptions o;
    o.widthMm = 800;
    o.heightMm = 600;
    o.extras.year = 2026;
    o.extras.summerNumerals = true;
    o.zone = ZoneInYear(r.zone, 2026).zone;
    return o;
}

std::vector<Element> Of(const Plan& p, Role role) {
    std::vector<Element> out;
    std::copy_if(p.dial.elements.begin(), p.dial.elements.end(), std::back_inserter(out),
                 [&](const Element& e) { return e.role == role; });
    return out;
}

std::vector<std::pair<double, double>> HourLinePoints(const Plan& p) {
    std::vector<std::pair<double, double>> points;
    for (const Element& e : Of(p, Role::HourLines)) {
        for (const Point& q : e.points) points.push_back({q.x, q.y});
    }
    return points;
}

TEST(SummerRing, FollowsTheNamedZone) {
    for (const Row& r : kRows) {
        const SiteState site = testing::SiteOf(r.site);
        const PlanOptions o = Options(r);
        ASSERT_TRUE(o.zone) << r.name;
        const Plan p = testing::Built(site, o);
        const auto summer = Of(p, Role::SummerNumerals);
        EXPECT_EQ(!summer.empty(), r.hoursOn.has_value()) << r.name;
        for (const Element& e : summer) {
            EXPECT_EQ(e.text, NumeralText(static_cast<int>(*e.hour) + r.hoursOn.value_or(0),
                                          NumeralStyle::Roman))
                << r.name;
        }
        const auto titles = Of(p, Role::Title);
        EXPECT_TRUE(std::any_of(titles.begin(), titles.end(), [&](const Element& e) {
            return e.text.find(std::string("Clock time of zone ") + r.titleZone + ". ") == 0;
        })) << r.name;
        const bool noted = std::any_of(p.notes.begin(), p.notes.end(), [&](const auto& n) {
            return r.note && n.find(r.note) != std::string::npos;
        });
        EXPECT_EQ(noted, r.note != nullptr) << r.name;

        // The zone moves no line: the same plate with its standard time as a
        // fixed offset (and a ring where the zone has one) has the same hour lines.
        PlanOptions fixed = o;
        fixed.zone.reset();
        fixed.extras.summerNumerals = r.hoursOn.has_value();
        EXPECT_EQ(HourLinePoints(testing::Built(site, fixed)), HourLinePoints(p)) << r.name;
    }
}

TEST(SummerRing, RefusesASiteOffTheZonesStandardTime) {
    const Row& london = kRows[0];
    SiteState site = testing::SiteOf(london.site);
    site.UtcOffset = 1;  // London's summer time, not its standard
    const PlanResult result = BuildPlan(site, Options(london));
    EXPECT_EQ(result.status, PlanStatus::BadOptions);
    EXPECT_NE(result.message.find("UTC+0"), std::string::npos) << result.message;
}

}  // namespace
}  // namespace sundial::plan

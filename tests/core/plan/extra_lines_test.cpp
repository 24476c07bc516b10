// The extra lines on whole plans, as a dial maker looks at them: every label
// and numeral clear of every other, the curves on the plate with a day for
// each point, the thick style's split line, and bad options refused.
#include "core/plan/extra_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

#include "core/plan/clip.h"
#include "core/plan/text_metrics.h"
#include "tests/core/plan/test_plans.h"

namespace sundial::plan {
namespace {

struct Row {
    const char* name;
    testing::SiteCase site;
    std::optional<engine::Plane> plane;
    double width, height;
};

PlanOptions Everything(const Row& r) {
    PlanOptions o;
    o.widthMm = r.width;
    o.heightMm = r.height;
    o.plane = r.plane;
    o.foot = Point{r.width / 2, r.height / 3};
    o.nodusHeightMm = std::min(r.width, r.height) / 5;
    o.halfHours = true;
    o.extras = {true, true, false, 2026, true, true, true, {{6, 14}, {2, 28}}, true, true, 6};
    return o;
}

TEST(ExtraLines, LabelsNeverCollideAndCurvesKeepTheirDays) {
    const Row rows[] = {
        {"London wall facing 200", {"London", 51.5f, 0.12f, "200", 0}, {}, 1000, 700},
        {"Sydney horizontal",
         {"Sydney", -33.87f, -151.21f, "180", 10},
         engine::HorizontalPlane(),
         800,
         600},
        {"Cape Town wall facing 20", {"Cape Town", -33.9f, -18.4f, "20", 2}, {}, 900, 600},
    };
    for (const Row& r : rows) {
        const Plan p = testing::Built(testing::SiteOf(r.site), Everything(r));
        std::vector<std::pair<Rect, std::string>> texts;
        std::map<double, int> hourLines;
        std::set<double> signs;
        int curves = 0;
        for (const Element& e : p.dial.elements) {
            if (e.shape == Shape::Text && e.role != Role::Title && e.role != Role::Legend &&
                e.role != Role::EquationTable) {
                texts.push_back({TextBox(e), e.text});
            }
            if (e.role == Role::HourLines && e.shape == Shape::Line) ++hourLines[*e.hour];
            if (e.role == Role::SignLines && e.shape == Shape::Polyline)
                signs.insert(*e.declinationDeg);
            if (e.role == Role::SummerNumerals) {
                EXPECT_EQ(e.text, NumeralText(static_cast<int>(*e.hour) + 1, NumeralStyle::Roman));
            }
            if (e.role != Role::ClockTimeCurves || e.shape != Shape::Polyline) continue;
            ++curves;
            ASSERT_EQ(e.days.size(), e.points.size()) << r.name;
            EXPECT_EQ(e.dashMm > 0, e.text == "falling");
            for (const Point& q : e.points) {
                EXPECT_TRUE((Rect{0, 0, r.width, r.height}.Contains(q, 1e-9))) << r.name;
            }
        }
        EXPECT_GT(curves, 10) << r.name;
        // Each of the seven is drawn, or a note says it misses the plate.
        const auto missing = std::count_if(p.notes.begin(), p.notes.end(), [](const auto& n) {
            return n.find("on the line of") != std::string::npos &&
                   n.find(" Jun") == std::string::npos && n.find(" Feb") == std::string::npos;
        });
        EXPECT_EQ(signs.size() + missing, 7u) << r.name;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            for (std::size_t j = i + 1; j < texts.size(); ++j) {
                EXPECT_FALSE(Overlaps(texts[i].first, texts[j].first))
                    << r.name << ": \"" << texts[i].second << "\" on \"" << texts[j].second << "\"";
            }
        }
        // The thick style draws the line on the substyle twice, every other once.
        int twice = 0;
        for (const auto& [hour, count] : hourLines) twice += count == 2;
        EXPECT_LE(twice, 1) << r.name;
    }
}

// A curve cut by the plate's edge: a piece's days only rise, by at most a
// day a vertex, but for one step from the year's last day to its first; a cut
// vertex's day lies between its neighbours', across the year's end too.
TEST(ExtraLines, CutCurvesKeepTheirDaysInOrder) {
    const struct {
        const char* name;
        testing::SiteCase site;
        Point plate, foot;  // the plate's width and height; the nodus's foot
        double nodus;
        NumeralStyle numerals;  // none: no band, the curves reach the edge
        bool cutAtYearsEnd;     // an edge falls between 31 Dec and 1 Jan
    } rows[] = {
        {"80 S, wall facing 180",
         {"S", -80, 68.1f, "180", -4},
         {800, 600},
         {400, 300},
         80,
         NumeralStyle::Roman,
         false},
        // The right edge between 15:00's shadows of 31 Dec and 1 Jan.
        {"London, edge at the year's end",
         {"L", 51.5f, 0.12f, "200", 0},
         {254.81, 2000},
         {200, 100},
         150,
         NumeralStyle::None,
         true},
    };
    for (const auto& r : rows) {
        PlanOptions o;
        o.widthMm = r.plate.x;
        o.heightMm = r.plate.y;
        o.numerals = r.numerals;
        o.plane = engine::VerticalPlane(std::atof(r.site.bearing));
        o.foot = r.foot;
        o.nodusHeightMm = r.nodus;
        o.extras.clockTime = o.extras.clockTimeHalves = true;
        o.extras.year = 2027;
        int cuts = 0, yearsEnd = 0;
        for (const Element& e : testing::Built(testing::SiteOf(r.site), o).dial.elements) {
            if (e.role != Role::ClockTimeCurves || e.shape != Shape::Polyline) continue;
            for (std::size_t i = 0; i < e.days.size(); ++i) {
                const double d = e.days[i];
                cuts += d != std::floor(d);
                yearsEnd += (d > 0 && d < 1) || (d > 365 && d < 366);
                if (i == 0) continue;
                const double step = d - e.days[i - 1];
                EXPECT_TRUE((step > 0 && step <= 1) || (e.days[i - 1] == 365 && d == 1))
                    << r.name << " " << *e.hour << ": " << e.days[i - 1] << " then " << d;
            }
        }
        EXPECT_GT(cuts, 0) << r.name;
        EXPECT_EQ(yearsEnd > 0, r.cutAtYearsEnd) << r.name;
    }
}

TEST(ExtraLines, BadOptionsAreNamed) {
    const Row london{"London", {"London", 51.5f, 0.12f, "200", 0}, {}, 600, 450};
    const auto refused = [&](auto change) {
        PlanOptions o = Everything(london);
        change(o);
        const PlanResult result = BuildPlan(testing::SiteOf(london.site), o);
        return result.status == PlanStatus::BadOptions && !result.message.empty();
    };
    EXPECT_TRUE(refused([](PlanOptions& o) { o.extras.year = 1850; }));
    EXPECT_TRUE(refused([](PlanOptions& o) { o.extras.dates = {{2, 29}}; }));
    EXPECT_TRUE(refused([](PlanOptions& o) { o.extras.dates = {{4, 31}}; }));
    EXPECT_TRUE(refused([](PlanOptions& o) { o.extras.styleThicknessMm = o.nodusHeightMm; }));
    EXPECT_TRUE(refused([](PlanOptions& o) { o.extras.clockTime = false; }));  // halves alone
    EXPECT_FALSE(refused([](PlanOptions& o) { o.extras.year = 2028, o.extras.dates = {{2, 29}}; }));
}

}  // namespace
}  // namespace sundial::plan

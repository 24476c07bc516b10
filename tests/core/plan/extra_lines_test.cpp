// The extra lines on whole plans, as a dial maker looks at them: every label
// and numeral clear of every other, the curves on the plate with a day for
// each point, the thick style's split line, and bad options refused.
#include "core/plan/extra_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "core/lines/clock_time_curves.h"
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

// A piece of a curve cut by the plate's edge: its days only rise, by at most
// a day a vertex, but for the one step from the year's last day to its
// first; a cut vertex's day lies between its neighbours', across the
// year's end too.
TEST(ExtraLines, CutCurvesKeepTheirDaysInOrder) {
    struct CutRow {
        const char* name;
        testing::SiteCase site;
        engine::Plane plane;
        Point foot;
        double nodusMm;
    };
    const CutRow rows[] = {
        // The year's end falls between a cut vertex and the first day kept.
        {"80 S wall facing 180, 2027",
         {"South", -80, 68.1f, "180", -4},
         engine::VerticalPlane(180),
         {400, 300},
         80},
        {"Sydney horizontal",
         {"Sydney", -33.87f, -151.21f, "180", 10},
         engine::HorizontalPlane(),
         {400, 200},
         120},
        {"London wall facing 200",
         {"London", 51.5f, 0.12f, "200", 0},
         engine::VerticalPlane(200),
         {400, 100},
         150},
    };
    for (const CutRow& r : rows) {
        PlanOptions o;
        o.widthMm = 800;
        o.heightMm = 600;
        o.plane = r.plane;
        o.foot = r.foot;
        o.nodusHeightMm = r.nodusMm;
        o.extras.clockTime = o.extras.clockTimeHalves = true;
        o.extras.year = 2027;
        const Plan p = testing::Built(testing::SiteOf(r.site), o);
        int cut = 0, pieces = 0;
        for (const Element& e : p.dial.elements) {
            if (e.role != Role::ClockTimeCurves || e.shape != Shape::Polyline) continue;
            ++pieces;
            int wraps = 0;
            for (std::size_t i = 0; i < e.days.size(); ++i) {
                const double d = e.days[i];
                EXPECT_TRUE(d >= 0 && d <= 366) << r.name << " " << *e.hour << ": " << d;
                cut += d != std::floor(d);
                if (i == 0) continue;
                const double step = d - e.days[i - 1];
                const bool wrap = step < -363 && e.days[i - 1] >= 365 && d == 1;
                wraps += wrap;
                EXPECT_TRUE(wrap || (step > 0 && step <= 1))
                    << r.name << " " << *e.hour << ": " << e.days[i - 1] << " then " << d;
            }
            EXPECT_LE(wraps, 1) << r.name << " " << *e.hour;
        }
        EXPECT_GT(pieces, 0) << r.name;
        EXPECT_GT(cut, 0) << r.name;
    }
}

// The plate's right edge put between one curve's shadows of 31 December and
// 1 January (the nodus by its foot stays put as the plate narrows): the cut
// vertex's day lies between theirs, just after 365 or just before 1.
TEST(ExtraLines, ACutAcrossTheYearsEndTakesTheDayBetween) {
    const SiteState site = testing::SiteOf({"London", 51.5f, 0.12f, "200", 0});
    PlanOptions o;
    o.widthMm = o.heightMm = 2000;
    o.numerals = NumeralStyle::None;  // no band: the curves reach the edge
    o.foot = Point{200, 100};
    o.nodusHeightMm = 150;
    o.extras.clockTime = true;
    o.extras.year = 2027;
    const auto curves = lines::ClockTimeCurves(*DialFor(site, o), *SunYear::For(2027), false);
    std::optional<std::pair<double, double>> edge;  // hour, plate width
    for (const lines::ClockTimeCurve& c : curves) {
        for (const lines::CurveRun& run : c.rising) {
            for (std::size_t i = 1; i < run.size() && !edge; ++i) {
                const engine::PlatePoint a = run[i - 1].at, b = run[i].at;
                if (run[i].day == 1 && std::min(a.x, b.x) > 250 && std::fabs(b.x - a.x) > 0.1 &&
                    std::max(a.y, b.y) < 2000 && std::min(a.y, b.y) > 0) {
                    edge = {c.hour, (a.x + b.x) / 2};
                }
            }
        }
    }
    ASSERT_TRUE(edge);
    o.widthMm = edge->second;
    int cuts = 0;
    for (const Element& e : testing::Built(site, o).dial.elements) {
        if (e.role != Role::ClockTimeCurves || e.shape != Shape::Polyline) continue;
        if (*e.hour != edge->first) continue;
        for (const double d : {e.days.front(), e.days.back()}) {
            if (d == std::floor(d)) continue;
            cuts += (d > 0 && d < 1) || (d > 365 && d < 366);
        }
    }
    EXPECT_GE(cuts, 1);
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

// What the plan accepts, what it says when it does not, and the gnomon plate
// it draws from the same numbers as the gnomon dialog.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/dial/geometry.h"
#include "core/plan/plan.h"
#include "core/rules/input_rules.h"
#include "tests/core/plan/test_plans.h"

namespace sundial::plan {
namespace {

TEST(PlanOptions, BadInputIsNamedBeforeAnythingIsBuilt) {
    const struct {
        const char* name;
        void (*change)(PlanOptions&);
        const char* message;  // nullptr: accepted
    } rows[] = {
        {"defaults", [](PlanOptions&) {}, nullptr},
        {"smallest plate", [](PlanOptions& o) { o.widthMm = o.heightMm = 50; }, nullptr},
        {"largest plate", [](PlanOptions& o) { o.widthMm = o.heightMm = 5000; }, nullptr},
        {"narrow", [](PlanOptions& o) { o.widthMm = 49.9; },
         "The plate's width must be from 50 to 5000 mm."},
        {"too tall", [](PlanOptions& o) { o.heightMm = 5000.5; },
         "The plate's height must be from 50 to 5000 mm."},
        {"width not a number", [](PlanOptions& o) { o.widthMm = std::nan(""); },
         "The plate's width must be from 50 to 5000 mm."},
        {"root on a corner",
         [](PlanOptions& o) {
             o.root = Point{600, 0};
         },
         nullptr},
        {"root left of the plate",
         [](PlanOptions& o) {
             o.root = Point{-0.1, 0};
         },
         nullptr},
        {"root far above the plate",
         [](PlanOptions& o) {
             o.root = Point{300, -60001};
         },
         "The gnomon's root must lie within 60000 mm of the plate."},
        {"root and foot",
         [](PlanOptions& o) {
             o.root = Point{300, 0};
             o.foot = Point{300, 100};
             o.nodusHeightMm = 50;
         },
         "Place the gnomon either by its root or by the nodus's foot, not both."},
        {"foot off the plate",
         [](PlanOptions& o) {
             o.foot = Point{300, 451};
             o.nodusHeightMm = 50;
         },
         "The nodus's foot must lie on the plate: x from 0 to 600 mm, y from 0 to 450 mm."},
        {"foot without height",
         [](PlanOptions& o) {
             o.foot = Point{300, 100};
         },
         "The nodus's height must be from 5 to 5000 mm."},
        {"to the solstices without date lines", [](PlanOptions& o) { o.toSolstices = true; },
         "Hour lines stop at the solstices only with the date lines."},
        {"date lines without a nodus", [](PlanOptions& o) { o.dateLines = true; },
         "The nodus distance must be from 5 to 5000 mm."},
        {"noon curve, nodus too long",
         [](PlanOptions& o) {
             o.noonCurve = true;
             o.nodusMm = 5001;
         },
         "The nodus distance must be from 5 to 5000 mm."},
        {"style shorter than the nodus",
         [](PlanOptions& o) {
             o.dateLines = true;
             o.nodusMm = 150;
             o.styleMm = 120;
         },
         "The style must reach the nodus: make it at least 150 mm long."},
        {"style too short", [](PlanOptions& o) { o.styleMm = 4; },
         "The style's length must be from 5 to 5000 mm."},
        {"months alone", [](PlanOptions& o) { o.monthLines = true; },
         "The month lines go with the date lines."},
    };
    const SiteState site = testing::SiteOf({"London", 51.5f, 0.12f, "200", 0});
    for (const auto& r : rows) {
        PlanOptions o;
        r.change(o);
        const auto message = CheckPlanOptions(o);
        const PlanResult result = BuildPlan(site, o);
        if (!r.message) {
            EXPECT_EQ(message, std::nullopt) << r.name << ": " << *message;
            EXPECT_EQ(result.status, PlanStatus::Built) << r.name;
        } else {
            EXPECT_EQ(message.value_or(""), r.message) << r.name;
            EXPECT_EQ(result.status, PlanStatus::BadOptions) << r.name;
            EXPECT_EQ(result.message, r.message) << r.name;
            EXPECT_FALSE(result.plan.has_value()) << r.name;
        }
    }
}

TEST(PlanOptions, ASiteThatGivesNoDialIsReportedNotThrown) {
    SiteState site = testing::SiteOf({"Pole", 90, 0, "200", 0});
    const PlanResult result = BuildPlan(site, PlanOptions{});
    EXPECT_EQ(result.status, PlanStatus::BadOptions);
    EXPECT_FALSE(result.message.empty());
}

TEST(PlanOptions, APlateNoHourLineFallsOnIsReportedWithThePlan) {
    const SiteState site = testing::SiteOf({"London", 51.5f, 0.12f, "200", 0});
    PlanOptions o;
    o.root = Point{300, 450};  // on the bottom edge of a wall: every line runs off
    const PlanResult result = BuildPlan(site, o);
    EXPECT_EQ(result.status, PlanStatus::NoLines);
    EXPECT_FALSE(result.message.empty());
}

// Style, wall edge and the edge out from the wall: the gnomon dialog's two
// results for a measured length equal to the wall edge.
TEST(GnomonPlate, SidesAreTheGnomonDialogsForTheWallEdge) {
    const struct {
        const char* name;
        double style;
        float angle;
    } rows[] = {{"London", 150, 38.3127f},
                {"steep", 400, 75.0f},
                {"shallow", 60, 6.7f},
                {"half", 200, 45.0f}};
    for (const auto& r : rows) {
        const GnomonSize g = SizeGnomon(r.style, r.angle);
        const GnomonVerdict dialog = CheckGnomonLength(g.alongWallMm, r.angle);
        ASSERT_EQ(dialog.outcome, InputOutcome::Accept) << r.name;
        // The dialog reads the length as a single and cuts the hypotenuse to
        // tenths: at most a tenth short of the style.
        const double hypotenuse = std::stod(dialog.sides.hypotenuse);
        EXPECT_LE(hypotenuse, r.style + 1e-6) << r.name;
        EXPECT_GT(hypotenuse, r.style - 0.1 - 1e-6) << r.name;
        EXPECT_EQ(dialog.sides.opposite, TwoDecimalFormat(g.outMm)) << r.name;
        EXPECT_NEAR(std::hypot(g.alongWallMm, g.outMm), r.style, 1e-9) << r.name;
    }
}

TEST(GnomonPlate, TriangleIsCutToTheSizesWithTheRootMarked) {
    const SiteState site = testing::SiteOf({"London", 51.5f, 0.12f, "185.2", 0});
    PlanOptions o;
    o.dateLines = true;
    o.nodusMm = 120;
    o.styleMm = 160;
    const Plan p = testing::Built(site, o);
    const Element* outline = nullptr;
    bool root = false, nodus = false;
    for (const Element& e : p.gnomon.elements) {
        if (e.shape == Shape::Polygon && e.points.size() == 3) outline = &e;
        root = root || e.text.find("ROOT END") != std::string::npos;
        nodus = nodus || e.text.find("nodus 120 mm") != std::string::npos;
    }
    ASSERT_NE(outline, nullptr);
    const Point r = outline->points[0], f = outline->points[1], t = outline->points[2];
    EXPECT_NEAR(std::hypot(t.x - r.x, t.y - r.y), 160, 1e-9);  // the style
    EXPECT_NEAR(std::hypot(f.x - r.x, f.y - r.y), p.gnomonSize.alongWallMm, 1e-9);
    EXPECT_NEAR((r.x - f.x) * (t.x - f.x) + (r.y - f.y) * (t.y - f.y), 0, 1e-9);  // square
    const double atRoot = std::acos(((f.x - r.x) * (t.x - r.x) + (f.y - r.y) * (t.y - r.y)) /
                                    (p.gnomonSize.alongWallMm * 160));
    EXPECT_NEAR(atRoot * 180 / M_PI, ComputeDial(site).GnomonAngle, 1e-4);
    EXPECT_TRUE(root);
    EXPECT_TRUE(nodus);
}

}  // namespace
}  // namespace sundial::plan

// The gnomon drawn for each dial type, measured off the drawing and held
// against the dial engine's nodus and style; and the title strip's words.
#include "core/plan/gnomon_plate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <utility>

#include "core/plan/text_metrics.h"
#include "core/plan/title_block.h"
#include "tests/core/plan/test_plans.h"

namespace sundial::plan {
namespace {

constexpr double kMmTol = 1e-6;   // the drawing is built in doubles from the same nodus
constexpr double kDegTol = 1e-6;  // and the same style height

double DistanceToLine(Point p, Point a, Point b) {
    return std::fabs((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) /
           std::hypot(b.x - a.x, b.y - a.y);
}

double AngleDeg(Point at, Point a, Point b) {
    const double dot = (a.x - at.x) * (b.x - at.x) + (a.y - at.y) * (b.y - at.y);
    return std::acos(dot /
                     (std::hypot(a.x - at.x, a.y - at.y) * std::hypot(b.x - at.x, b.y - at.y))) *
           180 / M_PI;
}

// A gnomon drawing's parts as a maker reads them: the dashed fold, the
// nodus rings, the outline, and every word.
struct GnomonParts {
    std::vector<const Element*> folds, rings, polygons;
    std::string words;
};

GnomonParts PartsOf(const Drawing& gnomon) {
    GnomonParts parts;
    for (const Element& e : gnomon.elements) {
        if (e.shape == Shape::Line && e.dashMm > 0) parts.folds.push_back(&e);
        if (e.shape == Shape::Circle && e.colour != 0) parts.rings.push_back(&e);
        if (e.shape == Shape::Polygon && e.strokeMm >= 0.5) parts.polygons.push_back(&e);
        if (e.shape == Shape::Text) parts.words += e.text + "\n";
    }
    return parts;
}

struct TypeRow {
    const char* name;
    std::function<engine::Plane(const engine::Site&)> plane;
    GnomonForm form;
    const char* surfaceWord;  // the words name this surface, and "wall" only on a wall
};

TEST(GnomonPlate, EachDialTypesGnomonHoldsTheEnginesNodusAndStyle) {
    const SiteState site = testing::SiteOf({"London", 51.5f, 0.12f, "200", 0});
    const TypeRow rows[] = {
        {"vertical", [](auto&) { return engine::VerticalPlane(200); }, GnomonForm::Triangle,
         "the wall"},
        {"horizontal", [](auto&) { return engine::HorizontalPlane(); }, GnomonForm::Triangle,
         "noon line"},
        {"reclined",
         [](auto&) {
             return engine::Plane{160, 25};
         },
         GnomonForm::Triangle, "the face"},
        {"inclined",
         [](auto&) {
             return engine::Plane{200, -20};
         },
         GnomonForm::Triangle, "the face"},
        {"polar", [](auto& s) { return engine::PolarPlane(s); }, GnomonForm::Rectangle, "the face"},
        {"eastWall", [](auto&) { return engine::EastWall(); }, GnomonForm::Rectangle, "the wall"},
        {"equatorial", [](auto& s) { return engine::EquatorialPlane(s); }, GnomonForm::Rod,
         "the plate"},
    };
    for (const TypeRow& row : rows) {
        SCOPED_TRACE(row.name);
        PlanOptions o;
        o.plane = row.plane(EngineSite(site));
        const bool parallel = row.form == GnomonForm::Rectangle;
        if (!parallel) o.nodusMm = 90;
        const Plan p = testing::Built(site, o);
        const engine::Dial dial = *DialFor(site, o);
        EXPECT_EQ(FormOf(p.gnomonSize), row.form);

        const auto [folds, rings, polygons, words] = PartsOf(p.gnomon);
        for (const Element& e : p.gnomon.elements) {
            for (const Point& q : e.points) {
                EXPECT_TRUE((Rect{0, 0, p.gnomon.widthMm, p.gnomon.heightMm}.Contains(q, kMmTol)));
            }
        }
        ASSERT_EQ(folds.size(), 1u) << "one dashed line, where the gnomon meets the surface";
        ASSERT_EQ(polygons.size(), 1u);
        const Point a = folds[0]->points[0], b = folds[0]->points[1];
        // Every nodus mark stands the engine's nodus height off the surface;
        // the rod carries one on each side of the plate.
        ASSERT_EQ(rings.size(), row.form == GnomonForm::Rod ? 2u : 1u);
        for (const Element* ring : rings) {
            EXPECT_NEAR(DistanceToLine(ring->points[0], a, b), dial.gnomon().heightMm, kMmTol);
        }
        if (row.form == GnomonForm::Rod) {
            const double side0 = rings[0]->points[0].y - a.y, side1 = rings[1]->points[0].y - a.y;
            EXPECT_LT(side0 * side1, 0) << "the two nodi lie either side of the plate";
            EXPECT_NE(words.find("summer face"), std::string::npos);
            EXPECT_NE(words.find("winter face"), std::string::npos);
        }
        if (row.form == GnomonForm::Triangle) {
            // Root, foot and tip: the root on the surface, the style leaving it
            // at the engine's style height.
            const auto& t = polygons[0]->points;
            EXPECT_NEAR(DistanceToLine(t[0], a, b), 0, kMmTol);
            EXPECT_NEAR(AngleDeg(t[0], t[1], t[2]), dial.StyleHeightDeg(), kDegTol);
            EXPECT_NE(words.find("ROOT END"), std::string::npos);
        } else {
            EXPECT_EQ(words.find("ROOT END"), std::string::npos) << words;
        }
        EXPECT_NE(words.find(row.surfaceWord), std::string::npos) << words;
        if (o.plane->reclineDeg != 0) {
            EXPECT_EQ(words.find("wall"), std::string::npos) << words;
        }
        EXPECT_EQ(words.find("e-"), std::string::npos) << "no exponent: " << words;
    }
}

// Where the line through `from` along `dir` crosses the rectangle: the
// distances along it to where it enters and leaves (slab by slab).
std::pair<double, double> CrossingOf(Point from, Point dir, const Rect& r) {
    double in = -1e300, out = 1e300;
    const double lo[2] = {r.left, r.top}, hi[2] = {r.right, r.bottom};
    const double p[2] = {from.x, from.y}, d[2] = {dir.x, dir.y};
    for (int k = 0; k < 2; ++k) {
        if (d[k] == 0) continue;
        const double t0 = (lo[k] - p[k]) / d[k], t1 = (hi[k] - p[k]) / d[k];
        in = std::max(in, std::min(t0, t1));
        out = std::min(out, std::max(t0, t1));
    }
    return {in, out};
}

// A style only a few degrees off the face (a face reclined nearly to the
// pole, a wall facing nearly west): the nodus stands a quarter of the plate
// high over its centre, the root far off the plate, and the gnomon is the
// part of its triangle over the plate, cut at the edge the substyle enters by.
TEST(GnomonPlate, ALowStyleStandsOverThePlateCutAtItsEdge) {
    const struct {
        const char* name;
        SiteState site;
        engine::Plane plane;
        const char* surfaceWord;
    } rows[] = {
        {"recline40", testing::SiteOf({"London", 51.5f, 0.12f, "180", 0}), engine::Plane{180, 40},
         "the face"},
        {"wall262", testing::SiteOf({"Wall", 52, 0, "262", 0}), engine::VerticalPlane(262),
         "the wall"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        PlanOptions o;
        o.widthMm = 600;
        o.heightMm = 450;
        o.plane = row.plane;
        const Plan p = testing::Built(row.site, o);
        const engine::Dial dial = *DialFor(row.site, o);
        ASSERT_LT(dial.StyleHeightDeg(), 10);
        EXPECT_NEAR(dial.gnomon().heightMm, 450.0 / 4, kMmTol);
        EXPECT_NEAR(dial.gnomon().foot.x, 300, kMmTol);
        EXPECT_NEAR(dial.gnomon().foot.y, 225, kMmTol);

        // The substyle across the plate, from the engine's root and foot.
        const Point root{dial.Root()->x, dial.Root()->y};
        const Point foot{dial.gnomon().foot.x, dial.gnomon().foot.y};
        const double toFoot = std::hypot(foot.x - root.x, foot.y - root.y);
        const Point along{(foot.x - root.x) / toFoot, (foot.y - root.y) / toFoot};
        const auto [enter, leave] = CrossingOf(root, along, {0, 0, 600, 450});
        ASSERT_GT(enter, 0) << "the root lies off the plate";

        const auto [folds, rings, polygons, words] = PartsOf(p.gnomon);
        ASSERT_EQ(folds.size(), 1u);
        ASSERT_EQ(polygons.size(), 1u);
        ASSERT_EQ(rings.size(), 1u);
        const Point a = folds[0]->points[0], b = folds[0]->points[1];
        // The foot spans the plate along the substyle; the cut end and the
        // tip stand as high as the style is over the plate's two edges.
        EXPECT_NEAR(std::hypot(b.x - a.x, b.y - a.y), leave - enter, 1e-6);
        const double rise = dial.gnomon().heightMm / toFoot;  // height per mm from the root
        const auto& q = polygons[0]->points;                  // cut foot, foot's end, tip, cut top
        ASSERT_EQ(q.size(), 4u);
        EXPECT_NEAR(DistanceToLine(q[3], a, b), rise * enter, 1e-6);
        EXPECT_NEAR(DistanceToLine(q[2], a, b), rise * leave, 1e-6);
        EXPECT_NEAR(AngleDeg(q[2], q[3], q[1]), 90 - dial.StyleHeightDeg(), kDegTol);
        EXPECT_NEAR(DistanceToLine(rings[0]->points[0], a, b), dial.gnomon().heightMm, 1e-6);
        EXPECT_NE(words.find("CUT END"), std::string::npos) << words;
        EXPECT_NE(words.find("the root lies " + MmText(enter) + " mm beyond"), std::string::npos)
            << words;
        EXPECT_EQ(words.find("ROOT END"), std::string::npos);
        EXPECT_NE(words.find(row.surfaceWord), std::string::npos) << words;
        if (row.plane.reclineDeg != 0) {
            EXPECT_EQ(words.find("wall"), std::string::npos) << words;
        }

        // The hour lines spread over the plate: every numeral is shown, and
        // at one size that reads from across a garden.
        double smallest = 1e9;
        for (const Element& e : p.dial.elements) {
            if (e.role == Role::Numerals) smallest = std::min(smallest, e.textSizeMm);
        }
        EXPECT_GE(smallest, 10) << "numerals crowded";
        for (const std::string& note : p.notes) {
            EXPECT_EQ(note.find("left out"), std::string::npos) << note;
        }
    }
}

TEST(TitleStrip, LongitudesAnglesAndTheLegendFollowOneRule) {
    const struct {
        double westDeg;
        const char* text;
    } longitudes[] = {{0.0, "0.00\u00b0"},    {-0.0, "0.00\u00b0"},    {-0.004, "0.00\u00b0"},
                      {0.12, "0.12\u00b0 W"}, {-8.54, "8.54\u00b0 E"}, {179.996, "180.00\u00b0 W"}};
    for (const auto& l : longitudes) EXPECT_EQ(LongitudeText(l.westDeg), l.text) << l.westDeg;

    // Typed coordinates on the meridian, given as east; a 35.8 degree
    // latitude beside the engine's two-decimal angles; a legend from the
    // horizon line.
    SiteState site = testing::SiteOf({"Unknown", 35.8f, -0.0f, "180", 0});
    PlanOptions o;
    o.nodusMm = 100;
    o.extras.clockTime = true;
    o.extras.year = 2026;
    const Plan p = testing::Built(site, o);
    std::string title;
    double titleSize = 0, legendSize = 0;
    for (const Element& e : p.dial.elements) {
        if (e.shape != Shape::Text) continue;
        if (e.role == Role::Title) {
            title += e.text + "\n";
            if (!e.bold) titleSize = std::max(titleSize, e.textSizeMm);
        }
        if (e.role == Role::Legend) legendSize = std::max(legendSize, e.textSizeMm);
    }
    EXPECT_NE(title.find("Sundial for 35.80\u00b0 N, 0.00\u00b0"), std::string::npos) << title;
    EXPECT_NE(title.find("Latitude 35.80\u00b0 N, longitude 0.00\u00b0;"), std::string::npos)
        << title;
    EXPECT_EQ(title.find(" W"), std::string::npos) << title;
    EXPECT_EQ(title.find("35.8\u00b0"), std::string::npos) << title;
    ASSERT_GT(legendSize, 0);
    EXPECT_LE(legendSize, titleSize);
}

}  // namespace
}  // namespace sundial::plan

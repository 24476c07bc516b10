// Labels as a dial maker reads them, over the kinds of dial a maker draws:
// no drawn line passes through any label's or numeral's box, every curve on
// the plate is labelled or named in a note, and a curve that misses the
// plate is named too.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/plan/clip.h"
#include "core/plan/plan.h"
#include "core/plan/text_metrics.h"
#include "tests/core/plan/test_plans.h"

namespace sundial::plan {
namespace {

// Whether segment a-b meets the closed box r, by the sides' orientations
// (an end inside, or the segment crossing one of the four sides).
bool Meets(Point a, Point b, const Rect& r) {
    const auto inside = [&](Point p) {
        return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
    };
    if (inside(a) || inside(b)) return true;
    const auto cross = [](Point o, Point p, Point q) {
        return (p.x - o.x) * (q.y - o.y) - (p.y - o.y) * (q.x - o.x);
    };
    const auto crosses = [&](Point c, Point d) {
        const double d1 = cross(c, d, a), d2 = cross(c, d, b);
        const double d3 = cross(a, b, c), d4 = cross(a, b, d);
        return ((d1 <= 0 && d2 >= 0) || (d1 >= 0 && d2 <= 0)) &&
               ((d3 <= 0 && d4 >= 0) || (d3 >= 0 && d4 <= 0));
    };
    const Point tl{r.left, r.top}, tr{r.right, r.top}, br{r.right, r.bottom}, bl{r.left, r.bottom};
    return crosses(tl, tr) || crosses(tr, br) || crosses(br, bl) || crosses(bl, tl);
}

struct DialKind {
    const char* name;
    testing::SiteCase site;
    std::optional<engine::Plane> plane;  // unset: the site's wall
    double leastRingMm = 15;             // the numerals' ring is no smaller
};

// The numerals a note names: "The VI and VII numerals are set at 4 mm ...".
std::set<std::string> NamedIn(const std::vector<std::string>& notes, const std::string& words) {
    std::set<std::string> names;
    for (std::string n : notes) {
        if (n.rfind("The ", 0) != 0 || n.find(words) == std::string::npos) continue;
        n = n.substr(4, n.find(" numeral") - 4);
        for (std::size_t at; (at = n.find_first_of(", ")) != std::string::npos;) {
            names.insert(n.substr(0, at));
            n.erase(0, n.find_first_not_of(", and", at));
        }
        names.insert(n);
    }
    return names;
}

engine::Site At(const testing::SiteCase& c) {
    return {c.lat, -c.lon, c.zone};
}

TEST(Labels, NoLineCrossesATextAndEveryCurveIsLabelledOrNamed) {
    const testing::SiteCase london{"London", 51.5f, 0.12f, "200", 0};
    const testing::SiteCase sydney{"Sydney", -33.87f, -151.2f, "0", 10};
    const testing::SiteCase east{"East52", 52, 0.12f, "90", 0};
    const testing::SiteCase tropic{"N10", 10, 0.12f, "180", 0};
    const testing::SiteCase north{"N65", 65, 0.12f, "180", 0};
    const DialKind kinds[] = {
        {"london-wall-200", london, std::nullopt},
        {"sydney-horizontal", sydney, engine::HorizontalPlane()},
        {"east-wall-52", east, std::nullopt},
        {"polar", london, engine::PolarPlane(At(london))},
        {"equatorial", london, engine::EquatorialPlane(At(london))},
        {"recline-40", london, engine::Plane{180, 40}, 3},
        {"latitude-10", tropic, std::nullopt},
        {"latitude-65", north, std::nullopt},
    };
    for (const DialKind& k : kinds) {
        SCOPED_TRACE(k.name);
        PlanOptions o;
        o.plane = k.plane;
        o.halfHours = true;
        o.dateLines = true;
        o.nodusMm = 100;
        o.extras.clockTime = true;
        o.extras.year = 2026;
        const Plan p = testing::Built(testing::SiteOf(k.site), o);

        std::vector<const Element*> texts;
        std::vector<std::pair<Point, Point>> segments;
        for (const Element& e : p.dial.elements) {
            if (e.shape == Shape::Text && e.role != Role::Title && e.role != Role::Legend &&
                e.role != Role::EquationTable) {
                texts.push_back(&e);
            }
            if (e.role == Role::Outline || e.role == Role::Legend) continue;
            if (e.shape != Shape::Line && e.shape != Shape::Polyline) continue;
            for (std::size_t i = 1; i < e.points.size(); ++i) {
                segments.emplace_back(e.points[i - 1], e.points[i]);
            }
        }
        for (const Element* t : texts) {
            const Rect box = TextBox(*t);
            for (const auto& [a, b] : segments) {
                ASSERT_FALSE(Meets(a, b, box)) << RoleName(t->role) << " \"" << t->text
                                               << "\" on a line at " << a.x << ", " << a.y;
            }
        }

        // One ring, one size but for the few named; each hour line has its numeral or a note.
        const auto smaller = NamedIn(p.notes, "mm to fit."), left = NamedIn(p.notes, "left out");
        std::set<std::string> unnumbered;
        double ring = 0;
        for (const Element& e : p.dial.elements) {
            if (e.role == Role::Numerals) ring = std::max(ring, e.textSizeMm);
            if (e.role == Role::HourLines) unnumbered.insert(NumeralText(int(*e.hour), o.numerals));
        }
        EXPECT_GE(ring, k.leastRingMm);
        std::vector<Rect> boxes;
        for (const Element& e : p.dial.elements) {
            if (e.role != Role::Numerals) continue;
            unnumbered.erase(e.text);
            EXPECT_TRUE(smaller.count(e.text) ? e.textSizeMm < ring : e.textSizeMm == ring);
            for (const Rect& b : boxes) EXPECT_FALSE(Overlaps(b, TextBox(e))) << e.text;
            boxes.push_back(TextBox(e));
        }
        EXPECT_LE(4 * smaller.size(), boxes.size());
        for (const std::string& h : unnumbered) EXPECT_TRUE(left.count(h)) << h << " unnamed";
        // Each clock hour whose curve is drawn has a label, or a note says
        // which one has none; the hours the lines reach but the curves miss
        // are named.
        std::set<double> drawn, labelled;
        for (const Element& e : p.dial.elements) {
            if (e.role != Role::ClockTimeCurves || !e.hour) continue;
            (e.shape == Shape::Text ? labelled : drawn).insert(*e.hour);
        }
        const auto noted = [&](const std::string& words) {
            return std::any_of(p.notes.begin(), p.notes.end(), [&](const std::string& n) {
                return n.find(words) != std::string::npos;
            });
        };
        for (const double hour : drawn) {
            const std::string name = std::to_string(static_cast<int>(hour)) + ":00";
            EXPECT_TRUE(labelled.count(hour) || noted("the " + name + " clock-time curve")) << name;
        }
    }
}

// A face looking up, on a common plate with a common nodus: every numeral
// finds room at one size.
TEST(Labels, UpwardFacesLeaveTheNumeralsRoom) {
    const testing::SiteCase rows[] = {{"London", 51.5f, 0.12f, "180", 0},
                                      {"Sydney", -33.87f, -151.2f, "0", 10},
                                      {"N65", 65, 0.12f, "180", 0}};
    for (const auto& r : rows) {
        PlanOptions o;
        o.plane = engine::HorizontalPlane();
        o.nodusMm = 100;
        const Plan p = testing::Built(testing::SiteOf(r), o);
        EXPECT_TRUE(p.notes.empty()) << r.name << ": " << p.notes.front();
        std::set<double> sizes;
        for (const Element& e : p.dial.elements) {
            if (e.role == Role::Numerals) sizes.insert(e.textSizeMm);
        }
        EXPECT_EQ(sizes.size(), 1u) << r.name;
    }
}

}  // namespace
}  // namespace sundial::plan

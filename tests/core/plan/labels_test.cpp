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

engine::Site At(const testing::SiteCase& c) {
    return {c.lat, -c.lon, c.zone};
}

// The kinds of dial a maker draws, on the default 600 x 450 plate.
const std::vector<DialKind>& Kinds() {
    const testing::SiteCase london{"London", 51.5f, 0.12f, "200", 0};
    const testing::SiteCase sydney{"Sydney", -33.87f, -151.2f, "0", 10};
    const testing::SiteCase east{"East52", 52, 0.12f, "90", 0};
    const testing::SiteCase tropic{"N10", 10, 0.12f, "180", 0};
    const testing::SiteCase north{"N65", 65, 0.12f, "180", 0};
    static const std::vector<DialKind> kinds = {
        {"london-wall-200", london, std::nullopt},
        {"sydney-horizontal", sydney, engine::HorizontalPlane()},
        {"east-wall-52", east, std::nullopt},
        {"polar", london, engine::PolarPlane(At(london))},
        {"equatorial", london, engine::EquatorialPlane(At(london))},
        {"recline-40", london, engine::Plane{180, 40}, 3},
        {"latitude-10", tropic, std::nullopt},
        {"latitude-65", north, std::nullopt},
    };
    return kinds;
}

// Date lines, half hours and clock-time curves: a full face.
Plan FullFace(const DialKind& k) {
    PlanOptions o;
    o.plane = k.plane;
    o.halfHours = true;
    o.dateLines = true;
    o.nodusMm = 100;
    o.extras.clockTime = true;
    o.extras.year = 2026;
    return testing::Built(testing::SiteOf(k.site), o);
}

TEST(Labels, NoLineCrossesATextAndEveryCurveIsLabelledOrNamed) {
    for (const DialKind& k : Kinds()) {
        SCOPED_TRACE(k.name);
        const Plan p = FullFace(k);

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

// The names a ring note gives: "The VI and VII numerals are set at ...".
std::set<std::string> NamedIn(const std::vector<std::string>& notes, const std::string& words) {
    std::set<std::string> names;
    for (const std::string& note : notes) {
        const auto end = note.find(" numeral");
        if (note.rfind("The ", 0) != 0 || note.find(words) == std::string::npos ||
            end == std::string::npos) {
            continue;
        }
        std::string list = note.substr(4, end - 4) + ", ";
        for (auto at = list.find(" and "); at != std::string::npos; at = list.find(" and ")) {
            list.replace(at, 5, ", ");
        }
        for (auto at = list.find(", "); at != std::string::npos; at = list.find(", ")) {
            names.insert(list.substr(0, at));
            list.erase(0, at + 2);
        }
    }
    return names;
}

// One ring, one size: every numeral but those a note names is set at the
// ring's size, the ring is not set small to suit a few, and every hour line
// has its numeral or is named as left out. Numerals keep clear of each other.
TEST(Numerals, OneSizeToARingAndOnlyTheNamedAreSmallerOrLeftOut) {
    for (const DialKind& k : Kinds()) {
        SCOPED_TRACE(k.name);
        const Plan p = FullFace(k);
        const std::set<std::string> smaller = NamedIn(p.notes, "mm to fit.");
        const std::set<std::string> left = NamedIn(p.notes, "left out");
        std::vector<const Element*> numerals;
        std::set<std::string> hours;
        double ring = 0;
        for (const Element& e : p.dial.elements) {
            if (e.role == Role::Numerals) {
                numerals.push_back(&e);
                ring = std::max(ring, e.textSizeMm);
            }
            if (e.role == Role::HourLines)
                hours.insert(NumeralText(int(*e.hour), NumeralStyle::Roman));
        }
        EXPECT_GE(ring, k.leastRingMm);
        EXPECT_LE(4 * smaller.size(), numerals.size()) << "most numerals set at the ring's size";
        for (const Element* n : numerals) {
            hours.erase(n->text);
            EXPECT_FALSE(left.count(n->text)) << n->text << " drawn though named as left out";
            if (smaller.count(n->text)) {
                EXPECT_LT(n->textSizeMm, ring) << n->text;
            } else {
                EXPECT_DOUBLE_EQ(n->textSizeMm, ring) << n->text << " off the ring's size";
            }
            for (const Element* m : numerals) {
                if (m == n) continue;
                EXPECT_FALSE(Overlaps(TextBox(*m), TextBox(*n))) << m->text << n->text;
            }
        }
        for (const std::string& h : hours)
            EXPECT_TRUE(left.count(h)) << h << ": no numeral, unnamed";
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

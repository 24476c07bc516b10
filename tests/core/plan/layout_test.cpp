// The plan as a dial maker sees it: numerals at the ends of their lines, on
// the plate, clear of each other and of every line; labels clear of the
// numerals and of each other; nothing outside the drawing.
#include <gtest/gtest.h>

#include <cmath>

#include "core/plan/clip.h"
#include "core/plan/plan.h"
#include "core/plan/text_metrics.h"
#include "tests/core/plan/test_plans.h"

namespace sundial::plan {
namespace {

struct LayoutCase {
    const char* name;
    const char* bearing;
    double width, height;
    std::optional<Point> root;
    bool half, quarter;
    NumeralStyle numerals;
    double nodus;  // 0: no date lines
    bool crowded;  // the numerals may not find room (a note says so)
};

std::vector<Rect> Boxes(const Plan& p, Role role) {
    std::vector<Rect> boxes;
    for (const Element& e : p.dial.elements) {
        if (e.role == role && e.shape == Shape::Text) boxes.push_back(TextBox(e));
    }
    return boxes;
}

class PlanLayout : public ::testing::TestWithParam<LayoutCase> {
  protected:
    Plan Make() const {
        const LayoutCase& c = GetParam();
        PlanOptions o;
        o.widthMm = c.width;
        o.heightMm = c.height;
        o.root = c.root;
        o.halfHours = c.half;
        o.quarterHours = c.quarter;
        o.numerals = c.numerals;
        o.dateLines = o.monthLines = c.nodus > 0;
        o.nodusMm = c.nodus;
        o.madeOn = "2025-03-07";
        return testing::Built(testing::SiteOf({"P", 51.5f, 0.12f, c.bearing, 0}), o);
    }
};

TEST_P(PlanLayout, NumeralsSitAtTheirLinesOnThePlateAndClearOfEverything) {
    const LayoutCase& c = GetParam();
    const Plan p = Make();
    const Rect plate{0, 0, c.width, c.height};
    std::vector<Rect> numerals;
    for (const Element& e : p.dial.elements) {
        if (e.role != Role::Numerals) continue;
        const Rect box = TextBox(e);
        numerals.push_back(box);
        EXPECT_EQ(e.text, NumeralText(static_cast<int>(*e.hour), c.numerals));
        EXPECT_TRUE(plate.ContainsRect(box, 1e-9)) << e.text;
        // At its own line's outer end: on the ray from the root through it.
        for (const Element& line : p.dial.elements) {
            if (line.role != Role::HourLines || line.hour != e.hour) continue;
            const Point far = line.points[1];
            const Point centre{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
            const double dx = far.x - p.root.x, dy = far.y - p.root.y, len = std::hypot(dx, dy);
            const double off =
                std::fabs(dx * (p.root.y - centre.y) - (p.root.x - centre.x) * dy) / len;
            EXPECT_LT(off, std::hypot(box.Width(), box.Height())) << e.text;
            EXPECT_GT(dx * (centre.x - p.root.x) + dy * (centre.y - p.root.y), len * len * 0.999)
                << e.text << ": beyond the line's end";
        }
    }
    if (c.numerals == NumeralStyle::None) {
        EXPECT_TRUE(numerals.empty());
        return;
    }
    EXPECT_FALSE(numerals.empty());
    if (c.crowded) return;
    // A label with no clear place is left out and named (the labels' own
    // test counts them), as is a numeral smaller than its ring; nothing else.
    for (const std::string& note : p.notes) {
        const bool smaller =
            note.size() > 10 && note.compare(note.size() - 10, 10, "mm to fit.") == 0;
        EXPECT_TRUE(note.rfind("No clear place for the label of ", 0) == 0 || smaller) << note;
    }
    for (size_t i = 0; i < numerals.size(); ++i) {
        for (size_t j = i + 1; j < numerals.size(); ++j) {
            EXPECT_FALSE(Overlaps(numerals[i], numerals[j])) << i << " and " << j;
        }
        for (const Element& e : p.dial.elements) {
            const bool drawn = e.shape == Shape::Line || e.shape == Shape::Polyline;
            if (!drawn || e.role == Role::Outline || e.role == Role::Title) continue;
            for (size_t k = 1; k < e.points.size(); ++k) {
                EXPECT_FALSE(SegmentTouches(e.points[k - 1], e.points[k], numerals[i]))
                    << RoleName(e.role) << " through numeral " << i;
            }
        }
    }
}

TEST_P(PlanLayout, LabelsStayOnThePlateApartFromNumeralsAndEachOther) {
    const LayoutCase& c = GetParam();
    const Plan p = Make();
    const std::vector<Rect> labels = Boxes(p, Role::DateLines);
    const std::vector<Rect> numerals = Boxes(p, Role::Numerals);
    for (size_t i = 0; i < labels.size(); ++i) {
        EXPECT_TRUE((Rect{0, 0, c.width, c.height}.ContainsRect(labels[i], 1e-9))) << i;
        for (const Rect& n : numerals) EXPECT_FALSE(Overlaps(labels[i], n)) << i;
        for (size_t j = i + 1; j < labels.size(); ++j) EXPECT_FALSE(Overlaps(labels[i], labels[j]));
    }
    if (c.nodus > 0) {
        EXPECT_GE(labels.size(), 3u);
    }
}

TEST_P(PlanLayout, EverythingLiesWithinItsDrawing) {
    const Plan p = Make();
    for (const Drawing* d : {&p.dial, &p.gnomon}) {
        const Rect all{0, 0, d->widthMm, d->heightMm};
        for (const Element& e : d->elements) {
            if (e.shape == Shape::Text) {
                EXPECT_TRUE(all.ContainsRect(TextBox(e), 1e-9)) << e.text;
                continue;
            }
            for (const Point& q : e.points) {
                EXPECT_TRUE(all.Inset(e.radiusMm).Contains(q, 1e-9)) << RoleName(e.role);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Plates, PlanLayout,
    ::testing::Values(
        LayoutCase{
            "Issue600x450", "200", 600, 450, {}, true, false, NumeralStyle::Roman, 150, false},
        LayoutCase{"Metre", "185.2", 1000, 1000, {}, true, true, NumeralStyle::Arabic, 300, false},
        LayoutCase{"WestWall", "250", 800, 600, {}, true, false, NumeralStyle::Roman, 200, false},
        LayoutCase{"EastWall", "110", 800, 600, {}, true, false, NumeralStyle::Arabic, 200, false},
        LayoutCase{
            "TallNarrow", "185.2", 150, 1200, {}, false, false, NumeralStyle::Roman, 0, false},
        LayoutCase{
            "WideShallow", "180", 2000, 300, {}, true, false, NumeralStyle::Roman, 80, false},
        LayoutCase{"RootLowered", "200", 600, 600, Point{300, 200}, true, false,
                   NumeralStyle::Roman, 100, false},
        LayoutCase{"RootInCorner", "230", 600, 600, Point{0, 0}, true, true, NumeralStyle::Roman,
                   150, false},
        LayoutCase{"NoNumerals", "185.2", 400, 300, {}, true, true, NumeralStyle::None, 100, false},
        LayoutCase{"Smallest", "185.2", 50, 50, {}, true, true, NumeralStyle::Roman, 0, true},
        LayoutCase{"Largest", "200", 5000, 5000, {}, true, true, NumeralStyle::Roman, 1200, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Numerals, RomanAsOnTheScreenDrawingArabicAsTheClockShows) {
    const struct {
        int hour;
        const char* roman;
    } rows[] = {{2, "II"}, {4, "IV"},  {6, "VI"},  {8, "VIII"}, {9, "IX"},  {12, "XII"},
                {13, "I"}, {16, "IV"}, {18, "VI"}, {19, "VII"}, {24, "XII"}};
    for (const auto& r : rows) {
        EXPECT_EQ(NumeralText(r.hour, NumeralStyle::Roman), r.roman) << r.hour;
        // Midnight is 0, never 24.
        EXPECT_EQ(NumeralText(r.hour, NumeralStyle::Arabic), std::to_string(r.hour % 24));
        EXPECT_EQ(NumeralText(r.hour, NumeralStyle::None), "");
    }
}

}  // namespace
}  // namespace sundial::plan

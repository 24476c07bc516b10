#include "core/dial/dial_drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/dial/recording_surface.h"
#include "core/dial/run.h"
#include "tests/core/dial/test_sites.h"

namespace sundial {
namespace {

using sundial::testing::SiteAt;
using LineOp = RecordingSurface::LineOp;

// The worked examples give end points to a tenth of a twip.
constexpr double kTenthTwip = 0.05;
// Angles re-derived from drawn end points: double trigonometry on twip values.
constexpr double kAngleTol = 1e-9;

double AngleFromRoot(const DialRoot& root, double x, double y) {
    // Positive leaning left of the root, as the drawing's angles are.
    return RadToDeg(std::atan2(root.x0 - x, y - root.y0));
}

struct HourLineCase {
    const char* name;
    double angle;   // degrees, positive leaning left
    double x, y;    // expected end point
    double nx, ny;  // expected numeral top left
};

// W 6000 by Ht 5000: the root is at (3000, 200) and r = 3900.
TEST(DialDrawing, HourLineEndsAndNumeralCorners) {
    const double tan30 = std::tan(DegToRad(30));
    const HourLineCase cases[] = {
        {"vertical", 0, 3000, 4100, 2950, 4200},
        {"leaning left inside the frame", 20, 1580.5, 4100, 1530.5, 4200},
        {"leaning right inside the frame", -20, 4419.5, 4100, 4369.5, 4200},
        {"cut at the left limit", 60, 700, 200 + 2300 * tan30, 200, 200 + 2300 * tan30},
        {"cut at the right limit", -60, 5300, 200 + 2300 * tan30, 5500, 200 + 2300 * tan30},
    };
    for (const HourLineCase& c : cases) {
        RecordingSurface s(6000, 5000);
        const DialRoot root = PrepareDialDrawing(s);
        DrawHourLine(s, root, 13, c.angle);  // "I": a single stroke from the corner down
        const std::vector<LineOp> lines = s.Lines();
        ASSERT_EQ(lines.size(), 2u) << c.name;
        const LineOp& hour = lines[0];
        EXPECT_EQ(hour.x1, 3000) << c.name;  // the root: whole numbers, exact
        EXPECT_EQ(hour.y1, 200) << c.name;
        EXPECT_NEAR(hour.x2, c.x, kTenthTwip) << c.name;
        EXPECT_NEAR(hour.y2, c.y, kTenthTwip) << c.name;
        EXPECT_EQ(hour.width, 1) << c.name;
        EXPECT_NEAR(lines[1].x1, c.nx, kTenthTwip) << c.name;
        EXPECT_NEAR(lines[1].y1, c.ny, kTenthTwip) << c.name;
        // Whether cut or not, the line still points along its hour's angle.
        EXPECT_NEAR(AngleFromRoot(root, hour.x2, hour.y2), c.angle, kAngleTol) << c.name;
    }
}

TEST(DialDrawing, NothingIsDrawnOnASmallWindowButTheWidthsAreSet) {
    struct SizeCase {
        const char* name;
        double w, h;
        bool drawn;
    };
    const SizeCase cases[] = {
        {"width at the limit", 2300, 5000, false},
        {"height at the limit", 6000, 2000, false},
        {"just large enough", 2301, 2001, true},
    };
    DialGeometry dial;
    dial.GnomonOffset = 4.24f;
    dial.OffsetSide = "right.";
    for (const SizeCase& c : cases) {
        RecordingSurface s(c.w, c.h);
        const DialRoot root = PrepareDialDrawing(s);
        for (int hour = 6; hour <= 18; ++hour) DrawHourLine(s, root, hour, 15.0 * (12 - hour) / 2);
        DrawFootLine(s, root, dial);
        EXPECT_EQ(!s.Lines().empty(), c.drawn) << c.name;

        std::vector<int> widths;
        for (const RecordingSurface::Op& op : s.Ops()) {
            if (const auto* w = std::get_if<RecordingSurface::WidthOp>(&op))
                widths.push_back(w->pixels);
        }
        EXPECT_EQ(widths, (std::vector<int>{1, 3, 1})) << c.name;
    }
}

TEST(DialDrawing, RomanNumeralsAreBuiltFromStrokes150High) {
    struct NumeralCase {
        int hour;
        size_t strokes;  // lines drawn
        double width;    // right-most x offset from nx
    };
    const NumeralCase cases[] = {
        {6, 3, 150},  {7, 4, 200},  {8, 5, 260},  {9, 3, 150}, {10, 2, 100},
        {11, 3, 150}, {12, 4, 210}, {13, 1, 0},   {14, 2, 60}, {15, 3, 120},
        {16, 3, 150}, {17, 2, 100}, {18, 3, 150},
    };
    for (const NumeralCase& c : cases) {
        RecordingSurface s(6000, 5000);
        DrawHourNumeral(s, c.hour, 1000, 2000);
        const std::vector<LineOp> lines = s.Lines();
        EXPECT_EQ(lines.size(), c.strokes) << "hour " << c.hour;
        double right = 0;
        for (const LineOp& l : lines) {
            // Every stroke runs from the numeral's top to its bottom.
            EXPECT_EQ(std::min(l.y1, l.y2), 2000) << "hour " << c.hour;
            EXPECT_EQ(std::max(l.y1, l.y2), 2150) << "hour " << c.hour;
            EXPECT_GE(std::min(l.x1, l.x2), 1000) << "hour " << c.hour;
            right = std::max({right, l.x1 - 1000, l.x2 - 1000});
        }
        EXPECT_EQ(right, c.width) << "hour " << c.hour;
    }
    RecordingSurface none(6000, 5000);
    DrawHourNumeral(none, 19, 0, 0);
    EXPECT_TRUE(none.Lines().empty());
}

TEST(DialDrawing, FootLineFollowsTheGnomonOffsetToItsSide) {
    struct FootCase {
        const char* name;
        float offset;
        const char* side;
        double w, h;
        double x, y;  // expected end point
    };
    const double tan4 = std::tan(DegToRad(4.24f));
    const double tan70 = std::tan(DegToRad(70.0f));
    const double tan20 = std::tan(DegToRad(90 - 70.0f));
    const FootCase cases[] = {
        {"south wall: vertical", 0, "", 6000, 5000, 3000, 4200},
        {"west wall leans right", 4.24f, "right.", 6000, 5000, 3000 + 4000 * tan4, 4200},
        {"east wall leans left", 4.24f, "left.", 6000, 5000, 3000 - 4000 * tan4, 4200},
        // An offset below a tenth of a degree still slants on a west wall.
        {"tiny west offset", 0.05f, "right.", 6000, 5000, 3000 + 4000 * std::tan(DegToRad(0.05f)),
         4200},
        {"cut at the right limit", 70, "right.", 6000, 5000, 5400, 200 + 2400 * tan20},
        {"cut at the left limit", 70, "left.", 6000, 5000, 600, 200 + 2400 * tan20},
        {"steep but inside on a wide window", 70, "right.", 30000, 3000, 15000 + 2000 * tan70,
         2200},
    };
    for (const FootCase& c : cases) {
        RecordingSurface s(c.w, c.h);
        const DialRoot root = PrepareDialDrawing(s);
        DialGeometry dial;
        dial.GnomonOffset = c.offset;
        dial.OffsetSide = c.side;
        DrawFootLine(s, root, dial);
        const std::vector<LineOp> lines = s.Lines();
        ASSERT_EQ(lines.size(), 1u) << c.name;
        EXPECT_EQ(lines[0].width, 3) << c.name;
        EXPECT_NEAR(lines[0].x2, c.x, kTenthTwip) << c.name;
        EXPECT_NEAR(lines[0].y2, c.y, kTenthTwip) << c.name;
        // The drawn line lies along the offset, on its side.
        const double drawn = -AngleFromRoot(root, lines[0].x2, lines[0].y2);
        const double expected = std::string(c.side) == "left." ? -c.offset : c.offset;
        EXPECT_NEAR(drawn, expected, 1e-4) << c.name;  // the offset is a float
    }
}

// Through the whole run: hours 6 and 18 share one line and one numeral point.
TEST(DialDrawing, HoursTwelveApartShareTheirLineInARun) {
    RecordingSurface draw(6000, 5000), number(6000, 5000), chart(6000, 5000);
    DialGeometry dial;
    const RunResult result =
        RunDial(SiteAt(50.7f, 3.5f, "185.2"), {}, {draw, number, chart, nullptr, nullptr}, dial);
    ASSERT_EQ(result.status, RunStatus::Completed);
    const std::vector<LineOp> lines = draw.Lines();
    // Hour 6: its line then 3 numeral strokes; hour 18's block is the last
    // before the foot line.
    const size_t perHour6 = 4;
    ASSERT_GT(lines.size(), 2 * perHour6 + 1);
    const size_t first18 = lines.size() - 1 - perHour6;
    for (size_t i = 0; i < perHour6; ++i) {
        EXPECT_EQ(lines[i].x2, lines[first18 + i].x2) << "stroke " << i;
        EXPECT_EQ(lines[i].y2, lines[first18 + i].y2) << "stroke " << i;
    }
    EXPECT_EQ(lines.back().width, 3);  // the foot line comes last
}

}  // namespace
}  // namespace sundial

#include "core/dial/dial_drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/dial/recording_surface.h"
#include "core/dial/run.h"
#include "tests/core/dial/golden.h"
#include "tests/core/dial/test_sites.h"
#include "tests/support/row_name.h"

namespace sundial {
namespace {

using sundial::testing::Dump;
using sundial::testing::MatchesGolden;
using sundial::testing::PrintTo;
using sundial::testing::RowName;
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

struct HourLineRow {
    const char* name;
    double angle;   // degrees, positive leaning left
    double x, y;    // expected end point
    double nx, ny;  // expected numeral top left
};

class HourLineTest : public ::testing::TestWithParam<HourLineRow> {};

// W 6000 by Ht 5000: the root is at (3000, 200) and r = 3900.
TEST_P(HourLineTest, EndsAndNumeralCorner) {
    const HourLineRow& c = GetParam();
    RecordingSurface s(6000, 5000);
    const DialRoot root = PrepareDialDrawing(s);
    DrawHourLine(s, root, 13, c.angle);  // "I": a single stroke from the corner down
    const std::vector<LineOp> lines = s.Lines();
    ASSERT_EQ(lines.size(), 2u);
    const LineOp& hour = lines[0];
    EXPECT_EQ(hour.x1, 3000);  // the root: whole numbers, exact
    EXPECT_EQ(hour.y1, 200);
    EXPECT_NEAR(hour.x2, c.x, kTenthTwip);
    EXPECT_NEAR(hour.y2, c.y, kTenthTwip);
    EXPECT_EQ(hour.width, 1);
    EXPECT_NEAR(lines[1].x1, c.nx, kTenthTwip);
    EXPECT_NEAR(lines[1].y1, c.ny, kTenthTwip);
    // Whether cut or not, the line still points along its hour's angle.
    EXPECT_NEAR(AngleFromRoot(root, hour.x2, hour.y2), c.angle, kAngleTol);
}

const double kTan30 = std::tan(DegToRad(30));

INSTANTIATE_TEST_SUITE_P(
    Rows, HourLineTest,
    ::testing::Values(HourLineRow{"vertical", 0, 3000, 4100, 2950, 4200},
                      HourLineRow{"leaning left inside the frame", 20, 1580.5, 4100, 1530.5, 4200},
                      HourLineRow{"leaning right inside the frame", -20, 4419.5, 4100, 4369.5,
                                  4200},
                      HourLineRow{"cut at the left limit", 60, 700, 200 + 2300 * kTan30, 200,
                                  200 + 2300 * kTan30},
                      HourLineRow{"cut at the right limit", -60, 5300, 200 + 2300 * kTan30, 5500,
                                  200 + 2300 * kTan30}),
    RowName());

struct SizeRow {
    const char* name;
    double w, h;
    bool drawn;
};

class SmallWindowTest : public ::testing::TestWithParam<SizeRow> {};

TEST_P(SmallWindowTest, NothingIsDrawnButTheWidthsAreSet) {
    DialGeometry dial;
    dial.GnomonOffset = 4.24f;
    dial.OffsetSide = "right.";
    RecordingSurface s(GetParam().w, GetParam().h);
    const DialRoot root = PrepareDialDrawing(s);
    for (int hour = 6; hour <= 18; ++hour) DrawHourLine(s, root, hour, 15.0 * (12 - hour) / 2);
    DrawFootLine(s, root, dial);
    EXPECT_EQ(!s.Lines().empty(), GetParam().drawn);

    std::vector<int> widths;
    for (const RecordingSurface::Op& op : s.Ops()) {
        if (const auto* w = std::get_if<RecordingSurface::WidthOp>(&op))
            widths.push_back(w->pixels);
    }
    EXPECT_EQ(widths, (std::vector<int>{1, 3, 1}));
}

INSTANTIATE_TEST_SUITE_P(Rows, SmallWindowTest,
                         ::testing::Values(SizeRow{"width at the limit", 2300, 5000, false},
                                           SizeRow{"height at the limit", 6000, 2000, false},
                                           SizeRow{"just large enough", 2301, 2001, true}),
                         RowName());

struct NumeralRow {
    const char* name;
    int hour;
    size_t strokes;  // lines drawn
    double width;    // right-most x offset from nx
};

class RomanNumeralTest : public ::testing::TestWithParam<NumeralRow> {};

TEST_P(RomanNumeralTest, BuiltFromStrokes150High) {
    const NumeralRow& c = GetParam();
    RecordingSurface s(6000, 5000);
    DrawHourNumeral(s, c.hour, 1000, 2000);
    const std::vector<LineOp> lines = s.Lines();
    EXPECT_EQ(lines.size(), c.strokes);
    double right = 0;
    for (const LineOp& l : lines) {
        // Every stroke runs from the numeral's top to its bottom.
        EXPECT_EQ(std::min(l.y1, l.y2), 2000);
        EXPECT_EQ(std::max(l.y1, l.y2), 2150);
        EXPECT_GE(std::min(l.x1, l.x2), 1000);
        right = std::max({right, l.x1 - 1000, l.x2 - 1000});
    }
    EXPECT_EQ(right, c.width);  // whole twips: exact
}

INSTANTIATE_TEST_SUITE_P(
    Hours, RomanNumeralTest,
    ::testing::Values(NumeralRow{"VI", 6, 3, 150}, NumeralRow{"VII", 7, 4, 200},
                      NumeralRow{"VIII", 8, 5, 260}, NumeralRow{"IX", 9, 3, 150},
                      NumeralRow{"X", 10, 2, 100}, NumeralRow{"XI", 11, 3, 150},
                      NumeralRow{"XII", 12, 4, 210}, NumeralRow{"I", 13, 1, 0},
                      NumeralRow{"II", 14, 2, 60}, NumeralRow{"III", 15, 3, 120},
                      NumeralRow{"IIII", 16, 3, 150}, NumeralRow{"V", 17, 2, 100},
                      NumeralRow{"VI at 18", 18, 3, 150}),
    RowName());

TEST(DialDrawing, HoursWithoutANumeralDrawNothing) {
    RecordingSurface none(6000, 5000);
    DrawHourNumeral(none, 19, 0, 0);
    EXPECT_TRUE(none.Lines().empty());
}

struct FootRow {
    const char* name;
    float offset;
    const char* side;
    double w, h;
    double x, y;  // expected end point
};

class FootLineTest : public ::testing::TestWithParam<FootRow> {};

TEST_P(FootLineTest, FollowsTheGnomonOffsetToItsSide) {
    const FootRow& c = GetParam();
    RecordingSurface s(c.w, c.h);
    const DialRoot root = PrepareDialDrawing(s);
    DialGeometry dial;
    dial.GnomonOffset = c.offset;
    dial.OffsetSide = c.side;
    DrawFootLine(s, root, dial);
    const std::vector<LineOp> lines = s.Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].width, 3);
    EXPECT_NEAR(lines[0].x2, c.x, kTenthTwip);
    EXPECT_NEAR(lines[0].y2, c.y, kTenthTwip);
    // The drawn line lies along the offset, on its side.
    const double drawn = -AngleFromRoot(root, lines[0].x2, lines[0].y2);
    const double expected = std::string(c.side) == "left." ? -c.offset : c.offset;
    constexpr double kOffsetTol = 1e-4;  // the offset is a single
    EXPECT_NEAR(drawn, expected, kOffsetTol);
}

const double kTan4 = std::tan(DegToRad(4.24f));
const double kTan70 = std::tan(DegToRad(70.0f));
const double kTan20 = std::tan(DegToRad(90 - 70.0f));

INSTANTIATE_TEST_SUITE_P(
    Rows, FootLineTest,
    ::testing::Values(
        FootRow{"south wall vertical", 0, "", 6000, 5000, 3000, 4200},
        FootRow{"west wall leans right", 4.24f, "right.", 6000, 5000, 3000 + 4000 * kTan4, 4200},
        FootRow{"east wall leans left", 4.24f, "left.", 6000, 5000, 3000 - 4000 * kTan4, 4200},
        // An offset below a tenth of a degree still slants on a west wall.
        FootRow{"tiny west offset", 0.05f, "right.", 6000, 5000,
                3000 + 4000 * std::tan(DegToRad(0.05f)), 4200},
        FootRow{"cut at the right limit", 70, "right.", 6000, 5000, 5400, 200 + 2400 * kTan20},
        FootRow{"cut at the left limit", 70, "left.", 6000, 5000, 600, 200 + 2400 * kTan20},
        FootRow{"steep but inside on a wide window", 70, "right.", 30000, 3000,
                15000 + 2000 * kTan70, 2200}),
    RowName());

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

SiteState London() {
    return SiteAt(51.5f, 0.12f, "185.2");
}

// A whole run on the command line's 9000 by 4400 surface: frame, thirteen hour
// lines with their numerals, the foot line, every call in order.
TEST(DialDrawing, RunDrawsTheGoldenDial) {
    RecordingSurface draw(9000, 4400), number(9000, 4400), chart(9000, 4400);
    DialGeometry dial;
    ASSERT_EQ(
        RunDial(London(), {},
                {draw, number, chart, [&] { DrawCascadeFurniture(draw, chart); }, nullptr}, dial)
            .status,
        RunStatus::Completed);
    EXPECT_TRUE(MatchesGolden(Dump(draw), "dial_london_185.2_9000x4400.txt"));
}

// Every hour line starts at the root and points along its hour's unrounded
// angle; the foot line, last, along the gnomon offset.
TEST(DialDrawing, RunLinesFromTheRootGiveTheirAnglesBack) {
    RecordingSurface draw(9000, 4400), number(9000, 4400), chart(9000, 4400);
    DialGeometry dial;
    ASSERT_EQ(RunDial(London(), {}, {draw, number, chart, nullptr, nullptr}, dial).status,
              RunStatus::Completed);
    const DialRoot root{4500, 200};
    std::vector<LineOp> fromRoot;
    for (const LineOp& l : draw.Lines()) {
        if (l.x1 == root.x0 && l.y1 == root.y0) fromRoot.push_back(l);
    }
    ASSERT_EQ(fromRoot.size(), 13u + 1);
    for (int h = kFirstDialHour; h <= kLastDialHour; ++h) {
        const LineOp& l = fromRoot[static_cast<size_t>(h - kFirstDialHour)];
        EXPECT_NEAR(AngleFromRoot(root, l.x2, l.y2), dial.RawShadowAngle[h], kAngleTol) << h;
    }
    constexpr double kOffsetTol = 1e-4;  // the offset is a single
    EXPECT_NEAR(-AngleFromRoot(root, fromRoot.back().x2, fromRoot.back().y2), dial.GnomonOffset,
                kOffsetTol);
}

}  // namespace
}  // namespace sundial

#include "core/dial/report.h"

#include <gtest/gtest.h>

#include "core/dial/recording_surface.h"
#include "tests/core/dial/golden.h"
#include "tests/core/dial/test_sites.h"
#include "tests/support/row_name.h"

namespace sundial {
namespace {

using sundial::testing::MatchesGolden;
using sundial::testing::PrintTo;
using sundial::testing::RowName;
using sundial::testing::SiteAt;

TEST(Report, WorkedExampleMatchesGoldenByteForByte) {
    const SiteState site = SiteAt(51.5f, 0.12f, "185.2");
    EXPECT_TRUE(MatchesGolden(ReportText(site, ComputeDial(site)), "report_london_185.2.txt"));
}

TEST(Report, ZoneJumpsAreItemsNotSpaces) {
    const SiteState site = SiteAt(51.5f, 0.12f, "185.2");
    const DialGeometry dial = ComputeDial(site);
    RecordingSurface surface(0, 0);
    PrintReportHeading(surface, site, dial);
    PrintReportRow(surface, dial.HourList.front());
    const auto ops = surface.OpsSinceClear();
    const auto& header = std::get<RecordingSurface::PrintOp>(ops[6]).items;
    ASSERT_EQ(header.size(), 2u);
    EXPECT_EQ(header[0].text, "  Hour");
    EXPECT_TRUE(header[0].zoneJump);
    const auto& row = std::get<RecordingSurface::PrintOp>(ops.back()).items;
    ASSERT_EQ(row.size(), 2u);
    EXPECT_EQ(row[0].text, "   7  ");
    EXPECT_TRUE(row[0].zoneJump);
    EXPECT_EQ(row[1].text, "-72.71    ");
    EXPECT_FALSE(row[1].zoneJump);
}

struct OffsetRow {
    const char* name;
    const char* bearing;
    bool fixedLine;  // the zero-offset sentence instead of degrees to a side
};

class ReportOffsetTest : public ::testing::TestWithParam<OffsetRow> {};

TEST_P(ReportOffsetTest, LineDependsOnTheOffsetRoundedDownToTenths) {
    const std::string zeroLine =
        "  The offset of the Gnome from vertical is 0 degrees.                        \n";
    const SiteState site = SiteAt(51.5f, 0.12f, GetParam().bearing);
    const std::string text = ReportText(site, ComputeDial(site));
    EXPECT_EQ(text.find(zeroLine) != std::string::npos, GetParam().fixedLine);
}

INSTANTIATE_TEST_SUITE_P(Rows, ReportOffsetTest,
                         ::testing::Values(OffsetRow{"south wall", "180", true},
                                           OffsetRow{"offset 0.08 degree", "180.1", true},
                                           OffsetRow{"west wall", "185.2", false},
                                           OffsetRow{"east wall", "174.8", false}),
                         RowName());

TEST(Report, EastWallOffsetIsToTheLeft) {
    const SiteState east = SiteAt(51.5f, 0.12f, "174.8");
    EXPECT_NE(ReportText(east, ComputeDial(east)).find("degrees to the left.\n"),
              std::string::npos);
}

TEST(Report, EastLongitudeTakesTheMinusSignInPlaceOfTheBlank) {
    const SiteState site = SiteAt(48.85f, -2.35f, "200");
    EXPECT_NE(ReportText(site, ComputeDial(site)).find(",  Longitude: -2.35 ,"), std::string::npos);
}

TEST(Report, EmptyHourListEndsAfterTheHeading) {
    const SiteState site = SiteAt(51.5f, 0.12f, "185.2");
    DialGeometry dial = ComputeDial(site);
    dial.HourList.clear();
    const std::string text = ReportText(site, dial);
    const std::string tail = "  Hour        Shadow Angle (from Vertical)\n\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

}  // namespace
}  // namespace sundial

#include "dial/pdf_sheet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "dial/recording_surface.h"
#include "pdf_test_support.h"

namespace sundial {
namespace {

using pdf::testing::PageContentLines;
using pdf::testing::ReadBytes;
using pdf::testing::TempFolder;

constexpr double kPointsPerCm = 72 / 2.54;
// Positions come back from the file rounded to 0.001 point.
constexpr double kFilePosTol = 0.0006 / kPointsPerCm;
// End points checked against values the description rounds to 0.01 cm.
constexpr double kRoundedTol = 0.005;
// Angles re-derived from a ray's end point: x and y are singles below 30.
constexpr double kAngleTol = 1e-4;

SiteState Site(const char* bearing) {
    SiteState site;
    site.PlaceName = "P";
    site.Latitude = 51.5f;
    site.Longitude = 0.12f;
    site.WallBearing = bearing;
    DeriveDeclination(site);
    return site;
}

struct Sheet {
    RunResult result;
    DialGeometry dial;
    std::string report;
    std::string pdf;
};

Sheet MakeSheet(PdfDialSheet& sheet, const SiteState& site) {
    RecordingSurface draw(9000, 4400), number(9000, 4400), chart(9000, 4400);
    Sheet out;
    const RunTargets targets{draw, number, chart, [&] { DrawCascadeFurniture(draw, chart); },
                             &sheet};
    out.result = RunDial(site, {}, targets, out.dial);
    out.report = number.Text();
    std::error_code ec;
    if (std::filesystem::is_regular_file(sheet.PdfPath(), ec)) out.pdf = ReadBytes(sheet.PdfPath());
    return out;
}

struct TextItem {
    double x, y;  // cm
    std::string text;
};

std::vector<TextItem> Texts(const std::string& pdf, int page) {
    std::vector<TextItem> items;
    double x = 0, y = 0;
    for (const std::string& line : PageContentLines(pdf, page)) {
        if (line.ends_with(" Td")) {
            std::istringstream(line) >> x >> y;
        } else if (line.ends_with(") Tj")) {
            items.push_back({x / kPointsPerCm, y / kPointsPerCm, line.substr(1, line.size() - 5)});
        }
    }
    return items;
}

struct Ray {
    std::string width;  // as written, points
    SheetPoint from, to;
};

std::vector<Ray> Rays(const std::string& pdf, int page) {
    std::vector<Ray> rays;
    std::string width;
    float x = 0, y = 0;
    SheetPoint from{};
    for (const std::string& line : PageContentLines(pdf, page)) {
        std::istringstream in(line);
        in >> x >> y;
        const auto cm = [&] {
            return SheetPoint{static_cast<float>(x / kPointsPerCm),
                              static_cast<float>(y / kPointsPerCm)};
        };
        if (line.ends_with(" w")) width = line.substr(0, line.size() - 2);
        if (line.ends_with(" m")) from = cm();
        if (line.ends_with(" l")) rays.push_back({width, from, cm()});
    }
    return rays;
}

TEST(PdfDialLineTest, EndPoints) {
    const struct {
        const char* name;
        float angle;
        const char* side;
        float x, y;
    } rows[] = {
        {"foot-line-first-example", 4.1235f, "right.", 2.4f, 13.73f},
        {"sixty-right-leaves-by-the-bottom", 60, "right.", 12.73f, 2.4f},
        {"sixty-left-leaves-by-the-top", 60, "left.", 12.84f, 27.4f},
        {"minus-sixty-right-leaves-by-the-top", -60, "right.", 12.84f, 27.4f},
        {"minus-sixty-left-leaves-by-the-bottom", -60, "left.", 12.73f, 2.4f},
        {"south-wall-vertical", 0, "", 2.4f, 15},
        {"side-ignored-without-a-side", 45, "", 2.4f, 15},
        {"straight-down-the-wall", 0, "right.", 2.4f, 15},
        {"ninety-right", 90, "right.", 20, 2.4f},
    };
    for (const auto& row : rows) {
        const SheetPoint end = PdfDialLineEnd(row.angle, row.side);
        EXPECT_NEAR(end.x, row.x, kRoundedTol) << row.name;
        EXPECT_NEAR(end.y, row.y, kRoundedTol) << row.name;
    }
}

// Whichever edge a ray leaves by, its end lies on its own line: the angle seen
// from the root gives the angle back. (Measuring the top edge with the bottom
// edge's distance misses by up to half a degree.)
TEST(PdfDialLineTest, EveryEndLiesOnItsLine) {
    for (const char* side : {"right.", "left."}) {
        for (int tenth = -895; tenth <= 895; tenth += 5) {
            const float angle = static_cast<float>(tenth / 10.0);
            const SheetPoint end = PdfDialLineEnd(angle, side);
            const double rise = (end.y - kSheetRootY) * (std::string(side) == "left." ? 1 : -1);
            const double back = std::atan2(rise, kSheetRight - end.x) * 180 / kPi;
            EXPECT_NEAR(back, angle, kAngleTol) << side << " " << angle;
            EXPECT_GE(end.y, kSheetBottom) << side << " " << angle;
            EXPECT_LE(end.y, kSheetTop) << side << " " << angle;
            EXPECT_GE(end.x, kSheetLeft - kAngleTol) << side << " " << angle;
        }
    }
}

TEST(PdfDialSheetTest, FirstExampleSheet) {
    TempFolder folder;
    std::vector<std::filesystem::path> viewed;
    PdfDialSheet sheet(folder.path(), [&](const auto& path) { viewed.push_back(path); });
    const Sheet s = MakeSheet(sheet, Site("185.2"));
    ASSERT_EQ(s.result.status, RunStatus::Completed) << s.result.message;
    EXPECT_EQ(sheet.PdfPath(), folder / "sundial.pdf");
    EXPECT_EQ(viewed, std::vector<std::filesystem::path>{sheet.PdfPath()});
    EXPECT_TRUE(pdf::testing::QpdfAccepts(sheet.PdfPath()));
    EXPECT_TRUE(pdf::testing::CrossReferenceHolds(s.pdf));
    EXPECT_NE(s.pdf.find("/Title (Sundial Design)"), std::string::npos);
    EXPECT_NE(s.pdf.find("/Count 2\r/MediaBox [0 0 595.2 842]\r/CropBox [0 0 595.2 842]\r\r"),
              std::string::npos);

    const std::vector<TextItem> texts = Texts(s.pdf, 1);
    ASSERT_EQ(texts.size(), 7u + 12u);
    const std::pair<double, std::string> heading[] = {
        {28.0, "Sundial Calculation for:   P"},
        {27.5, "Latitude: 51.5"},
        {27.0, "Longitude: 0.12"},
        {26.5, "Wall Bearing: 185.2"},
        {26.0, "The offset of the Gnome from vertical is 4.12 degrees to the right."},
        {25.5, "Angle of the Gnome in front of the shadow-plane is 38.31 degrees. "},
        {24.5, "Hour    Shadow Angle \\(from vertical\\)"},  // as escaped in the file
    };
    for (std::size_t i = 0; i < std::size(heading); ++i) {
        EXPECT_NEAR(texts[i].x, 2.0, kFilePosTol) << i;
        EXPECT_NEAR(texts[i].y, heading[i].first, kFilePosTol) << i;
        EXPECT_EQ(texts[i].text, heading[i].second) << i;
    }
    const char* rows[] = {"7       -72.71", "8       -51.15", "9       -34.06", "10      -20.72",
                          "11      -9.77",  "12      -0.07",  "13      9.26",   "14      19.04",
                          "15      30.17",  "16      43.83",  "17      61.36",  "18      83.32"};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(texts[7 + i].text, rows[i]) << i;
        EXPECT_NEAR(texts[7 + i].y, 24.0 - 0.5 * static_cast<double>(i), kFilePosTol) << i;
    }
    EXPECT_NEAR(texts.back().y, 18.5, kFilePosTol);

    const std::vector<Ray> rays = Rays(s.pdf, 2);
    ASSERT_EQ(rays.size(), 14u);  // the foot line and hours 6..18
    EXPECT_EQ(rays[0].width, "0.142");
    EXPECT_NEAR(rays[0].to.x, 2.4, kFilePosTol);
    EXPECT_NEAR(rays[0].to.y, 15 - 17.6 * std::tan(DegToRad(4.1235)), kRoundedTol);
    for (std::size_t i = 1; i < rays.size(); ++i) {
        EXPECT_EQ(rays[i].width, "1.984") << i;
        EXPECT_NEAR(rays[i].from.x, 20, kFilePosTol) << i;
        EXPECT_NEAR(rays[i].from.y, 15, kFilePosTol) << i;
    }
    // Hours 6 and 18 share one ray.
    EXPECT_NEAR(rays[1].to.x, rays[13].to.x, kFilePosTol);
    EXPECT_NEAR(rays[1].to.y, rays[13].to.y, kFilePosTol);
    EXPECT_NE(s.pdf.find("n\r\n68.032 68.032 498.898 708.661 re\r\nS\r\n"), std::string::npos);
}

TEST(PdfDialSheetTest, IndependentReadersShowBothPages) {
    if (!pdf::testing::HaveTool("pdftotext") || !pdf::testing::HaveTool("pdftoppm")) return;
    TempFolder folder;
    PdfDialSheet sheet(folder.path());
    ASSERT_EQ(MakeSheet(sheet, Site("185.2")).result.status, RunStatus::Completed);
    const auto text = pdf::testing::RunCommand("pdftotext -layout -f 1 -l 1 " +
                                               pdf::testing::Quoted(sheet.PdfPath()) + " -");
    ASSERT_EQ(text.status, 0) << text.output;
    std::vector<std::string> lines;
    std::istringstream in(text.output);
    for (std::string line; std::getline(in, line);) {
        line.erase(line.find_last_not_of(" \f") + 1);
        lines.push_back(line);
    }
    const std::vector<std::string> expected = {
        "Sundial Calculation for:   P",
        "Latitude: 51.5",
        "Longitude: 0.12",
        "Wall Bearing: 185.2",
        "The offset of the Gnome from vertical is 4.12 degrees to the right.",
        "Angle of the Gnome in front of the shadow-plane is 38.31 degrees.",
        "",
        "Hour    Shadow Angle (from vertical)",
        "7       -72.71",
        "8       -51.15",
        "9       -34.06",
        "10      -20.72",
    };
    ASSERT_GE(lines.size(), expected.size() + 8);
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << i;
    EXPECT_EQ(lines[expected.size() + 7], "18      83.32");

    const auto render =
        pdf::testing::RunCommand("pdftoppm -r 20 -png " + pdf::testing::Quoted(sheet.PdfPath()) +
                                 " " + pdf::testing::Quoted(folder / "page"));
    EXPECT_EQ(render.status, 0) << render.output;
    EXPECT_TRUE(std::filesystem::exists(folder / "page-1.png"));
    EXPECT_TRUE(std::filesystem::exists(folder / "page-2.png"));
}

TEST(PdfDialSheetTest, SouthWallHasNoOffsetAndAHorizontalFootLine) {
    TempFolder folder;
    PdfDialSheet sheet(folder.path());
    const Sheet s = MakeSheet(sheet, Site("180"));
    ASSERT_EQ(s.result.status, RunStatus::Completed);
    EXPECT_EQ(Texts(s.pdf, 1)[4].text, "The offset of the Gnome from vertical is 0 degrees");
    const Ray foot = Rays(s.pdf, 2).front();
    EXPECT_NEAR(foot.to.x, 2.4, kFilePosTol);
    EXPECT_NEAR(foot.to.y, 15, kFilePosTol);
    EXPECT_TRUE(pdf::testing::QpdfAccepts(sheet.PdfPath()));
}

TEST(PdfDialSheetTest, EmptyHourListGivesTheHeadingOnly) {
    TempFolder folder;
    PdfDialSheet sheet(folder.path());
    DialGeometry dial = ComputeDial(Site("185.2"));
    dial.HourList.clear();
    sheet.Begin(Site("185.2"), dial);
    sheet.Finish(dial);
    const std::string pdf = ReadBytes(sheet.PdfPath());
    EXPECT_EQ(Texts(pdf, 1).size(), 7u);
    EXPECT_EQ(Rays(pdf, 2).size(), 14u);
    EXPECT_TRUE(pdf::testing::QpdfAccepts(sheet.PdfPath()));
}

TEST(PdfDialSheetTest, ASecondSheetRewritesTheFileWithOneWriter) {
    TempFolder folder;
    PdfDialSheet sheet(folder.path());
    ASSERT_EQ(MakeSheet(sheet, Site("185.2")).result.status, RunStatus::Completed);
    const pdf::clsPdfWriter* writer = sheet.PdfWriter();
    const Sheet second = MakeSheet(sheet, Site("250"));
    ASSERT_EQ(second.result.status, RunStatus::Completed);
    EXPECT_EQ(sheet.PdfWriter(), writer);
    const std::vector<TextItem> texts = Texts(second.pdf, 1);
    EXPECT_EQ(texts[3].text, "Wall Bearing: 250");
    // Hours 11..18, then 19..22 on the lines of 7..10.
    EXPECT_EQ(texts.back().text, "22      76.82");
    EXPECT_NEAR(texts.back().y, 18.5, kFilePosTol);
    EXPECT_TRUE(pdf::testing::QpdfAccepts(sheet.PdfPath()));
}

TEST(PdfDialSheetTest, WriteFailuresEndTheRunAndKeepTheScreenOutputs) {
    TempFolder folder;
    const struct {
        const char* name;
        std::filesystem::path folder;
        std::string file;
        std::string reason;
        bool rowsPrinted;  // the failure came after the report's rows
    } rows[] = {
        {"folder-missing", folder / "gone", "sundial.pdf", std::generic_category().message(ENOENT),
         false},
        {"disk-full", "/dev", "full", std::generic_category().message(ENOSPC), true},
    };
    for (const auto& row : rows) {
        if (!std::filesystem::exists(row.folder) && row.rowsPrinted) continue;
        int viewed = 0;
        PdfDialSheet sheet(
            row.folder, [&](const auto&) { ++viewed; }, row.file);
        const Sheet s = MakeSheet(sheet, Site("185.2"));
        EXPECT_EQ(s.result.status, RunStatus::SheetFailed) << row.name;
        EXPECT_NE(s.result.message.find(sheet.PdfPath().string()), std::string::npos) << row.name;
        EXPECT_NE(s.result.message.find(row.reason), std::string::npos) << s.result.message;
        EXPECT_NE(s.report.find("Sundial Calculation for:"), std::string::npos) << row.name;
        EXPECT_EQ(s.report.find("83.32") != std::string::npos, row.rowsPrinted) << row.name;
        EXPECT_EQ(viewed, 0) << row.name;
    }
}

TEST(ChooseSheetFolderTest, FallsBackWhenTheProgramFolderIsNotWritable) {
    TempFolder folder;
    pdf::testing::WriteBytes(folder / "a-file", "x");
    const auto documents = folder / "Documents";
    EXPECT_EQ(ChooseSheetFolder(folder.path(), documents), folder.path());
    EXPECT_EQ(ChooseSheetFolder(folder / "missing", documents), documents);
    EXPECT_EQ(ChooseSheetFolder(folder / "a-file", documents), documents);
    // The probe leaves nothing behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

}  // namespace
}  // namespace sundial

#include "core/dial/pdf_sheet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "core/dial/recording_surface.h"
#include "tests/core/io/io_test_support.h"
#include "tests/core/pdf/support/pdf_test_support.h"
#include "tests/support/row_name.h"

namespace sundial {
namespace {

using pdf::testing::ReadBytes;
using pdf::testing::TempFolder;
using sundial::testing::PrintTo;
using sundial::testing::RowName;

constexpr double kPointsPerCm = 72 / 2.54;
// Positions read back from the file, written to 0.001 point.
constexpr double kFileTol = 0.0006 / kPointsPerCm;
// End points compared with values given to 0.01 cm.
constexpr double kRoundedTol = 0.005;
// Angles re-derived from an end point whose coordinates are singles below 30.
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
    std::string report;  // the Calculations text the same run printed
    std::string pdf;     // empty when no file was written
};

Sheet MakeSheet(PdfDialSheet& sheet, const SiteState& site) {
    RecordingSurface draw(9000, 4400), number(9000, 4400), chart(9000, 4400);
    DialGeometry dial;
    const RunTargets targets{draw, number, chart, [] {}, &sheet};
    Sheet out{RunDial(site, {}, targets, dial), number.Text(), ""};
    if (std::filesystem::is_regular_file(sheet.PdfPath())) out.pdf = ReadBytes(sheet.PdfPath());
    return out;
}

// Page 1's texts as (y in cm, text as written); page 2's rays as (width as
// written, end point in cm), read from the content streams.
std::vector<std::pair<double, std::string>> Texts(const std::string& pdf) {
    std::vector<std::pair<double, std::string>> texts;
    double x = 0, y = 0;
    for (const std::string& line : pdf::testing::PageContentLines(pdf, 1)) {
        if (line.ends_with(" Td")) {
            std::istringstream(line) >> x >> y;
            EXPECT_NEAR(x / kPointsPerCm, 2.0, kFileTol);
        }
        if (line.ends_with(") Tj")) {
            texts.emplace_back(y / kPointsPerCm, line.substr(1, line.size() - 5));
        }
    }
    return texts;
}

std::vector<std::pair<std::string, SheetPoint>> Rays(const std::string& pdf) {
    std::vector<std::pair<std::string, SheetPoint>> rays;
    std::string width;
    for (const std::string& line : pdf::testing::PageContentLines(pdf, 2)) {
        double x = 0, y = 0;
        std::istringstream(line) >> x >> y;
        if (line.ends_with(" w")) width = line.substr(0, line.size() - 2);
        if (line.ends_with(" m")) {
            EXPECT_EQ(line, "566.929 425.197 m");  // the root (20, 15)
        }
        if (line.ends_with(" l")) {
            rays.push_back({width, {float(x / kPointsPerCm), float(y / kPointsPerCm)}});
        }
    }
    return rays;
}

struct EndRow {
    const char* name;
    float angle;
    const char* side;
    float x, y;
};

class PdfDialLineTest : public ::testing::TestWithParam<EndRow> {};

TEST_P(PdfDialLineTest, EndPoint) {
    const SheetPoint end = PdfDialLineEnd(GetParam().angle, GetParam().side);
    EXPECT_NEAR(end.x, GetParam().x, kRoundedTol);
    EXPECT_NEAR(end.y, GetParam().y, kRoundedTol);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PdfDialLineTest,
    ::testing::Values(EndRow{"foot line first example", 4.1235f, "right.", 2.4f, 13.73f},
                      EndRow{"sixty right by the bottom", 60, "right.", 12.73f, 2.4f},
                      EndRow{"sixty left by the top", 60, "left.", 12.84f, 27.4f},
                      EndRow{"no side is the vertical", 45, "", 2.4f, 15}),
    RowName());

// Whichever edge a ray leaves by, its end lies on its own line. (Measuring the
// top edge with the bottom edge's distance misses by up to half a degree.)
TEST(PdfDialLine, EveryEndLiesOnItsLine) {
    for (const std::string side : {"right.", "left."}) {
        for (int tenth = -895; tenth <= 895; tenth += 5) {
            const float angle = static_cast<float>(tenth / 10.0);
            const SheetPoint end = PdfDialLineEnd(angle, side);
            const double rise = (end.y - kSheetRootY) * (side == "left." ? 1 : -1);
            EXPECT_NEAR(std::atan2(rise, kSheetRight - end.x) * 180 / kPi, angle, kAngleTol)
                << side << angle;
            EXPECT_TRUE(end.y >= kSheetBottom && end.y <= kSheetTop && end.x >= kSheetLeft - 1e-5)
                << side << angle;
        }
    }
}

TEST(PdfDialSheetTest, FirstExample) {
    TempFolder folder;
    std::vector<std::filesystem::path> viewed;
    PdfDialSheet sheet(folder.path(), [&](const auto& path) { viewed.push_back(path); });
    const Sheet s = MakeSheet(sheet, Site("185.2"));
    ASSERT_EQ(s.result.status, RunStatus::Completed) << s.result.message;
    EXPECT_EQ(viewed, std::vector{folder / "sundial.pdf"});
    EXPECT_TRUE(pdf::testing::QpdfAccepts(sheet.PdfPath()));
    EXPECT_TRUE(pdf::testing::CrossReferenceHolds(s.pdf));

    const std::vector<std::string> expected = {
        "Sundial Calculation for:   P",
        "Latitude: 51.5",
        "Longitude: 0.12",
        "Wall Bearing: 185.2",
        "The offset of the Gnome from vertical is 4.12 degrees to the right.",
        "Angle of the Gnome in front of the shadow-plane is 38.31 degrees. ",
        "Hour    Shadow Angle \\(from vertical\\)",  // escaped in the file
        "7       -72.71",
        "8       -51.15",
        "9       -34.06",
        "10      -20.72",
        "11      -9.77",
        "12      -0.07",
        "13      9.26",
        "14      19.04",
        "15      30.17",
        "16      43.83",
        "17      61.36",
        "18      83.32",
    };
    const auto texts = Texts(s.pdf);
    std::vector<std::string> shown;
    for (const auto& [y, text] : texts) shown.push_back(text);
    EXPECT_EQ(shown, expected);
    // Half a centimetre a line from 28 cm down, a blank line before the table.
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_NEAR(texts[i].first, 28.0 - 0.5 * static_cast<double>(i + (i >= 6)), kFileTol)
            << texts[i].second;
    }

    const auto rays = Rays(s.pdf);
    ASSERT_EQ(rays.size(), 14u);  // the foot line, then hours 6..18
    EXPECT_EQ(rays[0].first, "0.142");
    EXPECT_NEAR(rays[0].second.x, 2.4, kFileTol);
    EXPECT_NEAR(rays[0].second.y, 13.73, kRoundedTol);
    for (std::size_t i = 1; i < rays.size(); ++i) EXPECT_EQ(rays[i].first, "1.984") << i;
    EXPECT_NEAR(rays[1].second.y, rays[13].second.y, kFileTol);  // hours 6 and 18 share a ray
    EXPECT_NE(s.pdf.find("n\r\n68.032 68.032 498.898 708.661 re\r\nS\r\n"), std::string::npos);
}

TEST(PdfDialSheetTest, IndependentReadersShowBothPages) {
    if (!pdf::testing::HaveTool("pdftotext") || !pdf::testing::HaveTool("pdftoppm")) return;
    TempFolder folder;
    PdfDialSheet sheet(folder.path());
    ASSERT_EQ(MakeSheet(sheet, Site("185.2")).result.status, RunStatus::Completed);
    const std::string file = pdf::testing::Quoted(sheet.PdfPath());
    const auto text = pdf::testing::RunCommand("pdftotext -layout -f 1 -l 1 " + file + " -");
    std::vector<std::string> lines;
    std::istringstream in(text.output);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.erase(line.find_last_not_of(" \f") + 1));
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
    ASSERT_GE(lines.size(), expected.size() + 8) << text.output;
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << i;
    EXPECT_EQ(lines[expected.size() + 7], "18      83.32");

    const auto render = pdf::testing::RunCommand("pdftoppm -r 20 -png " + file + " " +
                                                 pdf::testing::Quoted(folder / "page"));
    EXPECT_EQ(render.status, 0) << render.output;
    EXPECT_TRUE(std::filesystem::exists(folder / "page-1.png"));
    EXPECT_TRUE(std::filesystem::exists(folder / "page-2.png"));
}

TEST(PdfDialSheetTest, OtherWallsAndASecondSheetWithTheSameWriter) {
    TempFolder folder;
    PdfDialSheet sheet(folder.path());
    // South wall: the fixed zero-offset line, the foot line horizontal.
    Sheet s = MakeSheet(sheet, Site("180"));
    const pdf::clsPdfWriter* writer = sheet.PdfWriter();
    EXPECT_EQ(Texts(s.pdf)[4].second, "The offset of the Gnome from vertical is 0 degrees");
    EXPECT_NEAR(Rays(s.pdf)[0].second.y, 15, kFileTol);
    // Bearing 250 rewrites the same file: hours 11..18, then 19..22 on the lines of 7..10.
    s = MakeSheet(sheet, Site("250"));
    EXPECT_EQ(sheet.PdfWriter(), writer);
    EXPECT_EQ(Texts(s.pdf)[3].second, "Wall Bearing: 250");
    EXPECT_EQ(Texts(s.pdf).back().second, "22      76.82");
    EXPECT_TRUE(pdf::testing::QpdfAccepts(sheet.PdfPath()));
    // No rows: page 1 holds the heading only; page 2 is drawn as always.
    DialGeometry dial = ComputeDial(Site("185.2"));
    dial.HourList.clear();
    sheet.Begin(Site("185.2"), dial);
    sheet.Finish(dial);
    const std::string empty = ReadBytes(sheet.PdfPath());
    EXPECT_EQ(Texts(empty).size(), 7u);
    EXPECT_EQ(Rays(empty).size(), 14u);
}

struct FailureRow {
    const char* name;
    std::filesystem::path folder;  // under the test's folder unless absolute
    const char* file;
    int error;
    bool rowsPrinted;  // the failure came only when the file was closed
};

class PdfWriteFailureTest : public ::testing::TestWithParam<FailureRow> {};

TEST_P(PdfWriteFailureTest, EndsTheRunAndKeepsTheScreenOutputs) {
    const FailureRow& row = GetParam();
    TempFolder folder;
    int viewed = 0;
    PdfDialSheet sheet(
        folder / row.folder, [&](const auto&) { ++viewed; }, row.file);
    const Sheet s = MakeSheet(sheet, Site("185.2"));
    EXPECT_EQ(s.result.status, RunStatus::SheetFailed);
    EXPECT_NE(s.result.message.find(sheet.PdfPath().string()), std::string::npos);
    EXPECT_NE(s.result.message.find(std::generic_category().message(row.error)), std::string::npos)
        << s.result.message;
    EXPECT_NE(s.report.find("Sundial Calculation for:"), std::string::npos);
    EXPECT_EQ(s.report.find("83.32") != std::string::npos, row.rowsPrinted);
    EXPECT_EQ(viewed, 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, PdfWriteFailureTest,
                         ::testing::Values(FailureRow{"folder missing", "gone", "sundial.pdf",
                                                      ENOENT, false},
                                           FailureRow{"disk full", "/dev", "full", ENOSPC, true}),
                         RowName());

// "Make PDF" on a full disk used to replace the last good sheet with a
// damaged one: now the run fails, says why, and the last sheet stays.
TEST(PdfDialSheetTest, AFailedSheetKeepsTheLastGoodOne) {
    TempFolder folder;
    int viewed = 0;
    PdfDialSheet sheet(folder.path(), [&](const auto&) { ++viewed; });
    const Sheet good = MakeSheet(sheet, Site("185.2"));
    ASSERT_EQ(good.result.status, RunStatus::Completed);
    io::testing::ScopedFault full(io::FileStep::Write, ENOSPC);
    const Sheet failed = MakeSheet(sheet, Site("200"));
    EXPECT_EQ(failed.result.status, RunStatus::SheetFailed);
    EXPECT_NE(failed.result.message.find(sheet.PdfPath().string()), std::string::npos);
    EXPECT_NE(failed.result.message.find(std::generic_category().message(ENOSPC)),
              std::string::npos);
    EXPECT_EQ(failed.pdf, good.pdf);
    EXPECT_EQ(viewed, 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

// The sheet goes beside the program when it can; otherwise to the documents,
// the working and the temporary folder in turn, and the user is told which.
TEST(ChooseSheetFolderTest, FallsBackFolderByFolderAndSaysWhere) {
    TempFolder folder;
    pdf::testing::WriteBytes(folder / "a-file", "x");
    for (const char* name : {"program", "documents", "working", "temporary"}) {
        std::filesystem::create_directory(folder / name);
    }
    const auto missing = folder / "missing";
    const auto plainFile = folder / "a-file";
    const auto quoted = [&](const char* name) { return "\"" + (folder / name).string() + "\"."; };
    const struct {
        const char* name;
        std::filesystem::path program, documents, working, temporary;
        std::filesystem::path expected;
        std::string note;
    } rows[] = {
        {"program folder", folder / "program", folder / "documents", folder / "working",
         folder / "temporary", folder / "program", ""},
        {"installed read-only", missing, folder / "documents", folder / "working",
         folder / "temporary", folder / "documents",
         "No file can be created in the program's folder, so the sheet goes to the documents "
         "folder " +
             quoted("documents")},
        {"program folder is a file", plainFile, folder / "documents", folder / "working",
         folder / "temporary", folder / "documents",
         "No file can be created in the program's folder, so the sheet goes to the documents "
         "folder " +
             quoted("documents")},
        {"no home, so no documents", missing, "", folder / "working", folder / "temporary",
         folder / "working",
         "No file can be created in the program's folder or a documents folder, so the sheet "
         "goes to the working folder " +
             quoted("working")},
        {"documents folder missing", missing, folder / "missing" / "Documents", folder / "working",
         folder / "temporary", folder / "working",
         "No file can be created in the program's folder or a documents folder, so the sheet "
         "goes to the working folder " +
             quoted("working")},
        {"only the temporary folder", missing, "", missing, folder / "temporary",
         folder / "temporary",
         "No file can be created in the program's folder, a documents folder or the working "
         "folder, so the sheet goes to the temporary folder " +
             quoted("temporary")},
        {"nowhere: the write will say why", missing, "", missing, "", missing, ""},
    };
    for (const auto& row : rows) {
        const SheetFolderChoice choice =
            ChooseSheetFolderWithNote(row.program, row.documents, row.working, row.temporary);
        EXPECT_EQ(choice.folder, row.expected) << row.name;
        EXPECT_EQ(choice.note, row.note) << row.name;
    }
    for (const char* name : {"program", "documents", "working", "temporary"}) {
        EXPECT_TRUE(std::filesystem::is_empty(folder / name)) << name << ": a probe was left";
    }
}

TEST(ChooseSheetFolderTest, TheShortFormFallsBackToTheWorkingFolder) {
    TempFolder folder;
    EXPECT_EQ(ChooseSheetFolder(folder.path(), ""), folder.path());
    EXPECT_EQ(ChooseSheetFolder(folder / "missing", ""), std::filesystem::current_path());
}

}  // namespace
}  // namespace sundial

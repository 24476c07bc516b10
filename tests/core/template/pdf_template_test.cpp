// The tiled PDF as a printer and another PDF reader see it: a valid file of
// the pages it promises, a 100 mm bar that is 100 mm on every page, and each
// tile showing the dial at 1:1 exactly where the plan puts it.
#include "core/template/pdf_template.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <regex>
#include <sstream>

#include "core/pdf/pdf_error.h"
#include "core/pdf/win1252.h"
#include "core/plan/clip.h"
#include "core/plan/text_metrics.h"
#include "core/plan/title_block.h"
#include "core/template/svg_template.h"
#include "tests/core/pdf/support/pdf_test_support.h"
#include "tests/core/template/raster.h"
#include "tests/core/template/template_plans.h"

namespace sundial::tmpl {
namespace {

using pdf::testing::Quoted;
using pdf::testing::RunCommand;
using pdf::testing::TempFolder;
using plan::Element;
using plan::Point;
using plan::Rect;
using plan::Role;

constexpr double kPxPerMm = 5;
constexpr double kBarPxPerMm = 10;  // to measure the bar to a tenth of a mm
constexpr double kPtPerMm = 72 / 25.4;

struct PaperCase {
    const char* name;
    PageSetup setup;
    double width, height;  // the plate
};

class TemplatePdf : public ::testing::TestWithParam<PaperCase> {
  protected:
    void SetUp() override {
        const PaperCase& c = GetParam();
        plan = testing::PlanFor(testing::London(), testing::IssueOptions(c.width, c.height));
        file = dir / "template.pdf";
        layout = WriteTemplatePdf(plan, c.setup, file, pdf::testing::FixedEnvironment());
    }
    TempFolder dir;
    plan::Plan plan;
    std::filesystem::path file;
    TemplatePdfLayout layout;
};

TEST_P(TemplatePdf, IsAValidDocumentOfThePagesItPromises) {
    EXPECT_TRUE(pdf::testing::QpdfAccepts(file));
    EXPECT_EQ(layout.pages,
              2 + static_cast<int>(layout.dial.tiles.size() + layout.gnomon.tiles.size()));
    const std::string info = RunCommand("pdfinfo " + Quoted(file)).output;
    EXPECT_TRUE(
        std::regex_search(info, std::regex("Pages:\\s+" + std::to_string(layout.pages) + "\n")))
        << info;
    // Landscape pages are stored upright and turned for showing.
    EXPECT_NE(info.find(GetParam().setup.landscape ? "Page rot:        90" : "Page rot:        0"),
              std::string::npos);
    const std::string overview = RunCommand("pdftotext -f 1 -l 1 " + Quoted(file) + " -").output;
    EXPECT_NE(overview.find("Print every page at 100 %"), std::string::npos) << overview;
    EXPECT_NE(overview.find("R1 C1"), std::string::npos);
    // The setting-out page follows, whole on its page whatever the paper.
    const std::string setting = RunCommand("pdftotext -f 2 -l 2 " + Quoted(file) + " -").output;
    for (const char* words : {"Setting out the dial for", "True noon by the clock", "Dec",
                              "Checking it on the day", "Setting out"}) {
        EXPECT_NE(setting.find(words), std::string::npos) << words << "\n" << setting;
    }
}

// Every page: the bar in the foot is 100 mm long on paper.
// A batch writes the document from memory: the bytes must be the file's.
TEST_P(TemplatePdf, InMemoryItIsTheSameDocument) {
    std::string bytes = "left over";
    const TemplatePdfLayout inMemory =
        TemplatePdfBytes(plan, GetParam().setup, bytes, pdf::testing::FixedEnvironment());
    EXPECT_EQ(inMemory.pages, layout.pages);
    EXPECT_EQ(bytes, pdf::testing::ReadBytes(file));
}

TEST_P(TemplatePdf, BarMeasures100MillimetresOnEveryPage) {
    const Rect window = TileWindow(GetParam().setup);
    // The bar's middle row, as the foot draws it (its top 8 mm under the window).
    const double y = window.bottom + 8 + 2.5;
    for (int page = 1; page <= layout.pages; ++page) {
        const testing::Gray g = testing::RenderPdfPage(file, page, kBarPxPerMm);
        ASSERT_GT(g.width, 0);
        const Rect ink = g.InkBox({window.left, y - 0.2, window.right - 60, y + 0.2});
        EXPECT_NEAR(ink.Width(), 100, 0.25) << "page " << page;
        EXPECT_NEAR(ink.left, window.left + 12, 0.25) << "page " << page;
    }
}

// Each tile: hour lines and numerals where the plan puts them, shifted by
// the tile's place and nothing else.
TEST_P(TemplatePdf, TilesShowThePlanAtFullSizeInPlace) {
    const TileGrid& grid = layout.dial;
    int numerals = 0;
    for (size_t i = 0; i < grid.tiles.size(); ++i) {
        const Tile& t = grid.tiles[i];
        const testing::Gray g = testing::RenderPdfPage(file, 3 + static_cast<int>(i), kPxPerMm);
        ASSERT_GT(g.width, 0);
        // Within the window the tile's area is drawn at 1:1.
        const Rect inner = t.area.Inset(1);
        for (const Element& e : plan.dial.elements) {
            if (e.role == Role::HourLines) {
                const auto piece = plan::ClipSegment(e.points[0], e.points[1], inner);
                if (!piece) continue;
                for (const double f : {0.25, 0.5, 0.75}) {
                    const Point q{piece->first.x + f * (piece->second.x - piece->first.x),
                                  piece->first.y + f * (piece->second.y - piece->first.y)};
                    if (plan::Distance(q, plan.root) < 20) continue;  // lines crowd the root
                    EXPECT_TRUE(g.DarkNear(OnPage(t, grid.window, q)))
                        << "tile " << i << " hour " << *e.hour;
                }
            }
            if (e.role != Role::Numerals) continue;
            const Rect box = plan::TextBox(e);
            const Rect around =
                testing::AroundNumeral(box, e.textSizeMm, plan.plateWidthMm, plan.plateHeightMm);
            // Clear of the alignment marks in the overlap strips.
            if (!t.area.Inset(kOverlapMm + 1).ContainsRect(around)) continue;
            const Point a = OnPage(t, grid.window, {box.left, box.top});
            const Point b = OnPage(t, grid.window, {box.right, box.bottom});
            const Point c = OnPage(t, grid.window, {around.left, around.top});
            const Point d = OnPage(t, grid.window, {around.right, around.bottom});
            const Rect ink = g.InkBox({c.x, c.y, d.x, d.y});
            ++numerals;
            const double tol = 0.1 * e.textSizeMm + 2 / kPxPerMm;
            EXPECT_NEAR(ink.left, a.x, tol) << "tile " << i << " " << e.text;
            EXPECT_NEAR(ink.right, b.x, tol) << "tile " << i << " " << e.text;
            EXPECT_NEAR(ink.top, a.y, tol) << "tile " << i << " " << e.text;
            EXPECT_NEAR(ink.bottom, b.y, tol) << "tile " << i << " " << e.text;
        }
    }
    EXPECT_GE(numerals, 3);  // enough of them away from the overlaps to judge
}

// Words cross the tiles' edges, yet the strips just outside each window (short
// of the page's own words and crop marks) stay blank.
TEST_P(TemplatePdf, TilesShowNothingOutsideTheirWindow) {
    const Rect& w = layout.dial.window;
    const Rect strips[] = {{w.left + 1, w.top - 3, w.right - 1, w.top - 0.4},
                           {w.left + 1, w.bottom + 0.4, w.right - 1, w.bottom + 3},
                           {w.left - 3, w.top + 1, w.left - 0.4, w.bottom - 1},
                           {w.right + 0.4, w.top + 1, w.right + 3, w.bottom - 1}};
    int across = 0;
    for (size_t i = 0; i < layout.dial.tiles.size(); ++i) {
        const Rect& area = layout.dial.tiles[i].area;
        for (const Element& e : plan.dial.elements) {
            const Rect box = e.shape == plan::Shape::Text ? plan::TextBox(e) : Rect{};
            across += plan::Overlaps(box, area) && !area.ContainsRect(box);
        }
        const testing::Gray g = testing::RenderPdfPage(file, 3 + static_cast<int>(i), kPxPerMm);
        for (const Rect& strip : strips) {
            EXPECT_EQ(g.InkBox(strip).Width(), 0) << "tile " << i << " x " << strip.left;
        }
    }
    EXPECT_GT(across, 0) << "no word crosses a tile's edge: the plate proves nothing";
}

// Every font is embedded as a subset with a ToUnicode map, and the widths it
// declares are the plan's: each character any text of the plan uses is there,
// as wide as the layout measured it.
TEST_P(TemplatePdf, EveryFontIsEmbeddedWithThePlansWidths) {
    constexpr double kWidthTol = 1e-3;  // thousandths of the size, written to three places
    const std::string fonts = RunCommand("pdffonts " + Quoted(file)).output;
    std::istringstream rows(fonts);
    std::string row;
    int listed = 0;
    for (bool body = false; std::getline(rows, row);) {
        if (body) {
            ++listed;
            EXPECT_TRUE(
                std::regex_search(row, std::regex(R"(CID TrueType\s+Identity-H\s+yes yes yes)")))
                << row;
        }
        body = body || row.starts_with("---");
    }
    EXPECT_EQ(listed, 2) << fonts;

    const std::vector<pdf::testing::EmbeddedWidths> embedded =
        pdf::testing::ReadEmbeddedWidths(file);
    ASSERT_EQ(embedded.size(), 2u);
    std::map<bool, const pdf::testing::EmbeddedWidths*> byWeight;
    for (const auto& font : embedded) {
        const bool bold = font.baseFont.find("Bold") != std::string::npos;
        byWeight[bold] = &font;
        for (const auto& [c, width] : font.widths) {
            std::string utf8;
            pdf::testing::AppendUtf8(utf8, c);
            EXPECT_NEAR(width, plan::TextWidthMm(utf8, 1000, bold), kWidthTol)
                << font.baseFont << " U+" << std::hex << static_cast<unsigned>(c);
        }
    }
    ASSERT_EQ(byWeight.size(), 2u);
    for (const plan::Drawing* drawing : {&plan.dial, &plan.gnomon}) {
        for (const Element& e : drawing->elements) {
            if (e.shape != plan::Shape::Text) continue;
            for (std::size_t i = 0; i < e.text.size();) {
                const char32_t c = pdf::NextCodePoint(e.text, i);
                EXPECT_EQ(byWeight[e.bold]->widths.count(c), 1u) << e.text;
            }
        }
    }
}

// Another reader's word boxes of the numerals on each tile: as wide as the
// plan's boxes and where they are, in whichever way the page is turned.
TEST_P(TemplatePdf, NumeralWordsSitInThePlansBoxes) {
    constexpr double kBoxTolMm = 0.02;  // coordinates written to a thousandth of a point
    const std::regex word(
        R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re");
    const TileGrid& grid = layout.dial;
    int checked = 0;
    for (size_t i = 0; i < grid.tiles.size(); ++i) {
        const Tile& t = grid.tiles[i];
        const std::string page = std::to_string(3 + i);
        const std::string words =
            RunCommand("pdftotext -bbox -f " + page + " -l " + page + " " + Quoted(file) + " -")
                .output;
        for (const Element& e : plan.dial.elements) {
            if (e.role != Role::Numerals) continue;
            const Rect box = plan::TextBox(e);
            if (!t.area.Inset(kOverlapMm).ContainsRect(box)) continue;
            const Point left = OnPage(t, grid.window, {box.left, box.top});
            const Point right = OnPage(t, grid.window, {box.right, box.bottom});
            double nearest = 1e9, width = 0;
            for (auto it = std::sregex_iterator(words.begin(), words.end(), word);
                 it != std::sregex_iterator(); ++it) {
                const std::smatch& m = *it;
                if (m[5] != e.text) continue;
                const double xMin = std::stod(m[1]) / kPtPerMm, xMax = std::stod(m[3]) / kPtPerMm;
                if (std::fabs(xMin - left.x) < std::fabs(nearest)) {
                    nearest = xMin - left.x;
                    width = xMax - xMin;
                }
            }
            ++checked;
            EXPECT_NEAR(nearest, 0, kBoxTolMm) << "tile " << i << " " << e.text;
            EXPECT_NEAR(width, right.x - left.x, kBoxTolMm) << "tile " << i << " " << e.text;
        }
    }
    EXPECT_GE(checked, 3);
}

INSTANTIATE_TEST_SUITE_P(Papers, TemplatePdf,
                         ::testing::Values(PaperCase{"A4Portrait", {Paper::A4, false}, 600, 450},
                                           PaperCase{
                                               "LetterLandscape", {Paper::Letter, true}, 600, 450},
                                           PaperCase{"A3Portrait", {Paper::A3, false}, 800, 500},
                                           PaperCase{"OnePageGnomon", {Paper::A4, true}, 120, 100}),
                         [](const auto& info) { return std::string(info.param.name); });

// At 100 % the bar is 283.46 points: its outline's top edge in the first
// page's content runs between two x coordinates that far apart.
TEST(TemplatePdfContent, BarIs283Point46PointsLong) {
    TempFolder dir;
    const plan::Plan p = testing::PlanFor(testing::London(), testing::IssueOptions());
    WriteTemplatePdf(p, {Paper::A4, false}, dir / "t.pdf", pdf::testing::FixedEnvironment());
    const std::vector<std::string> lines =
        pdf::testing::PageContentLines(pdf::testing::ReadBytes(dir / "t.pdf"), 1);
    const std::regex point(R"(^(-?[\d.]+) (-?[\d.]+) ([ml])$)");
    bool found = false;
    for (size_t i = 1; i < lines.size() && !found; ++i) {
        std::smatch a, b;
        if (!std::regex_match(lines[i - 1], a, point) || !std::regex_match(lines[i], b, point))
            continue;
        found = a[3] == "m" && b[3] == "l" && a[2] == b[2] &&
                std::fabs(std::stod(b[1]) - std::stod(a[1]) - 283.46) < 0.01;
    }
    EXPECT_TRUE(found);
    EXPECT_NEAR(100 * kPtPerMm, 283.46, 0.01);
}

// A 5 m plate's overview as another reader finds it: a name for every row and
// column, none over another nor too small to read, and no shrunk copy of the
// strip's bar claiming to be 100 mm.
TEST(TemplatePdfContent, OverviewOfAFiveMetrePlateStaysReadable) {
    constexpr double kReadablePt = 4;  // the smallest name's box, either way
    TempFolder dir;
    const plan::Plan p = testing::PlanFor(testing::London(), testing::IssueOptions(5000, 5000));
    const TemplatePdfLayout layout = WriteTemplatePdf(p, {Paper::A4, false}, dir / "t.pdf");
    const std::string words =
        RunCommand("pdftotext -bbox -f 1 -l 1 " + Quoted(dir / "t.pdf") + " -").output;
    const std::regex name(
        R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">[RC]\d+<)re");
    std::vector<Rect> boxes;
    for (auto it = std::sregex_iterator(words.begin(), words.end(), name);
         it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        boxes.push_back({std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4])});
        EXPECT_GE(std::min(boxes.back().Width(), boxes.back().Height()), kReadablePt) << m[0];
        for (size_t i = 0; i + 1 < boxes.size(); ++i)
            EXPECT_FALSE(plan::Overlaps(boxes[i], boxes.back())) << m[0];
    }
    EXPECT_GE(boxes.size(), static_cast<size_t>(layout.dial.rows + layout.dial.columns));
    const std::string text =
        RunCommand("pdftotext -f 1 -l 1 " + Quoted(dir / "t.pdf") + " -").output;
    EXPECT_EQ(text.find("the bar is"), std::string::npos);
    EXPECT_NE(text.find("shows the dial at 1:"), std::string::npos);
}

// A school's analemmatic dial, 4 x 4 m on the ground: another reader finds
// each numeral on its tile where the plan puts it; the SVG is at 1:1; nothing
// of a gnomon in either.
TEST(TemplatePdfContent, AGroundDialsTilesHoldItsNumeralsWhereThePlanPutsThem) {
    constexpr double kBoxTolMm = 0.02;  // coordinates written to a thousandth of a point
    plan::PlanOptions o;
    o.analemmaticMajorMm = 1500;  // a 3 m ellipse
    o.widthMm = o.heightMm = 4000;
    o.extras.year = 2027;
    const plan::Plan p = testing::PlanFor(testing::London(), o);
    TempFolder dir;
    const auto file = dir / "ground.pdf";
    const TemplatePdfLayout layout =
        WriteTemplatePdf(p, {Paper::A4, false}, file, pdf::testing::FixedEnvironment());
    EXPECT_TRUE(pdf::testing::QpdfAccepts(file));
    EXPECT_TRUE(layout.gnomon.tiles.empty());
    EXPECT_EQ(layout.pages, 1 + static_cast<int>(layout.dial.tiles.size()));
    // Every page: its words and their boxes, from one reading of the file.
    const std::string all = RunCommand("pdftotext -bbox " + Quoted(file) + " -").output;
    std::vector<std::string> pages;
    for (std::size_t at = all.find("<page"); at != std::string::npos;) {
        const std::size_t next = all.find("<page", at + 1);
        pages.push_back(all.substr(at, next - at));
        at = next;
    }
    ASSERT_EQ(pages.size(), static_cast<std::size_t>(layout.pages));
    EXPECT_NE(pages[0].find(">gnomon:<"), std::string::npos) << "This dial has no gnomon: ...";
    EXPECT_EQ(all.find(">plate<"), std::string::npos);

    const std::regex word(R"re(xMin="([\d.]+)"[^>]*>([^<]*)<)re");
    int found = 0, numerals = 0;
    for (const plan::Element& e : p.dial.elements) {
        numerals += e.role == plan::Role::Numerals;
        for (std::size_t i = 0; e.role == plan::Role::Numerals && i < layout.dial.tiles.size();
             ++i) {
            const plan::Rect box = plan::TextBox(e), area = layout.dial.tiles[i].area;
            if (!area.Inset(kOverlapMm).ContainsRect(box)) continue;
            bool seen = false;
            for (auto it = std::sregex_iterator(pages[i + 1].begin(), pages[i + 1].end(), word);
                 it != std::sregex_iterator(); ++it) {
                const double left = std::stod((*it)[1]) / kPtPerMm + area.left;
                seen = seen || ((*it)[2] == e.text &&
                                std::fabs(left - layout.dial.window.left - box.left) < kBoxTolMm);
            }
            EXPECT_TRUE(seen) << e.text << " on tile " << i;
            found += seen;
        }
    }
    EXPECT_EQ(numerals, 17);  // 4 am to 8 pm in London
    EXPECT_GE(found, 3) << "enough numerals lie whole on one tile to judge";
    // The SVG: as wide as the dial at 1:1, and nothing beside it.
    const std::string svg = PlanSvg(p);
    EXPECT_NE(svg.find("width=\"" + plan::MmText(p.dial.widthMm) + "mm\""), std::string::npos);
    EXPECT_EQ(svg.find("gnomon-plate"), std::string::npos);
}

TEST(TemplatePdfContent, UnwritableFileIsAWriteErrorWithThePath) {
    TempFolder dir;
    const plan::Plan p = testing::PlanFor(testing::London(), testing::IssueOptions());
    const auto file = dir / "missing" / "t.pdf";
    try {
        WriteTemplatePdf(p, {Paper::A4, false}, file);
        FAIL() << "no error";
    } catch (const pdf::PdfWriteError& e) {
        EXPECT_EQ(e.path(), file);
    }
}

}  // namespace
}  // namespace sundial::tmpl

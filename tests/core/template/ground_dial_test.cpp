// A school's analemmatic dial, 4 x 4 m on the ground, as the printer, the
// painter and the cutter get it: tiled PDF pages another reader finds the
// hour numerals on where the plan puts them, and an SVG at 1:1 with nothing
// of a gnomon in any of them.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "core/plan/text_metrics.h"
#include "core/plan/title_block.h"
#include "core/template/pdf_template.h"
#include "core/template/svg_template.h"
#include "tests/core/pdf/support/pdf_test_support.h"
#include "tests/core/template/template_plans.h"

namespace sundial::tmpl {
namespace {

using pdf::testing::Quoted;
using pdf::testing::RunCommand;
using pdf::testing::TempFolder;

constexpr double kPtPerMm = 72 / 25.4;
constexpr double kBoxTolMm = 0.02;  // coordinates written to a thousandth of a point

plan::PlanOptions GroundDial() {
    plan::PlanOptions o;
    o.analemmaticMajorMm = 1500;  // a 3 m ellipse
    o.widthMm = o.heightMm = 4000;
    o.extras.year = 2027;
    o.extras.dates = {{6, 14}};
    o.madeOn = "2027-03-01";
    return o;
}

TEST(GroundDial, TiledPagesHoldEveryNumeralWhereThePlanPutsIt) {
    const plan::Plan p = testing::PlanFor(testing::London(), GroundDial());
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
    const std::string overview = RunCommand("pdftotext -f 1 -l 1 " + Quoted(file) + " -").output;
    EXPECT_NE(overview.find("This dial has no gnomon"), std::string::npos) << overview;
    EXPECT_EQ(all.find("nomon plate"), std::string::npos);

    const std::regex word(
        R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re");
    int found = 0, numerals = 0;
    for (const plan::Element& e : p.dial.elements) {
        if (e.role != plan::Role::Numerals) continue;
        ++numerals;
        const plan::Rect box = plan::TextBox(e);
        for (std::size_t i = 0; i < layout.dial.tiles.size(); ++i) {
            const Tile& t = layout.dial.tiles[i];
            if (!t.area.Inset(kOverlapMm).ContainsRect(box)) continue;
            const double left = box.left - t.area.left + layout.dial.window.left;
            bool seen = false;
            const std::string& words = pages[i + 1];
            for (auto it = std::sregex_iterator(words.begin(), words.end(), word);
                 it != std::sregex_iterator(); ++it) {
                const std::smatch& m = *it;
                seen = seen ||
                       (m[5] == e.text && std::fabs(std::stod(m[1]) / kPtPerMm - left) < kBoxTolMm);
            }
            EXPECT_TRUE(seen) << e.text << " on tile " << i;
            found += seen;
        }
    }
    EXPECT_EQ(numerals, 17);  // 4 am to 8 pm in London
    EXPECT_GE(found, 3) << "enough numerals lie whole on one tile to judge";
}

TEST(GroundDial, SvgIsFullSizeWithTheDialsOwnGroups) {
    const plan::Plan p = testing::PlanFor(testing::London(), GroundDial());
    const std::string svg = PlanSvg(p);
    EXPECT_NE(svg.find("width=\"" + plan::MmText(p.dial.widthMm) + "mm\""), std::string::npos);
    EXPECT_GE(p.dial.widthMm, 4000);
    for (const char* group :
         {"ellipse", "hour-points", "date-scale", "north-arrow", "setting-out"}) {
        EXPECT_NE(svg.find(std::string("<g id=\"") + group + "\""), std::string::npos) << group;
    }
    EXPECT_EQ(svg.find("gnomon-plate"), std::string::npos);
    // A second renderer reads it, and draws it 4 m wide at 1 px a millimetre.
    TempFolder dir;
    WriteTextFile(dir / "g.svg", svg);
    const auto run = RunCommand("rsvg-convert -d 25.4 -p 25.4 " + Quoted(dir / "g.svg") + " -o " +
                                Quoted(dir / "g.png"));
    ASSERT_EQ(run.status, 0) << run.output;
    // The PNG's width: the first four bytes of its header chunk, big-endian.
    const std::string png = pdf::testing::ReadBytes(dir / "g.png");
    ASSERT_GT(png.size(), 24u);
    long width = 0;
    for (int i = 16; i < 20; ++i) width = width * 256 + static_cast<unsigned char>(png[i]);
    EXPECT_NEAR(width, p.dial.widthMm, 1);
}

}  // namespace
}  // namespace sundial::tmpl

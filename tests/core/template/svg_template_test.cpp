// The SVG as another program reads it: the right size in millimetres, one
// layer per role, and every line and numeral where the plan put it.
#include "core/template/svg_template.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <regex>

#include "core/plan/text_metrics.h"
#include "core/template/template_error.h"
#include "tests/core/pdf/support/pdf_test_support.h"
#include "tests/core/template/raster.h"
#include "tests/core/template/template_plans.h"

namespace sundial::tmpl {
namespace {

using pdf::testing::Quoted;
using pdf::testing::RunCommand;
using pdf::testing::TempFolder;
using plan::Element;
using plan::Role;

constexpr double kPxPerMm = 5;
// Points per millimetre, and what pdfinfo's two decimals allow.
constexpr double kPtPerMm = 72 / 25.4;
constexpr double kPdfinfoTol = 0.01;

// rsvg-convert turns the SVG into a PDF page of the SVG's own size.
TEST(SvgTemplate, OpensAtFullSize) {
    const struct {
        const char* name;
        double w, h;
    } rows[] = {{"issue", 600, 450}, {"smallest", 50, 50}, {"wide", 2000, 300}};
    TempFolder dir;
    for (const auto& r : rows) {
        const plan::Plan p = testing::PlanFor(testing::London(), testing::IssueOptions(r.w, r.h));
        const auto svg = dir / (std::string(r.name) + ".svg");
        WriteTextFile(svg, PlanSvg(p));
        const auto pdf = dir / (std::string(r.name) + ".pdf");
        ASSERT_TRUE(pdf::testing::HaveTool("rsvg-convert"));
        ASSERT_EQ(RunCommand("rsvg-convert -f pdf -o " + Quoted(pdf) + " " + Quoted(svg)).status,
                  0);
        const std::string info = RunCommand("pdfinfo " + Quoted(pdf)).output;
        std::smatch m;
        ASSERT_TRUE(
            std::regex_search(info, m, std::regex(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)")))
            << info;
        // The gnomon right of the dial, the setting-out text under the gnomon.
        const double width =
            p.dial.widthMm + kGnomonGapMm + std::max(p.gnomon.widthMm, p.settingOut.widthMm);
        const double height =
            std::max(p.dial.heightMm, p.gnomon.heightMm + kGnomonGapMm + p.settingOut.heightMm);
        EXPECT_NEAR(std::stod(m[1]), width * kPtPerMm, kPdfinfoTol) << r.name;
        EXPECT_NEAR(std::stod(m[2]), height * kPtPerMm, kPdfinfoTol) << r.name;
    }
}

TEST(SvgTemplate, OneLayerPerRoleAndEveryHourLineCarriesItsHour) {
    const plan::Plan p = testing::PlanFor(testing::London(), testing::IssueOptions());
    const std::string svg = PlanSvg(p);
    // Millimetres, with a viewBox of the same numbers: one unit is one mm.
    EXPECT_TRUE(std::regex_search(
        svg, std::regex(R"re(width="([\d.]+)mm" height="([\d.]+)mm" viewBox="0 0 \1 \2")re")));
    for (const Role role : plan::kAllRoles) {
        const std::string id = "<g id=\"" + std::string(plan::RoleName(role)) + "\"";
        EXPECT_NE(svg.find(id), std::string::npos) << id;
    }
    // Hour lines as <line> with data-hour, in the hour-lines layer.
    const size_t from = svg.find("<g id=\"hour-lines\""), to = svg.find("</g>", from);
    const std::string layer = svg.substr(from, to - from);
    std::vector<double> hours;
    const std::regex line(R"re(<line [^>]*data-hour="([\d.]+)")re");
    for (auto it = std::sregex_iterator(layer.begin(), layer.end(), line);
         it != std::sregex_iterator(); ++it) {
        hours.push_back(std::stod((*it)[1]));
    }
    std::vector<double> expected;
    for (const Element& e : p.dial.elements) {
        if (e.role == Role::HourLines) expected.push_back(*e.hour);
    }
    EXPECT_EQ(hours, expected);
    EXPECT_NE(svg.find("data-hour=\"13.5\""), std::string::npos);  // a half hour
}

// Numbers in the file never take the process locale's decimal comma.
TEST(SvgTemplate, SameBytesUnderACommaDecimalLocale) {
    const plan::Plan p = testing::PlanFor(testing::London(), testing::IssueOptions());
    const std::string c = PlanSvg(p);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE.UTF-8 locale";
    const std::string german = PlanSvg(p);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(c, german);
}

// Rendered by rsvg: ink on every hour line where the plan puts it, and each
// numeral's ink inside the box the layout measured for it.
TEST(SvgTemplate, RenderedLinesAndNumeralsAreWhereThePlanPutsThem) {
    const plan::Plan p = testing::PlanFor(testing::London(), testing::IssueOptions());
    TempFolder dir;
    WriteTextFile(dir / "dial.svg", PlanSvg(p));
    const testing::Gray g = testing::RenderSvg(dir / "dial.svg", kPxPerMm);
    ASSERT_GT(g.width, 0);
    int numerals = 0;
    for (const Element& e : p.dial.elements) {
        if (e.role == Role::HourLines) {
            for (const double f : {0.3, 0.6, 0.95}) {
                const plan::Point q{e.points[0].x + f * (e.points[1].x - e.points[0].x),
                                    e.points[0].y + f * (e.points[1].y - e.points[0].y)};
                EXPECT_TRUE(g.DarkNear(q)) << "hour " << *e.hour << " at " << f;
            }
        }
        if (e.role != Role::Numerals) continue;
        ++numerals;
        const plan::Rect box = plan::TextBox(e);
        // Glyphs sit inside their advance by a side bearing; the rest is a
        // pixel or two of rasterising.
        const double tol = 0.1 * e.textSizeMm + 2 / kPxPerMm;
        const plan::Rect ink =
            g.InkBox(testing::AroundNumeral(box, e.textSizeMm, p.plateWidthMm, p.plateHeightMm));
        EXPECT_NEAR(ink.left, box.left, tol) << e.text;
        EXPECT_NEAR(ink.right, box.right, tol) << e.text;
        EXPECT_NEAR(ink.top, box.top, tol) << e.text;
        EXPECT_NEAR(ink.bottom, box.bottom, tol) << e.text;
    }
    EXPECT_EQ(numerals, 12);
}

TEST(SvgTemplate, UnwritableFileIsReportedWithItsPath) {
    TempFolder dir;
    const auto file = dir / "no-such-folder" / "dial.svg";
    try {
        WriteTextFile(file, "x");
        FAIL() << "no error";
    } catch (const TemplateWriteError& e) {
        EXPECT_EQ(e.path(), file);
        EXPECT_NE(std::string(e.what()).find("dial.svg"), std::string::npos);
    }
}

}  // namespace
}  // namespace sundial::tmpl

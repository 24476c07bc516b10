// The DXF as a second program reads it (ezdxf): millimetres, a layer per
// role, and every entity where the plan put it, turned upright.
#include "core/template/dxf_template.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

#include "core/plan/text_metrics.h"
#include "core/template/svg_template.h"
#include "tests/core/pdf/support/pdf_test_support.h"
#include "tests/core/template/template_plans.h"

namespace sundial::tmpl {
namespace {

using pdf::testing::Quoted;
using pdf::testing::RunCommand;
using pdf::testing::TempFolder;
using plan::Element;
using plan::Shape;

// Positions go into the file as the shortest exact decimal; the reader's
// repr of them comes back exact, so the allowance is what cutters care about.
constexpr double kPositionTolMm = 0.001;

// The system's Python, which has the packaged ezdxf, before any other.
std::string Python() {
    return std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream in(line);
    for (std::string f; std::getline(in, f, '\t');) out.push_back(f);
    return out;
}

// A dash length as Python's repr prints it: 2.5, 3.0.
std::string ReprOf(double mm) {
    std::string text = std::to_string(mm);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text += '0';
    return text;
}

// What the reader should print for `e`, placed `dx` to the right and turned
// upright in a drawing `height` tall.
std::vector<double> Expected(const Element& e, double dx, double height) {
    std::vector<double> v;
    const auto add = [&](const plan::Point& p) { v.insert(v.end(), {p.x + dx, height - p.y}); };
    if (e.shape == Shape::Polygon || e.shape == Shape::Polyline)
        v.push_back(e.shape == Shape::Polygon);
    for (const plan::Point& p : e.points) add(p);
    if (e.shape == Shape::Circle) v.push_back(e.radiusMm);
    if (e.shape == Shape::Text) v.push_back(e.textSizeMm * plan::kCapHeight);
    return v;
}

TEST(DxfTemplate, ASecondReaderFindsEveryEntityWhereThePlanPutsIt) {
    const struct {
        const char* name;
        plan::PlanOptions options;
    } rows[] = {
        {"issue", testing::IssueOptions()},
        {"small-quarters-arabic",
         [] {
             plan::PlanOptions o = testing::IssueOptions(120, 90);
             o.quarterHours = true;
             o.numerals = plan::NumeralStyle::Arabic;
             o.monthLines = true;
             o.madeOn = "2025-03-07 Zürich";  // a character beyond ASCII
             return o;
         }()},
        {"analemmatic-4m",
         [] {
             plan::PlanOptions o;
             o.analemmaticMajorMm = 1500;
             o.widthMm = o.heightMm = 4000;
             return o;
         }()},
        // Every dashed kind: the falling halves, the substyle, the horizon
        // and the equinoctial; and the text codes a title may hold.
        {"dashed-and-coded",
         [] {
             plan::PlanOptions o = testing::IssueOptions();
             o.extras.clockTime = true;
             o.extras.year = 2025;
             o.extras.horizon = true;
             o.extras.equinoctial = true;
             o.madeOn = "100%%d %%u ^I 5%";
             return o;
         }()},
    };
    // Linetype names CAD programs draw dashed by name alone, whatever the
    // file's own pattern says.
    const std::set<std::string> kKnownNames = {"DASHED",   "DASHED2",  "DASHEDX2", "HIDDEN",
                                               "HIDDEN2",  "HIDDENX2", "CENTER",   "CENTER2",
                                               "CENTERX2", "DOT",      "DASHDOT",  "PHANTOM"};
    TempFolder dir;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const plan::Plan p = testing::PlanFor(testing::London(), r.options);
        const auto file = dir / (std::string(r.name) + ".dxf");
        WritePlanDxf(p, file);
        const auto run =
            RunCommand(Python() + " " SUNDIAL_TEST_DATA_DIR "/read_dxf.py " + Quoted(file));
        if (run.status == 77) GTEST_SKIP() << "ezdxf is missing";
        ASSERT_EQ(run.status, 0) << run.output;
        std::stringstream out(run.output);
        std::string line;
        std::getline(out, line);
        EXPECT_EQ(line, "errors 0 fixes 0");
        std::getline(out, line);
        EXPECT_EQ(line, "insunits 4");  // millimetres
        std::getline(out, line);
        // One layer for each role, named as the SVG's groups, beside the two
        // every DXF has.
        std::vector<std::string> layers = {"0", "Defpoints"};
        for (const plan::Role role : plan::kAllRoles) {
            // A dial without a gnomon (the analemmatic one) has no layer for it.
            if (role != plan::Role::GnomonPlate || !p.gnomon.elements.empty())
                layers.emplace_back(plan::RoleName(role));
        }
        std::sort(layers.begin() + 2, layers.end());
        std::string expected = "layers";
        for (const std::string& name : layers) expected += " " + name;
        EXPECT_EQ(line, expected);
        std::getline(out, line);
        std::map<std::string, std::string> patterns;  // name -> "dash,gap"
        std::stringstream types(line.substr(line.find(' ') + 1));
        for (std::string t; types >> t;)
            patterns[t.substr(0, t.find('='))] = t.substr(t.find('=') + 1);

        // The gnomon right of the dial, the setting-out text under the gnomon:
        // its y is moved down, so the sheet's height less that shift flips it.
        const double right = p.dial.widthMm + kGnomonGapMm;
        const double below = p.gnomon.heightMm + kGnomonGapMm;
        const double height = std::max(p.dial.heightMm, below + p.settingOut.heightMm);
        std::vector<std::tuple<const Element*, double, double>> elements;
        for (const Element& e : p.dial.elements) elements.emplace_back(&e, 0, height);
        for (const Element& e : p.gnomon.elements) elements.emplace_back(&e, right, height);
        for (const Element& e : p.settingOut.elements) {
            elements.emplace_back(&e, right, height - below);
        }
        static constexpr const char* kTypes[] = {"LINE", "LWPOLYLINE", "LWPOLYLINE", "CIRCLE",
                                                 "TEXT"};
        for (const auto& [e, dx, flip] : elements) {
            ASSERT_TRUE(std::getline(out, line)) << "fewer entities than elements";
            const std::vector<std::string> f = Fields(line);
            ASSERT_GE(f.size(), 2u) << line;
            EXPECT_EQ(f[0], plan::RoleName(e->role)) << line;
            EXPECT_EQ(f[1], kTypes[static_cast<int>(e->shape)]) << line;
            const std::vector<double> want = Expected(*e, dx, flip);
            ASSERT_GE(f.size(), 2 + want.size()) << line;
            for (std::size_t i = 0; i < want.size(); ++i) {
                EXPECT_NEAR(std::stod(f[2 + i]), want[i], kPositionTolMm) << line;
            }
            if (e->shape == Shape::Text) {
                EXPECT_EQ(std::stoi(f[5]), static_cast<int>(e->anchor)) << line;
                // The file's codes are the reader's to undo; only an
                // unescaped text is compared whole.
                if (e->text.find_first_of("%^") == std::string::npos) {
                    EXPECT_EQ(f[6], e->text) << line;
                }
            }
            if (e->dashMm > 0) {
                // Drawn dashed by name, with the plan's own dash and gap.
                EXPECT_EQ(kKnownNames.count(f.back()), 1u) << line;
                const std::string dash = ReprOf(e->dashMm);
                EXPECT_EQ(patterns[f.back()], dash + ",-" + dash) << line;
            } else {
                EXPECT_TRUE(f.back() == "CONTINUOUS" || f.back() == "BYLAYER") << line;
            }
        }
        EXPECT_FALSE(std::getline(out, line)) << "more entities than elements: " << line;
    }
}

// Outlined, no text is left as TEXT, and every numeral's outline lies in the
// box the layout gave the numeral (the font is another than the layout
// measured with, so a tenth of the size is allowed around it).
TEST(DxfTemplate, OutlinedNumeralsStayInTheirBoxes) {
    const plan::Plan p = testing::PlanFor(testing::London(), testing::IssueOptions());
    TempFolder dir;
    WritePlanDxf(p, dir / "outlines.dxf", DxfLettering::Outlines);
    const auto run = RunCommand(Python() + " " SUNDIAL_TEST_DATA_DIR "/read_dxf.py " +
                                Quoted(dir / "outlines.dxf"));
    if (run.status == 77) GTEST_SKIP() << "ezdxf is missing";
    ASSERT_EQ(run.status, 0) << run.output;
    const double height = std::max(p.dial.heightMm, p.gnomon.heightMm);
    std::vector<plan::Rect> boxes;
    for (const Element& e : p.dial.elements) {
        if (e.role == plan::Role::Numerals) {
            boxes.push_back(plan::TextBox(e).Inset(-0.1 * e.textSizeMm));
        }
    }
    std::stringstream out(run.output);
    int contours = 0;
    for (std::string line; std::getline(out, line);) {
        const std::vector<std::string> f = Fields(line);
        EXPECT_FALSE(f.size() > 1 && f[1] == "TEXT") << line;
        if (f.empty() || f[0] != "numerals") continue;
        ++contours;
        for (std::size_t i = 3; i + 1 < f.size(); i += 2) {
            const plan::Point at{std::stod(f[i]), height - std::stod(f[i + 1])};
            EXPECT_TRUE(std::any_of(boxes.begin(), boxes.end(), [&](const plan::Rect& r) {
                return r.Contains(at);
            })) << line;
        }
    }
    EXPECT_GE(contours, static_cast<int>(boxes.size()));
}

TEST(DxfTemplate, TextNeverEndsItsRecordAndKeepsEveryCharacter) {
    const struct {
        const char* name;
        std::string in, out;
    } rows[] = {
        {"ascii", "XII 2025-03-07", "XII 2025-03-07"},
        {"degree-and-umlaut", "51.5\xC2\xB0 Z\xC3\xBCrich", "51.5\xB0 Z\xFCrich"},
        {"beyond-the-code-page", "\xE2\x9C\x93 \xE2\x82\xAC", "\\U+2713 \x80"},
        {"beyond-the-four-digits", "\xF0\x9F\x8C\x9E", "?"},
        {"newline-and-tab", "a\nb\tc\r", "a?b?c?"},
        // "%%%" is a percent sign and "^ " a caret, each standing alone; a
        // percent sign no other follows starts no code and stays as it is.
        {"symbol-and-underline-codes", "100%%d %%u", "100%%%%d %%%%u"},
        {"three-percent-signs", "%%%", "%%%%%%%"},
        {"lone-percent", "5% of 10%", "5% of 10%"},
        {"caret-code", "^I", "^ I"},
        {"broken-and-overlong", "a\xC3 \xC0\xAF\xED\xA0\x80", "a? ?????"},
    };
    for (const auto& r : rows) EXPECT_EQ(DxfText(r.in), r.out) << r.name;
}

}  // namespace
}  // namespace sundial::tmpl

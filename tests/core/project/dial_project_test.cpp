// Dial projects: what is saved opens as the same design, and a file that is
// wrong anywhere is refused whole, with the field named.
#include "core/project/dial_project.h"

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "core/template/pdf_template.h"
#include "core/template/svg_template.h"
#include "tests/core/io/io_test_support.h"
#include "tests/core/pdf/support/pdf_test_support.h"
#include "tests/core/template/template_plans.h"

namespace sundial::project {
namespace {

using io::testing::ScratchFolder;

DialProject Exeter(std::map<std::string, std::string, std::less<>> options) {
    SiteState site;
    site.PlaceName = "Exeter, Britain";
    site.Latitude = 50.72f;
    site.Longitude = 3.53f;
    site.UtcOffset = 1;
    site.WallBearing = "193.4";
    DeriveDeclination(site);
    return {site, std::move(options)};
}

// The design's SVG and PDF, the PDF stamped with a fixed date.
std::string Drawings(const DialProject& p) {
    const tmpl::TemplateOptionsRead read =
        tmpl::ReadTemplateOptions(ProjectLookup(p), ProjectNumberReader(), "2026-12-09");
    EXPECT_TRUE(read.options) << read.message;
    if (!read.options) return {};
    const plan::Plan plan = tmpl::testing::PlanFor(p.site, read.options->plan);
    std::string pdf;
    tmpl::TemplatePdfBytes(plan, read.options->page, pdf, pdf::testing::FixedEnvironment());
    return tmpl::PlanSvg(plan) + pdf;
}

// Saved, written, read back: the same project, and so the same SVG and PDF.
TEST(DialProject, SavedAndOpenedGivesTheSameDesign) {
    const DialProject rows[] = {
        Exeter({{"width", "600"}, {"height", "450"}}),
        Exeter({{"width", "812.25"},
                {"height", "333.5"},
                {"root-x", "100.125"},
                {"root-y", "20"},
                {"half", ""},
                {"quarter", ""},
                {"numerals", "arabic"},
                {"date-lines", ""},
                {"months", ""},
                {"nodus", "123.4"},
                {"style", "200"},
                {"made", "9 Dec 2026 \xC2\xB7 Z\xC3\xBCrich"},
                {"paper", "letter"},
                {"landscape", ""}}),
        // Curves for the sun's year without a year named: this year's.
        Exeter({{"width", "600"}, {"height", "450"}, {"nodus", "150"}, {"clock-time", ""}}),
    };
    ScratchFolder dir;
    for (const DialProject& p : rows) {
        std::string error;
        ASSERT_TRUE(WriteProject(p, dir / "dial.sundial", error)) << error;
        const ProjectRead read = ReadProject(dir / "dial.sundial");
        ASSERT_TRUE(read.project) << read.message;
        EXPECT_EQ(*read.project, p);
        EXPECT_EQ(Drawings(*read.project), Drawings(p));
        EXPECT_EQ(ProjectJson(*read.project), ProjectJson(p));
    }
}

// Each row spoils one field of a good project.
TEST(DialProject, EveryFieldIsCheckedAndNamed) {
    const nlohmann::json good = nlohmann::json::parse(ProjectJson(
        Exeter({{"width", "600"}, {"height", "450"}, {"date-lines", ""}, {"nodus", "150"}})));
    const struct {
        const char* name;
        const char* pointer;  // the field changed
        nlohmann::json value;
        const char* message;
    } rows[] = {
        {"newer", "/version", 4, "newer version of the program (project version 4; this one"},
        // A named zone needs version 3: a version 2 file holding one is no
        // version 2 file.
        {"zone-before-its-version", "/site/tz", "Europe/London", "site.tz is no field of a site"},
        {"version-text", "/version", "1", "version must be a whole number"},
        {"format", "/format", "sundial", "it is not a dial project"},
        {"extra", "/colour", "red", "colour is no field of a dial project"},
        {"no-site", "/site", nullptr, "site must be an object"},
        {"latitude", "/site/latitude", 90, "site.latitude 90 is outside -89 to 89"},
        {"longitude", "/site/longitude", -181, "site.longitude -181 is outside -180 to 180"},
        {"bearing", "/site/bearing", 361, "site.bearing 361 is outside 0 to 360"},
        {"zone", "/site/utc", 0.3, "site.utc 0.3 is no zone"},
        {"place-control", "/site/place", "a\nb", "site.place holds a control character"},
        {"place-long", "/site/place", std::string(300, 'x'), "site.place is too long"},
        {"option", "/template/colour", "red", "template.colour is no template option"},
        {"switch", "/template/half", 1, "template.half must be true or false"},
        {"array", "/template/width", nlohmann::json::array({600}), "template.width must be a text"},
        {"number-text", "/template/nodus", "150mm", "template.nodus \"150mm\" is not a number"},
        {"range", "/template/width", 20, "template: The plate's width must be"},
        {"rule", "/template/nodus", nullptr, "template: --date-lines and --noon-curve need"},
    };
    for (const auto& r : rows) {
        nlohmann::json spoilt = good;
        const nlohmann::json::json_pointer at(r.pointer);
        if (r.value.is_null()) {
            spoilt[at.parent_pointer()].erase(at.back());
            if (std::string(r.pointer) == "/site") spoilt["site"] = 1;
        } else {
            spoilt[at] = r.value;
        }
        const ProjectRead read = ParseProject(spoilt.dump());
        EXPECT_FALSE(read.project) << r.name;
        EXPECT_NE(read.message.find(r.message), std::string::npos)
            << r.name << ": " << read.message;
    }
    EXPECT_TRUE(ParseProject(good.dump()).project);
    // Whatever follows the object, even behind a NUL byte, spoils the file.
    for (const std::string& tail : {std::string("{}"), std::string("\0garbage", 8),
                                    std::string("\0", 1), std::string(" \0{}", 4)}) {
        const ProjectRead read = ParseProject(good.dump() + tail);
        EXPECT_FALSE(read.project) << tail.size();
        EXPECT_EQ(read.message, "it is not JSON text of an object") << tail.size();
    }
}

// A save is refused, leaving no file, exactly where opening would refuse, and
// in the reader's words; a project at the limits saves and opens whole.
TEST(DialProject, WhatWouldNotOpenIsNotSaved) {
    std::string ae200, dates25 = "01-01";  // 200 characters in 400 bytes; 25 dates
    for (int i = 0; i < 200; ++i) ae200 += "\xC3\xA4";
    for (int day = 2; day <= 25; ++day)
        dates25 += (day < 10 ? ",01-0" : ",01-") + std::to_string(day);
    const struct {
        const char *name, *option;
        std::string place, value;
        const char* refusal;  // empty: saved and opened again
    } rows[] = {
        {"at the limits", "date-line", ae200, dates25.substr(6), ""},
        {"made at the limit", "made", "Exeter", std::string(200, 'm'), ""},
        {"place", "half", std::string(201, 'p'), "",
         "site.place is too long (more than 200 characters)"},
        {"made", "made", "Exeter", ae200 + "m",
         "template.made is too long (more than 200 characters)"},
        {"dates", "date-line", "Exeter", dates25,
         "template: --date-line: more than 24 different dates."},
    };
    ScratchFolder dir;
    for (const auto& r : rows) {
        DialProject p =
            Exeter({{"width", "600"}, {"height", "450"}, {"nodus", "150"}, {r.option, r.value}});
        p.site.PlaceName = r.place;
        std::string error;
        EXPECT_EQ(WriteProject(p, dir / r.name, error), *r.refusal == '\0') << r.name;
        EXPECT_EQ(error, r.refusal) << r.name;
        EXPECT_EQ(ReadProject(dir / r.name).project, *r.refusal ? std::nullopt : std::optional(p))
            << r.name;
    }
}

TEST(DialProject, OnlyASmallRegularFileIsRead) {
    ScratchFolder dir;
    std::ofstream(dir / "padded", std::ios::binary)
        << ProjectJson(Exeter({{"width", "600"}, {"height", "450"}}))
        << std::string(kProjectReadLimit, ' ');
    EXPECT_EQ(ReadProject(dir / "padded").message,
              (dir / "padded").string() + ": it is larger than a dial project can be (64 KiB)");
    EXPECT_EQ(ReadProject(dir.path()).message, dir.path().string() + ": it is a folder");
    EXPECT_NE(ParseProject(std::string(1000, '[')).message.find("nested too deeply"),
              std::string::npos);
}

}  // namespace
}  // namespace sundial::project

// sundial-cli template: the full-size dial plan for a site, written as a tiled
// PDF and/or an SVG, or printed as JSON.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <ctime>
#include <exception>
#include <filesystem>

#include "cli/cli_app.h"
#include "cli/cli_command.h"
#include "cli/output_text.h"
#include "cli/site_options.h"
#include "core/plan/plan.h"
#include "core/plan/sun_samples.h"
#include "core/template/pdf_template.h"
#include "core/template/svg_template.h"

namespace sundial {

namespace {

using plan::Element;

double Micrometres(double mm) {
    return std::round(mm * 1000) / 1000;
}

double MmOption(const OptionParser& parser, const char* name) {
    return ParseNumberOption(parser.Value(name), name);
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Today in the local time zone, "2026-06-21".
std::string Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

const char* ShapeName(plan::Shape shape) {
    switch (shape) {
        case plan::Shape::Line:
            return "line";
        case plan::Shape::Polyline:
            return "polyline";
        case plan::Shape::Polygon:
            return "polygon";
        case plan::Shape::Circle:
            return "circle";
        case plan::Shape::Text:
            return "text";
    }
    return "";
}

nlohmann::json ElementsJson(const std::vector<Element>& elements) {
    nlohmann::json array = nlohmann::json::array();
    for (const Element& e : elements) {
        nlohmann::json o = nlohmann::json::object();
        o["role"] = std::string(plan::RoleName(e.role));
        o["shape"] = ShapeName(e.shape);
        if (e.hour) o["hour"] = *e.hour;
        if (!e.text.empty()) o["text"] = e.text;
        if (e.shape == plan::Shape::Text) o["size"] = Micrometres(e.textSizeMm);
        if (e.shape == plan::Shape::Circle) o["radius"] = Micrometres(e.radiusMm);
        nlohmann::json points = nlohmann::json::array();
        for (const plan::Point& p : e.points) {
            points.push_back(nlohmann::json::array({Micrometres(p.x), Micrometres(p.y)}));
        }
        o["points"] = points;
        array.push_back(o);
    }
    return array;
}

std::string PlanJson(const plan::Plan& p) {
    const nlohmann::json gnomon{{"style", Micrometres(p.gnomonSize.styleMm)},
                                {"alongWall", Micrometres(p.gnomonSize.alongWallMm)},
                                {"outFromWall", Micrometres(p.gnomonSize.outMm)},
                                {"angle", p.gnomonSize.angleDeg},
                                {"elements", ElementsJson(p.gnomon.elements)}};
    const nlohmann::json notes = p.notes;
    const nlohmann::json root{
        {"plate", {{"width", p.plateWidthMm}, {"height", p.plateHeightMm}}},
        {"root", nlohmann::json::array({Micrometres(p.root.x), Micrometres(p.root.y)})},
        {"size",
         {{"width", Micrometres(p.dial.widthMm)}, {"height", Micrometres(p.dial.heightMm)}}},
        {"numeralSize", Micrometres(p.numeralSizeMm)},
        {"elements", ElementsJson(p.dial.elements)},
        {"gnomon", gnomon},
        {"notes", notes},
    };
    return JsonText(root);
}

tmpl::PageSetup ReadPageSetup(const OptionParser& parser) {
    tmpl::PageSetup setup;
    setup.landscape = parser.IsSet("landscape");
    const std::string paper = Lower(parser.Value("paper"));
    if (paper == "a4") {
        setup.paper = tmpl::Paper::A4;
    } else if (paper == "letter") {
        setup.paper = tmpl::Paper::Letter;
    } else if (paper == "a3") {
        setup.paper = tmpl::Paper::A3;
    } else {
        throw BadInput{"--paper: \"" + paper + "\" is not a4, letter or a3."};
    }
    return setup;
}

plan::PlanOptions ReadPlanOptions(const OptionParser& parser) {
    if (!parser.IsSet("width") || !parser.IsSet("height")) {
        throw BadInput{"Give the plate's size: --width MM --height MM."};
    }
    plan::PlanOptions o;
    o.widthMm = MmOption(parser, "width");
    o.heightMm = MmOption(parser, "height");
    if (parser.IsSet("root-x") || parser.IsSet("root-y")) {
        o.root = plan::Point{parser.IsSet("root-x") ? MmOption(parser, "root-x") : o.widthMm / 2,
                             parser.IsSet("root-y") ? MmOption(parser, "root-y") : 0.0};
    }
    o.halfHours = parser.IsSet("half");
    o.quarterHours = parser.IsSet("quarter");
    const std::string numerals = Lower(parser.Value("numerals"));
    if (numerals == "roman") {
        o.numerals = plan::NumeralStyle::Roman;
    } else if (numerals == "arabic") {
        o.numerals = plan::NumeralStyle::Arabic;
    } else if (numerals == "none") {
        o.numerals = plan::NumeralStyle::None;
    } else {
        throw BadInput{"--numerals: \"" + numerals + "\" is not roman, arabic or none."};
    }
    o.dateLines = parser.IsSet("date-lines");
    o.monthLines = parser.IsSet("months");
    o.noonCurve = parser.IsSet("noon-curve");
    if ((o.dateLines || o.noonCurve) && !parser.IsSet("nodus")) {
        throw BadInput{
            "--date-lines and --noon-curve need --nodus MM, the nodus's distance along "
            "the style from the root."};
    }
    if (parser.IsSet("nodus")) o.nodusMm = MmOption(parser, "nodus");
    if (parser.IsSet("style")) o.styleMm = MmOption(parser, "style");
    o.madeOn = parser.IsSet("made") ? parser.Value("made") : Today();
    if (const auto message = plan::CheckPlanOptions(o)) {
        throw BadInput{*message};
    }
    return o;
}

}  // namespace

void AddTemplateOptions(OptionParser& parser) {
    AddSiteOptions(parser);
    parser.AddOptions({
        {"width", "The plate's width, mm (50 to 5000).", "mm"},
        {"height", "The plate's height, mm (50 to 5000).", "mm"},
        {"root-x", "The gnomon's root, mm from the plate's left edge (default: the middle).", "mm"},
        {"root-y", "The gnomon's root, mm down from the plate's top edge (default: 0).", "mm"},
        {"half", "Draw the half hours."},
        {"quarter", "Draw the quarter hours."},
        {"numerals", "Hour numerals: roman, arabic or none (default roman).", "style", "roman"},
        {"date-lines", "Draw the nodus's shadow at the solstices and equinoxes (needs --nodus)."},
        {"nodus", "The nodus's distance along the style from the root, mm.", "mm"},
        {"months", "With --date-lines, also the first of every month."},
        {"noon-curve",
         "The nodus's shadow at 12:00 through the year and the equation-of-time table."},
        {"style", "The style's length for the gnomon plate, mm (default: the nodus distance).",
         "mm"},
        {"made", "The date written in the title block (default: today).", "text"},
        {"paper", "PDF paper: a4, letter or a3 (default a4).", "paper", "a4"},
        {"landscape", "PDF pages in landscape."},
        {"pdf", "Write the tiled full-size PDF to FILE.", "file"},
        {"svg", "Write the full-size SVG to FILE.", "file"},
        {"json", "Print the plan's elements (role, hour, points in mm) as JSON."},
    });
}

int RunTemplateCommand(const OptionParser& parser, std::ostream& out, std::ostream& err) {
    const SiteOptions site = ReadSiteOptions(parser);
    const plan::PlanOptions options = ReadPlanOptions(parser);
    const tmpl::PageSetup page = ReadPageSetup(parser);
    std::vector<plan::SunSample> samples;
    if (options.noonCurve) {
        samples = plan::YearOfSunSamples(site.site);
        if (samples.empty()) {
            throw BadInput{"--noon-curve: the sun's position could not be found for this site."};
        }
    }

    const plan::PlanResult result = plan::BuildPlan(site.site, options, samples);
    if (result.status != plan::PlanStatus::Built) {
        err << result.message << '\n';
        return result.status == plan::PlanStatus::BadOptions ? kCliBadInput : kCliRunFailed;
    }
    const plan::Plan& p = *result.plan;
    for (const std::string& note : p.notes) err << "note: " << note << '\n';

    try {
        if (parser.IsSet("svg")) {
            const std::filesystem::path file(parser.Value("svg"));
            tmpl::WriteTextFile(file, tmpl::PlanSvg(p));
        }
        if (parser.IsSet("pdf")) {
            const std::filesystem::path file(parser.Value("pdf"));
            const tmpl::TemplatePdfLayout layout = tmpl::WriteTemplatePdf(p, page, file);
            if (!parser.IsSet("json")) {
                out << "Wrote " << parser.Value("pdf") << ": " << layout.pages
                    << " pages (overview, " << layout.dial.rows << " x " << layout.dial.columns
                    << " dial tiles, gnomon plate on " << layout.gnomon.tiles.size() << ").\n";
            }
        }
    } catch (const std::exception& e) {
        err << e.what() << '\n';
        return kCliRunFailed;
    }
    if (parser.IsSet("json")) {
        out << PlanJson(p);
    } else {
        if (parser.IsSet("svg")) out << "Wrote " << parser.Value("svg") << ".\n";
        out << "Plate " << p.plateWidthMm << " x " << p.plateHeightMm << " mm, root at ("
            << p.root.x << ", " << p.root.y << ") mm; gnomon style " << p.gnomonSize.styleMm
            << " mm, " << p.gnomonSize.alongWallMm << " mm along the wall.\n";
    }
    return kCliOk;
}

}  // namespace sundial

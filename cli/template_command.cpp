// sundial-cli template: the full-size dial plan for a site, written as a tiled
// PDF and/or an SVG, or printed as JSON.
#include <algorithm>
#include <cmath>
#include <exception>
#include <filesystem>
#include <memory>
#include <span>

#include "cli/cli_app.h"
#include "cli/cli_command.h"
#include "cli/output_text.h"
#include "cli/site_options.h"
#include "core/io/clean_text.h"
#include "core/io/file_group.h"
#include "core/plan/plan.h"
#include "core/plan/sun_samples.h"
#include "core/plan/text_metrics.h"
#include "core/project/dial_project.h"
#include "core/rules/input_rules.h"
#include "core/template/dxf_template.h"
#include "core/template/pdf_template.h"
#include "core/template/svg_template.h"
#include "core/template/template_error.h"
#include "core/template/template_options.h"

namespace sundial {

namespace {

using plan::Element;

double Micrometres(double mm) {
    return std::round(mm * 1000) / 1000;
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
        if (e.declinationDeg) o["declination"] = *e.declinationDeg;
        if (!e.date.empty()) o["date"] = e.date;
        if (!e.text.empty()) o["text"] = e.text;
        if (e.shape == plan::Shape::Text) {
            o["size"] = Micrometres(e.textSizeMm);
            // The ink's box, as the layout kept it clear of lines and of
            // other texts: left, top, right, bottom.
            const plan::Rect box = plan::TextBox(e);
            o["box"] = {Micrometres(box.left), Micrometres(box.top), Micrometres(box.right),
                        Micrometres(box.bottom)};
        }
        if (e.shape == plan::Shape::Circle) o["radius"] = Micrometres(e.radiusMm);
        nlohmann::json points = nlohmann::json::array();
        for (const plan::Point& p : e.points) {
            points.push_back(nlohmann::json::array({Micrometres(p.x), Micrometres(p.y)}));
        }
        o["points"] = points;
        if (!e.days.empty()) {
            nlohmann::json days = nlohmann::json::array();
            // Whole days, or to a thousandth where the plate's edge cuts.
            for (const double d : e.days) days.push_back(std::round(d * 1000) / 1000);
            o["days"] = days;
        }
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
    nlohmann::json root{
        {"plate", {{"width", p.plateWidthMm}, {"height", p.plateHeightMm}}},
        {"plane", {{"bearing", p.plane.bearingDeg}, {"recline", p.plane.reclineDeg}}},
        {"nodus",
         {{"x", Micrometres(p.foot.x)},
          {"y", Micrometres(p.foot.y)},
          {"height", Micrometres(p.nodusHeightMm)}}},
        {"root", p.rootAtInfinity
                     ? nlohmann::json(nullptr)
                     : nlohmann::json::array({Micrometres(p.root.x), Micrometres(p.root.y)})},
        {"size",
         {{"width", Micrometres(p.dial.widthMm)}, {"height", Micrometres(p.dial.heightMm)}}},
        {"numeralSize", Micrometres(p.numeralSizeMm)},
        {"elements", ElementsJson(p.dial.elements)},
        {"gnomon", gnomon},
        {"notes", notes},
    };
    // The setting-out page, where the sheet has one (a ground dial carries
    // its own on the dial).
    if (!p.settingOut.elements.empty()) {
        root["settingOut"] = {{"size",
                               {{"width", Micrometres(p.settingOut.widthMm)},
                                {"height", Micrometres(p.settingOut.heightMm)}}},
                              {"elements", ElementsJson(p.settingOut.elements)}};
    }
    if (p.year != 0) root["year"] = p.year;
    if (p.analemmatic) {
        // A person is this dial's gnomon: no root, nodus or plate to give.
        for (const char* key : {"root", "nodus", "gnomon"}) root.erase(key);
        const plan::AnalemmaticFrame& f = *p.analemmatic;
        root["analemmatic"] = {
            {"center", nlohmann::json::array({Micrometres(f.centre.x), Micrometres(f.centre.y)})},
            {"major", Micrometres(f.majorMm)},
            {"minor", Micrometres(f.minorMm)}};
    }
    return JsonText(root);
}

// At least one output (RunCli has seen that no two share a file).
void CheckOutputsAsked(const OptionParser& parser) {
    constexpr const char* kFiles[] = {"pdf", "svg", "dxf", "save-project", "json"};
    if (std::none_of(std::begin(kFiles), std::end(kFiles),
                     [&](const char* name) { return parser.IsSet(name); })) {
        throw BadInput{
            "Say what to make: --pdf FILE, --svg FILE, --dxf FILE, --save-project FILE or --json."};
    }
}

// A file the command writes: the option naming it and its whole bytes.
struct OutputFile {
    const char* option;
    std::string bytes;
    // A pipe or a device (/dev/stdout) is written through.
    io::SpecialTarget special = io::SpecialTarget::WriteThrough;
};

// Writes every file or none: each is stored whole before any replaces an old
// one. Empty on success, else what failed and which files were written.
std::string WriteAllOrNone(const OptionParser& parser, const std::vector<OutputFile>& files) {
    io::FileGroup group;
    for (const OutputFile& file : files) {
        auto atomic = std::make_unique<io::AtomicFile>(parser.Value(file.option), file.special);
        if (!io::AddToGroup(group, std::move(atomic), file.bytes)) {
            return group.back()->Target().string() + ": " + group.back()->Error() +
                   "; no file was written.";
        }
    }
    const io::GroupCommit commit = io::CommitGroups(std::span(&group, 1)).front();
    if (commit.error.empty()) return {};
    std::string problem = group[commit.committed]->Target().string() + ": " + commit.error;
    if (commit.committed == 0) return problem + "; no file was written.";
    problem += "; written all the same:";
    for (std::size_t i = 0; i < commit.committed; ++i) {
        problem.append(" ").append(group[i]->Target().string());
    }
    return problem + ".";
}

// The named zone the dial keeps: --tz, or a project's own unless the command
// line gives the site or its offset anew. Empty for a fixed offset.
std::string TemplateZoneName(const OptionParser& parser, const project::DialProject* base) {
    if (parser.IsSet("tz")) return parser.Value("tz");
    const bool siteGiven = parser.IsSet("utc") || parser.IsSet("place") || parser.IsSet("lat");
    return base && !siteGiven ? base->tz : std::string();
}

// The zone in the dial's year, its standard time made the site's offset.
// Throws BadInput for an unknown zone, or one --utc disagrees with.
ZoneYear TemplateZone(const OptionParser& parser, const std::string& name, int year,
                      SiteState& site) {
    const ZoneYearRead read = ZoneInYear(name, year);
    if (!read.zone) throw BadInput{"--tz: " + read.error};
    if (parser.IsSet("utc")) {
        if (const std::string wrong = ZoneDisagreement(*read.zone, site.UtcOffset);
            !wrong.empty()) {
            throw BadInput{"--utc " + parser.Value("utc") + " and --tz " + name +
                           " disagree: " + wrong + ". Give one of them."};
        }
    }
    site.UtcOffset = static_cast<float>(read.zone->standardHours);
    return *read.zone;
}

}  // namespace

void AddTemplatePlateOptions(OptionParser& parser) {
    for (const tmpl::TemplateOptionEntry& entry : tmpl::TemplateOptionTable()) {
        if (entry.valueName == nullptr) {
            parser.AddOption({entry.name, entry.description});
        } else {
            parser.AddOption({entry.name, entry.description, entry.valueName,
                              entry.defaultValue ? entry.defaultValue : ""});
        }
    }
}

tmpl::OptionLookup OptionLookupOf(const OptionParser& parser) {
    return [&parser](std::string_view name) -> std::optional<std::string> {
        if (!parser.IsSet(name)) return std::nullopt;
        // An option given more than once (--date-line): its values joined by commas.
        std::string joined;
        for (const std::string& value : parser.Values(name)) {
            joined += (joined.empty() ? "" : ",") + value;
        }
        return parser.Values(name).empty() ? parser.Value(name) : joined;
    };
}

void WarnOfCleanedText(const OptionParser& parser, std::ostream& err) {
    for (const char* option : {"made"}) {
        if (parser.IsSet(option) && io::CleanText(parser.Value(option)).changed) {
            err << "warning: --" << option
                << ": bytes that are not UTF-8 text were replaced with U+FFFD, and control "
                   "characters left out.\n";
        }
    }
}

tmpl::NumberReader CliNumberReader() {
    return [](const std::string& text, std::string_view option,
              std::string& message) -> std::optional<double> {
        try {
            return ParseNumberOption(text, std::string(option));
        } catch (const BadInput& bad) {
            message = bad.message;
            return std::nullopt;
        }
    };
}

void AddTemplateOptions(OptionParser& parser) {
    AddSiteOptions(parser, SettingsUse::Read, SiteRanges::AnyDial);
    AddTemplatePlateOptions(parser);
    parser.AddOptions({
        {"pdf", "Write the tiled full-size PDF to FILE.", "file"},
        {"svg", "Write the full-size SVG to FILE.", "file"},
        {"dxf", "Write the full-size DXF (1 unit = 1 mm, one layer per role) to FILE.", "file"},
        {"dxf-outlines", "With --dxf, numerals and labels as outlines, for engraving."},
        {"json", "Print the plan's elements (role, hour, points in mm) as JSON."},
        {"tz",
         "The clock's time zone by name (Europe/London): its standard time in the dial's year "
         "draws the lines, its summer time the summer numerals. With --utc, the two must agree.",
         "zone"},
        {"project",
         "Start from the dial project FILE: its site and design, with the options given "
         "here over them.",
         "file"},
        {"save-project", "Write the site and design given as a dial project to FILE.", "file"},
    });
    parser.Excludes("project", {"settings"});
    parser.Needs("dxf-outlines", {"dxf"});
}

int RunTemplateCommand(const OptionParser& parser, std::ostream& out, std::ostream& err) {
    std::optional<project::DialProject> base;
    if (parser.IsSet("project")) {
        project::ProjectRead project = project::ReadProject(parser.Value("project"));
        if (!project.project) throw BadInput{project.message};
        base = std::move(project.project);
    }
    const SiteOptions site = ReadSiteOptions(parser, SettingsUse::Read, SiteRanges::AnyDial,
                                             base ? &base->site : nullptr);
    const tmpl::OptionLookup given =
        base ? project::Overlay(OptionLookupOf(parser), project::ProjectLookup(*base))
             : OptionLookupOf(parser);
    const tmpl::TemplateOptionsRead read =
        tmpl::ReadTemplateOptions(given, CliNumberReader(), tmpl::TodayText());
    if (!read.options) throw BadInput{read.message};
    WarnOfCleanedText(parser, err);
    CheckOutputsAsked(parser);
    plan::PlanOptions options = read.options->plan;
    SiteState zoned = site.site;
    const std::string zoneName = TemplateZoneName(parser, base ? &*base : nullptr);
    if (!zoneName.empty()) {
        options.zone = TemplateZone(parser, zoneName, options.extras.year, zoned);
    }
    tmpl::PlaneChoice choice = read.options->plane;
    choice.bearingGiven = parser.IsSet("bearing");
    if (choice.bearingGiven &&
        (choice.type == tmpl::DialType::Polar || choice.type == tmpl::DialType::Equatorial ||
         choice.type == tmpl::DialType::Analemmatic)) {
        throw BadInput{"--dial " + parser.Value("dial") +
                       " sets its own plane: leave out --bearing."};
    }
    // A project's bearing is the one its dial faces, as the template window
    // keeps it; a horizontal dial given none is saved facing 180.
    choice.bearingGiven = choice.bearingGiven || base;
    SiteState designed = zoned;
    if (!choice.bearingGiven && choice.type == tmpl::DialType::Horizontal) {
        ApplyBearing(designed, "180");
    }
    options.plane = tmpl::PlaneFor(choice, zoned);
    const tmpl::PageSetup& page = read.options->page;
    // A project that would not open again is refused before anything is written.
    const project::DialProject saved{designed, project::GivenOptions(given, CliNumberReader()),
                                     zoneName};
    if (parser.IsSet("save-project")) {
        if (auto problem = project::SaveProblem(saved)) {
            throw BadInput{"--save-project " + parser.Value("save-project") + ": " + *problem +
                           "; nothing was written."};
        }
    }
    std::vector<plan::SunSample> samples;
    if (options.noonCurve) {
        samples = plan::YearOfSunSamples(zoned);
        if (samples.empty()) {
            throw BadInput{"--noon-curve: the sun's position could not be found for this site."};
        }
    }

    const plan::PlanResult result = plan::BuildPlan(zoned, options, samples);
    if (result.status != plan::PlanStatus::Built) {
        // A plate no line falls on is written nowhere: nothing was made.
        err << result.message << '\n';
        return result.status == plan::PlanStatus::BadOptions ? kCliBadInput : kCliRunFailed;
    }
    const plan::Plan& p = *result.plan;
    for (const std::string& note : p.notes) err << "note: " << note << '\n';

    // Every file is made in memory first, and all are put in place together.
    std::vector<OutputFile> files;
    tmpl::TemplatePdfLayout layout;
    try {
        if (parser.IsSet("svg")) files.push_back({"svg", tmpl::PlanSvg(p)});
        if (parser.IsSet("dxf")) {
            files.push_back(
                {"dxf", tmpl::PlanDxf(p, parser.IsSet("dxf-outlines") ? tmpl::DxfLettering::Outlines
                                                                      : tmpl::DxfLettering::Text)});
        }
        if (parser.IsSet("save-project")) {
            // A project is a file to reopen: never sent into a pipe.
            files.push_back(
                {"save-project", project::ProjectJson(saved), io::SpecialTarget::Refuse});
        }
        if (parser.IsSet("pdf")) {
            files.push_back({"pdf", {}});
            layout = tmpl::TemplatePdfBytes(p, page, files.back().bytes);
        }
    } catch (const std::exception& e) {
        err << e.what() << '\n';
        return kCliRunFailed;
    }
    if (const std::string problem = WriteAllOrNone(parser, files); !problem.empty()) {
        err << problem << '\n';
        return kCliRunFailed;
    }
    if (parser.IsSet("pdf") && !parser.IsSet("json")) {
        out << "Wrote " << parser.Value("pdf") << ": " << layout.pages << " pages (overview, "
            << (p.settingOut.elements.empty() ? "" : "setting out, ") << layout.dial.rows << " x "
            << layout.dial.columns << " dial tiles";
        if (!p.gnomon.elements.empty()) out << ", gnomon plate on " << layout.gnomon.tiles.size();
        out << ").\n";
    }
    if (parser.IsSet("json")) {
        out << PlanJson(p);
    } else {
        for (const char* format : {"svg", "dxf", "save-project"}) {
            if (parser.IsSet(format)) out << "Wrote " << parser.Value(format) << ".\n";
        }
        out << "Plate " << p.plateWidthMm << " x " << p.plateHeightMm << " mm, ";
        if (p.analemmatic) {
            const plan::AnalemmaticFrame& f = *p.analemmatic;
            out << "analemmatic ellipse " << f.majorMm << " x " << f.minorMm
                << " mm (semi-axes) about (" << f.centre.x << ", " << f.centre.y << ") mm.\n";
            return kCliOk;
        }
        if (p.rootAtInfinity) {
            out << "root at infinity (parallel hour lines)";
        } else {
            out << "root at (" << p.root.x << ", " << p.root.y << ") mm";
        }
        out << "; nodus " << p.nodusHeightMm << " mm above (" << p.foot.x << ", " << p.foot.y
            << ") mm; gnomon style " << p.gnomonSize.styleMm << " mm, " << p.gnomonSize.alongWallMm
            << " mm along the plate.\n";
    }
    return kCliOk;
}

}  // namespace sundial

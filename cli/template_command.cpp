// sundial-cli template: the full-size dial plan for a site, written as a tiled
// PDF and/or an SVG, or printed as JSON.
#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <exception>
#include <filesystem>

#include "cli/cli_app.h"
#include "cli/cli_command.h"
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

double MmOption(const QCommandLineParser& parser, const char* name) {
    return ParseNumberOption(parser.value(name), QString::fromLatin1(name));
}

QString ShapeName(plan::Shape shape) {
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

QJsonArray ElementsJson(const std::vector<Element>& elements) {
    QJsonArray array;
    for (const Element& e : elements) {
        QJsonObject o;
        o["role"] = QString::fromUtf8(plan::RoleName(e.role).data(),
                                      static_cast<qsizetype>(plan::RoleName(e.role).size()));
        o["shape"] = ShapeName(e.shape);
        if (e.hour) o["hour"] = *e.hour;
        if (!e.text.empty()) o["text"] = QString::fromStdString(e.text);
        if (e.shape == plan::Shape::Text) o["size"] = Micrometres(e.textSizeMm);
        if (e.shape == plan::Shape::Circle) o["radius"] = Micrometres(e.radiusMm);
        QJsonArray points;
        for (const plan::Point& p : e.points) {
            points.append(QJsonArray{Micrometres(p.x), Micrometres(p.y)});
        }
        o["points"] = points;
        array.append(o);
    }
    return array;
}

QByteArray PlanJson(const plan::Plan& p) {
    QJsonObject gnomon{{"style", Micrometres(p.gnomonSize.styleMm)},
                       {"alongWall", Micrometres(p.gnomonSize.alongWallMm)},
                       {"outFromWall", Micrometres(p.gnomonSize.outMm)},
                       {"angle", p.gnomonSize.angleDeg},
                       {"elements", ElementsJson(p.gnomon.elements)}};
    QJsonArray notes;
    for (const std::string& n : p.notes) notes.append(QString::fromStdString(n));
    const QJsonObject root{
        {"plate", QJsonObject{{"width", p.plateWidthMm}, {"height", p.plateHeightMm}}},
        {"root", QJsonArray{Micrometres(p.root.x), Micrometres(p.root.y)}},
        {"size", QJsonObject{{"width", Micrometres(p.dial.widthMm)},
                             {"height", Micrometres(p.dial.heightMm)}}},
        {"numeralSize", Micrometres(p.numeralSizeMm)},
        {"elements", ElementsJson(p.dial.elements)},
        {"gnomon", gnomon},
        {"notes", notes},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

tmpl::PageSetup ReadPageSetup(const QCommandLineParser& parser) {
    tmpl::PageSetup setup;
    setup.landscape = parser.isSet("landscape");
    const QString paper = parser.value("paper").toLower();
    if (paper == "a4") {
        setup.paper = tmpl::Paper::A4;
    } else if (paper == "letter") {
        setup.paper = tmpl::Paper::Letter;
    } else if (paper == "a3") {
        setup.paper = tmpl::Paper::A3;
    } else {
        throw BadInput{QStringLiteral("--paper: \"%1\" is not a4, letter or a3.").arg(paper)};
    }
    return setup;
}

plan::PlanOptions ReadPlanOptions(const QCommandLineParser& parser) {
    if (!parser.isSet("width") || !parser.isSet("height")) {
        throw BadInput{"Give the plate's size: --width MM --height MM."};
    }
    plan::PlanOptions o;
    o.widthMm = MmOption(parser, "width");
    o.heightMm = MmOption(parser, "height");
    if (parser.isSet("root-x") || parser.isSet("root-y")) {
        o.root = plan::Point{parser.isSet("root-x") ? MmOption(parser, "root-x") : o.widthMm / 2,
                             parser.isSet("root-y") ? MmOption(parser, "root-y") : 0.0};
    }
    o.halfHours = parser.isSet("half");
    o.quarterHours = parser.isSet("quarter");
    const QString numerals = parser.value("numerals").toLower();
    if (numerals == "roman") {
        o.numerals = plan::NumeralStyle::Roman;
    } else if (numerals == "arabic") {
        o.numerals = plan::NumeralStyle::Arabic;
    } else if (numerals == "none") {
        o.numerals = plan::NumeralStyle::None;
    } else {
        throw BadInput{
            QStringLiteral("--numerals: \"%1\" is not roman, arabic or none.").arg(numerals)};
    }
    o.dateLines = parser.isSet("date-lines");
    o.monthLines = parser.isSet("months");
    o.noonCurve = parser.isSet("noon-curve");
    if ((o.dateLines || o.noonCurve) && !parser.isSet("nodus")) {
        throw BadInput{
            "--date-lines and --noon-curve need --nodus MM, the nodus's distance along "
            "the style from the root."};
    }
    if (parser.isSet("nodus")) o.nodusMm = MmOption(parser, "nodus");
    if (parser.isSet("style")) o.styleMm = MmOption(parser, "style");
    o.madeOn = parser.isSet("made") ? parser.value("made").toStdString()
                                    : QDate::currentDate().toString(Qt::ISODate).toStdString();
    if (const auto message = plan::CheckPlanOptions(o)) {
        throw BadInput{QString::fromStdString(*message)};
    }
    return o;
}

}  // namespace

void AddTemplateOptions(QCommandLineParser& parser) {
    AddSiteOptions(parser);
    parser.addOptions({
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

int RunTemplateCommand(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) {
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
        err << QString::fromStdString(result.message) << '\n';
        return result.status == plan::PlanStatus::BadOptions ? kCliBadInput : kCliRunFailed;
    }
    const plan::Plan& p = *result.plan;
    for (const std::string& note : p.notes) err << "note: " << QString::fromStdString(note) << '\n';

    try {
        if (parser.isSet("svg")) {
            const std::filesystem::path file(parser.value("svg").toStdString());
            tmpl::WriteTextFile(file, tmpl::PlanSvg(p));
        }
        if (parser.isSet("pdf")) {
            const std::filesystem::path file(parser.value("pdf").toStdString());
            const tmpl::TemplatePdfLayout layout = tmpl::WriteTemplatePdf(p, page, file);
            if (!parser.isSet("json")) {
                out << "Wrote " << parser.value("pdf") << ": " << layout.pages
                    << " pages (overview, " << layout.dial.rows << " x " << layout.dial.columns
                    << " dial tiles, gnomon plate on " << layout.gnomon.tiles.size() << ").\n";
            }
        }
    } catch (const std::exception& e) {
        err << e.what() << '\n';
        return kCliRunFailed;
    }
    if (parser.isSet("json")) {
        out << PlanJson(p);
    } else {
        if (parser.isSet("svg")) out << "Wrote " << parser.value("svg") << ".\n";
        out << "Plate " << p.plateWidthMm << " x " << p.plateHeightMm << " mm, root at ("
            << p.root.x << ", " << p.root.y << ") mm; gnomon style " << p.gnomonSize.styleMm
            << " mm, " << p.gnomonSize.alongWallMm << " mm along the wall.\n";
    }
    return kCliOk;
}

}  // namespace sundial

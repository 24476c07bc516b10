// sundial-cli template: the full-size dial plan for a site, written as a tiled
// PDF and/or an SVG, or printed as JSON.
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
#include "core/template/template_options.h"

namespace sundial {

namespace {

using plan::Element;

double Micrometres(double mm) {
    return std::round(mm * 1000) / 1000;
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

}  // namespace

void AddTemplatePlateOptions(QCommandLineParser& parser) {
    for (const tmpl::TemplateOptionSpec& spec : tmpl::TemplateOptionSpecs()) {
        const QStringList names{QString::fromLatin1(spec.name)};
        const QString description = QString::fromUtf8(spec.description);
        if (spec.valueName == nullptr) {
            parser.addOption({names, description});
        } else {
            parser.addOption(
                {names, description, QString::fromLatin1(spec.valueName),
                 spec.defaultValue ? QString::fromLatin1(spec.defaultValue) : QString()});
        }
    }
}

tmpl::OptionLookup OptionLookupOf(const QCommandLineParser& parser) {
    return [&parser](std::string_view name) -> std::optional<std::string> {
        const QString option =
            QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
        if (!parser.isSet(option)) return std::nullopt;
        return parser.value(option).toStdString();
    };
}

tmpl::NumberReader CliNumberReader() {
    return [](const std::string& text, std::string_view option,
              std::string& message) -> std::optional<double> {
        try {
            return ParseNumberOption(
                QString::fromStdString(text),
                QString::fromLatin1(option.data(), static_cast<qsizetype>(option.size())));
        } catch (const BadInput& bad) {
            message = bad.message.toStdString();
            return std::nullopt;
        }
    };
}

void AddTemplateOptions(QCommandLineParser& parser) {
    AddSiteOptions(parser);
    AddTemplatePlateOptions(parser);
    parser.addOptions({
        {"pdf", "Write the tiled full-size PDF to FILE.", "file"},
        {"svg", "Write the full-size SVG to FILE.", "file"},
        {"json", "Print the plan's elements (role, hour, points in mm) as JSON."},
    });
}

int RunTemplateCommand(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) {
    const SiteOptions site = ReadSiteOptions(parser);
    const tmpl::TemplateOptionsRead read =
        tmpl::ReadTemplateOptions(OptionLookupOf(parser), CliNumberReader(), tmpl::TodayText());
    if (!read.options) throw BadInput{QString::fromStdString(read.message)};
    const plan::PlanOptions& options = read.options->plan;
    const tmpl::PageSetup& page = read.options->page;
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

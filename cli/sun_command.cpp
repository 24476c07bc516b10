// sundial-cli sun: where the sun stands for a place at a clock time.
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

#include "cli/cli_app.h"
#include "cli/cli_command.h"
#include "cli/site_options.h"
#include "core/sun/solar_position.h"

namespace sundial {

ClockTime ReadClockOption(const QString& text, const QString& option) {
    const std::optional<ClockTime> clock = ParseClockTime(text.toStdString());
    if (!clock) {
        throw BadInput{
            QStringLiteral("--%1: \"%2\" is not a date and time like 2026-06-21T12:00:00.")
                .arg(option, text)};
    }
    if (const std::string wrong = CheckClockTime(*clock); !wrong.empty()) {
        throw BadInput{
            QStringLiteral("--%1 %2: %3").arg(option, text, QString::fromStdString(wrong))};
    }
    return *clock;
}

QJsonValue RoundedJson(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(value * scale) / scale;
    return QJsonValue(rounded == 0 ? 0.0 : rounded);  // no "-0"
}

void AddSunOptions(QCommandLineParser& parser) {
    AddSiteOptions(parser);
    parser.addOptions({
        {"at", "Clock time in the site's zone, e.g. 2026-06-21T12:00:00 (required).", "time"},
        {"json", "Print the sun's position as JSON."},
    });
}

int RunSunCommand(const QCommandLineParser& parser, QTextStream& out, QTextStream&) {
    const SiteOptions options = ReadSiteOptions(parser);
    if (!parser.isSet("at")) throw BadInput{"--at: give the clock time, e.g. 2026-06-21T12:00:00."};
    const ClockTime clock = ReadClockOption(parser.value("at"), "at");
    const SiteState& site = options.site;
    const SolarResult sun = SunAt(site.Latitude, site.Longitude, clock, site.UtcOffset);
    if (!sun.position) {
        throw BadInput{QStringLiteral("--at %1: %2")
                           .arg(parser.value("at"), QString::fromStdString(sun.error))};
    }
    const SolarPosition& p = *sun.position;
    if (parser.isSet("json")) {
        const QJsonObject json{
            {"azimuth", RoundedJson(p.azimuthDeg, 6)},
            {"altitude", RoundedJson(p.altitudeDeg, 6)},
            {"apparentAltitude", RoundedJson(p.apparentAltitudeDeg, 6)},
            {"declination", RoundedJson(p.declinationDeg, 6)},
            {"equationOfTime", RoundedJson(p.equationOfTimeMin, 4)},
        };
        out << QJsonDocument(json).toJson(QJsonDocument::Indented);
        return kCliOk;
    }
    auto number = [](double v, int decimals) { return QString::number(v, 'f', decimals); };
    out << "Sun at " << QString::fromStdString(ClockTimeText(clock)) << " (UTC"
        << (site.UtcOffset >= 0 ? "+" : "") << site.UtcOffset << "), "
        << QString::fromStdString(site.PlaceName) << "\n"
        << "  Azimuth:            " << number(p.azimuthDeg, 4) << " degrees from true north\n"
        << "  Altitude:           " << number(p.altitudeDeg, 4) << " degrees\n"
        << "  Apparent altitude:  " << number(p.apparentAltitudeDeg, 4)
        << " degrees, with refraction\n"
        << "  Declination:        " << number(p.declinationDeg, 4) << " degrees\n"
        << "  Equation of time:   " << number(p.equationOfTimeMin, 2)
        << " minutes (sun time less clock time on the zone's meridian)\n";
    return kCliOk;
}

}  // namespace sundial

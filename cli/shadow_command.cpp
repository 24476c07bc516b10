// sundial-cli shadow: where the style's shadow falls on the site's wall at a
// clock time, as an angle from the downward vertical like the hour lines'.
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/cli_app.h"
#include "cli/cli_command.h"
#include "cli/site_options.h"
#include "core/sun/style_shadow.h"

namespace sundial {

void AddShadowOptions(QCommandLineParser& parser) {
    AddSiteOptions(parser);
    parser.addOptions({
        {"at", "Clock time in the site's zone, e.g. 2026-06-21T15:30:00 (required).", "time"},
        {"json", "Print the shadow's angle as JSON."},
    });
}

int RunShadowCommand(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) {
    const SiteOptions options = ReadSiteOptions(parser);
    if (!parser.isSet("at")) throw BadInput{"--at: give the clock time, e.g. 2026-06-21T15:30:00."};
    const ClockTime clock = ReadClockOption(parser.value("at"), "at");
    const ShadowAtResult r = ShadowAt(options.site, clock, options.site.UtcOffset);
    if (!r.error.empty()) {
        throw BadInput{
            QStringLiteral("--at %1: %2").arg(parser.value("at"), QString::fromStdString(r.error))};
    }
    if (r.shadow.state != ShadowState::OnWall) {
        err << QString::fromStdString(r.message) << '\n';
        return kCliRunFailed;
    }
    if (parser.isSet("json")) {
        const QJsonObject json{
            {"shadowAngle", RoundedJson(r.shadow.angleDeg, 6)},
            {"sunAzimuth", RoundedJson(r.sun.azimuthDeg, 6)},
            {"sunAltitude", RoundedJson(r.sun.apparentAltitudeDeg, 6)},
        };
        out << QJsonDocument(json).toJson(QJsonDocument::Indented);
    } else {
        const double a = r.shadow.angleDeg;
        out << "Shadow angle: " << QString::number(a, 'f', 2) << " degrees from the vertical"
            << (a > 0   ? ", to the left of the root"
                : a < 0 ? ", to the right of the root"
                        : "")
            << '\n';
    }
    return kCliOk;
}

}  // namespace sundial

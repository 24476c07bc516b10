// sundial-cli bearing: the wall's bearing from readings taken in sunlight,
// given in any mix and number of --shadow, --enters and --leaves options.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QMap>
#include <cmath>
#include <vector>

#include "cli/cli_app.h"
#include "cli/cli_command.h"
#include "cli/site_options.h"
#include "core/sun/wall_bearing.h"

namespace sundial {

namespace {

// "2026-06-21T10:15:00@12.5": the time, then the shadow's angle.
WallReading ShadowReading(const QString& value, int number) {
    const QString label = QStringLiteral("Reading %1 (--shadow %2)").arg(number).arg(value);
    const qsizetype at = value.lastIndexOf('@');
    if (at < 0) {
        throw BadInput{label +
                       ": give the time and the angle as TIME@ANGLE, "
                       "e.g. 2026-06-21T10:15:00@12.5."};
    }
    const QString angleText = value.mid(at + 1);
    bool ok = false;
    double angle = QLocale::c().toDouble(angleText, &ok);
    if (!ok) angle = QLocale().toDouble(angleText, &ok);
    if (!ok || !std::isfinite(angle)) {
        throw BadInput{label + QStringLiteral(": \"%1\" is not an angle.").arg(angleText)};
    }
    return {ReadingMethod::Shadow, ReadClockOption(value.left(at), "shadow"), angle};
}

// The readings in the order given on the command line, whatever their kind.
std::vector<WallReading> Readings(const QCommandLineParser& parser) {
    std::vector<WallReading> readings;
    QMap<QString, int> used;  // how many values of each option are taken
    for (const QString& name : parser.optionNames()) {
        if (name != "shadow" && name != "enters" && name != "leaves") continue;
        const QString value = parser.values(name).value(used[name]++);
        const int number = static_cast<int>(readings.size()) + 1;
        if (name == "shadow") {
            readings.push_back(ShadowReading(value, number));
        } else {
            const ReadingMethod method =
                name == "enters" ? ReadingMethod::Enters : ReadingMethod::Leaves;
            readings.push_back({method, ReadClockOption(value, name), 0});
        }
    }
    return readings;
}

}  // namespace

void AddBearingOptions(QCommandLineParser& parser) {
    AddSiteOptions(parser);
    parser.addOptions({
        {"shadow",
         "A pin's shadow on a level board against the wall: the clock time and the angle from "
         "the line square to the wall, clockwise seen from above, TIME@DEGREES. Repeatable.",
         "time@angle"},
        {"enters", "Clock time at which the sun just comes onto the wall. Repeatable.", "time"},
        {"leaves", "Clock time at which the sun just leaves the wall. Repeatable.", "time"},
        {"json", "Print the readings and the bearing as JSON."},
    });
}

int RunBearingCommand(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) {
    if (parser.isSet("bearing")) {
        throw BadInput{"--bearing does not go with 'bearing': the readings measure it."};
    }
    const SiteOptions options = ReadSiteOptions(parser);
    const std::vector<WallReading> readings = Readings(parser);
    if (readings.empty()) throw BadInput{"Give at least one --shadow, --enters or --leaves."};
    const MeasurementResult result = MeasureWallBearing(ObserverAt(options.site), readings);
    if (!result.value) throw BadInput{QString::fromStdString(result.error)};
    const WallBearingMeasurement& m = *result.value;

    if (parser.isSet("json")) {
        QJsonArray list;
        for (size_t i = 0; i < readings.size(); ++i) {
            list.append(QJsonObject{
                {"at", QString::fromStdString(ClockTimeText(readings[i].clock))},
                {"method", MethodName(readings[i].method)},
                {"sunAzimuth", RoundedJson(m.readings[i].sun.azimuthDeg, 6)},
                {"sunAltitude", RoundedJson(m.readings[i].sun.apparentAltitudeDeg, 6)},
                {"bearing", RoundedJson(m.readings[i].bearingDeg, 6)},
            });
        }
        const QJsonObject json{
            {"bearing", RoundedJson(m.meanDeg, 6)},
            {"spread", m.spreadDeg ? RoundedJson(*m.spreadDeg, 6) : QJsonValue(QJsonValue::Null)},
            {"readings", list},
        };
        out << QJsonDocument(json).toJson(QJsonDocument::Indented);
    } else {
        auto number = [](double v) { return QString::number(v, 'f', 2); };
        for (size_t i = 0; i < readings.size(); ++i) {
            out << QStringLiteral("Reading %1  %2 at %3  sun azimuth %4, altitude %5  bearing %6\n")
                       .arg(i + 1)
                       .arg(MethodName(readings[i].method))
                       .arg(QString::fromStdString(ClockTimeText(readings[i].clock)))
                       .arg(number(m.readings[i].sun.azimuthDeg))
                       .arg(number(m.readings[i].sun.apparentAltitudeDeg))
                       .arg(number(m.readings[i].bearingDeg));
        }
        out << "Wall bearing: " << number(m.meanDeg) << " degrees\n";
        out << "Spread: "
            << (m.spreadDeg ? number(*m.spreadDeg) + " degrees" : QStringLiteral("one reading"))
            << '\n';
    }
    if (!m.warning.empty()) err << "warning: " << QString::fromStdString(m.warning) << '\n';
    if (!m.facing.empty()) err << QString::fromStdString(m.facing) << '\n';
    return kCliOk;
}

}  // namespace sundial

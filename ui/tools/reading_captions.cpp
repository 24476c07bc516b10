#include "ui/tools/reading_captions.h"

#include <QLocale>
#include <cmath>

namespace sundial {

QString MethodCaption(ReadingMethod method) {
    switch (method) {
        case ReadingMethod::Shadow:
            return QStringLiteral("Shadow on a level board");
        case ReadingMethod::Enters:
            return QStringLiteral("Sun comes onto the wall");
        case ReadingMethod::Leaves:
            return QStringLiteral("Sun leaves the wall");
        case ReadingMethod::Pin:
            return QStringLiteral("Pin on a level dial plate (north line)");
    }
    return {};
}

QString EdgeCaption(LightEdge edge) {
    switch (edge) {
        case LightEdge::First:
            return QStringLiteral("First light");
        case LightEdge::Centre:
            return QStringLiteral("Centre of the sun");
        case LightEdge::Last:
            return QStringLiteral("Last light");
    }
    return {};
}

int EdgeIndex(LightEdge edge) {
    return edge == LightEdge::First ? 0 : edge == LightEdge::Centre ? 1 : 2;
}

QString ZoneCaption(double hours) {
    if (hours == 0) return QStringLiteral("UTC");
    return QString::fromStdString(OffsetText(hours));
}

QString ZoneCaption(const ClockZone& zone) {
    return zone.name.empty() ? ZoneCaption(zone.fixedOffsetHours)
                             : QString::fromStdString(zone.name);
}

QString SiteCaption(const SiteState& site) {
    // Typed coordinates have no place name.
    return QStringLiteral("%1%2 %3 %4 %5")
        .arg(site.PlaceName.empty() ? QString() : QString::fromStdString(site.PlaceName + ", "))
        .arg(QLocale().toString(std::fabs(site.Latitude), 'g', 6))
        .arg(site.Latitude < 0 ? "S" : "N")
        .arg(QLocale().toString(std::fabs(site.Longitude), 'g', 6))
        .arg(site.Longitude < 0 ? "E" : "W");
}

QString Degrees(double value) {
    return QLocale().toString(std::fabs(value) < 0.005 ? 0.0 : value, 'f', 2);
}

QString Sentence(const std::string& text) {
    QString s = QString::fromStdString(text);
    if (!s.isEmpty()) s[0] = s[0].toUpper();
    return s;
}

}  // namespace sundial

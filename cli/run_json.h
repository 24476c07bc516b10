// The site and a run's results as JSON, the machine-readable twin of the
// Calculations report.
#pragma once

#include <QByteArray>
#include <QJsonValue>

#include "core/dial/geometry.h"
#include "core/site/site_state.h"

namespace sundial {

QByteArray RunJson(const SiteState& site, const DialGeometry& dial);

// The shortest text that reads back to the same single, as a JSON number.
QJsonValue SingleJson(float value);

}  // namespace sundial

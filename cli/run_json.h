// The site and a run's results as JSON, the machine-readable twin of the
// Calculations report.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "core/dial/geometry.h"
#include "core/site/site_state.h"

namespace sundial {

// The document's text, as the report command prints it and batch writes it.
std::string RunJson(const SiteState& site, const DialGeometry& dial);

// The shortest text that reads back to the same single, as a JSON number.
nlohmann::json SingleJson(float value);

}  // namespace sundial

// What the Measure Wall Bearing window calls the readings, their zones and
// the numbers it shows: one list of methods and one of edges, in the order
// the boxes offer them, and their captions.
#pragma once

#include <QString>
#include <array>
#include <string>

#include "core/site/site_state.h"
#include "core/sun/clock_zone.h"
#include "core/sun/wall_bearing.h"

namespace sundial {

// The methods in the order the list offers them.
inline constexpr std::array kReadingMethods = {ReadingMethod::Shadow, ReadingMethod::Enters,
                                               ReadingMethod::Leaves, ReadingMethod::Pin};
inline constexpr std::array kLightEdges = {LightEdge::First, LightEdge::Centre, LightEdge::Last};

QString MethodCaption(ReadingMethod method);
QString EdgeCaption(LightEdge edge);
int EdgeIndex(LightEdge edge);
// "UTC", "UTC+1", "UTC+5:45"; a named zone by its name.
QString ZoneCaption(double hours);
QString ZoneCaption(const ClockZone& zone);
// The site as the window names it: "Exeter, Britain, 50.7 N 3.5 W".
QString SiteCaption(const SiteState& site);
// A number of degrees as the user's locale writes it, two places; what
// rounds to nothing without a sign.
QString Degrees(double value);
// The text with its first letter a capital.
QString Sentence(const std::string& text);

}  // namespace sundial

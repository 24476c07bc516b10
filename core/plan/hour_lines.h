// Which clock-hour lines a dial has: every whole, half and quarter hour of the
// zone's clock whose line the sun can light on some day of the year, each
// with its place on the plate from the dial engine.
#pragma once

#include <vector>

#include "core/engine/dial.h"
#include "core/plan/drawing.h"

namespace sundial::plan {

struct HourLine {
    double hour = 0;  // clock hour in the zone, 0 <= hour < 24: 13, 13.5, 13.25
    Role role = Role::HourLines;
    Point through;    // the root, or with `parallel` a point of the line
    Point direction;  // unit, toward where the shadow falls
    bool parallel = false;
    // Where along the line (mm from `through`) the nodus's shadow runs through
    // the year: from the solstice (or where the sun rises or sets on the face)
    // to the other; infinite where the shadow runs off to infinity.
    double nearMm = 0;
    double farMm = 0;
};

// In hour order, 0 to 23.75: the whole hours, and on request the half,
// quarter and ten-minute hours, that can be lit. With a thick style
// (thickness in mm), each line as its face of the style casts it: the line
// on the substyle is listed twice.
std::vector<HourLine> HourLinesFor(const engine::Dial& dial, bool halfHours, bool quarterHours,
                                   bool tenMinutes = false, double styleThicknessMm = 0);

Point ToPoint(engine::PlatePoint p);

}  // namespace sundial::plan

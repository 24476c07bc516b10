// When to go out to measure a wall: for a rough bearing (from a compass, say)
// and a day, the clock times at which the sun comes onto the wall, stands
// square to it and leaves it. Times are the observer's clock, to the minute
// a person needs; the readings themselves are timed on the spot.
#pragma once

#include <string>
#include <vector>

#include "core/sun/wall_bearing.h"

namespace sundial {

enum class PlanEvent {
    Enters,  // the sun comes onto the face
    Square,  // the sun's azimuth is the wall's bearing: a shadow reading's best moment
    Leaves,  // the sun leaves the face
};

struct PlanMoment {
    PlanEvent event = PlanEvent::Square;
    ClockTime clock;  // the observer's clock, to the second
    double utcOffsetHours = 0;
    SolarPosition sun;
    // For Enters and Leaves: the sun crosses the wall's edge, so the moment
    // makes a grazing reading. False when it rises or sets in front of the
    // wall instead (no reading then).
    bool atWallEdge = false;
};

struct ReadingPlan {
    std::vector<PlanMoment> moments;  // in time order
    std::string error;                // the day or the zone could not be computed
};

// The moments on day `year`-`month`-`day` of the observer's clock for a wall
// facing `roughBearingDeg`, while the sun is up (apparent altitude).
ReadingPlan PlanReadings(const Observer& observer, double roughBearingDeg, int year, int month,
                         int day);

// The moments in a clause, clock times to the minute: "the sun comes onto it
// at 07:10, is square to it at 12:04, leaves it at 17:00", "the sun rises in
// front of it at ..."; "the sun does not shine on it" for none.
std::string PlanClause(const ReadingPlan& plan);

// "enters", "square", "leaves".
const char* PlanEventName(PlanEvent event);

}  // namespace sundial

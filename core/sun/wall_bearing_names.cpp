// The readings' names, as the command line, the files and messages write
// them, and the bearings' words: compass points, the circle's range.
#include <cmath>

#include "core/sun/wall_bearing.h"

namespace sundial {

LightEdge DefaultEdge(ReadingMethod method) {
    return method == ReadingMethod::Leaves ? LightEdge::Last : LightEdge::First;
}

const char* EdgeName(LightEdge edge) {
    switch (edge) {
        case LightEdge::First:
            return "first";
        case LightEdge::Centre:
            return "centre";
        case LightEdge::Last:
            return "last";
    }
    return "";
}

std::optional<LightEdge> EdgeNamed(std::string_view name) {
    for (LightEdge e : {LightEdge::First, LightEdge::Centre, LightEdge::Last}) {
        if (name == EdgeName(e)) return e;
    }
    return std::nullopt;
}

double NormalisedBearing(double deg) {
    double b = std::fmod(deg, 360.0);
    if (b < 0) b += 360.0;
    // fmod of a tiny negative number can come back as 360 after the addition.
    return b >= 360.0 ? 0.0 : b;
}

const char* MethodName(ReadingMethod method) {
    switch (method) {
        case ReadingMethod::Shadow:
            return "shadow";
        case ReadingMethod::Enters:
            return "enters";
        case ReadingMethod::Leaves:
            return "leaves";
        case ReadingMethod::Pin:
            return "pin";
    }
    return "";
}

std::string ReadingLabel(int number, const WallReading& reading) {
    return "reading " + std::to_string(number) + " (" + MethodName(reading.method) + " at " +
           ClockTimeText(reading.clock) + ")";
}

std::string CompassPoint(double bearingDeg) {
    static const char* const kPoints[16] = {
        "north", "north-north-east", "north-east", "east-north-east",
        "east",  "east-south-east",  "south-east", "south-south-east",
        "south", "south-south-west", "south-west", "west-south-west",
        "west",  "west-north-west",  "north-west", "north-north-west"};
    const auto sector = static_cast<int>(std::floor(NormalisedBearing(bearingDeg) / 22.5 + 0.5));
    return kPoints[sector % 16];
}

}  // namespace sundial

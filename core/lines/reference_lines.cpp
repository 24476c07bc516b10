#include "core/lines/reference_lines.h"

#include <cmath>

namespace sundial::lines {

namespace {

// Below this the cutting plane counts as parallel to the face: the line would
// lie more than a billion nodus heights away.
constexpr double kParallelSin = 1e-9;

}  // namespace

std::optional<PlateLine> NodusPlaneLine(const engine::Dial& dial, engine::Vec3 axis) {
    // A plate point p = x right + y down lies in the plane when p . a = N . a.
    const engine::Vec3 a = engine::Unit(axis);
    const double r = engine::Dot(dial.frame().right, a);
    const double d = engine::Dot(dial.frame().down, a);
    const double g = std::hypot(r, d);
    if (g < kParallelSin) return std::nullopt;
    const double k = engine::Dot(dial.Nodus(), a) / (g * g);
    return PlateLine{{k * r, k * d}, {-d / g, r / g}};
}

std::optional<PlateLine> HorizonLine(const engine::Dial& dial) {
    return NodusPlaneLine(dial, {0, 0, 1});
}

std::optional<PlateLine> EquinoctialLine(const engine::Dial& dial) {
    return NodusPlaneLine(dial, engine::NorthPole(dial.site()));
}

}  // namespace sundial::lines

#include "core/lines/thick_style.h"

#include <cmath>

namespace sundial::lines {

namespace {

// Lines closer than this (sine of the angle, or mm off the substyle when the
// lines are parallel) lie on the substyle.
constexpr double kOnSubstyle = 1e-9;

engine::HourLineGeometry Moved(engine::HourLineGeometry line, engine::PlatePoint by) {
    line.through = {line.through.x + by.x, line.through.y + by.y};
    return line;
}

}  // namespace

std::optional<std::string> CheckStyleThickness(const engine::Dial& dial, double thicknessMm) {
    if (!(thicknessMm >= 0 && thicknessMm < dial.gnomon().heightMm)) {
        return "The style's thickness must be at least 0 mm and less than the nodus's height "
               "above the plate (" +
               std::to_string(static_cast<int>(std::floor(dial.gnomon().heightMm))) + " mm).";
    }
    return std::nullopt;
}

std::vector<engine::HourLineGeometry> ThickStyleLines(const engine::Dial& dial,
                                                      const engine::HourLineGeometry& line,
                                                      double thicknessMm) {
    if (thicknessMm <= 0) return {line};
    const engine::PlatePoint s = dial.SubstyleDirection();
    const engine::PlatePoint square{-s.y, s.x};
    // Which side of the substyle the line lies on: by its direction from the
    // root, or with parallel lines by where it passes the nodus's foot.
    const double side = line.parallel ? (line.through.x - dial.gnomon().foot.x) * square.x +
                                            (line.through.y - dial.gnomon().foot.y) * square.y
                                      : s.x * line.direction.y - s.y * line.direction.x;
    const double half = thicknessMm / 2;
    const engine::PlatePoint plus{half * square.x, half * square.y};
    const engine::PlatePoint minus{-plus.x, -plus.y};
    if (std::fabs(side) < kOnSubstyle) return {Moved(line, minus), Moved(line, plus)};
    return {Moved(line, side > 0 ? plus : minus)};
}

}  // namespace sundial::lines

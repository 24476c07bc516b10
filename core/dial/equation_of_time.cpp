#include "core/dial/equation_of_time.h"

#include <array>
#include <cmath>

#include "core/dial/geometry.h"

namespace sundial {

namespace {

double Minutes(int day) {
    const double first = -7.64 * std::sin(DegToRad(day * (360.0 / 365.0)));
    const double second = -9.864 * std::sin(DegToRad(day * (2.0 * 360.0 / 365.0)));
    return first + second;
}

}  // namespace

double EquationOfTime(int day) {
    // Every run draws the same year: its 366 values are worked out once.
    static const std::array<double, 366> kYear = [] {
        std::array<double, 366> year{};
        for (int d = 0; d < 366; ++d) year[static_cast<std::size_t>(d)] = Minutes(d);
        return year;
    }();
    return day >= 0 && day <= 365 ? kYear[static_cast<std::size_t>(day)] : Minutes(day);
}

ChartPoint EquationChartPoint(int day, double minutes, double w, double h) {
    // Half the plotting band's height, held in single precision.
    const float c = static_cast<float>((h - 900 - 200) / 2);
    const double y = ((-minutes) * c) / 20 + c + 200;
    const double x = 700 + day * (w - 200 - 700) / 365;
    return {x, y};
}

void DrawEquationOfTime(DrawingSurface& surface) {
    // Nothing can resize the window while the curve is drawn: its size is read once.
    const double w = surface.Width();
    const double h = surface.Height();
    ChartPoint previous{};
    for (int day = 0; day <= 365; ++day) {
        const ChartPoint p = EquationChartPoint(day, EquationOfTime(day), w, h);
        if (day == 0) {
            surface.Point(p.x, p.y);
        } else {
            surface.Line(previous.x, previous.y, p.x, p.y);
        }
        previous = p;
    }
}

}  // namespace sundial

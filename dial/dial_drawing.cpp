#include "dial/dial_drawing.h"

#include <cmath>

namespace sundial {

namespace {

constexpr double kHourLimit = 700;  // hour lines stop this far from the side edges
constexpr double kFootLimit = 600;  // the foot line stops this far
constexpr double kStroke = 150;     // numeral height

bool LargeEnough(const DrawingSurface& s) {
    return s.Width() > kMinDialWidth && s.Height() > kMinDialHeight;
}

double TanDeg(double deg) {
    return Checked(std::tan(DegToRad(deg)), "drawing tangent");
}

void StrokeI(DrawingSurface& s, double nx, double ny, double o) {
    s.Line(nx + o, ny, nx + o, ny + kStroke);
}
void StrokeV(DrawingSurface& s, double nx, double ny, double o) {
    s.Line(nx + o, ny, nx + o + 50, ny + kStroke);
    s.Line(nx + o + 100, ny, nx + o + 50, ny + kStroke);
}
void StrokeX(DrawingSurface& s, double nx, double ny, double o) {
    s.Line(nx + o, ny, nx + o + 100, ny + kStroke);
    s.Line(nx + o + 100, ny, nx + o, ny + kStroke);
}

}  // namespace

DialRoot PrepareDialDrawing(DrawingSurface& surface) {
    surface.SetLineWidth(1);
    return {surface.Width() / 2, 200};
}

void DrawHourLine(DrawingSurface& surface, const DialRoot& root, int hour, double rawAngleDeg) {
    if (!LargeEnough(surface)) return;
    const double w = surface.Width();
    const double ht = surface.Height();
    const double r = ht - 1100;
    double x = root.x0 - r * TanDeg(rawAngleDeg);
    double y = root.y0 + r;
    double nx = x - 50;
    double ny = y + 100;
    if (x < kHourLimit) {
        x = kHourLimit;
        y = root.y0 + (root.x0 - kHourLimit) * TanDeg(90 - rawAngleDeg);
        nx = 200;
        ny = y;
    }
    if (x > w - kHourLimit) {
        x = w - kHourLimit;
        y = root.y0 + (root.x0 - kHourLimit) * TanDeg(rawAngleDeg + 90);
        nx = w - 500;
        ny = y;
    }
    surface.Line(root.x0, root.y0, x, y);
    DrawHourNumeral(surface, hour, nx, ny);
}

void DrawHourNumeral(DrawingSurface& s, int hour, double nx, double ny) {
    switch (hour) {
        case 6:
        case 18:
            StrokeV(s, nx, ny, 0), StrokeI(s, nx, ny, 150);
            break;
        case 7:
            StrokeV(s, nx, ny, 0), StrokeI(s, nx, ny, 150), StrokeI(s, nx, ny, 200);
            break;
        case 8:
            StrokeV(s, nx, ny, 0), StrokeI(s, nx, ny, 150), StrokeI(s, nx, ny, 200);
            StrokeI(s, nx, ny, 260);
            break;
        case 9:
            StrokeI(s, nx, ny, 0), StrokeX(s, nx, ny, 50);
            break;
        case 10:
            StrokeX(s, nx, ny, 0);
            break;
        case 11:
            StrokeX(s, nx, ny, 0), StrokeI(s, nx, ny, 150);
            break;
        case 12:
            StrokeX(s, nx, ny, 0), StrokeI(s, nx, ny, 150), StrokeI(s, nx, ny, 210);
            break;
        case 13:
            StrokeI(s, nx, ny, 0);
            break;
        case 14:
            StrokeI(s, nx, ny, 0), StrokeI(s, nx, ny, 60);
            break;
        case 15:
            StrokeI(s, nx, ny, 0), StrokeI(s, nx, ny, 60), StrokeI(s, nx, ny, 120);
            break;
        case 16:
            StrokeI(s, nx, ny, 0), StrokeV(s, nx, ny, 50);
            break;
        case 17:
            StrokeV(s, nx, ny, 0);
            break;
        default:
            break;
    }
}

void DrawFootLine(DrawingSurface& surface, const DialRoot& root, const DialGeometry& dial) {
    surface.SetLineWidth(3);
    if (LargeEnough(surface)) {
        const double w = surface.Width();
        const double ht = surface.Height();
        double x = root.x0;
        double y = ht - 800;
        // A later case overrides an earlier one: a west or east wall whose offset
        // rounds to 0 still gets its slanted line.
        if (FloorTenths(dial.GnomonOffset) == 0.0f) {
            x = root.x0;
            y = ht - 800;
        }
        const double tanOffset = TanDeg(dial.GnomonOffset);
        if (dial.OffsetSide == "left.") {
            x = root.x0 - (ht - 1000) * tanOffset;
            y = ht - 800;
            if (x < kFootLimit) {
                x = kFootLimit;
                y = root.y0 + (root.x0 - kFootLimit) * TanDeg(90 - dial.GnomonOffset);
            }
        }
        if (dial.OffsetSide == "right.") {
            x = root.x0 + (ht - 1000) * tanOffset;
            y = ht - 800;
            if (x > w - kFootLimit) {
                x = w - kFootLimit;
                y = root.y0 + (root.x0 - kFootLimit) * TanDeg(90 - dial.GnomonOffset);
            }
        }
        surface.Line(root.x0, root.y0, x, y);
    }
    surface.SetLineWidth(1);
}

}  // namespace sundial

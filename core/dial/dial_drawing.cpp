#include "core/dial/dial_drawing.h"

#include <cmath>

namespace sundial {

namespace {

constexpr double kHourLimit = 700;  // hour lines stop this far from the side edges
constexpr double kFootLimit = 600;  // the foot line stops this far
constexpr double kStroke = 150;     // numeral height

double TanDeg(double deg) {
    return Checked(std::tan(DegToRad(deg)), "drawing tangent");
}

// The three strokes numerals are built from, placed at offset o from nx.
void Stroke(DrawingSurface& s, char letter, double nx, double ny, double o) {
    switch (letter) {
        case 'I':
            s.Line(nx + o, ny, nx + o, ny + kStroke);
            break;
        case 'V':
            s.Line(nx + o, ny, nx + o + 50, ny + kStroke);
            s.Line(nx + o + 100, ny, nx + o + 50, ny + kStroke);
            break;
        case 'X':
            s.Line(nx + o, ny, nx + o + 100, ny + kStroke);
            s.Line(nx + o + 100, ny, nx + o, ny + kStroke);
            break;
        default:
            break;
    }
}

struct NumeralStroke {
    char letter;  // 'I', 'V' or 'X'; 0 ends the numeral
    int offset;   // twips right of the numeral's left edge
};

// Clock hours 6..18, strokes in drawing order.
constexpr NumeralStroke kNumerals[13][4] = {
    {{'V', 0}, {'I', 150}},                          // 6  VI
    {{'V', 0}, {'I', 150}, {'I', 200}},              // 7  VII
    {{'V', 0}, {'I', 150}, {'I', 200}, {'I', 260}},  // 8  VIII
    {{'I', 0}, {'X', 50}},                           // 9  IX
    {{'X', 0}},                                      // 10 X
    {{'X', 0}, {'I', 150}},                          // 11 XI
    {{'X', 0}, {'I', 150}, {'I', 210}},              // 12 XII
    {{'I', 0}},                                      // 13 I
    {{'I', 0}, {'I', 60}},                           // 14 II
    {{'I', 0}, {'I', 60}, {'I', 120}},               // 15 III
    {{'I', 0}, {'V', 50}},                           // 16 IV
    {{'V', 0}},                                      // 17 V
    {{'V', 0}, {'I', 150}},                          // 18 VI
};

}  // namespace

DialRoot PrepareDialDrawing(DrawingSurface& surface) {
    surface.SetLineWidth(1);
    return {surface.Width() / 2, 200};
}

bool DialFits(const DrawingSurface& s) {
    return s.Width() > kMinDialWidth && s.Height() > kMinDialHeight;
}

HourLineEnd HourLineEndFor(const DrawingSurface& surface, const DialRoot& root,
                           double rawAngleDeg) {
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
    return {x, y, nx, ny};
}

void DrawHourLine(DrawingSurface& surface, const DialRoot& root, int hour, double rawAngleDeg) {
    if (!DialFits(surface)) return;
    const HourLineEnd end = HourLineEndFor(surface, root, rawAngleDeg);
    surface.Line(root.x0, root.y0, end.x, end.y);
    DrawHourNumeral(surface, hour, end.nx, end.ny);
}

void DrawHourNumeral(DrawingSurface& s, int hour, double nx, double ny) {
    if (hour < kFirstDialHour || hour > kLastDialHour) return;
    for (const NumeralStroke& stroke : kNumerals[hour - kFirstDialHour]) {
        if (stroke.letter == 0) break;
        Stroke(s, stroke.letter, nx, ny, stroke.offset);
    }
}

void DrawFootLine(DrawingSurface& surface, const DialRoot& root, const DialGeometry& dial) {
    surface.SetLineWidth(3);
    if (DialFits(surface)) {
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

// The abstract surface every window drawing is expressed on, so the run and its
// outputs execute (and are tested) without a display.
//
// Units: 1/1440 inch ("twips"), origin at the top left of the drawing area,
// x to the right, y downward. Width() and Height() are the window's OUTER size
// (frame and caption included), which is what the drawings measure margins from.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sundial {

// One printed item: its text, then either nothing (the next item follows at
// once) or a jump to the next print zone. Zones start every 14 average
// character widths of the surface's font.
struct PrintItem {
    std::string text;  // UTF-8
    bool zoneJump = false;
};

// A line colour: red, green and blue, 0..255 each.
struct Rgb {
    unsigned char r = 0;
    unsigned char g = 0;
    unsigned char b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

class DrawingSurface {
  public:
    virtual ~DrawingSurface() = default;

    // Wipes everything and puts the print position back at the top left.
    virtual void Clear() = 0;
    // Prints one line of items at the print position, then moves it to the
    // start of the next line. An empty list prints an empty line. Taken by
    // value: a surface that keeps the items takes them without a copy.
    virtual void PrintLine(std::vector<PrintItem> items) = 0;
    // Pen width in device pixels (1, 2 or 3 here).
    virtual void SetLineWidth(int pixels) = 0;
    virtual void SetDotted(bool dotted) = 0;
    // Lines drawn from now on take `colour`; nothing puts back the window's
    // own foreground colour. A surface of one colour ignores it.
    virtual void SetColour(std::optional<Rgb> /*colour*/) {}
    virtual void Line(double x1, double y1, double x2, double y2) = 0;
    virtual void Point(double x, double y) = 0;
    // Ellipse centred at (cx, cy). aspect = vertical / horizontal size; with
    // aspect > 1 radius is the vertical semi-axis (horizontal = radius/aspect),
    // otherwise the horizontal one (vertical = radius*aspect).
    virtual void Ellipse(double cx, double cy, double radius, double aspect) = 0;
    // Outer size of the window, twips.
    virtual double Width() const = 0;
    virtual double Height() const = 0;
};

}  // namespace sundial

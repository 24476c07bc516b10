// Window placement and unit arithmetic on plain rectangles, so the desktop
// layer only moves widgets to the positions worked out here.
//
// Positions and sizes are in twips (1/1440 inch) and are OUTER sizes: a
// window's frame and caption are included. Origin top left, y down.
#pragma once

#include <optional>
#include <vector>

namespace sundial {

inline constexpr double kTwipsPerInch = 1440;

struct TwipRect {
    double left;
    double top;
    double width;
    double height;
};

struct TwipPoint {
    double left;
    double top;
};

// Centres a window of the given outer size over the main window.
TwipPoint CenterOverMainWindow(const TwipRect& main, double width, double height);
// The fixed spot where gazetteer windows appear: 2200 right of and 2000 below
// the main window's top left corner.
TwipPoint PlaceBesideMainWindow(const TwipRect& main);
// Centres a window on a screen of the given size.
TwipPoint CenterOnScreen(double screenWidth, double screenHeight, double width, double height);

// Conversions through the screen's logical dots per inch. Pixels are rounded
// to the nearest whole pixel.
int TwipsToPixels(double twips, double dotsPerInch);
double PixelsToTwips(double pixels, double dotsPerInch);

// Top left corners, in stacking order (back to front), of `count` windows
// arranged in cascade: each one `step` right of and below the one behind it.
std::vector<TwipPoint> CascadePositions(int count, double step);

struct OuterSize {
    double width;
    double height;
};

// Only a main window taller than this resizes its children (so a minimised or
// very short one leaves them as they were).
inline constexpr double kMinMainHeightForCascade = 1601;

// The outer size all three child windows get, or nothing when the main
// window's outer height is 1601 or less.
std::optional<OuterSize> CascadeChildSize(OuterSize mainOuter);

// Where text continues after a jump to the next print zone: the first zone
// boundary strictly right of `position`. Zones are `zoneWidth` wide and start
// at 0; all in the same unit (the desktop uses pixels).
double NextPrintZone(double position, double zoneWidth);

}  // namespace sundial

// Where the desktop meets twips: every window converts between 1/1440 inch
// and its pixels here, and every placement of one window relative to another
// or to the screen is carried out here. The arithmetic itself is the core's
// (core/layout/placement.h); this file only reads and moves widgets.
//
// Placements work on OUTER sizes and positions: frame and caption included.
#pragma once

#include <QPointF>
#include <QRect>
#include <QSize>

#include "core/layout/placement.h"

class QWidget;

namespace sundial {

// Twips to one widget's pixels and back: x through the screen's horizontal,
// y through its vertical logical dots per inch (96 where the screen gives
// none). Whole pixels are rounded to the nearest.
class TwipScale {
  public:
    explicit TwipScale(const QWidget& widget);
    TwipScale(double dpiX, double dpiY);

    int x(double twips) const { return TwipsToPixels(twips, dpiX_); }
    int y(double twips) const { return TwipsToPixels(twips, dpiY_); }
    QSize size(double width, double height) const { return {x(width), y(height)}; }
    QRect rect(const TwipRect& r) const { return {x(r.left), y(r.top), x(r.width), y(r.height)}; }
    // Unrounded, for drawing with anti-aliasing.
    QPointF point(double xTwips, double yTwips) const;

    double twipsX(double pixels) const { return PixelsToTwips(pixels, dpiX_); }
    double twipsY(double pixels) const { return PixelsToTwips(pixels, dpiY_); }
    TwipRect twips(const QRect& r) const;

  private:
    double dpiX_;
    double dpiY_;
};

// A window's outer rectangle, in twips.
TwipRect OuterRectTwips(const QWidget& window);

// Gives a top-level window the outer size `width` by `height` twips, keeping
// the frame it has now.
void SetOuterSizeTwips(QWidget& window, double width, double height);

// The three placements: each moves `window`, never resizes it. A window that
// was never sized is first given the size its layout asks for, exactly as
// showing it would, so that it is placed by the size it will be seen at; one
// not on the screen yet is taken to get a frame like `main`'s.
void MoveCenteredOver(QWidget& window, const QWidget& main);
void MoveBeside(QWidget& window, const QWidget& main);
void MoveCenteredOnScreen(QWidget& window);

}  // namespace sundial

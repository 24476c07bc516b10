#include "ui/shell/window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace sundial {

namespace {

// What the desktop takes when a screen reports no resolution (offscreen).
constexpr double kFallbackDpi = 96;

double UsableDpi(int dpi) {
    return dpi > 0 ? dpi : kFallbackDpi;
}

// The outer size the window has, or will have when it is shown, in pixels. A
// window never sized gets the size its layout asks for, exactly as showing it
// would: placed by a default size, a dialog would open off centre. One not on
// the screen has no frame yet; it will get one like the main window's.
QSize OuterSizeForPlacement(QWidget& window, const QWidget& main) {
    if (window.isWindow() && !window.testAttribute(Qt::WA_Resized)) window.adjustSize();
    if (window.isVisible()) return window.frameGeometry().size();
    return window.size() + (main.frameGeometry().size() - main.size());
}

}  // namespace

TwipScale::TwipScale(const QWidget& widget)
    : TwipScale(UsableDpi(widget.logicalDpiX()), UsableDpi(widget.logicalDpiY())) {}

TwipScale::TwipScale(double dpiX, double dpiY) : dpiX_(dpiX), dpiY_(dpiY) {}

QPointF TwipScale::point(double xTwips, double yTwips) const {
    return {xTwips * dpiX_ / kTwipsPerInch, yTwips * dpiY_ / kTwipsPerInch};
}

TwipRect TwipScale::twips(const QRect& r) const {
    return {twipsX(r.x()), twipsY(r.y()), twipsX(r.width()), twipsY(r.height())};
}

TwipRect OuterRectTwips(const QWidget& window) {
    return TwipScale(window).twips(window.frameGeometry());
}

void SetOuterSizeTwips(QWidget& window, double width, double height) {
    const QSize frameExtra = window.frameGeometry().size() - window.size();
    window.resize(TwipScale(window).size(width, height) - frameExtra);
}

void MoveCenteredOver(QWidget& window, const QWidget& main) {
    const TwipScale scale(main);
    const QSize outer = OuterSizeForPlacement(window, main);
    const TwipPoint p = CenterOverMainWindow(OuterRectTwips(main), scale.twipsX(outer.width()),
                                             scale.twipsY(outer.height()));
    window.move(scale.x(p.left), scale.y(p.top));
}

void MoveBeside(QWidget& window, const QWidget& main) {
    const TwipScale scale(main);
    const TwipPoint p = PlaceBesideMainWindow(OuterRectTwips(main));
    window.move(scale.x(p.left), scale.y(p.top));
}

void MoveCenteredOnScreen(QWidget& window) {
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const TwipScale scale(window);
    const QRect area = screen->geometry();
    const QRect frame = window.frameGeometry();
    const TwipPoint p = CenterOnScreen(scale.twipsX(area.width()), scale.twipsY(area.height()),
                                       scale.twipsX(frame.width()), scale.twipsY(frame.height()));
    window.move(area.x() + scale.x(p.left), area.y() + scale.y(p.top));
}

}  // namespace sundial

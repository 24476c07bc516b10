#include "ui/shell/qt_surface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include "ui/shell/window_geometry.h"

namespace sundial {

namespace {
// Print zones start every this many average character widths of the font.
constexpr int kPrintZoneChars = 14;
}  // namespace

QtSurface::QtSurface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAutoFillBackground(true);
}

QPointF QtSurface::toPixels(double x, double y) const {
    return TwipScale(*this).point(x, y);
}

void QtSurface::Clear() {
    shapes_.clear();
    colour_.reset();
    printedLines_.clear();
    printX_ = 0;
    printY_ = 0;
    update();
}

void QtSurface::PrintLine(std::vector<PrintItem> items) {
    const QFontMetricsF metrics(font());
    const double zoneWidth = kPrintZoneChars * metrics.averageCharWidth();
    QString whole;
    for (const PrintItem& item : items) {
        const QString text = QString::fromStdString(item.text);
        if (!text.isEmpty()) {
            shapes_.push_back({Shape::Kind::Text, QPointF(printX_, printY_ + metrics.ascent()),
                               QPointF(), text, lineWidth_, false, colour_});
            printX_ += metrics.horizontalAdvance(text);
        }
        whole += text;
        if (item.zoneJump) {
            printX_ = NextPrintZone(printX_, zoneWidth);
            whole += QLatin1Char('\t');
        }
    }
    printedLines_.append(whole);
    printX_ = 0;
    printY_ += metrics.lineSpacing();
    update();
}

void QtSurface::SetLineWidth(int pixels) {
    lineWidth_ = pixels;
}

void QtSurface::SetDotted(bool dotted) {
    dotted_ = dotted;
}

void QtSurface::SetColour(std::optional<Rgb> colour) {
    colour_.reset();
    if (colour) colour_ = QColor(colour->r, colour->g, colour->b);
}

void QtSurface::Line(double x1, double y1, double x2, double y2) {
    shapes_.push_back(
        {Shape::Kind::Line, toPixels(x1, y1), toPixels(x2, y2), {}, lineWidth_, dotted_, colour_});
    update();
}

void QtSurface::Point(double x, double y) {
    shapes_.push_back({Shape::Kind::Point, toPixels(x, y), {}, {}, lineWidth_, false, colour_});
    update();
}

void QtSurface::Ellipse(double cx, double cy, double radius, double aspect) {
    // Above 1 the radius is the vertical semi-axis, otherwise the horizontal one.
    const double rx = aspect > 1 ? radius / aspect : radius;
    const double ry = aspect > 1 ? radius : radius * aspect;
    const QPointF radii = toPixels(rx, ry);
    shapes_.push_back(
        {Shape::Kind::Ellipse, toPixels(cx, cy), radii, {}, lineWidth_, dotted_, colour_});
    update();
}

double QtSurface::Width() const {
    const QWidget* w = outer_ ? outer_ : this;
    return TwipScale(*this).twipsX(w->width());
}

double QtSurface::Height() const {
    const QWidget* w = outer_ ? outer_ : this;
    return TwipScale(*this).twipsY(w->height());
}

void QtSurface::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor ink = palette().color(QPalette::WindowText);
    for (const Shape& s : shapes_) {
        QPen pen(s.colour.value_or(ink));
        pen.setWidthF(s.width);
        pen.setStyle(s.dotted ? Qt::DotLine : Qt::SolidLine);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        switch (s.kind) {
            case Shape::Kind::Line:
                painter.drawLine(s.a, s.b);
                break;
            case Shape::Kind::Point:
                painter.drawPoint(s.a);
                break;
            case Shape::Kind::Ellipse:
                painter.drawEllipse(s.a, s.b.x(), s.b.y());
                break;
            case Shape::Kind::Text:
                painter.setRenderHint(QPainter::Antialiasing, false);
                painter.drawText(s.a, s.text);
                painter.setRenderHint(QPainter::Antialiasing, true);
                break;
        }
    }
}

}  // namespace sundial

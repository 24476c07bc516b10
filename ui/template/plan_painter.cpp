#include "ui/template/plan_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>

#include "core/plan/text_metrics.h"

namespace sundial {

namespace {

QColor ColourOf(std::uint32_t rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

QPolygonF PolygonOf(const std::vector<plan::Point>& points) {
    QPolygonF polygon;
    for (const plan::Point& p : points) polygon << QPointF(p.x, p.y);
    return polygon;
}

void PaintText(QPainter& painter, const plan::Element& e, double scale) {
    // Drawn in pixels, so that small fonts are hinted as the screen needs.
    QFont font(QString::fromLatin1(plan::kTextFamily));
    font.setPixelSize(std::max(1, static_cast<int>(e.textSizeMm * scale + 0.5)));
    font.setBold(e.bold);
    const QString text = QString::fromStdString(e.text);
    const double natural = QFontMetricsF(font).horizontalAdvance(text);
    const double wanted = plan::TextWidthMm(e.text, e.textSizeMm, e.bold) * scale;
    if (natural <= 0 || wanted <= 0) return;
    double x = e.points[0].x * scale;
    if (e.anchor == plan::Anchor::Middle) x -= wanted / 2;
    if (e.anchor == plan::Anchor::End) x -= wanted;
    painter.save();
    // From here on units are pixels again, the origin where it was.
    painter.setWorldTransform(QTransform::fromScale(1 / scale, 1 / scale) *
                              painter.worldTransform());
    painter.translate(x, e.points[0].y * scale);
    painter.scale(wanted / natural, 1);
    painter.setFont(font);
    painter.setPen(ColourOf(e.colour));
    painter.drawText(QPointF(0, 0), text);
    painter.restore();
}

}  // namespace

double PaintDrawing(QPainter& painter, const plan::Drawing& drawing, const QRectF& target) {
    if (drawing.widthMm <= 0 || drawing.heightMm <= 0 || target.isEmpty()) return 0;
    const double scale =
        std::min(target.width() / drawing.widthMm, target.height() / drawing.heightMm);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(target.center().x() - drawing.widthMm * scale / 2,
                      target.center().y() - drawing.heightMm * scale / 2);
    painter.scale(scale, scale);
    for (const plan::Element& e : drawing.elements) {
        if (e.shape == plan::Shape::Text) {
            PaintText(painter, e, scale);
            continue;
        }
        QPen pen(ColourOf(e.colour));
        pen.setWidthF(std::max(e.strokeMm, 1 / scale));
        pen.setCapStyle(Qt::RoundCap);
        if (e.dashMm > 0) pen.setDashPattern({e.dashMm / pen.widthF(), e.dashMm / pen.widthF()});
        painter.setPen(e.strokeMm > 0 ? pen : QPen(Qt::NoPen));
        painter.setBrush(e.filled ? QBrush(ColourOf(e.colour)) : QBrush(Qt::NoBrush));
        switch (e.shape) {
            case plan::Shape::Line:
            case plan::Shape::Polyline:
                painter.drawPolyline(PolygonOf(e.points));
                break;
            case plan::Shape::Polygon:
                painter.drawPolygon(PolygonOf(e.points));
                break;
            case plan::Shape::Circle:
                painter.drawEllipse(QPointF(e.points[0].x, e.points[0].y), e.radiusMm, e.radiusMm);
                break;
            case plan::Shape::Text:
                break;
        }
    }
    painter.restore();
    return scale;
}

}  // namespace sundial

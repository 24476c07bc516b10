#include "ui/tools/board_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace sundial {

namespace {

constexpr double kPi = 3.14159265358979323846;

// A direction on the page turned clockwise from straight up by `deg`.
QPointF Turned(double deg, double length) {
    const double rad = deg * kPi / 180.0;
    return {length * std::sin(rad), -length * std::cos(rad)};
}

}  // namespace

BoardPicture::BoardPicture(QWidget* parent) : QWidget(parent) {
    setObjectName("picBoard");
    setMinimumSize(sizeHint());
    setToolTip(
        QStringLiteral("Seen from above: the angle a runs from the line square to the wall "
                       "to the pin's shadow, positive clockwise."));
}

void BoardPicture::setAngle(double degrees) {
    const double limit = method_ == ReadingMethod::Pin ? 180.0 : 75.0;
    const double held = std::isfinite(degrees) ? std::clamp(degrees, -limit, limit) : 25.0;
    if (held == angleDeg_) return;
    angleDeg_ = held;
    update();
}

void BoardPicture::setReading(ReadingMethod method, LightEdge edge) {
    if (method == method_ && edge == edge_) return;
    method_ = method;
    edge_ = edge;
    update();
}

// The wall's face and its plane carried on past the wall's end, the sun's disc
// at the plane as it is at the moment timed (touching it from behind, centred
// on it, or touching it from in front), and what to watch for.
void BoardPicture::paintGrazing(QPainter& p) {
    const bool enters = method_ == ReadingMethod::Enters;
    const double face = 40, radius = 14;
    // The sun comes round from the east: seen from above with the wall
    // facing down the page, onto the face at its right-hand end.
    const double x = enters ? 205 : 35;
    p.setPen(QPen(QColor(60, 60, 60), 1.2, Qt::DashLine));
    p.drawLine(QPointF(0, face), QPointF(240, face));
    const bool leadingEdge = edge_ == LightEdge::First;
    // Entering, the leading edge is the one that shows first; leaving, the
    // one that goes first. The centre stands behind or in front by a radius.
    const double behind = edge_ == LightEdge::Centre ? 0 : (leadingEdge == enters ? 1 : -1);
    const QPointF sun(x, face - behind * radius);
    p.setPen(QPen(QColor(230, 150, 0), 2));
    p.setBrush(QColor(255, 200, 0, 220));
    p.drawEllipse(sun, radius, radius);
    // Light along the face from the part of the disc in front of the plane.
    p.setPen(QPen(QColor(230, 150, 0), 1.5));
    const double toward = enters ? -1 : 1;
    for (double dy : {2.0, 8.0, 14.0}) {
        if (sun.y() + radius < face + dy) continue;
        p.drawLine(QPointF(x + toward * radius, face + dy), QPointF(x + toward * 150, face + dy));
    }
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(Qt::black);
    const QString what =
        enters ? (edge_ == LightEdge::First    ? QStringLiteral("First light: time the first "
                                                                   "sliver of sun on the face.")
                  : edge_ == LightEdge::Centre ? QStringLiteral("Centre: half the sun's disc "
                                                                "shows past the wall's plane.")
                                               : QStringLiteral("The whole disc has come out "
                                                                "past the wall's plane."))
               : (edge_ == LightEdge::Last     ? QStringLiteral("Last light: time the moment the "
                                                                    "last sliver of sun goes.")
                  : edge_ == LightEdge::Centre ? QStringLiteral("Centre: half the sun's disc "
                                                                "has gone behind the plane.")
                                               : QStringLiteral("The disc's edge first touches "
                                                                "the wall's plane."));
    p.drawText(QRectF(12, 90, 216, 60), Qt::AlignCenter | Qt::TextWordWrap, what);
    p.drawText(QRectF(12, 160, 216, 70), Qt::AlignCenter | Qt::TextWordWrap,
               QStringLiteral("Watch the light on the wall's face, or on a card held flat "
                              "against it; never look at the sun itself."));
}

// The dial plate seen from above, its edges as the template draws them: the
// pin in the middle, the down line to the bottom edge, and the shadow turned
// from it by a towards the right edge.
void BoardPicture::paintPlate(QPainter& p) {
    const QRectF plate(30, 24, 180, 180);
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.setBrush(QColor(225, 225, 215));
    p.drawRect(plate);
    const QPointF pin = plate.center();
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRectF(0, 4, 240, 16), Qt::AlignCenter, QStringLiteral("top edge (up line)"));
    p.drawText(QRectF(0, 206, 240, 16), Qt::AlignCenter, QStringLiteral("bottom edge"));
    p.setPen(QPen(QColor(60, 60, 60), 1.2, Qt::DashLine));
    p.drawLine(pin, QPointF(pin.x(), plate.bottom()));
    // Measured from the down line towards the right edge: anticlockwise on the page.
    p.setPen(QPen(QColor(40, 40, 40), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(pin, pin + Turned(180 - angleDeg_, 80));
    QPainterPath arc;
    const double radius = 40;
    const QRectF arcBox(pin.x() - radius, pin.y() - radius, 2 * radius, 2 * radius);
    arc.arcMoveTo(arcBox, -90);
    arc.arcTo(arcBox, -90, angleDeg_);
    p.setPen(QPen(QColor(200, 40, 0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    font.setBold(true);
    font.setPixelSize(14);
    p.setFont(font);
    const QPointF label = pin + Turned(180 - angleDeg_ / 2, radius + 14);
    p.drawText(QRectF(label.x() - 20, label.y() - 9, 40, 18), Qt::AlignCenter,
               angleDeg_ >= 0 ? QStringLiteral("+a") : QStringLiteral("-a"));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::black);
    p.drawEllipse(pin, 4, 4);
    font.setBold(false);
    font.setPixelSize(11);
    p.setFont(font);
    p.drawText(QRectF(0, 228, 240, 16), Qt::AlignCenter,
               QStringLiteral("a > 0: shadow towards the right edge"));
}

void BoardPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 240 x 250 page, scaled to the widget.
    const double scale = std::min(width() / 240.0, height() / 250.0);
    p.translate((width() - 240 * scale) / 2, (height() - 250 * scale) / 2);
    p.scale(scale, scale);
    p.fillRect(QRectF(0, 0, 240, 250), QColor(255, 255, 240));
    if (method_ == ReadingMethod::Pin) {
        paintPlate(p);
        return;
    }

    // The wall, in section: a hatched band along the top, its face below.
    // For a grazing reading the wall stops short, so the sun can stand in
    // its plane beyond the end.
    const bool grazing = method_ != ReadingMethod::Shadow;
    const QRectF wall = grazing ? QRectF(60, 14, 120, 26) : QRectF(10, 14, 220, 26);
    p.fillRect(wall, QColor(200, 180, 160));
    p.setPen(QPen(QColor(120, 90, 70), 1));
    for (double x = wall.left() - 26; x < wall.right(); x += 9) {
        p.drawLine(
            QPointF(std::max(x, wall.left()), wall.bottom() - std::max(0.0, wall.left() - x)),
            QPointF(std::min(x + 26, wall.right()),
                    wall.top() + std::max(0.0, x + 26 - wall.right())));
    }
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(wall.bottomLeft(), wall.bottomRight());
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRectF(10, 0, 220, 14), Qt::AlignCenter, QStringLiteral("wall (seen from above)"));
    if (grazing) {
        paintGrazing(p);
        return;
    }

    // The level board held against the face.
    const QRectF board(45, 40, 150, 150);
    p.setPen(QPen(QColor(110, 80, 40), 1.5));
    p.setBrush(QColor(235, 210, 160));
    p.drawRect(board);

    // The pin near the board's outer edge; the square line runs from it
    // straight to the wall.
    const QPointF pin(120, 168);
    p.setPen(QPen(QColor(60, 60, 60), 1.2, Qt::DashLine));
    p.drawLine(pin, QPointF(pin.x(), board.top()));
    // Its caption goes on the side the shadow leaves free.
    p.setPen(QColor(60, 60, 60));
    const bool captionLeft = angleDeg_ >= 0;
    p.drawText(QRectF(captionLeft ? pin.x() - 74 : pin.x() + 4, board.top() + 4, 70, 28),
               (captionLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::TextWordWrap,
               QStringLiteral("square to the wall"));

    // The shadow, away from the sun, turned clockwise by a.
    const QPointF shadowEnd = pin + Turned(angleDeg_, 105);
    p.setPen(QPen(QColor(40, 40, 40), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(pin, shadowEnd);
    p.setPen(QColor(40, 40, 40));
    const QPointF beside =
        pin + Turned(angleDeg_, 80) + Turned(angleDeg_ + (captionLeft ? 90 : -90), 26);
    p.drawText(QRectF(beside.x() - 25, beside.y() - 7, 50, 14), Qt::AlignCenter,
               QStringLiteral("shadow"));

    // The angle's arc from the square line to the shadow, with its arrow
    // head at the shadow's end: the way a counts up.
    const double radius = 48;
    const QRectF arcBox(pin.x() - radius, pin.y() - radius, 2 * radius, 2 * radius);
    QPainterPath arc;
    arc.arcMoveTo(arcBox, 90);
    arc.arcTo(arcBox, 90, -angleDeg_);
    p.setPen(QPen(QColor(200, 40, 0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    const QPointF tip = pin + Turned(angleDeg_, radius);
    const double along = angleDeg_ >= 0 ? angleDeg_ + 90 : angleDeg_ - 90;  // the arc's heading
    QPolygonF head;
    head << tip << tip + Turned(along + 150, 9) << tip + Turned(along - 150, 9);
    p.setBrush(QColor(200, 40, 0));
    p.drawPolygon(head);
    font.setBold(true);
    font.setPixelSize(14);
    p.setFont(font);
    const QPointF label = pin + Turned(angleDeg_ / 2, radius + 14);
    p.drawText(QRectF(label.x() - 20, label.y() - 9, 40, 18), Qt::AlignCenter,
               angleDeg_ >= 0 ? QStringLiteral("+a") : QStringLiteral("-a"));

    // The pin itself, and the sun out in front, opposite the shadow.
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::black);
    p.drawEllipse(pin, 4, 4);
    const QPointF sun = pin + Turned(angleDeg_ + 180, 62);
    p.setPen(QPen(QColor(230, 150, 0), 2));
    for (int i = 0; i < 8; ++i) p.drawLine(sun + Turned(i * 45, 10), sun + Turned(i * 45, 15));
    p.setBrush(QColor(255, 200, 0));
    p.drawEllipse(sun, 8, 8);

    font.setBold(false);
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRectF(0, 232, 240, 16), Qt::AlignCenter,
               QStringLiteral("a > 0: shadow turned clockwise"));
}

}  // namespace sundial

#include "ui/shell/picture_strip.h"

#include <QLabel>

#include "ui/shell/window_geometry.h"

namespace sundial {

namespace {
constexpr double kStripHeight = 135;            // twips
constexpr TwipRect kClock{2040, 0, 5055, 135};  // inside the strip
}  // namespace

QWidget* NewPictureStrip(QWidget* parent) {
    const TwipScale scale(*parent);
    auto* strip = new QWidget(parent);
    strip->setObjectName(QStringLiteral("Picture1"));
    strip->setFixedHeight(scale.y(kStripHeight));
    QPalette palette = strip->palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 192));
    strip->setPalette(palette);
    strip->setAutoFillBackground(true);

    auto* clock = new QLabel(strip);
    clock->setObjectName(QStringLiteral("picClock"));
    clock->setPixmap(QPixmap(QStringLiteral(":/sundial/strip.png")));
    clock->setScaledContents(true);
    clock->setGeometry(scale.rect(kClock));
    return strip;
}

}  // namespace sundial

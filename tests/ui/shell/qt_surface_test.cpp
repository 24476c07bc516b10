#include "ui/shell/qt_surface.h"

#include <gtest/gtest.h>

#include <QImage>

#include "tests/ui/support/fake_main_window.h"
#include "ui/shell/window_geometry.h"

namespace sundial {
namespace {

TEST(QtSurface, KeepsItsDrawingAndMapsTwipsThroughTheScreen) {
    testing::EnsureApplication();
    QWidget outer;
    outer.resize(300, 200);
    QtSurface surface(&outer);
    surface.setOuterWidget(&outer);
    surface.resize(280, 170);
    QPalette pal = surface.palette();
    pal.setColor(QPalette::Window, QColor(224, 224, 224));
    surface.setPalette(pal);
    const TwipScale scale(surface);

    // The outer widget's size, in twips that give its whole pixels back.
    EXPECT_EQ(scale.size(surface.Width(), surface.Height()), QSize(300, 200));

    // A thick horizontal line one inch down.
    surface.SetLineWidth(3);
    surface.Line(0, 1440, 2880, 1440);
    surface.PrintLine({{"Hour", true}, {"Angle"}});
    surface.PrintLine({});
    EXPECT_EQ(surface.printedLines(), (QStringList{"Hour\tAngle", ""}));

    // Painted again from what was kept, as when the window is exposed.
    const QImage image = surface.grab().toImage();
    const QPoint onLine(scale.x(720), scale.y(1440));
    EXPECT_LT(qGray(image.pixel(onLine)), 100) << "the line";
    EXPECT_EQ(image.pixelColor(onLine + QPoint(0, 20)), QColor(224, 224, 224));

    surface.Clear();
    EXPECT_EQ(surface.shapeCount(), 0);
    EXPECT_TRUE(surface.printedLines().isEmpty());
    const QImage cleared = surface.grab().toImage();
    EXPECT_EQ(cleared.pixelColor(onLine), QColor(224, 224, 224));
}

}  // namespace
}  // namespace sundial

#include "ui/shell/window_geometry.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>
#include <cstdlib>
#include <functional>

#include "tests/ui/support/fake_main_window.h"
#include "tests/ui/support/window_checks.h"

namespace sundial {
namespace {

using testing::PrintTo;
using testing::RowName;

struct ScaleRow {
    const char* name;
    double dpiX, dpiY;
    TwipRect twips;
    QRect pixels;
};

class TwipScaleTest : public ::testing::TestWithParam<ScaleRow> {};

TEST_P(TwipScaleTest, MapsEachAxisThroughItsOwnDpi) {
    const ScaleRow& row = GetParam();
    const TwipScale scale(row.dpiX, row.dpiY);
    EXPECT_EQ(scale.rect(row.twips), row.pixels);
    EXPECT_EQ(scale.size(row.twips.width, row.twips.height), row.pixels.size());
    // Whole pixels to twips and back are the same pixels.
    EXPECT_EQ(scale.rect(scale.twips(row.pixels)), row.pixels);
    // Drawing keeps the fraction that whole pixels round away.
    const QPointF exact = scale.point(row.twips.left, row.twips.top);
    EXPECT_LE(std::abs(exact.x() - row.pixels.x()), 0.5);
    EXPECT_LE(std::abs(exact.y() - row.pixels.y()), 0.5);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, TwipScaleTest,
    ::testing::Values(
        ScaleRow{"OneInchAt96", 96, 96, {1440, 1440, 1440, 1440}, QRect(96, 96, 96, 96)},
        ScaleRow{"MainClientAt96", 96, 96, {0, 0, 8910, 6300}, QRect(0, 0, 594, 420)},
        ScaleRow{"StripRoundsToNearest", 96, 96, {2040, 0, 5055, 135}, QRect(136, 0, 337, 9)},
        ScaleRow{"TallPixels", 96, 120, {1440, 1440, 2880, 720}, QRect(96, 120, 192, 60)},
        ScaleRow{"LargeFonts", 144, 144, {120, 120, 4800, 2760}, QRect(12, 12, 480, 276)}),
    RowName());

class PlacementTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { testing::EnsureApplication(); }
    void SetUp() override {
        main.setGeometry(90, 70, 620, 430);
        main.show();
    }
    QWidget main;
};

struct CentreRow {
    const char* name;
    std::function<void(QDialog&)> build;
    bool shownBefore;
};

class CentreOverTest : public PlacementTest, public ::testing::WithParamInterface<CentreRow> {};

TEST_P(CentreOverTest, CentresTheSizeTheWindowIsShownAt) {
    QDialog dialog(&main);
    GetParam().build(dialog);
    if (GetParam().shownBefore) dialog.show();
    MoveCenteredOver(dialog, main);
    const QSize placedAt = dialog.size();
    dialog.show();
    EXPECT_EQ(dialog.size(), placedAt) << "showing does not resize it afterwards";
    testing::ExpectCentredOver(dialog.frameGeometry(), main.frameGeometry());
}

void LaidOut(QDialog& d) {
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel(QStringLiteral("Enter true bearing between 110 to 250 degrees.")));
    layout->addWidget(new QLineEdit);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, CentreOverTest,
    ::testing::Values(CentreRow{"SizedByItsLayoutWhenShown", LaidOut, false},
                      CentreRow{"AlreadyOnScreen", LaidOut, true},
                      CentreRow{"FixedSize", [](QDialog& d) { d.setFixedSize(321, 185); }, false},
                      CentreRow{"LargerThanTheMainWindow",
                                [](QDialog& d) { d.setFixedSize(700, 500); }, false}),
    RowName());

TEST_F(PlacementTest, BesideIsAFixedStepFromTheMainWindowsCorner) {
    QWidget window(&main, Qt::Window);
    window.resize(150, 60);
    MoveBeside(window, main);
    window.show();
    const TwipScale scale(main);
    const QPoint step = window.frameGeometry().topLeft() - main.frameGeometry().topLeft();
    EXPECT_EQ(step, QPoint(scale.x(2200), scale.y(2000)));
    EXPECT_EQ(window.size(), QSize(150, 60)) << "placing never resizes";
}

TEST_F(PlacementTest, OuterSizeIncludesTheFrame) {
    QWidget window(&main, Qt::Window);
    window.show();
    SetOuterSizeTwips(window, 2010, 780);
    const TwipScale scale(window);
    EXPECT_EQ(window.frameGeometry().size(), scale.size(2010, 780));
    const TwipRect outer = OuterRectTwips(window);
    // Whole pixels: within half a pixel of what was asked.
    EXPECT_NEAR(outer.width, 2010, scale.twipsX(0.5));
    EXPECT_NEAR(outer.height, 780, scale.twipsY(0.5));
}

TEST_F(PlacementTest, CentredOnTheScreen) {
    QWidget window;
    window.resize(300, 200);
    window.show();  // its frame is known once it is on the screen
    MoveCenteredOnScreen(window);
    testing::ExpectCentredOver(window.frameGeometry(), window.screen()->geometry());
}

}  // namespace
}  // namespace sundial

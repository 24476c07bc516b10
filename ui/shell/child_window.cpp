#include "ui/shell/child_window.h"

#include <QCloseEvent>

#include "core/layout/placement.h"

namespace sundial {

namespace {
const QColor kChildBackground(224, 224, 224);
}

ChildWindow::ChildWindow(const QString& objectName, const QString& caption, double clientWidthTwips,
                         double clientHeightTwips, QWidget* parent)
    : QMdiSubWindow(parent, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      surface_(new QtSurface) {
    setObjectName(objectName);
    setWindowTitle(caption);
    surface_->setObjectName(objectName + QStringLiteral("Surface"));
    QPalette pal = surface_->palette();
    pal.setColor(QPalette::Window, kChildBackground);
    surface_->setPalette(pal);
    surface_->setOuterWidget(this);
    setWidget(surface_);
    setOption(QMdiSubWindow::RubberBandResize, false);

    // The initial size is given for the drawing area; the frame comes on top.
    const double dpiX = surface_->logicalDpiX();
    const double dpiY = surface_->logicalDpiY();
    surface_->resize(TwipsToPixels(clientWidthTwips, dpiX), TwipsToPixels(clientHeightTwips, dpiY));
    adjustSize();
    setFixedSize(size());
}

void ChildWindow::setOuterSizeTwips(double width, double height) {
    setFixedSize(TwipsToPixels(width, surface_->logicalDpiX()),
                 TwipsToPixels(height, surface_->logicalDpiY()));
}

void ChildWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
}

}  // namespace sundial

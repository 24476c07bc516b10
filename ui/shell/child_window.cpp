#include "ui/shell/child_window.h"

#include <QCloseEvent>

#include "ui/shell/window_geometry.h"

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
    surface_->resize(TwipScale(*surface_).size(clientWidthTwips, clientHeightTwips));
    adjustSize();
    setFixedSize(size());
}

void ChildWindow::setOuterSizeTwips(double width, double height) {
    setFixedSize(TwipScale(*surface_).size(width, height));
}

void ChildWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
}

}  // namespace sundial

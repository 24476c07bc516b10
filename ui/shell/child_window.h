// One of the three child windows of the main window: a fixed single border,
// a caption, no minimize or maximize button, a light grey drawing surface and
// nothing else. Only the program sizes it; it lives as long as the program.
#pragma once

#include <QMdiSubWindow>

#include "ui/shell/qt_surface.h"

namespace sundial {

class ChildWindow final : public QMdiSubWindow {
    Q_OBJECT
  public:
    ChildWindow(const QString& objectName, const QString& caption, double clientWidthTwips,
                double clientHeightTwips, QWidget* parent = nullptr);

    QtSurface& surface() { return *surface_; }
    const QtSurface& surface() const { return *surface_; }

    // Sets the outer size (frame and caption included), in twips.
    void setOuterSizeTwips(double width, double height);

  protected:
    // The program sizes and redraws these windows on every run, so they are
    // never closed by themselves; they go when the main window goes.
    void closeEvent(QCloseEvent* event) override;

  private:
    QtSurface* surface_;
};

}  // namespace sundial

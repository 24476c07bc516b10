// A small top view of the shadow reading: the wall, a level board against
// it, the pin, the line square to the wall, the pin's shadow turned by the
// angle `a`, and the arrow that shows which way `a` counts as positive. For a
// grazing reading, the sun's disc at the wall's plane at the moment timed;
// for a pin on a level dial plate, the plate and the shadow's angle on it.
#pragma once

#include <QWidget>

#include "core/sun/wall_bearing.h"

namespace sundial {

class BoardPicture final : public QWidget {
    Q_OBJECT
  public:
    explicit BoardPicture(QWidget* parent = nullptr);

    // The shadow's angle drawn, degrees, positive clockwise seen from above
    // (on a plate, from the down line towards the right edge); held within
    // +-75 on a board so the picture stays readable.
    void setAngle(double degrees);
    double angle() const { return angleDeg_; }
    // Which reading is pictured, and for a grazing one the moment timed.
    void setReading(ReadingMethod method, LightEdge edge);
    ReadingMethod method() const { return method_; }

    QSize sizeHint() const override { return {240, 250}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void paintGrazing(QPainter& p);
    void paintPlate(QPainter& p);

    double angleDeg_ = 25;
    ReadingMethod method_ = ReadingMethod::Shadow;
    LightEdge edge_ = LightEdge::First;
};

}  // namespace sundial

// A small top view of the shadow reading: the wall, a level board against
// it, the pin, the line square to the wall, the pin's shadow turned by the
// angle `a`, and the arrow that shows which way `a` counts as positive.
#pragma once

#include <QWidget>

namespace sundial {

class BoardPicture final : public QWidget {
    Q_OBJECT
  public:
    explicit BoardPicture(QWidget* parent = nullptr);

    // The shadow's angle drawn, degrees, positive clockwise seen from above;
    // held within +-75 so the picture stays readable.
    void setAngle(double degrees);
    double angle() const { return angleDeg_; }

    QSize sizeHint() const override { return {240, 250}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    double angleDeg_ = 25;
};

}  // namespace sundial

// The Dial Template window's preview: the current plan on a white sheet,
// scaled to fit.
#pragma once

#include <QWidget>

#include "core/plan/plan.h"

namespace sundial {

class PlanPreview final : public QWidget {
    Q_OBJECT
  public:
    explicit PlanPreview(QWidget* parent = nullptr);
    // `plan` stays the caller's; nothing paints an empty grey field.
    void SetPlan(const plan::Plan* plan);
    QSize sizeHint() const override { return {560, 480}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const plan::Plan* plan_ = nullptr;
};

}  // namespace sundial

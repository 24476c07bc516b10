#include "ui/template/plan_preview.h"

#include <QPainter>
#include <algorithm>

#include "ui/template/plan_painter.h"

namespace sundial {

PlanPreview::PlanPreview(QWidget* parent) : QWidget(parent) {
    setObjectName("preview");
    setMinimumSize(320, 240);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PlanPreview::SetPlan(const plan::Plan* plan) {
    plan_ = plan;
    update();
}

void PlanPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    if (!plan_) return;
    const QRectF area = QRectF(rect()).adjusted(8, 8, -8, -8);
    // The sheet the plan is drawn on, white as paper.
    const double scale =
        std::min(area.width() / plan_->dial.widthMm, area.height() / plan_->dial.heightMm);
    const QSizeF sheet(plan_->dial.widthMm * scale, plan_->dial.heightMm * scale);
    painter.fillRect(QRectF(area.center() - QPointF(sheet.width() / 2, sheet.height() / 2), sheet),
                     Qt::white);
    PaintDrawing(painter, plan_->dial, area);
}

}  // namespace sundial

#include "ui/template/wheel_guard.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QScrollArea>

namespace sundial {

namespace {

class WheelGuard final : public QObject {
  public:
    explicit WheelGuard(QScrollArea* pane) : QObject(pane), pane_(pane) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel) return false;
        const auto* box = qobject_cast<QWidget*>(watched);
        if (!box || box->hasFocus()) return false;
        // Handed on rather than ignored: the application passes only the
        // wheel of a real device up to a widget's parents.
        QCoreApplication::sendEvent(pane_->viewport(), event);
        return true;
    }

  private:
    QScrollArea* pane_;
};

}  // namespace

void GuardWheel(QScrollArea* pane) {
    auto* guard = new WheelGuard(pane);
    QList<QWidget*> boxes;
    for (QComboBox* c : pane->widget()->findChildren<QComboBox*>()) boxes << c;
    for (QAbstractSpinBox* s : pane->widget()->findChildren<QAbstractSpinBox*>()) boxes << s;
    for (QWidget* box : boxes) {
        box->setFocusPolicy(Qt::StrongFocus);
        box->installEventFilter(guard);
    }
}

}  // namespace sundial

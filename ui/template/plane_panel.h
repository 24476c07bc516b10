// The Dial Template window's dial and plate: the dial type, the bearing and
// recline that give its plane, and the plate's size.
#pragma once

#include <QGroupBox>
#include <optional>

#include "core/engine/plane.h"
#include "core/plan/plan.h"
#include "core/template/template_options.h"
#include "ui/template/number_box.h"

class QComboBox;
class QLineEdit;

namespace sundial {

class PlanePanel final : public QGroupBox {
    Q_OBJECT
  public:
    explicit PlanePanel(QWidget* parent = nullptr);

    tmpl::DialType Type() const;
    // The bearing typed, degrees from north (0 to 360); nothing (and
    // `message`) when it is not one.
    std::optional<double> Bearing(QString& message) const;
    // The plane the type, bearing and recline give at `site`.
    std::optional<engine::Plane> ReadPlane(const SiteState& site, QString& message) const;
    // The plate's width and height into `o` (for an analemmatic dial its
    // semi-major axis, the plate left to it); false, with `message`, for a
    // box that does not read.
    bool ReadPlate(plan::PlanOptions& o, QString& message) const;
    // Shows a bearing without a Changed().
    void ShowBearing(double bearingDeg);

    // The type, the plate (or the semi-major axis) and (for a vertical dial)
    // the recline.
    void Store(ProjectOptions& options) const;
    void Show(const ProjectOptions& options);

    QComboBox* cboDialType;  // vertical, horizontal, polar, equatorial, analemmatic
    QLineEdit* txtBearing;
    QLineEdit* txtRecline;
    QLineEdit* txtWidth;
    QLineEdit* txtHeight;
    QLineEdit* txtMajor;  // an analemmatic dial's semi-major axis

  signals:
    void Changed();

  private:
    // Only the boxes the type reads can be typed in.
    void EnableForType();
};

}  // namespace sundial

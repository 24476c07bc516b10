// The Dial Template window's gnomon: where it stands (the root where the
// lines fan across the plate, a root of one's own, or the nodus's foot and
// height), the nodus's distance along the style, the style's length and its
// plate's thickness.
#pragma once

#include <QGroupBox>

#include "core/plan/plan.h"
#include "ui/template/number_box.h"

class QLineEdit;
class QRadioButton;

namespace sundial {

class GnomonPanel final : public QGroupBox {
    Q_OBJECT
  public:
    explicit GnomonPanel(QWidget* parent = nullptr);

    // The gnomon into `o` (its root or foot, the style, the style plate's
    // thickness, and the nodus distance when `needsNodus`); false, with
    // `message`, for a box that does not read.
    bool Read(plan::PlanOptions& o, bool needsNodus, QString& message) const;
    // Only the boxes the plan reads can be typed in: the nodus distance when
    // the lines need the nodus and no foot is given.
    void EnableFor(bool needsNodus);
    // Where a root of one's own starts when it is first chosen: the middle of
    // the top edge of a plate this wide.
    void SetPlateWidth(std::optional<double> widthMm) { plateWidthMm_ = widthMm; }

    // What `read` (the plan's options as read) takes from here.
    void Store(const plan::PlanOptions& read, ProjectOptions& options) const;
    void Show(const ProjectOptions& options);

    QRadioButton* optRootTop;
    QRadioButton* optRootAt;
    QLineEdit* txtRootX;
    QLineEdit* txtRootY;
    QRadioButton* optFootAt;
    QLineEdit* txtFootX;
    QLineEdit* txtFootY;
    QLineEdit* txtNodusHeight;
    QLineEdit* txtNodus;
    QLineEdit* txtStyle;
    QLineEdit* txtThickness;

  signals:
    void Changed();

  private:
    std::optional<double> plateWidthMm_;
};

}  // namespace sundial

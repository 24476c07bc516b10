// The "Site" row of the Measure Wall Bearing window: where the readings are
// taken, as latitude with north or south and longitude with east or west.
// It starts from the main window's site but keeps its own, so that a wall in
// Sydney or on the equator can be measured although the main window designs
// only from 15 to 70 degrees north. The ranges are the field tools' own,
// checked by the core's rules; a value out of range is explained beside the
// boxes.
#pragma once

#include <QWidget>
#include <optional>

#include "core/site/site_state.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace sundial {

class SiteEntry final : public QWidget {
    Q_OBJECT
  public:
    explicit SiteEntry(QWidget* parent = nullptr);

    // Shows `site`'s coordinates and clears any complaint.
    void SetSite(const SiteState& site);
    // `base` moved to the coordinates typed, or nothing with the complaint
    // shown. Other coordinates than the place's drop the place's name.
    std::optional<SiteState> Site(const SiteState& base);

    QLineEdit* txtLatitude;
    QComboBox* cboNorthSouth;
    QLineEdit* txtLongitude;
    QComboBox* cboEastWest;
    QLabel* lblProblem;

  signals:
    // The person finished typing a coordinate or chose another side.
    void edited();
};

}  // namespace sundial

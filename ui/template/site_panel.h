// The Dial Template window's site: the latitude and the zone typed here, over
// the main window's site (its place and longitude). Any latitude north or
// south, any zone in quarter hours.
#pragma once

#include <QGroupBox>
#include <optional>

#include "core/site/site_state.h"

class QLineEdit;

namespace sundial {

class SitePanel final : public QGroupBox {
    Q_OBJECT
  public:
    explicit SitePanel(QWidget* parent = nullptr);

    // `base` with the latitude and zone typed here; a latitude other than the
    // place's makes a site of its own, "Unknown", named by its coordinates.
    // Nothing (and `message` says why) while a box is not usable.
    std::optional<SiteState> Read(SiteState base, QString& message) const;
    // Shows the site's latitude and zone, without a Changed() for each box.
    void Show(const SiteState& site);

    QLineEdit* txtLatitude;  // degrees, south negative
    QLineEdit* txtZone;      // hours from UTC, quarter hours allowed

  signals:
    void Changed();
};

}  // namespace sundial

// The Dial Template window's site: the latitude and the zone typed here, over
// the main window's site (its place and longitude). Any latitude north or
// south, any zone in quarter hours, or a named zone whose standard time
// stands for the hours.
#pragma once

#include <QGroupBox>
#include <optional>

#include "core/site/site_state.h"
#include "core/sun/zone_year.h"

class QLineEdit;

namespace sundial {

class SitePanel final : public QGroupBox {
    Q_OBJECT
  public:
    explicit SitePanel(QWidget* parent = nullptr);

    // `base` with the latitude and zone typed here; a latitude other than the
    // place's makes a site of its own, "Unknown", named by its coordinates.
    // Nothing (and `message` says why) while a box is not usable.
    // With a named `zone`, its standard time is the site's zone, and the
    // hours box shows it.
    std::optional<SiteState> Read(SiteState base, const std::optional<ZoneYear>& zone,
                                  QString& message) const;
    // The named zone typed, for the dial's `year`: nothing for an empty box.
    // False (and `message` says why) for a name the zone database lacks.
    bool ReadZone(int year, std::optional<ZoneYear>& zone, QString& message) const;
    // Shows the site's latitude and zone and the named zone `tz` (empty for
    // none), without a Changed() for each box.
    void Show(const SiteState& site, const std::string& tz = {});

    QLineEdit* txtLatitude;  // degrees, south negative
    QLineEdit* txtZone;      // hours from UTC, quarter hours allowed
    QLineEdit* txtTz;        // a named zone ("Europe/London"), or empty

  signals:
    void Changed();
};

}  // namespace sundial

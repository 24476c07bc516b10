#include "ui/template/site_panel.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <cmath>

#include "ui/template/number_box.h"

namespace sundial {

SitePanel::SitePanel(QWidget* parent) : QGroupBox(tr("Site"), parent) {
    setObjectName("grpSite");
    auto* form = new QFormLayout(this);
    txtLatitude = NumberBox(this, "txtLatitude");
    txtLatitude->setToolTip(tr("Degrees, north positive, south negative (-89 to 89)"));
    txtZone = NumberBox(this, "txtZone");
    txtZone->setToolTip(tr("Hours from UTC, -12 to 14, in quarter hours (5.75)"));
    form->addRow(tr("Latitude (\u00b0, south -)"), txtLatitude);
    form->addRow(tr("Zone (hours)"), txtZone);
    for (QLineEdit* box : {txtLatitude, txtZone}) {
        connect(box, &QLineEdit::textChanged, this, &SitePanel::Changed);
    }
}

std::optional<SiteState> SitePanel::Read(SiteState base, QString& message) const {
    const auto latitude = ReadNumber(*txtLatitude, tr("the latitude"), message);
    if (!latitude) return std::nullopt;
    const auto zone = ReadNumber(*txtZone, tr("the zone"), message);
    if (!zone) return std::nullopt;
    if (!(*latitude >= -89 && *latitude <= 89)) {
        message = tr("The latitude must be from -89 (south) to 89 (north).");
        return std::nullopt;
    }
    if (!(*zone >= -12 && *zone <= 14) || std::fmod(*zone * 4, 1.0) != 0) {
        message = tr("The zone must be from -12 to 14 hours, in quarter hours.");
        return std::nullopt;
    }
    if (static_cast<float>(*latitude) != base.Latitude) base.PlaceName = "Unknown";
    base.Latitude = static_cast<float>(*latitude);
    base.UtcOffset = static_cast<float>(*zone);
    return base;
}

void SitePanel::Show(const SiteState& site) {
    const QLocale locale;
    const QSignalBlocker l(txtLatitude), z(txtZone);
    txtLatitude->setText(locale.toString(site.Latitude));
    txtZone->setText(locale.toString(site.UtcOffset));
}

}  // namespace sundial

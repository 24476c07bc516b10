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
    txtTz = new QLineEdit(this);
    txtTz->setObjectName("txtTz");
    txtTz->setPlaceholderText(tr("none: the hours above"));
    txtTz->setToolTip(
        tr("A zone by name, e.g. Europe/London: its standard time draws the lines, "
           "its summer time the summer numerals"));
    form->addRow(tr("Latitude (\u00b0, south -)"), txtLatitude);
    form->addRow(tr("Zone (hours)"), txtZone);
    form->addRow(tr("Named zone"), txtTz);
    for (QLineEdit* box : {txtLatitude, txtZone, txtTz}) {
        connect(box, &QLineEdit::textChanged, this, &SitePanel::Changed);
    }
}

bool SitePanel::ReadZone(int year, std::optional<ZoneYear>& zone, QString& message) const {
    zone.reset();
    const std::string name = txtTz->text().trimmed().toStdString();
    if (name.empty()) return true;
    ZoneYearRead read = ZoneInYear(name, year);
    if (!read.zone) {
        message = tr("The named zone: %1").arg(QString::fromStdString(read.error));
        return false;
    }
    zone = std::move(read.zone);
    return true;
}

std::optional<SiteState> SitePanel::Read(SiteState base, const std::optional<ZoneYear>& named,
                                         QString& message) const {
    txtZone->setEnabled(!named);
    if (named) {
        const QSignalBlocker z(txtZone);
        txtZone->setText(QLocale().toString(named->standardHours));
    }
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

void SitePanel::Show(const SiteState& site, const std::string& tz) {
    const QLocale locale;
    const QSignalBlocker l(txtLatitude), z(txtZone), t(txtTz);
    txtLatitude->setText(locale.toString(site.Latitude));
    txtZone->setText(locale.toString(site.UtcOffset));
    txtTz->setText(QString::fromStdString(tz));
}

}  // namespace sundial

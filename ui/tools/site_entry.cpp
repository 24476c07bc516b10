#include "ui/tools/site_entry.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <cmath>

#include "core/rules/field_site_rules.h"
#include "ui/tools/reading_captions.h"

namespace sundial {

namespace {

QLineEdit* DegreesBox(QWidget* parent, const char* name, const QString& hint) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setPlaceholderText(hint);
    box->setMaximumWidth(90);
    return box;
}

QComboBox* SideBox(QWidget* parent, const char* name, const QString& a, const QString& b) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems({a, b});
    return box;
}

// A coordinate's size as typed, or nothing when it is not a number.
std::optional<double> Typed(const QLineEdit* box) {
    bool ok = false;
    const double value = QLocale().toDouble(box->text().trimmed(), &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

SiteEntry::SiteEntry(QWidget* parent) : QWidget(parent) {
    setObjectName("fraSite");
    txtLatitude = DegreesBox(this, "txtLatitude", QStringLiteral("0 to 89"));
    cboNorthSouth = SideBox(this, "cboNorthSouth", QStringLiteral("N"), QStringLiteral("S"));
    txtLongitude = DegreesBox(this, "txtLongitude", QStringLiteral("0 to 180"));
    cboEastWest = SideBox(this, "cboEastWest", QStringLiteral("E"), QStringLiteral("W"));
    lblProblem = new QLabel(this);
    lblProblem->setObjectName("lblSiteProblem");
    lblProblem->setWordWrap(true);
    lblProblem->setStyleSheet(QStringLiteral("color: #a04000;"));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("Latitude:"), this));
    row->addWidget(txtLatitude);
    row->addWidget(cboNorthSouth);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("Longitude:"), this));
    row->addWidget(txtLongitude);
    row->addWidget(cboEastWest);
    row->addSpacing(12);
    row->addWidget(lblProblem, 1);

    connect(txtLatitude, &QLineEdit::editingFinished, this, &SiteEntry::edited);
    connect(txtLongitude, &QLineEdit::editingFinished, this, &SiteEntry::edited);
    connect(cboNorthSouth, &QComboBox::currentIndexChanged, this, &SiteEntry::edited);
    connect(cboEastWest, &QComboBox::currentIndexChanged, this, &SiteEntry::edited);
}

void SiteEntry::SetSite(const SiteState& site) {
    const QSignalBlocker quietNs(cboNorthSouth), quietEw(cboEastWest);
    txtLatitude->setText(QLocale().toString(std::fabs(site.Latitude), 'g', 6));
    cboNorthSouth->setCurrentIndex(site.Latitude < 0 ? 1 : 0);
    txtLongitude->setText(QLocale().toString(std::fabs(site.Longitude), 'g', 6));
    // The site keeps longitudes west positive.
    cboEastWest->setCurrentIndex(site.Longitude > 0 ? 1 : 0);
    lblProblem->clear();
}

std::optional<SiteState> SiteEntry::Site(const SiteState& base) {
    const std::optional<double> lat = Typed(txtLatitude);
    const std::optional<double> lon = Typed(txtLongitude);
    std::optional<std::string> fault;
    if (!lat || *lat < 0) {
        fault = "type the latitude's size in degrees, from 0 to 89, and choose N or S.";
    } else if (!lon) {
        fault = "type the longitude's size in degrees, from 0 to 180, and choose E or W.";
    } else {
        if (FieldLatitudeFault(*lat)) {
            fault = "the latitude must be from 0 to 89 degrees, north or south.";
        } else if (const auto lonFault = FieldLongitudeFault(*lon)) {
            fault = *lonFault + ", east or west.";
        }
    }
    if (fault) {
        lblProblem->setText(Sentence(*fault));
        return std::nullopt;
    }
    lblProblem->clear();
    SiteState site = base;
    site.Latitude = static_cast<float>(cboNorthSouth->currentIndex() == 1 ? -*lat : *lat);
    site.Longitude = static_cast<float>(cboEastWest->currentIndex() == 1 ? *lon : -*lon);
    if (site.Latitude != base.Latitude || site.Longitude != base.Longitude) site.PlaceName.clear();
    return site;
}

}  // namespace sundial

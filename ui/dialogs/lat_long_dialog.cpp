#include "ui/dialogs/lat_long_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "core/site/number_text.h"
#include "ui/gazetteer/gazetteer_window.h"
#include "ui/shell/main_window_api.h"

namespace sundial {

frmLatLong::frmLatLong(MainWindowApi& main, GazetteerWindows& gazetteers, WarnFunction warn,
                       QWidget* parent)
    : InputDialog("frmLatLong", QStringLiteral("User set Lat and Long"), main, std::move(warn),
                  parent),
      gazetteers_(gazetteers) {
    auto* fraFrame = new QGroupBox(QStringLiteral("Set Latitude and Longitude"), this);
    fraFrame->setObjectName("fraFrame");

    auto* fraLat = new QGroupBox(QStringLiteral("Latitude"), fraFrame);
    fraLat->setObjectName("fraLat");
    txtLatitude = new QLineEdit(fraLat);
    txtLatitude->setObjectName("txtLatitude");
    auto* Label3 = new QLabel(QStringLiteral("North"), fraLat);
    Label3->setObjectName("Label3");
    auto* latRow = new QHBoxLayout(fraLat);
    latRow->addWidget(txtLatitude);
    latRow->addWidget(Label3);

    auto* fraLong = new QGroupBox(QStringLiteral("Longitude"), fraFrame);
    fraLong->setObjectName("fraLong");
    txtLongitude = new QLineEdit(fraLong);
    txtLongitude->setObjectName("txtLongitude");
    optEast = new QRadioButton(QStringLiteral("East"), fraLong);
    optEast->setObjectName("optEast");
    optWest = new QRadioButton(QStringLiteral("West"), fraLong);
    optWest->setObjectName("optWest");
    auto* longRow = new QHBoxLayout(fraLong);
    longRow->addWidget(txtLongitude);
    auto* sides = new QVBoxLayout;
    sides->addWidget(optEast);
    sides->addWidget(optWest);
    longRow->addLayout(sides);

    cmdAccept = new QPushButton(QStringLiteral("Go"), fraFrame);
    cmdAccept->setObjectName("cmdAccept");
    cmdAccept->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), fraFrame);
    cmdCancel->setObjectName("cmdCancel");
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdAccept);
    buttons->addWidget(cmdCancel);
    buttons->addStretch();

    auto* inner = new QHBoxLayout(fraFrame);
    auto* boxes = new QVBoxLayout;
    boxes->addWidget(fraLat);
    boxes->addWidget(fraLong);
    inner->addLayout(boxes);
    inner->addLayout(buttons);

    SetFrame(fraFrame);

    connect(cmdAccept, &QPushButton::clicked, this, &frmLatLong::cmdAccept_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLatLong::cmdCancel_Click);
    Form_Load();
}

void frmLatLong::Form_Load() {
    const SiteState& site = main_.Site();
    (site.Longitude < 0 ? optEast : optWest)->setChecked(true);
    Restore();
}

void frmLatLong::Restore() {
    const SiteState& site = main_.Site();
    txtLatitude->setText(LocaleText(NumberText(site.Latitude)));
    txtLongitude->setText(LocaleText(NumberText(std::fabs(site.Longitude))));
}

void frmLatLong::cmdAccept_Click() {
    SiteState& site = main_.Site();
    // Typed coordinates are no longer any gazetteer town, whether or not they
    // turn out to be usable.
    site.PlaceName = "Unknown";
    for (Region r : {Region::EastEurope, Region::WestEurope, Region::NorthAmerica}) {
        gazetteers_.Window(r).Uncheck();
    }

    const LatLongVerdict verdict =
        CheckLatLong(ReadNumber(*txtLatitude), ReadNumber(*txtLongitude), optEast->isChecked());
    switch (verdict.outcome) {
        case InputOutcome::Restore:
            Restore();
            return;
        case InputOutcome::Warn:
            if (Warn(verdict.message)) Restore();
            return;
        case InputOutcome::Accept:
            break;
    }
    site.Latitude = verdict.latitude;
    site.Longitude = verdict.longitude;
    MainWindowApi& main = main_;
    main.Timeset(verdict.zone);
    main.mnuRun_Click();
}

void frmLatLong::cmdCancel_Click() {
    close();
}

}  // namespace sundial

#include "ui/tools/measure_bearing_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/places/places.h"
#include "core/rules/input_rules.h"
#include "core/site/number_text.h"
#include "core/sun/reading_plan.h"
#include "ui/shell/main_window_api.h"
#include "ui/tools/board_picture.h"
#include "ui/tools/reading_captions.h"
#include "ui/tools/reading_entry.h"
#include "ui/tools/site_entry.h"

namespace sundial {

namespace {

bool SamePlace(const SiteState& a, const SiteState& b) {
    return a.PlaceName == b.PlaceName && a.Latitude == b.Latitude && a.Longitude == b.Longitude;
}

bool IsPin(const frmMeasureBearing::Entry& e) {
    return e.kept.reading.method == ReadingMethod::Pin;
}

}  // namespace

frmMeasureBearing::frmMeasureBearing(MainWindowApi& main, WarnFunction warn, QWidget* parent)
    : QDialog(parent), main_(main), warn_(std::move(warn)) {
    setObjectName("frmMeasureBearing");
    setWindowTitle(QStringLiteral("Measure Wall Bearing"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    if (!warn_) {
        warn_ = [](QWidget* p, const QString& text) {
            QMessageBox::warning(p, p->windowTitle(), text, QMessageBox::Ok);
        };
    }
    if (!ask_) {
        ask_ = [](QWidget* p, const QString& text) {
            return QMessageBox::question(p, p->windowTitle(), text) == QMessageBox::Yes;
        };
    }
    site_ = mainSite_ = main_.Site();
    fraSite = new SiteEntry(this);
    fraSite->SetSite(site_);
    lblSite = new QLabel(this);
    lblSite->setObjectName("lblSite");
    lblSite->setWordWrap(true);

    // The reading being taken: when, in which zone, how, and for a shadow
    // its angle. The date and time run with the clock of the chosen zone.
    fraReading = new ReadingEntry(this);
    fraReading->FillZones(site_);
    dtpDate = fraReading->dtpDate;
    dtpTime = fraReading->dtpTime;
    cmdNow = fraReading->cmdNow;
    cboZone = fraReading->cboZone;
    cboMethod = fraReading->cboMethod;
    cboLight = fraReading->cboLight;
    txtAngle = fraReading->txtAngle;
    cmdAdd = fraReading->cmdAdd;
    picBoard = fraReading->picBoard;

    lblPlan = new QLabel(this);
    lblPlan->setObjectName("lblPlan");
    lblPlan->setWordWrap(true);

    // The readings so far, each with the sun's position, its bearing and how
    // far that lies from the result.
    grdReadings = MakeReadingsTable(this);
    cmdRemove = new QPushButton(QStringLiteral("Remove Reading"), this);
    cmdRemove->setObjectName("cmdRemove");
    cmdSave = new QPushButton(QStringLiteral("Save Readings..."), this);
    cmdSave->setObjectName("cmdSave");
    cmdLoad = new QPushButton(QStringLiteral("Load Readings..."), this);
    cmdLoad->setObjectName("cmdLoad");

    lblMean = new QLabel(this);
    lblMean->setObjectName("lblMean");
    lblMean->setWordWrap(true);
    lblWarning = new QLabel(this);
    lblWarning->setObjectName("lblWarning");
    lblWarning->setWordWrap(true);
    lblWarning->setStyleSheet(QStringLiteral("color: #a04000;"));
    lblStatus = new QLabel(this);
    lblStatus->setObjectName("lblStatus");
    lblStatus->setWordWrap(true);
    cmdUse = new QPushButton(QStringLiteral("Use this bearing"), this);
    cmdUse->setObjectName("cmdUse");
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName("cmdClose");

    auto* tableButtons = new QHBoxLayout;
    tableButtons->addWidget(lblMean, 1);
    tableButtons->addWidget(cmdLoad);
    tableButtons->addWidget(cmdSave);
    tableButtons->addWidget(cmdRemove);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdUse);
    buttons->addWidget(cmdClose);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(fraSite);
    outer->addWidget(lblSite);
    outer->addWidget(fraReading);
    outer->addWidget(lblPlan);
    outer->addWidget(grdReadings, 1);
    outer->addLayout(tableButtons);
    outer->addWidget(lblWarning);
    outer->addWidget(lblStatus);
    outer->addLayout(buttons);

    Connect();
    ShowSite();
    Tick();
    ShowPlan();
    Recompute();
    ticker_.start(1000);
}

void frmMeasureBearing::Connect() {
    connect(cmdAdd, &QPushButton::clicked, this, &frmMeasureBearing::cmdAdd_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmMeasureBearing::cmdRemove_Click);
    connect(cmdUse, &QPushButton::clicked, this, &frmMeasureBearing::cmdUse_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    connect(cmdSave, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Save Readings"),
                                                          QStringLiteral("readings.csv"),
                                                          QStringLiteral("Readings (*.csv)"));
        if (!file.isEmpty()) SaveReadingsTo(file.toStdString());
    });
    connect(cmdLoad, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Load Readings"), {},
                                                          QStringLiteral("Readings (*.csv)"));
        if (!file.isEmpty()) LoadReadingsFrom(file.toStdString());
    });
    connect(fraSite, &SiteEntry::edited, this, &frmMeasureBearing::SiteTyped);
    connect(fraReading, &ReadingEntry::planChanged, this, &frmMeasureBearing::ShowPlan);
    connect(&ticker_, &QTimer::timeout, this, &frmMeasureBearing::Tick);
}

Observer frmMeasureBearing::ObserverFor(const ClockZone& zone) const {
    return {site_.Latitude, site_.Longitude, zone.fixedOffsetHours, zone.name};
}

void frmMeasureBearing::ShowSite() {
    const Place* place = PlaceOf(site_);
    lblSite->setText(
        QStringLiteral("<b>Site:</b> %1; zone %2")
            .arg(SiteCaption(site_).toHtmlEscaped(),
                 place ? QStringLiteral("%1 (with summer time)").arg(place->zone)
                       : ZoneCaption(site_.UtcOffset) + QStringLiteral(" (fixed offset)")));
}

// For the wall's present bearing and the chosen day: when the sun comes onto
// the wall, is square to it and leaves it.
void frmMeasureBearing::ShowPlan() {
    if (fraReading->Method() == ReadingMethod::Pin) {
        lblPlan->setText(
            QStringLiteral("A level plate is lit all day: stand a pin upright on it, and read "
                           "its shadow a few hours apart with the sun well up."));
        return;
    }
    double bearing = 0;
    if (!ParseBearing(site_.WallBearing, bearing)) {
        lblPlan->clear();
        return;
    }
    const QDate d = dtpDate->date();
    const ReadingPlan plan =
        PlanReadings(ObserverFor(fraReading->ChosenZone()), bearing, d.year(), d.month(), d.day());
    lblPlan->setText(QStringLiteral("When to go out, for a wall facing about %1 on %2: %3.")
                         .arg(QLocale().toString(bearing, 'f', 1),
                              d.toString(QStringLiteral("yyyy-MM-dd")),
                              QString::fromStdString(PlanClause(plan))));
}

void frmMeasureBearing::cmdNow_Click() {
    cmdNow->click();
}

void frmMeasureBearing::Tick() {
    const SiteState& main = main_.Site();
    if (!SamePlace(mainSite_, main)) {
        // The readings were taken at the wall, wherever the program's site
        // says it is: work them out again for the new site.
        mainSite_ = main;
        fraSite->SetSite(main);
        MoveTo(main);
    } else if (mainSite_.WallBearing != main.WallBearing) {
        mainSite_.WallBearing = site_.WallBearing = main.WallBearing;
        ShowPlan();
    }
    if (fraReading->Tick()) ShowPlan();
}

void frmMeasureBearing::SiteTyped() {
    std::optional<SiteState> typed = fraSite->Site(site_);
    cmdAdd->setEnabled(typed.has_value());
    if (!typed || SamePlace(*typed, site_)) return;
    // Typed coordinates keep the clock of their longitude's band until
    // another zone is chosen.
    typed->UtcOffset = static_cast<float>(ZoneForLongitude(typed->Longitude));
    MoveTo(*typed);
}

void frmMeasureBearing::MoveTo(const SiteState& site) {
    site_ = site;
    cmdAdd->setEnabled(true);
    fraReading->FillZones(site_);
    ShowSite();
    std::vector<Entry> kept;
    int dropped = 0;
    for (const Entry& e : entries_) {
        const ReadingResult r = BearingFromReading(ObserverFor(e.kept.zone), e.kept.reading);
        if (r.value) {
            kept.push_back({e.kept, *r.value});
        } else {
            ++dropped;
        }
    }
    const bool had = !entries_.empty();
    entries_ = std::move(kept);
    Recompute();
    ShowPlan();
    if (had) {
        Say(QStringLiteral("The site is now %1: the readings are worked out for it%2.")
                .arg(SiteCaption(site_),
                     dropped == 0 ? QString()
                                  : QStringLiteral("; %1 removed, the sun being down there "
                                                   "at the time")
                                        .arg(dropped)));
    }
}

void frmMeasureBearing::Say(const QString& text) {
    lblStatus->setText(text);
}

void frmMeasureBearing::cmdAdd_Click() {
    QString problem;
    const std::optional<WallReading> reading = fraReading->Reading(problem);
    if (!reading) {
        Say(problem);
        txtAngle->setFocus();
        return;
    }
    // A plate's readings and a wall's measure different things.
    const bool pin = reading->method == ReadingMethod::Pin;
    if (!entries_.empty() && IsPin(entries_.front()) != pin) {
        Say(pin ? QStringLiteral("This reading is not added: a pin on a level plate measures the "
                                 "plate, not the wall; remove the wall's readings first.")
                : QStringLiteral("This reading is not added: the table holds a plate's pin "
                                 "readings; remove them first."));
        return;
    }
    const ClockZone zone = fraReading->ChosenZone();
    const ReadingResult r = BearingFromReading(ObserverFor(zone), *reading);
    if (!r.value) {
        Say(QStringLiteral("This reading is not added: %1").arg(QString::fromStdString(r.error)));
        return;
    }
    entries_.push_back({{*reading, zone}, *r.value});
    unsaved_ = true;
    Say({});
    Recompute();
}

void frmMeasureBearing::cmdRemove_Click() {
    int row = grdReadings->currentRow();
    if (row < 0 || row >= static_cast<int>(entries_.size())) row = int(entries_.size()) - 1;
    if (row < 0) return;
    entries_.erase(entries_.begin() + row);
    unsaved_ = true;
    Recompute();
}

void frmMeasureBearing::Recompute() {
    grdReadings->setRowCount(static_cast<int>(entries_.size()));
    std::vector<ReadingBearing> bearings;
    std::vector<std::string> labels;
    std::vector<WallReading> readings;
    bool oneZone = true;
    for (size_t i = 0; i < entries_.size(); ++i) {
        const Entry& e = entries_[i];
        bearings.push_back(e.result);
        labels.push_back(ReadingLabel(static_cast<int>(i + 1), e.kept.reading));
        readings.push_back(e.kept.reading);
        oneZone = oneZone && e.kept.zone == entries_.front().kept.zone;
    }
    cmdRemove->setEnabled(!entries_.empty());
    cmdSave->setEnabled(!entries_.empty());
    if (entries_.empty()) {
        measurement_.reset();
        lblMean->setText(QStringLiteral("No readings yet."));
        lblWarning->clear();
        cmdUse->setEnabled(false);
        return;
    }
    // Readings all on one zone's clock can also be checked for the clock
    // being an hour off.
    measurement_ = oneZone ? MeasureWallBearing(ObserverFor(entries_.front().kept.zone), readings)
                                 .value.value_or(CombineBearings(bearings, labels))
                           : CombineBearings(std::move(bearings), labels);
    const WallBearingMeasurement& m = *measurement_;
    ShowReadings(*grdReadings, entries_, m);
    const long leftOut = std::count(m.leftOut.begin(), m.leftOut.end(), true);
    const bool plate = IsPin(entries_.front());
    lblMean->setText(
        QStringLiteral("%1 bearing %2 degrees from %3 %4%5; spread %6.")
            .arg(plate ? QStringLiteral("Plate") : QStringLiteral("Wall"), Degrees(m.meanDeg))
            .arg(entries_.size() - leftOut)
            .arg(entries_.size() - leftOut == 1 ? QStringLiteral("reading")
                                                : QStringLiteral("readings"))
            .arg(leftOut == 0 ? QString() : QStringLiteral(" (%1 left out)").arg(leftOut))
            .arg(m.spreadDeg ? Degrees(*m.spreadDeg) + QStringLiteral(" degrees")
                             : QStringLiteral("none from one reading")));
    lblWarning->setText(Sentence(m.clockHint.empty() ? m.warning : m.clockHint));
    // The plate's bearing is the template's, never the wall's.
    cmdUse->setEnabled(m.offeredDeg.has_value() && !plate);
    if (!m.advice.empty()) {
        Say(Sentence(m.advice));
    } else if (plate) {
        const double north = NorthFromPlateTop(m.meanDeg);
        Say(QStringLiteral("North lies %1 degrees %2 of the plate's up line: turn the plate %1 "
                           "degrees %3 to bring north to its top, or draw a horizontal dial "
                           "facing %4 in the Dial Template window for it as it lies.")
                .arg(Degrees(std::fabs(north)),
                     north < 0 ? QStringLiteral("left") : QStringLiteral("right"),
                     north < 0 ? QStringLiteral("anticlockwise") : QStringLiteral("clockwise"),
                     Degrees(m.meanDeg)));
    } else if (!m.facing.empty()) {
        Say(Sentence(m.facing));
    }
}

void frmMeasureBearing::closeEvent(QCloseEvent* event) {
    if (!used_ && unsaved_ && !entries_.empty() &&
        !ask_(
            this,
            QStringLiteral("Discard the %1 readings? They are not saved.").arg(entries_.size()))) {
        event->ignore();
        return;
    }
    ticker_.stop();
    QDialog::closeEvent(event);
}

void frmMeasureBearing::cmdUse_Click() {
    if (!measurement_ || !measurement_->offeredDeg) return;
    // The same rule, the same stored text, as a bearing typed into the Wall
    // Bearing dialog.
    const BearingVerdict verdict = CheckBearing(*measurement_->offeredDeg);
    if (verdict.outcome != InputOutcome::Accept) {
        if (verdict.message) warn_(this, QString::fromUtf8(verdict.message));
        return;
    }
    MainWindowApi& main = main_;
    ApplyBearing(main.Site(), verdict.bearingText);
    used_ = true;
    close();
    main.mnuRun_Click();
}

}  // namespace sundial

#include "ui/tools/measure_bearing_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <cmath>

#include "core/places/places.h"
#include "core/rules/input_rules.h"
#include "core/site/number_text.h"
#include "core/sun/reading_plan.h"
#include "ui/shell/main_window_api.h"
#include "ui/tools/board_picture.h"

namespace sundial {

namespace {

// The methods in the order the list offers them.
constexpr ReadingMethod kMethods[] = {ReadingMethod::Shadow, ReadingMethod::Enters,
                                      ReadingMethod::Leaves};

QString MethodCaption(ReadingMethod method) {
    switch (method) {
        case ReadingMethod::Shadow:
            return QStringLiteral("Shadow on a level board");
        case ReadingMethod::Enters:
            return QStringLiteral("Sun comes onto the wall");
        case ReadingMethod::Leaves:
            return QStringLiteral("Sun leaves the wall");
    }
    return {};
}

QString ZoneCaption(double hours) {
    if (hours == 0) return QStringLiteral("UTC");
    return QStringLiteral("UTC%1%2").arg(hours > 0 ? "+" : "").arg(hours);
}

QString ZoneCaption(const ClockZone& zone) {
    return zone.name.empty() ? ZoneCaption(zone.fixedOffsetHours)
                             : QString::fromStdString(zone.name);
}

constexpr LightEdge kEdges[] = {LightEdge::First, LightEdge::Centre, LightEdge::Last};

QString EdgeCaption(LightEdge edge) {
    switch (edge) {
        case LightEdge::First:
            return QStringLiteral("First light");
        case LightEdge::Centre:
            return QStringLiteral("Centre of the sun");
        case LightEdge::Last:
            return QStringLiteral("Last light");
    }
    return {};
}

int EdgeIndex(LightEdge edge) {
    return edge == LightEdge::First ? 0 : edge == LightEdge::Centre ? 1 : 2;
}

// The site as the dialog names it: "Exeter, Britain, 50.7 N 3.5 W".
QString SiteCaption(const SiteState& site) {
    return QStringLiteral("%1, %2 %3 %4 %5")
        .arg(QString::fromStdString(site.PlaceName))
        .arg(QLocale().toString(std::fabs(site.Latitude), 'g', 6))
        .arg(site.Latitude < 0 ? "S" : "N")
        .arg(QLocale().toString(std::fabs(site.Longitude), 'g', 6))
        .arg(site.Longitude < 0 ? "E" : "W");
}

bool SamePlace(const SiteState& a, const SiteState& b) {
    return a.PlaceName == b.PlaceName && a.Latitude == b.Latitude && a.Longitude == b.Longitude;
}

// A number of degrees as the user's locale writes it, two places.
QString Degrees(double value) {
    // What rounds to nothing is shown without a sign.
    return QLocale().toString(std::fabs(value) < 0.005 ? 0.0 : value, 'f', 2);
}

QString Sentence(const std::string& text) {
    QString s = QString::fromStdString(text);
    if (!s.isEmpty()) s[0] = s[0].toUpper();
    return s;
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
    site_ = main_.Site();
    lblSite = new QLabel(this);
    lblSite->setObjectName("lblSite");
    lblSite->setWordWrap(true);

    // The reading being taken: when, in which zone, how, and for a shadow
    // its angle. The date and time run with the clock of the chosen zone.
    auto* fraReading = new QGroupBox(QStringLiteral("Reading"), this);
    fraReading->setObjectName("fraReading");
    dtpDate = new QDateEdit(fraReading);
    dtpDate->setObjectName("dtpDate");
    dtpDate->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    dtpDate->setDateRange(QDate(kFirstSunYear, 1, 1), QDate(kLastSunYear, 12, 31));
    dtpDate->setCalendarPopup(true);
    dtpTime = new QTimeEdit(fraReading);
    dtpTime->setObjectName("dtpTime");
    dtpTime->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    cmdNow = new QPushButton(QStringLiteral("Now"), fraReading);
    cmdNow->setObjectName("cmdNow");
    cmdNow->setToolTip(QStringLiteral("Set the date and time to now, and keep them running"));
    cboZone = new QComboBox(fraReading);
    cboZone->setObjectName("cboZone");
    FillZones();
    cboMethod = new QComboBox(fraReading);
    cboMethod->setObjectName("cboMethod");
    for (ReadingMethod m : kMethods) cboMethod->addItem(MethodCaption(m));
    cboLight = new QComboBox(fraReading);
    cboLight->setObjectName("cboLight");
    for (LightEdge e : kEdges) cboLight->addItem(EdgeCaption(e));
    txtAngle = new QLineEdit(fraReading);
    txtAngle->setObjectName("txtAngle");
    txtAngle->setPlaceholderText(QStringLiteral("-90 to 90"));
    cmdAdd = new QPushButton(QStringLiteral("Add Reading"), fraReading);
    cmdAdd->setObjectName("cmdAdd");
    cmdAdd->setDefault(true);

    auto* when = new QHBoxLayout;
    when->addWidget(dtpDate);
    when->addWidget(dtpTime);
    when->addWidget(cmdNow);
    when->addWidget(cboZone, 1);
    auto* angleRow = new QHBoxLayout;
    angleRow->addWidget(txtAngle);
    angleRow->addWidget(new QLabel(QStringLiteral("degrees, clockwise seen from above")));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Clock time:"), when);
    form->addRow(QStringLiteral("Method:"), cboMethod);
    form->addRow(QStringLiteral("Moment timed:"), cboLight);
    form->addRow(QStringLiteral("Shadow angle a:"), angleRow);
    auto* readingColumn = new QVBoxLayout;
    readingColumn->addLayout(form);
    auto* addRow = new QHBoxLayout;
    addRow->addStretch();
    addRow->addWidget(cmdAdd);
    readingColumn->addLayout(addRow);
    readingColumn->addStretch();
    picBoard = new BoardPicture(fraReading);
    auto* readingLayout = new QHBoxLayout(fraReading);
    readingLayout->addLayout(readingColumn, 1);
    readingLayout->addWidget(picBoard);

    lblPlan = new QLabel(this);
    lblPlan->setObjectName("lblPlan");
    lblPlan->setWordWrap(true);

    // The readings so far, each with the sun's position, its bearing and how
    // far that lies from the result.
    grdReadings = new QTableWidget(0, 7, this);
    grdReadings->setObjectName("grdReadings");
    grdReadings->setHorizontalHeaderLabels({QStringLiteral("Clock time"), QStringLiteral("Zone"),
                                            QStringLiteral("Method"), QStringLiteral("Sun azimuth"),
                                            QStringLiteral("Sun altitude"),
                                            QStringLiteral("Bearing"), QStringLiteral("Residual")});
    grdReadings->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdReadings->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdReadings->setSelectionMode(QAbstractItemView::SingleSelection);
    grdReadings->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grdReadings->horizontalHeader()->setStretchLastSection(true);
    grdReadings->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grdReadings->setMinimumHeight(120);
    cmdRemove = new QPushButton(QStringLiteral("Remove Reading"), this);
    cmdRemove->setObjectName("cmdRemove");
    cmdSave = new QPushButton(QStringLiteral("Save Readings..."), this);
    cmdSave->setObjectName("cmdSave");
    cmdLoad = new QPushButton(QStringLiteral("Load Readings..."), this);
    cmdLoad->setObjectName("cmdLoad");

    lblMean = new QLabel(this);
    lblMean->setObjectName("lblMean");
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
    outer->addWidget(lblSite);
    outer->addWidget(fraReading);
    outer->addWidget(lblPlan);
    outer->addWidget(grdReadings, 1);
    outer->addLayout(tableButtons);
    outer->addWidget(lblWarning);
    outer->addWidget(lblStatus);
    outer->addLayout(buttons);

    connect(cmdAdd, &QPushButton::clicked, this, &frmMeasureBearing::cmdAdd_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmMeasureBearing::cmdRemove_Click);
    connect(cmdUse, &QPushButton::clicked, this, &frmMeasureBearing::cmdUse_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    connect(cmdNow, &QPushButton::clicked, this, &frmMeasureBearing::cmdNow_Click);
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
    // A date or time the person sets stops the clock; "Now" starts it again.
    connect(dtpDate, &QDateEdit::dateChanged, this, [this] {
        clockRunning_ = false;
        ShowPlan();
    });
    connect(dtpTime, &QTimeEdit::timeChanged, this, [this] { clockRunning_ = false; });
    connect(cboZone, &QComboBox::currentIndexChanged, this, [this] {
        if (clockRunning_) Tick();
        ShowPlan();
    });
    connect(cboLight, &QComboBox::currentIndexChanged, this, [this] {
        picBoard->setReading(kMethods[cboMethod->currentIndex()], kEdges[cboLight->currentIndex()]);
    });
    connect(&ticker_, &QTimer::timeout, this, &frmMeasureBearing::Tick);
    connect(cboMethod, &QComboBox::currentIndexChanged, this, &frmMeasureBearing::MethodChanged);
    connect(txtAngle, &QLineEdit::textChanged, this, [this](const QString& text) {
        bool ok = false;
        const double a = QLocale().toDouble(text.trimmed(), &ok);
        if (ok) picBoard->setAngle(a);
    });
    MethodChanged();
    ShowSite();
    Tick();
    ShowPlan();
    Recompute();
    ticker_.start(1000);
}

void frmMeasureBearing::FillZones() {
    const QSignalBlocker quiet(cboZone);
    cboZone->clear();
    // The place's own zone with its summer time first, then fixed offsets.
    if (const Place* place = PlaceOf(site_)) {
        cboZone->addItem(QStringLiteral("%1 (with summer time)").arg(place->zone),
                         QString::fromUtf8(place->zone));
    }
    for (int h = -12; h <= 12; ++h) cboZone->addItem(ZoneCaption(h), double(h));
    // A restored site may keep a zone that is not a whole hour; offer it too.
    int zoneIndex = cboZone->findData(double(site_.UtcOffset));
    if (zoneIndex < 0) {
        cboZone->addItem(ZoneCaption(site_.UtcOffset), double(site_.UtcOffset));
        zoneIndex = cboZone->count() - 1;
    }
    cboZone->setCurrentIndex(PlaceOf(site_) ? 0 : zoneIndex);
}

ClockZone frmMeasureBearing::ChosenZone() const {
    const QVariant data = cboZone->currentData();
    if (data.typeId() == QMetaType::QString) return NamedZone(data.toString().toStdString());
    return FixedZone(data.toDouble());
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
    double bearing = 0;
    if (!ParseBearing(site_.WallBearing, bearing)) {
        lblPlan->clear();
        return;
    }
    const QDate d = dtpDate->date();
    const ReadingPlan plan =
        PlanReadings(ObserverFor(ChosenZone()), bearing, d.year(), d.month(), d.day());
    QStringList parts;
    for (const PlanMoment& m : plan.moments) {
        const QString at = QString::fromStdString(ClockTimeText(m.clock).substr(11, 5));
        switch (m.event) {
            case PlanEvent::Enters:
                parts << (m.atWallEdge ? QStringLiteral("comes onto it at %1").arg(at)
                                       : QStringLiteral("rises in front of it at %1").arg(at));
                break;
            case PlanEvent::Square:
                parts << QStringLiteral("is square to it at %1").arg(at);
                break;
            case PlanEvent::Leaves:
                parts << (m.atWallEdge ? QStringLiteral("leaves it at %1").arg(at)
                                       : QStringLiteral("sets in front of it at %1").arg(at));
                break;
        }
    }
    lblPlan->setText(
        QStringLiteral("When to go out, for a wall facing about %1 on %2: %3.")
            .arg(QLocale().toString(bearing, 'f', 1), d.toString(QStringLiteral("yyyy-MM-dd")),
                 parts.isEmpty() ? QStringLiteral("the sun does not shine on it")
                                 : QStringLiteral("the sun ") + parts.join(QStringLiteral(", "))));
}

void frmMeasureBearing::cmdNow_Click() {
    clockRunning_ = true;
    Tick();
}

void frmMeasureBearing::Tick() {
    if (!SamePlace(site_, main_.Site())) {
        // The readings were taken at the wall, wherever the program's site
        // says it is: work them out again for the new site.
        site_ = main_.Site();
        FillZones();
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
    } else if (site_.WallBearing != main_.Site().WallBearing) {
        site_ = main_.Site();
        ShowPlan();
    }
    if (!clockRunning_) return;
    const ClockTime utc = ClockTimeOf(std::chrono::system_clock::now());
    const ZoneOffset offset = OffsetAtUtc(ChosenZone(), utc);
    const ClockTime now = ShiftClock(utc, offset.hours.value_or(0));
    const QSignalBlocker quietDate(dtpDate), quietTime(dtpTime);
    const QDate day(now.year, now.month, now.day);
    const bool newDay = dtpDate->date() != day;
    dtpDate->setDate(day);
    dtpTime->setTime(QTime(now.hour, now.minute, static_cast<int>(now.second)));
    if (newDay) ShowPlan();
}

void frmMeasureBearing::Say(const QString& text) {
    lblStatus->setText(text);
}

void frmMeasureBearing::MethodChanged() {
    const ReadingMethod method = kMethods[cboMethod->currentIndex()];
    const bool shadow = method == ReadingMethod::Shadow;
    txtAngle->setEnabled(shadow);
    cboLight->setEnabled(!shadow);
    {
        const QSignalBlocker quiet(cboLight);
        cboLight->setCurrentIndex(EdgeIndex(DefaultEdge(method)));
    }
    picBoard->setReading(method, kEdges[cboLight->currentIndex()]);
}

void frmMeasureBearing::cmdAdd_Click() {
    WallReading reading;
    reading.method = kMethods[cboMethod->currentIndex()];
    const QDate d = dtpDate->date();
    const QTime t = dtpTime->time();
    reading.clock = {d.year(), d.month(), d.day(), t.hour(), t.minute(), double(t.second())};
    if (reading.method == ReadingMethod::Shadow) {
        bool ok = false;
        reading.shadowAngleDeg = QLocale().toDouble(txtAngle->text().trimmed(), &ok);
        if (!ok) {
            Say(QStringLiteral("Type the shadow's angle a in degrees, from -90 to 90."));
            txtAngle->setFocus();
            return;
        }
    } else {
        reading.edge = kEdges[cboLight->currentIndex()];
    }
    const ClockZone zone = ChosenZone();
    const ReadingResult r = BearingFromReading(ObserverFor(zone), reading);
    if (!r.value) {
        Say(QStringLiteral("This reading is not added: %1").arg(QString::fromStdString(r.error)));
        return;
    }
    entries_.push_back({{reading, zone}, *r.value});
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
    for (size_t i = 0; i < entries_.size(); ++i) {
        const Entry& e = entries_[i];
        const int row = static_cast<int>(i);
        const bool grazing = e.kept.reading.method != ReadingMethod::Shadow;
        const QStringList cells = {
            QString::fromStdString(ClockTimeText(e.kept.reading.clock)).replace('T', ' '),
            e.kept.zone.name.empty()
                ? ZoneCaption(e.kept.zone)
                : QStringLiteral("%1 (%2)").arg(
                      ZoneCaption(e.kept.zone),
                      QString::fromStdString(OffsetText(e.result.utcOffsetHours))),
            grazing ? QStringLiteral("%1, %2").arg(MethodCaption(e.kept.reading.method).toLower(),
                                                   EdgeCaption(e.kept.reading.edge).toLower())
                    : QStringLiteral("shadow, a = %1").arg(Degrees(e.kept.reading.shadowAngleDeg)),
            Degrees(e.result.sun.azimuthDeg),
            Degrees(e.result.sun.apparentAltitudeDeg),
            Degrees(e.result.bearingDeg),
            Degrees(m.residualsDeg[i]) +
                (m.leftOut[i] ? QStringLiteral(" (left out)") : QString())};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c >= 3) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (m.leftOut[i]) item->setForeground(QColor(160, 60, 0));
            grdReadings->setItem(row, c, item);
        }
    }
    const long leftOut = std::count(m.leftOut.begin(), m.leftOut.end(), true);
    lblMean->setText(
        QStringLiteral("Wall bearing %1 degrees from %2 %3%4; spread %5.")
            .arg(Degrees(m.meanDeg))
            .arg(entries_.size() - leftOut)
            .arg(entries_.size() - leftOut == 1 ? QStringLiteral("reading")
                                                : QStringLiteral("readings"))
            .arg(leftOut == 0 ? QString() : QStringLiteral(" (%1 left out)").arg(leftOut))
            .arg(m.spreadDeg ? Degrees(*m.spreadDeg) + QStringLiteral(" degrees")
                             : QStringLiteral("none from one reading")));
    lblWarning->setText(Sentence(m.clockHint.empty() ? m.warning : m.clockHint));
    cmdUse->setEnabled(m.offeredDeg.has_value());
    if (!m.advice.empty()) {
        Say(Sentence(m.advice));
    } else if (!m.facing.empty()) {
        Say(Sentence(m.facing));
    }
}

bool frmMeasureBearing::SaveReadingsTo(const std::filesystem::path& file) {
    std::vector<KeptReading> kept;
    for (const Entry& e : entries_) kept.push_back(e.kept);
    std::string error;
    if (!SaveReadings(file, kept, error)) {
        Say(QStringLiteral("The readings are not saved to %1: %2")
                .arg(QString::fromStdString(file.string()), QString::fromStdString(error)));
        return false;
    }
    unsaved_ = false;
    Say(QStringLiteral("%1 readings saved to %2.")
            .arg(kept.size())
            .arg(QString::fromStdString(file.string())));
    return true;
}

bool frmMeasureBearing::LoadReadingsFrom(const std::filesystem::path& file) {
    const QString name = QString::fromStdString(file.string());
    const ReadingsRead read = LoadReadings(file);
    if (!read.error.empty()) {
        Say(QStringLiteral("No readings are loaded from %1: %2")
                .arg(name, QString::fromStdString(read.error)));
        return false;
    }
    std::vector<Entry> loaded;
    for (size_t i = 0; i < read.readings.size(); ++i) {
        const KeptReading& k = read.readings[i];
        const ReadingResult r = BearingFromReading(ObserverFor(k.zone), k.reading);
        if (!r.value) {
            Say(QStringLiteral("No readings are loaded from %1: %2: %3")
                    .arg(name,
                         QString::fromStdString(ReadingLabel(static_cast<int>(i + 1), k.reading)),
                         QString::fromStdString(r.error)));
            return false;
        }
        loaded.push_back({k, *r.value});
    }
    if (!entries_.empty() && unsaved_ &&
        !ask_(this, QStringLiteral("Replace the %1 readings in the table, which are not saved, "
                                   "with the %2 in %3?")
                        .arg(entries_.size())
                        .arg(loaded.size())
                        .arg(name))) {
        return false;
    }
    entries_ = std::move(loaded);
    unsaved_ = false;
    Say(QStringLiteral("%1 readings loaded from %2.").arg(entries_.size()).arg(name));
    Recompute();
    return true;
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

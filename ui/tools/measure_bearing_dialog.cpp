#include "ui/tools/measure_bearing_dialog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <cmath>

#include "core/rules/input_rules.h"
#include "core/site/number_text.h"
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

// A number of degrees as the user's locale writes it, two places.
QString Degrees(double value) {
    return QLocale().toString(value, 'f', 2);
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
    const SiteState& site = main_.Site();

    // The reading being taken: when, in which zone, how, and for a shadow
    // its angle. Date and time start at now on the site's clock.
    auto* fraReading = new QGroupBox(QStringLiteral("Reading"), this);
    fraReading->setObjectName("fraReading");
    const QDateTime now =
        QDateTime::currentDateTimeUtc().addSecs(std::lround(site.UtcOffset * 3600.0));
    dtpDate = new QDateEdit(now.date(), fraReading);
    dtpDate->setObjectName("dtpDate");
    dtpDate->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    dtpDate->setDateRange(QDate(kFirstSunYear, 1, 1), QDate(kLastSunYear, 12, 31));
    dtpDate->setCalendarPopup(true);
    dtpTime = new QTimeEdit(QTime(now.time().hour(), now.time().minute(), now.time().second()),
                            fraReading);
    dtpTime->setObjectName("dtpTime");
    dtpTime->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    cboZone = new QComboBox(fraReading);
    cboZone->setObjectName("cboZone");
    for (int h = -12; h <= 12; ++h) cboZone->addItem(ZoneCaption(h), double(h));
    // A restored site may keep a zone that is not a whole hour; offer it too.
    int zoneIndex = cboZone->findData(double(site.UtcOffset));
    if (zoneIndex < 0) {
        cboZone->addItem(ZoneCaption(site.UtcOffset), double(site.UtcOffset));
        zoneIndex = cboZone->count() - 1;
    }
    cboZone->setCurrentIndex(zoneIndex);
    cboMethod = new QComboBox(fraReading);
    cboMethod->setObjectName("cboMethod");
    for (ReadingMethod m : kMethods) cboMethod->addItem(MethodCaption(m));
    txtAngle = new QLineEdit(fraReading);
    txtAngle->setObjectName("txtAngle");
    txtAngle->setPlaceholderText(QStringLiteral("-90 to 90"));
    cmdAdd = new QPushButton(QStringLiteral("Add Reading"), fraReading);
    cmdAdd->setObjectName("cmdAdd");
    cmdAdd->setDefault(true);

    auto* when = new QHBoxLayout;
    when->addWidget(dtpDate);
    when->addWidget(dtpTime);
    when->addWidget(cboZone);
    auto* angleRow = new QHBoxLayout;
    angleRow->addWidget(txtAngle);
    angleRow->addWidget(new QLabel(QStringLiteral("degrees, clockwise seen from above")));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Clock time:"), when);
    form->addRow(QStringLiteral("Method:"), cboMethod);
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

    // The readings so far, each with the sun's position and its bearing.
    grdReadings = new QTableWidget(0, 6, this);
    grdReadings->setObjectName("grdReadings");
    grdReadings->setHorizontalHeaderLabels(
        {QStringLiteral("Clock time"), QStringLiteral("Zone"), QStringLiteral("Method"),
         QStringLiteral("Sun azimuth"), QStringLiteral("Sun altitude"), QStringLiteral("Bearing")});
    grdReadings->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdReadings->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdReadings->setSelectionMode(QAbstractItemView::SingleSelection);
    grdReadings->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grdReadings->horizontalHeader()->setStretchLastSection(true);
    grdReadings->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grdReadings->setMinimumHeight(120);
    cmdRemove = new QPushButton(QStringLiteral("Remove Reading"), this);
    cmdRemove->setObjectName("cmdRemove");

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
    tableButtons->addWidget(cmdRemove);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdUse);
    buttons->addWidget(cmdClose);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(fraReading);
    outer->addWidget(grdReadings, 1);
    outer->addLayout(tableButtons);
    outer->addWidget(lblWarning);
    outer->addWidget(lblStatus);
    outer->addLayout(buttons);

    connect(cmdAdd, &QPushButton::clicked, this, &frmMeasureBearing::cmdAdd_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmMeasureBearing::cmdRemove_Click);
    connect(cmdUse, &QPushButton::clicked, this, &frmMeasureBearing::cmdUse_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    connect(cboMethod, &QComboBox::currentIndexChanged, this, &frmMeasureBearing::MethodChanged);
    connect(txtAngle, &QLineEdit::textChanged, this, [this](const QString& text) {
        bool ok = false;
        const double a = QLocale().toDouble(text.trimmed(), &ok);
        if (ok) picBoard->setAngle(a);
    });
    MethodChanged();
    Recompute();
}

void frmMeasureBearing::Say(const QString& text) {
    lblStatus->setText(text);
}

void frmMeasureBearing::MethodChanged() {
    const bool shadow = kMethods[cboMethod->currentIndex()] == ReadingMethod::Shadow;
    txtAngle->setEnabled(shadow);
    picBoard->setEnabled(shadow);
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
    }
    const double zone = cboZone->currentData().toDouble();
    const SiteState& site = main_.Site();
    const ReadingResult r =
        BearingFromReading(Observer{site.Latitude, site.Longitude, zone}, reading);
    if (!r.value) {
        Say(QStringLiteral("This reading is not added: %1").arg(QString::fromStdString(r.error)));
        return;
    }
    entries_.push_back({reading, zone, *r.value});
    Say({});
    Recompute();
}

void frmMeasureBearing::cmdRemove_Click() {
    int row = grdReadings->currentRow();
    if (row < 0 || row >= static_cast<int>(entries_.size())) row = int(entries_.size()) - 1;
    if (row < 0) return;
    entries_.erase(entries_.begin() + row);
    Recompute();
}

void frmMeasureBearing::Recompute() {
    grdReadings->setRowCount(static_cast<int>(entries_.size()));
    std::vector<ReadingBearing> bearings;
    std::vector<std::string> labels;
    for (size_t i = 0; i < entries_.size(); ++i) {
        const Entry& e = entries_[i];
        const int row = static_cast<int>(i);
        const QStringList cells = {
            QString::fromStdString(ClockTimeText(e.reading.clock)).replace('T', ' '),
            ZoneCaption(e.utcOffsetHours),
            e.reading.method == ReadingMethod::Shadow
                ? QStringLiteral("shadow, a = %1").arg(Degrees(e.reading.shadowAngleDeg))
                : MethodCaption(e.reading.method).toLower(),
            Degrees(e.result.sun.azimuthDeg),
            Degrees(e.result.sun.apparentAltitudeDeg),
            Degrees(e.result.bearingDeg)};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c >= 3) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grdReadings->setItem(row, c, item);
        }
        bearings.push_back(e.result);
        labels.push_back(ReadingLabel(row + 1, e.reading));
    }
    cmdRemove->setEnabled(!entries_.empty());
    if (entries_.empty()) {
        measurement_.reset();
        lblMean->setText(QStringLiteral("No readings yet."));
        lblWarning->clear();
        cmdUse->setEnabled(false);
        return;
    }
    measurement_ = CombineBearings(std::move(bearings), labels);
    const WallBearingMeasurement& m = *measurement_;
    lblMean->setText(
        QStringLiteral("Wall bearing %1 degrees from %2 %3; spread %4.")
            .arg(Degrees(m.meanDeg))
            .arg(entries_.size())
            .arg(entries_.size() == 1 ? QStringLiteral("reading") : QStringLiteral("readings"))
            .arg(m.spreadDeg ? Degrees(*m.spreadDeg) + QStringLiteral(" degrees")
                             : QStringLiteral("none from one reading")));
    lblWarning->setText(QString::fromStdString(m.warning));
    cmdUse->setEnabled(m.offeredDeg.has_value());
    if (!m.facing.empty()) Say(Sentence(m.facing));
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
    close();
    main.mnuRun_Click();
}

}  // namespace sundial

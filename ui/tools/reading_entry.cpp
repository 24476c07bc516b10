#include "ui/tools/reading_entry.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <chrono>

#include "core/places/places.h"
#include "core/sun/solar_position.h"
#include "ui/tools/board_picture.h"
#include "ui/tools/reading_captions.h"

namespace sundial {

ReadingEntry::ReadingEntry(QWidget* parent) : QGroupBox(QStringLiteral("Reading"), parent) {
    setObjectName("fraReading");
    dtpDate = new QDateEdit(this);
    dtpDate->setObjectName("dtpDate");
    dtpDate->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    dtpDate->setDateRange(QDate(kFirstSunYear, 1, 1), QDate(kLastSunYear, 12, 31));
    dtpDate->setCalendarPopup(true);
    dtpTime = new QTimeEdit(this);
    dtpTime->setObjectName("dtpTime");
    dtpTime->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    cmdNow = new QPushButton(QStringLiteral("Now"), this);
    cmdNow->setObjectName("cmdNow");
    cmdNow->setToolTip(QStringLiteral("Set the date and time to now, and keep them running"));
    cboZone = new QComboBox(this);
    cboZone->setObjectName("cboZone");
    cboMethod = new QComboBox(this);
    cboMethod->setObjectName("cboMethod");
    for (ReadingMethod m : kReadingMethods) cboMethod->addItem(MethodCaption(m));
    cboLight = new QComboBox(this);
    cboLight->setObjectName("cboLight");
    for (LightEdge e : kLightEdges) cboLight->addItem(EdgeCaption(e));
    txtAngle = new QLineEdit(this);
    txtAngle->setObjectName("txtAngle");
    lblAngleUnit = new QLabel(this);
    cmdAdd = new QPushButton(QStringLiteral("Add Reading"), this);
    cmdAdd->setObjectName("cmdAdd");
    cmdAdd->setDefault(true);

    auto* when = new QHBoxLayout;
    when->addWidget(dtpDate);
    when->addWidget(dtpTime);
    when->addWidget(cmdNow);
    when->addWidget(cboZone, 1);
    auto* angleRow = new QHBoxLayout;
    angleRow->addWidget(txtAngle);
    angleRow->addWidget(lblAngleUnit, 1);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Clock time:"), when);
    form->addRow(QStringLiteral("Method:"), cboMethod);
    form->addRow(QStringLiteral("Moment timed:"), cboLight);
    form->addRow(QStringLiteral("Shadow angle a:"), angleRow);
    auto* column = new QVBoxLayout;
    column->addLayout(form);
    auto* addRow = new QHBoxLayout;
    addRow->addStretch();
    addRow->addWidget(cmdAdd);
    column->addLayout(addRow);
    column->addStretch();
    picBoard = new BoardPicture(this);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(column, 1);
    layout->addWidget(picBoard);

    connect(cmdNow, &QPushButton::clicked, this, [this] {
        clockRunning_ = true;
        Tick();
    });
    // A date or time the person sets stops the clock; "Now" starts it again.
    connect(dtpDate, &QDateEdit::dateChanged, this, [this] {
        clockRunning_ = false;
        emit planChanged();
    });
    connect(dtpTime, &QTimeEdit::timeChanged, this, [this] { clockRunning_ = false; });
    connect(cboZone, &QComboBox::currentIndexChanged, this, [this] {
        if (clockRunning_) Tick();
        emit planChanged();
    });
    connect(cboLight, &QComboBox::currentIndexChanged, this,
            [this] { picBoard->setReading(Method(), kLightEdges[cboLight->currentIndex()]); });
    connect(cboMethod, &QComboBox::currentIndexChanged, this, [this] {
        MethodChanged();
        emit planChanged();
    });
    connect(txtAngle, &QLineEdit::textChanged, this, [this](const QString& text) {
        bool ok = false;
        const double a = QLocale().toDouble(text.trimmed(), &ok);
        if (ok) picBoard->setAngle(a);
    });
    MethodChanged();
}

void ReadingEntry::FillZones(const SiteState& site) {
    const QSignalBlocker quiet(cboZone);
    cboZone->clear();
    if (const Place* place = PlaceOf(site)) {
        cboZone->addItem(QStringLiteral("%1 (with summer time)").arg(place->zone),
                         QString::fromUtf8(place->zone));
    }
    for (double h : OffsetsInUse(ClockTimeOf(std::chrono::system_clock::now()))) {
        cboZone->addItem(ZoneCaption(h), h);
    }
    // A restored site may keep an offset no clock keeps; offer it too.
    int zoneIndex = cboZone->findData(double(site.UtcOffset));
    if (zoneIndex < 0) {
        cboZone->addItem(ZoneCaption(site.UtcOffset), double(site.UtcOffset));
        zoneIndex = cboZone->count() - 1;
    }
    cboZone->setCurrentIndex(PlaceOf(site) ? 0 : zoneIndex);
}

ClockZone ReadingEntry::ChosenZone() const {
    const QVariant data = cboZone->currentData();
    if (data.typeId() == QMetaType::QString) return NamedZone(data.toString().toStdString());
    return FixedZone(data.toDouble());
}

ReadingMethod ReadingEntry::Method() const {
    return kReadingMethods[static_cast<std::size_t>(std::max(0, cboMethod->currentIndex()))];
}

bool ReadingEntry::Tick() {
    if (!clockRunning_) return false;
    const ClockTime utc = ClockTimeOf(std::chrono::system_clock::now());
    const ZoneOffset offset = OffsetAtUtc(ChosenZone(), utc);
    const ClockTime now = ShiftClock(utc, offset.hours.value_or(0));
    const QSignalBlocker quietDate(dtpDate), quietTime(dtpTime);
    const QDate day(now.year, now.month, now.day);
    const bool newDay = dtpDate->date() != day;
    dtpDate->setDate(day);
    dtpTime->setTime(QTime(now.hour, now.minute, static_cast<int>(now.second)));
    return newDay;
}

void ReadingEntry::MethodChanged() {
    const ReadingMethod method = Method();
    const bool angled = method == ReadingMethod::Shadow || method == ReadingMethod::Pin;
    txtAngle->setEnabled(angled);
    cboLight->setEnabled(!angled);
    const bool pin = method == ReadingMethod::Pin;
    txtAngle->setPlaceholderText(pin ? QStringLiteral("-180 to 180") : QStringLiteral("-90 to 90"));
    lblAngleUnit->setText(pin ? QStringLiteral("degrees from the plate's down line, + to its right")
                              : QStringLiteral("degrees, clockwise seen from above"));
    {
        const QSignalBlocker quiet(cboLight);
        cboLight->setCurrentIndex(EdgeIndex(DefaultEdge(method)));
    }
    picBoard->setReading(method, kLightEdges[cboLight->currentIndex()]);
}

std::optional<WallReading> ReadingEntry::Reading(QString& problem) const {
    WallReading reading;
    reading.method = Method();
    const QDate d = dtpDate->date();
    const QTime t = dtpTime->time();
    reading.clock = {d.year(), d.month(), d.day(), t.hour(), t.minute(), double(t.second())};
    if (reading.method == ReadingMethod::Shadow || reading.method == ReadingMethod::Pin) {
        bool ok = false;
        reading.shadowAngleDeg = QLocale().toDouble(txtAngle->text().trimmed(), &ok);
        if (!ok) {
            problem = reading.method == ReadingMethod::Pin
                          ? QStringLiteral(
                                "Type the pin's shadow angle a in degrees, from -180 "
                                "to 180.")
                          : QStringLiteral("Type the shadow's angle a in degrees, from -90 to 90.");
            return std::nullopt;
        }
    } else {
        reading.edge = kLightEdges[static_cast<std::size_t>(cboLight->currentIndex())];
    }
    return reading;
}

}  // namespace sundial

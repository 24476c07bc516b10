#include "ui/template/lines_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "core/lines/date_marks.h"

namespace sundial {

namespace {

constexpr const char* kNumeralWords[] = {"roman", "arabic", "none"};
constexpr ChoiceWords kNumeralChoice{"numerals", kNumeralWords};
// The date lines' box holds its dates as the option does, joined by commas.
constexpr const char* kDateLineOption = "date-line";

QCheckBox* Check(QWidget* parent, const QString& text, const char* name) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

QString ThisYear() {
    return QString::number(QDate::currentDate().year());
}

}  // namespace

LinesPanel::LinesPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("pnlLines");
    auto* hours = new QGroupBox(tr("Lines"), this);
    auto* hoursForm = new QFormLayout(hours);
    chkHalf = Check(hours, tr("Half hours"), "chkHalf");
    chkHalf->setChecked(true);
    chkQuarter = Check(hours, tr("Quarter hours"), "chkQuarter");
    cboNumerals = new QComboBox(hours);
    cboNumerals->setObjectName("cboNumerals");
    cboNumerals->addItems({tr("Roman"), tr("Arabic"), tr("None")});
    hoursForm->addRow(chkHalf);
    hoursForm->addRow(chkQuarter);
    hoursForm->addRow(tr("Numerals"), cboNumerals);

    auto* dates = new QGroupBox(tr("Dates"), this);
    auto* datesForm = new QFormLayout(dates);
    chkDateLines = Check(dates, tr("Solstice and equinox lines"), "chkDateLines");
    chkMonths = Check(dates, tr("First of every month"), "chkMonths");
    chkNoonCurve = Check(dates, tr("Noon figure-eight and equation of time"), "chkNoonCurve");
    datesForm->addRow(chkDateLines);
    datesForm->addRow(chkMonths);
    datesForm->addRow(chkNoonCurve);

    auto* extra = new QGroupBox(tr("Clock time and more"), this);
    auto* extraForm = new QFormLayout(extra);
    chkClockTime = Check(extra, tr("Clock-time figure-eights"), "chkClockTime");
    chkClockTimeHalves = Check(extra, tr("Half hours' figure-eights"), "chkClockTimeHalves");
    chkClockTimeOnly = Check(extra, tr("No straight hour lines"), "chkClockTimeOnly");
    txtYear = NumberBox(extra, "txtYear", ThisYear());
    chkSummerNumerals = Check(extra, tr("Summer-time numerals"), "chkSummerNumerals");
    chkTenMinutes = Check(extra, tr("Ten-minute lines"), "chkTenMinutes");
    chkSigns = Check(extra, tr("Zodiac signs' lines"), "chkSigns");
    txtDateLines = new QLineEdit(extra);
    txtDateLines->setObjectName("txtDateLines");
    txtDateLines->setPlaceholderText(tr("MM-DD, MM-DD"));
    chkHorizon = Check(extra, tr("Horizon line"), "chkHorizon");
    chkEquinoctial = Check(extra, tr("Equinoctial line"), "chkEquinoctial");
    for (QWidget* w : {chkClockTime, chkClockTimeHalves, chkClockTimeOnly}) extraForm->addRow(w);
    extraForm->addRow(tr("Year"), txtYear);
    for (QWidget* w : {chkSummerNumerals, chkTenMinutes, chkSigns}) extraForm->addRow(w);
    extraForm->addRow(tr("Date lines"), txtDateLines);
    extraForm->addRow(chkHorizon);
    extraForm->addRow(chkEquinoctial);

    auto* systems = new QGroupBox(tr("Hour systems"), this);
    systems->setToolTip(tr("Sunrise and sunset: the sun's centre on the geometric horizon"));
    auto* systemsForm = new QFormLayout(systems);
    chkItalian = Check(systems, tr("Italian hours (since sunset)"), "chkItalian");
    chkBabylonian = Check(systems, tr("Babylonian hours (since sunrise)"), "chkBabylonian");
    chkTemporal = Check(systems, tr("Temporal hours (daylight in twelve)"), "chkTemporal");
    for (QWidget* w : {chkItalian, chkBabylonian, chkTemporal}) systemsForm->addRow(w);

    auto* groups = new QVBoxLayout(this);
    groups->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : {hours, dates, extra, systems}) groups->addWidget(w);

    for (const Switch& s : Switches()) {
        connect(s.box, &QCheckBox::toggled, this, &LinesPanel::EnableForChoices);
        connect(s.box, &QCheckBox::toggled, this, &LinesPanel::Changed);
    }
    for (QLineEdit* box : {txtYear, txtDateLines}) {
        connect(box, &QLineEdit::textChanged, this, &LinesPanel::EnableForChoices);
        connect(box, &QLineEdit::textChanged, this, &LinesPanel::Changed);
    }
    connect(cboNumerals, &QComboBox::currentIndexChanged, this, &LinesPanel::Changed);
    EnableForChoices();
}

std::vector<LinesPanel::Switch> LinesPanel::Switches() const {
    return {{"half", chkHalf},
            {"quarter", chkQuarter},
            {"date-lines", chkDateLines},
            {"months", chkMonths},
            {"noon-curve", chkNoonCurve},
            {"clock-time", chkClockTime},
            {"clock-time-halves", chkClockTimeHalves},
            {"clock-time-only", chkClockTimeOnly},
            {"summer-numerals", chkSummerNumerals},
            {"ten-minutes", chkTenMinutes},
            {"signs", chkSigns},
            {"horizon", chkHorizon},
            {"equinoctial", chkEquinoctial},
            {"italian", chkItalian},
            {"babylonian", chkBabylonian},
            {"temporal", chkTemporal}};
}

bool LinesPanel::Read(plan::PlanOptions& o, QString& message) const {
    o.halfHours = chkHalf->isChecked();
    o.quarterHours = chkQuarter->isChecked();
    o.numerals = static_cast<plan::NumeralStyle>(cboNumerals->currentIndex());
    o.dateLines = chkDateLines->isChecked();
    o.monthLines = o.dateLines && chkMonths->isChecked();
    o.noonCurve = chkNoonCurve->isChecked();
    return ReadExtraLines(o.extras, message);
}

bool LinesPanel::ReadExtraLines(plan::ExtraLineOptions& o, QString& message) const {
    o.clockTime = chkClockTime->isChecked();
    o.clockTimeHalves = o.clockTime && chkClockTimeHalves->isChecked();
    o.clockTimeOnly = o.clockTime && chkClockTimeOnly->isChecked();
    o.summerNumerals = chkSummerNumerals->isChecked();
    o.tenMinutes = chkTenMinutes->isChecked();
    o.signs = chkSigns->isChecked();
    o.horizon = chkHorizon->isChecked();
    o.equinoctial = chkEquinoctial->isChecked();
    o.italian = chkItalian->isChecked();
    o.babylonian = chkBabylonian->isChecked();
    o.temporal = chkTemporal->isChecked();
    const QStringList dates =
        txtDateLines->text().split(QRegularExpression("[,;\\s]+"), Qt::SkipEmptyParts);
    for (const QString& text : dates) {
        const auto date = lines::ParseMonthDay(text.toStdString());
        if (!date) {
            message = tr("The date line \"%1\" is not a date as MM-DD (06-14).").arg(text);
            return false;
        }
        o.dates.push_back(*date);
    }
    if (o.NeedsYear()) {
        const auto year = ReadNumber(*txtYear, tr("the year"), message);
        if (!year) return false;
        o.year = static_cast<int>(std::clamp(*year, -1e6, 1e6));
    }
    return true;
}

bool LinesPanel::NeedsNodus() const {
    return chkDateLines->isChecked() || chkNoonCurve->isChecked() || chkClockTime->isChecked() ||
           chkSigns->isChecked() || !txtDateLines->text().trimmed().isEmpty() ||
           chkHorizon->isChecked() || chkEquinoctial->isChecked() || chkItalian->isChecked() ||
           chkBabylonian->isChecked() || chkTemporal->isChecked();
}

void LinesPanel::EnableForChoices() {
    chkMonths->setEnabled(chkDateLines->isChecked());
    const bool clockTime = chkClockTime->isChecked();
    chkClockTimeHalves->setEnabled(clockTime);
    chkClockTimeOnly->setEnabled(clockTime);
    txtYear->setEnabled(clockTime || chkSigns->isChecked() ||
                        !txtDateLines->text().trimmed().isEmpty());
}

void LinesPanel::Store(const plan::PlanOptions& read, ProjectOptions& options) const {
    const auto counts = [&read](std::string_view name) {
        if (name == "months") return read.dateLines;
        if (name == "clock-time-halves" || name == "clock-time-only") return read.extras.clockTime;
        return true;
    };
    for (const Switch& s : Switches()) {
        if (s.box->isChecked() && counts(s.option)) options[s.option] = "";
    }
    StoreChoice(options, kNumeralChoice, *cboNumerals);
    if (read.extras.NeedsYear()) StoreNumber(options, "year", *txtYear);
    QStringList dates;
    for (const auto& date : read.extras.dates) {
        dates << QString::asprintf("%02d-%02d", date.month, date.day);
    }
    if (!dates.isEmpty()) options[kDateLineOption] = dates.join(',').toStdString();
}

void LinesPanel::Show(const ProjectOptions& options) {
    const QSignalBlocker block(this);
    for (const Switch& s : Switches()) s.box->setChecked(GivenOption(options, s.option));
    ShowChoice(options, kNumeralChoice, *cboNumerals);
    ShowNumber(options, "year", *txtYear, ThisYear());
    const std::string* dates = GivenOption(options, kDateLineOption);
    txtDateLines->setText(dates ? QString::fromStdString(*dates).replace(',', ", ") : QString());
    EnableForChoices();
}

}  // namespace sundial

#include "ui/template/template_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <exception>

#include "core/engine/plane.h"
#include "core/lines/date_marks.h"
#include "core/plan/sun_samples.h"
#include "core/rules/input_rules.h"
#include "core/site/number_text.h"
#include "core/site/time_zone_menu.h"
#include "core/template/dxf_template.h"
#include "core/template/pdf_template.h"
#include "core/template/svg_template.h"
#include "core/template/template_options.h"
#include "ui/shell/main_window_api.h"
#include "ui/template/plan_painter.h"

namespace sundial {

namespace {

constexpr double kDefaultWidthMm = 600;
constexpr double kDefaultHeightMm = 450;
constexpr double kDefaultNodusMm = 150;
constexpr int kRecentProjects = 8;
const char* const kRecentKey = "template/recentProjects";

// The inputs by the names the template's options (and so a project's fields)
// give them.
using Box = QLineEdit* TemplateDialog::*;
using Switch = QCheckBox* TemplateDialog::*;
struct Choice {
    const char* option;
    QComboBox* TemplateDialog::*combo;
    std::array<const char*, 4> values;  // by the combo's index
    int count;
};
constexpr std::pair<const char*, Box> kNumberBoxes[] = {
    {"width", &TemplateDialog::txtWidth},     {"height", &TemplateDialog::txtHeight},
    {"root-x", &TemplateDialog::txtRootX},    {"root-y", &TemplateDialog::txtRootY},
    {"nodus", &TemplateDialog::txtNodus},     {"style", &TemplateDialog::txtStyle},
    {"recline", &TemplateDialog::txtRecline}, {"foot-x", &TemplateDialog::txtFootX},
    {"foot-y", &TemplateDialog::txtFootY},    {"nodus-height", &TemplateDialog::txtNodusHeight},
    {"year", &TemplateDialog::txtYear},       {"style-thickness", &TemplateDialog::txtThickness},
};
constexpr std::pair<const char*, Switch> kSwitches[] = {
    {"half", &TemplateDialog::chkHalf},
    {"quarter", &TemplateDialog::chkQuarter},
    {"date-lines", &TemplateDialog::chkDateLines},
    {"months", &TemplateDialog::chkMonths},
    {"noon-curve", &TemplateDialog::chkNoonCurve},
    {"landscape", &TemplateDialog::chkLandscape},
    {"clock-time", &TemplateDialog::chkClockTime},
    {"clock-time-halves", &TemplateDialog::chkClockTimeHalves},
    {"clock-time-only", &TemplateDialog::chkClockTimeOnly},
    {"summer-numerals", &TemplateDialog::chkSummerNumerals},
    {"ten-minutes", &TemplateDialog::chkTenMinutes},
    {"signs", &TemplateDialog::chkSigns},
    {"horizon", &TemplateDialog::chkHorizon},
    {"equinoctial", &TemplateDialog::chkEquinoctial},
};
constexpr Choice kChoices[] = {
    {"dial", &TemplateDialog::cboDialType, {"vertical", "horizontal", "polar", "equatorial"}, 4},
    {"numerals", &TemplateDialog::cboNumerals, {"roman", "arabic", "none"}, 3},
    {"paper", &TemplateDialog::cboPaper, {"a4", "letter", "a3"}, 3},
};
// The date lines' box holds its dates as the option does, joined by commas.
constexpr const char* kDateLineOption = "date-line";

QString ShortestNumber(double value, const QLocale& locale) {
    return locale.toString(value, 'g', QLocale::FloatingPointShortest);
}

std::filesystem::path LocalPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

SaveFileChooser DesktopChooser() {
    return [](QWidget* parent, const QString& caption, const QString& suggested,
              const QString& filter) {
        return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
    };
}

TemplateWarning MessageBoxWarning() {
    return [](QWidget* parent, const QString& text) {
        QMessageBox::warning(parent, parent ? parent->windowTitle() : QString(), text,
                             QMessageBox::Ok);
    };
}

QLineEdit* NumberBox(QWidget* parent, const char* name, const QString& text = {}) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(name);
    box->setAlignment(Qt::AlignRight);
    box->setMaximumWidth(90);
    return box;
}

// A box's number in the user's locale; nothing (with a message naming
// `what`) when it is empty or not a number.
std::optional<double> Number(const QLineEdit& box, const QString& what, QString& message) {
    bool ok = false;
    const double value = QLocale().toDouble(box.text().trimmed(), &ok);
    if (ok) return value;
    message = box.text().trimmed().isEmpty()
                  ? QObject::tr("Give %1 in millimetres.").arg(what)
                  : QObject::tr("%1 is not a number: \"%2\".").arg(what, box.text().trimmed());
    message[0] = message[0].toUpper();
    return std::nullopt;
}

}  // namespace

PlanPreview::PlanPreview(QWidget* parent) : QWidget(parent) {
    setObjectName("preview");
    setMinimumSize(320, 240);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PlanPreview::SetPlan(const plan::Plan* plan) {
    plan_ = plan;
    update();
}

void PlanPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    if (!plan_) return;
    const QRectF area = QRectF(rect()).adjusted(8, 8, -8, -8);
    // The sheet the plan is drawn on, white as paper.
    const double scale =
        std::min(area.width() / plan_->dial.widthMm, area.height() / plan_->dial.heightMm);
    const QSizeF sheet(plan_->dial.widthMm * scale, plan_->dial.heightMm * scale);
    painter.fillRect(QRectF(area.center() - QPointF(sheet.width() / 2, sheet.height() / 2), sheet),
                     Qt::white);
    PaintDrawing(painter, plan_->dial, area);
}

TemplateDialog::TemplateDialog(MainWindowApi& main, SaveFileChooser chooser, TemplateWarning warn,
                               QWidget* parent)
    : QDialog(parent),
      main_(main),
      chooser_(chooser ? std::move(chooser) : DesktopChooser()),
      warn_(warn ? std::move(warn) : MessageBoxWarning()) {
    setObjectName("frmTemplate");
    setWindowTitle(tr("Dial Template"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    const QLocale locale;

    // The dial: its plane, and the site's latitude and zone, starting from
    // the main window's site; any latitude north or south, any zone.
    auto* dial = new QGroupBox(tr("Dial"), this);
    auto* dialForm = new QFormLayout(dial);
    cboDialType = new QComboBox(dial);
    cboDialType->setObjectName("cboDialType");
    cboDialType->addItems({tr("Vertical"), tr("Horizontal"), tr("Polar"), tr("Equatorial")});
    txtBearing = NumberBox(dial, "txtBearing");
    txtBearing->setToolTip(
        tr("The direction the face looks, degrees from north (0 to 360); on a "
           "horizontal dial, the direction of the plate's bottom edge"));
    txtRecline = NumberBox(dial, "txtRecline", locale.toString(0));
    txtRecline->setToolTip(tr("0 upright, 90 facing up, negative leaning forward"));
    txtLatitude = NumberBox(dial, "txtLatitude");
    txtLatitude->setToolTip(tr("Degrees, north positive, south negative (-89 to 89)"));
    txtZone = NumberBox(dial, "txtZone");
    txtZone->setToolTip(tr("Hours from UTC, -12 to 14, in quarter hours (5.75)"));
    dialForm->addRow(tr("Type"), cboDialType);
    dialForm->addRow(tr("Bearing (\u00b0)"), txtBearing);
    dialForm->addRow(tr("Recline (\u00b0)"), txtRecline);
    dialForm->addRow(tr("Latitude (\u00b0, south -)"), txtLatitude);
    dialForm->addRow(tr("Zone (hours)"), txtZone);

    auto* plate = new QGroupBox(tr("Plate"), this);
    auto* plateForm = new QFormLayout(plate);
    txtWidth = NumberBox(plate, "txtWidth", locale.toString(kDefaultWidthMm));
    txtHeight = NumberBox(plate, "txtHeight", locale.toString(kDefaultHeightMm));
    plateForm->addRow(tr("Width (mm)"), txtWidth);
    plateForm->addRow(tr("Height (mm)"), txtHeight);

    auto* root = new QGroupBox(tr("Gnomon"), this);
    auto* rootForm = new QFormLayout(root);
    optRootTop = new QRadioButton(tr("Root where the lines fan across the plate"), root);
    optRootTop->setObjectName("optRootTop");
    optRootTop->setChecked(true);
    optRootAt = new QRadioButton(tr("At, from the top left:"), root);
    optRootAt->setObjectName("optRootAt");
    txtRootX = NumberBox(root, "txtRootX");
    txtRootY = NumberBox(root, "txtRootY");
    rootForm->addRow(optRootTop);
    rootForm->addRow(optRootAt);
    rootForm->addRow(tr("Across (mm)"), txtRootX);
    rootForm->addRow(tr("Down (mm)"), txtRootY);
    optFootAt = new QRadioButton(tr("Nodus foot at, from the top left:"), root);
    optFootAt->setObjectName("optFootAt");
    optFootAt->setToolTip(
        tr("The plate point under the nodus, for dials whose root lies far off "
           "the plate or at infinity (polar dials, east and west walls)"));
    txtFootX = NumberBox(root, "txtFootX");
    txtFootY = NumberBox(root, "txtFootY");
    txtNodusHeight = NumberBox(root, "txtNodusHeight");
    rootForm->addRow(optFootAt);
    rootForm->addRow(tr("Across (mm)"), txtFootX);
    rootForm->addRow(tr("Down (mm)"), txtFootY);
    rootForm->addRow(tr("Height (mm)"), txtNodusHeight);

    auto* lines = new QGroupBox(tr("Lines"), this);
    auto* linesForm = new QFormLayout(lines);
    chkHalf = new QCheckBox(tr("Half hours"), lines);
    chkHalf->setObjectName("chkHalf");
    chkHalf->setChecked(true);
    chkQuarter = new QCheckBox(tr("Quarter hours"), lines);
    chkQuarter->setObjectName("chkQuarter");
    cboNumerals = new QComboBox(lines);
    cboNumerals->setObjectName("cboNumerals");
    cboNumerals->addItems({tr("Roman"), tr("Arabic"), tr("None")});
    linesForm->addRow(chkHalf);
    linesForm->addRow(chkQuarter);
    linesForm->addRow(tr("Numerals"), cboNumerals);
    chkOutlines = new QCheckBox(tr("DXF text as outlines (engraving)"), lines);
    chkOutlines->setObjectName("chkOutlines");
    linesForm->addRow(chkOutlines);

    auto* dates = new QGroupBox(tr("Nodus"), this);
    auto* datesForm = new QFormLayout(dates);
    chkDateLines = new QCheckBox(tr("Solstice and equinox lines"), dates);
    chkDateLines->setObjectName("chkDateLines");
    chkMonths = new QCheckBox(tr("First of every month"), dates);
    chkMonths->setObjectName("chkMonths");
    chkNoonCurve = new QCheckBox(tr("Noon figure-eight and equation of time"), dates);
    chkNoonCurve->setObjectName("chkNoonCurve");
    txtNodus = NumberBox(dates, "txtNodus", locale.toString(kDefaultNodusMm));
    txtStyle = NumberBox(dates, "txtStyle");
    txtStyle->setPlaceholderText(tr("nodus"));
    txtStyle->setToolTip(tr("The gnomon's sloping edge; empty: as long as the nodus distance"));
    datesForm->addRow(chkDateLines);
    datesForm->addRow(chkMonths);
    datesForm->addRow(chkNoonCurve);
    datesForm->addRow(tr("Nodus along the style (mm)"), txtNodus);
    datesForm->addRow(tr("Style length (mm)"), txtStyle);

    auto* extra = new QGroupBox(tr("Clock time and more"), this);
    auto* extraForm = new QFormLayout(extra);
    const auto check = [extra](const QString& text, const char* name) {
        auto* box = new QCheckBox(text, extra);
        box->setObjectName(name);
        return box;
    };
    chkClockTime = check(tr("Clock-time figure-eights"), "chkClockTime");
    chkClockTimeHalves = check(tr("Half hours' figure-eights"), "chkClockTimeHalves");
    chkClockTimeOnly = check(tr("No straight hour lines"), "chkClockTimeOnly");
    txtYear = NumberBox(extra, "txtYear", QString::number(QDate::currentDate().year()));
    chkSummerNumerals = check(tr("Summer-time numerals"), "chkSummerNumerals");
    chkTenMinutes = check(tr("Ten-minute lines"), "chkTenMinutes");
    chkSigns = check(tr("Zodiac signs' lines"), "chkSigns");
    txtDateLines = new QLineEdit(extra);
    txtDateLines->setObjectName("txtDateLines");
    txtDateLines->setPlaceholderText(tr("MM-DD, MM-DD"));
    chkHorizon = check(tr("Horizon line"), "chkHorizon");
    chkEquinoctial = check(tr("Equinoctial line"), "chkEquinoctial");
    txtThickness = NumberBox(extra, "txtThickness");
    txtThickness->setPlaceholderText(tr("thin"));
    for (QWidget* w :
         std::initializer_list<QWidget*>{chkClockTime, chkClockTimeHalves, chkClockTimeOnly}) {
        extraForm->addRow(w);
    }
    extraForm->addRow(tr("Year"), txtYear);
    for (QWidget* w : std::initializer_list<QWidget*>{chkSummerNumerals, chkTenMinutes, chkSigns}) {
        extraForm->addRow(w);
    }
    extraForm->addRow(tr("Date lines"), txtDateLines);
    extraForm->addRow(chkHorizon);
    extraForm->addRow(chkEquinoctial);
    extraForm->addRow(tr("Style thickness (mm)"), txtThickness);

    auto* paper = new QGroupBox(tr("Paper"), this);
    auto* paperRow = new QHBoxLayout(paper);
    cboPaper = new QComboBox(paper);
    cboPaper->setObjectName("cboPaper");
    cboPaper->addItems({"A4", "Letter", "A3"});
    chkLandscape = new QCheckBox(tr("Landscape"), paper);
    chkLandscape->setObjectName("chkLandscape");
    paperRow->addWidget(cboPaper);
    paperRow->addWidget(chkLandscape);
    paperRow->addStretch();

    auto* inputs = new QVBoxLayout;
    for (QWidget* w :
         std::initializer_list<QWidget*>{dial, plate, root, lines, dates, extra, paper}) {
        inputs->addWidget(w);
    }
    inputs->addStretch();

    preview = new PlanPreview(this);
    lblMessage = new QLabel(this);
    lblMessage->setObjectName("lblMessage");
    lblMessage->setWordWrap(true);
    cmdSavePdf = new QPushButton(tr("Save PDF..."), this);
    cmdSavePdf->setObjectName("cmdSavePdf");
    cmdSaveSvg = new QPushButton(tr("Save SVG..."), this);
    cmdSaveSvg->setObjectName("cmdSaveSvg");
    cmdSaveDxf = new QPushButton(tr("Save DXF..."), this);
    cmdSaveDxf->setObjectName("cmdSaveDxf");
    cmdClose = new QPushButton(tr("Close"), this);
    cmdClose->setObjectName("cmdClose");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblMessage, 1);
    buttons->addWidget(cmdSavePdf);
    buttons->addWidget(cmdSaveSvg);
    buttons->addWidget(cmdSaveDxf);
    buttons->addWidget(cmdClose);

    // The boxes scroll when the screen is shorter than they are, so that the
    // buttons below them stay in view.
    auto* inputsPage = new QWidget;
    inputsPage->setLayout(inputs);
    auto* inputsScroll = new QScrollArea;
    inputsScroll->setObjectName("scrInputs");
    inputsScroll->setWidget(inputsPage);
    inputsScroll->setWidgetResizable(true);
    inputsScroll->setFrameShape(QFrame::NoFrame);
    inputsScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    inputsScroll->setMinimumWidth(inputsPage->sizeHint().width() +
                                  inputsScroll->verticalScrollBar()->sizeHint().width());
    auto* top = new QHBoxLayout;
    top->addWidget(inputsScroll);
    top->addWidget(preview, 1);
    auto* bar = new QMenuBar(this);
    mnuProject = bar->addMenu(tr("&Project"));
    mnuProject->setObjectName("mnuProject");
    mnuProject->addAction(tr("&Open..."), QKeySequence::Open, this,
                          &TemplateDialog::ChooseAndOpenProject);
    mnuRecent = mnuProject->addMenu(tr("Open &Recent"));
    mnuRecent->setObjectName("mnuRecent");
    connect(mnuRecent, &QMenu::aboutToShow, this, &TemplateDialog::FillRecentMenu);
    mnuProject->addAction(tr("&Save"), QKeySequence::Save, this, &TemplateDialog::SaveProject);
    mnuProject->addAction(tr("Save &As..."), QKeySequence::SaveAs, this,
                          &TemplateDialog::SaveProjectAs);
    auto* all = new QVBoxLayout(this);
    all->setMenuBar(bar);
    all->addLayout(top, 1);
    all->addLayout(buttons);

    // Choosing a root of one's own starts from where it is now, the middle of
    // the top edge (before the plan is rebuilt with the boxes empty).
    connect(optRootAt, &QRadioButton::toggled, this, [this](bool on) {
        if (!on || !txtRootX->text().isEmpty() || !txtRootY->text().isEmpty()) return;
        bool ok = false;
        const double width = QLocale().toDouble(txtWidth->text().trimmed(), &ok);
        if (!ok) return;
        const QSignalBlocker blockX(txtRootX), blockY(txtRootY);
        txtRootX->setText(QLocale().toString(width / 2));
        txtRootY->setText(QLocale().toString(0));
    });
    for (QLineEdit* box : {txtBearing, txtRecline, txtLatitude, txtZone, txtWidth, txtHeight,
                           txtRootX, txtRootY, txtFootX, txtFootY, txtNodusHeight, txtNodus,
                           txtStyle, txtYear, txtDateLines, txtThickness}) {
        connect(box, &QLineEdit::textChanged, this, &TemplateDialog::Rebuild);
    }
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             optRootTop, optRootAt, optFootAt, chkHalf, chkQuarter, chkDateLines, chkMonths,
             chkNoonCurve, chkLandscape, chkClockTime, chkClockTimeHalves, chkClockTimeOnly,
             chkSummerNumerals, chkTenMinutes, chkSigns, chkHorizon, chkEquinoctial}) {
        connect(b, &QAbstractButton::toggled, this, &TemplateDialog::Rebuild);
    }
    // A horizontal dial starts with north at the top of the plate.
    connect(cboDialType, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (static_cast<tmpl::DialType>(index) != tmpl::DialType::Horizontal) return;
        const QSignalBlocker block(txtBearing);
        txtBearing->setText(QLocale().toString(180));
    });
    for (QComboBox* c : {cboDialType, cboNumerals, cboPaper}) {
        connect(c, &QComboBox::currentIndexChanged, this, &TemplateDialog::Rebuild);
    }
    connect(cmdSavePdf, &QPushButton::clicked, this, &TemplateDialog::SavePdf);
    connect(cmdSaveSvg, &QPushButton::clicked, this, &TemplateDialog::SaveSvg);
    connect(cmdSaveDxf, &QPushButton::clicked, this, &TemplateDialog::SaveDxf);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    Rebuild();
}

QString TemplateDialog::Message() const {
    return lblMessage->text();
}

std::optional<plan::PlanOptions> TemplateDialog::ReadOptions(QString& message) const {
    plan::PlanOptions o;
    const auto width = Number(*txtWidth, tr("the plate's width"), message);
    if (!width) return std::nullopt;
    const auto height = Number(*txtHeight, tr("the plate's height"), message);
    if (!height) return std::nullopt;
    o.widthMm = *width;
    o.heightMm = *height;
    if (optRootAt->isChecked()) {
        const auto x = Number(*txtRootX, tr("the root's distance across"), message);
        if (!x) return std::nullopt;
        const auto y = Number(*txtRootY, tr("the root's distance down"), message);
        if (!y) return std::nullopt;
        o.root = plan::Point{*x, *y};
    }
    if (optFootAt->isChecked()) {
        const auto x = Number(*txtFootX, tr("the nodus foot's distance across"), message);
        if (!x) return std::nullopt;
        const auto y = Number(*txtFootY, tr("the nodus foot's distance down"), message);
        if (!y) return std::nullopt;
        const auto height = Number(*txtNodusHeight, tr("the nodus's height"), message);
        if (!height) return std::nullopt;
        o.foot = plan::Point{*x, *y};
        o.nodusHeightMm = *height;
    }
    o.halfHours = chkHalf->isChecked();
    o.quarterHours = chkQuarter->isChecked();
    o.numerals = static_cast<plan::NumeralStyle>(cboNumerals->currentIndex());
    o.dateLines = chkDateLines->isChecked();
    o.monthLines = o.dateLines && chkMonths->isChecked();
    o.noonCurve = chkNoonCurve->isChecked();
    if (!ReadExtraLines(o.extras, message)) return std::nullopt;
    if ((o.dateLines || o.noonCurve || o.extras.NeedsNodus()) && !o.foot) {
        const auto nodus = Number(*txtNodus, tr("the nodus distance"), message);
        if (!nodus) return std::nullopt;
        o.nodusMm = *nodus;
    }
    if (!txtStyle->text().trimmed().isEmpty()) {
        const auto style = Number(*txtStyle, tr("the style's length"), message);
        if (!style) return std::nullopt;
        o.styleMm = *style;
    }
    o.madeOn = QDate::currentDate().toString(Qt::ISODate).toStdString();
    if (const auto problem = plan::CheckPlanOptions(o)) {
        message = QString::fromStdString(*problem);
        return std::nullopt;
    }
    return o;
}

bool TemplateDialog::ReadExtraLines(plan::ExtraLineOptions& o, QString& message) const {
    o.clockTime = chkClockTime->isChecked();
    o.clockTimeHalves = o.clockTime && chkClockTimeHalves->isChecked();
    o.clockTimeOnly = o.clockTime && chkClockTimeOnly->isChecked();
    o.summerNumerals = chkSummerNumerals->isChecked();
    o.tenMinutes = chkTenMinutes->isChecked();
    o.signs = chkSigns->isChecked();
    o.horizon = chkHorizon->isChecked();
    o.equinoctial = chkEquinoctial->isChecked();
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
        const auto year = Number(*txtYear, tr("the year"), message);
        if (!year) return false;
        o.year = static_cast<int>(std::clamp(*year, -1e6, 1e6));
    }
    if (!txtThickness->text().trimmed().isEmpty()) {
        const auto thickness = Number(*txtThickness, tr("the style's thickness"), message);
        if (!thickness) return false;
        o.styleThicknessMm = *thickness;
    }
    return true;
}

std::optional<SiteState> TemplateDialog::ReadSite(QString& message) const {
    SiteState site = projectSite_.value_or(main_.Site());
    const auto latitude = Number(*txtLatitude, tr("the latitude"), message);
    if (!latitude) return std::nullopt;
    const auto zone = Number(*txtZone, tr("the zone"), message);
    if (!zone) return std::nullopt;
    if (!(*latitude >= -89 && *latitude <= 89)) {
        message = tr("The latitude must be from -89 (south) to 89 (north).");
        return std::nullopt;
    }
    if (!(*zone >= -12 && *zone <= 14) || std::fmod(*zone * 4, 1.0) != 0) {
        message = tr("The zone must be from -12 to 14 hours, in quarter hours.");
        return std::nullopt;
    }
    // Another latitude than the place's is a site of its own: the title
    // names its coordinates.
    if (static_cast<float>(*latitude) != site.Latitude) site.PlaceName = "Unknown";
    site.Latitude = static_cast<float>(*latitude);
    site.UtcOffset = static_cast<float>(*zone);
    return site;
}

std::optional<engine::Plane> TemplateDialog::ReadPlane(const SiteState& site,
                                                       QString& message) const {
    const auto bearing = Number(*txtBearing, tr("the bearing"), message);
    if (!bearing) return std::nullopt;
    const auto recline = Number(*txtRecline, tr("the recline"), message);
    if (!recline) return std::nullopt;
    tmpl::PlaneChoice choice;
    choice.type = static_cast<tmpl::DialType>(std::clamp(cboDialType->currentIndex(), 0, 3));
    choice.reclineDeg = choice.type == tmpl::DialType::Vertical ? *recline : 0;
    choice.bearingGiven = true;
    SiteState facing = site;
    facing.WallBearing = QString::number(*bearing, 'g', 10).toStdString();
    const engine::Plane plane = tmpl::PlaneFor(choice, facing);
    if (const auto problem = engine::CheckPlane(plane)) {
        message = QString::fromStdString(*problem);
        return std::nullopt;
    }
    return plane;
}

tmpl::PageSetup TemplateDialog::ReadPage() const {
    static constexpr tmpl::Paper kPapers[] = {tmpl::Paper::A4, tmpl::Paper::Letter,
                                              tmpl::Paper::A3};
    return {kPapers[std::clamp(cboPaper->currentIndex(), 0, 2)], chkLandscape->isChecked()};
}

void TemplateDialog::FollowMainSite() {
    const SiteState& site = main_.Site();
    if (followedSite_ && *followedSite_ == site) return;
    followedSite_ = site;
    projectSite_.reset();
    double bearing = 180;
    if (!ParseBearing(site.WallBearing, bearing)) bearing = 180;
    const QLocale locale;
    const QSignalBlocker b(txtBearing), l(txtLatitude), z(txtZone);
    txtBearing->setText(locale.toString(bearing));
    txtLatitude->setText(locale.toString(site.Latitude));
    txtZone->setText(locale.toString(site.UtcOffset));
}

void TemplateDialog::Rebuild() {
    if (loading_) return;
    FollowMainSite();
    const bool rootAt = optRootAt->isChecked(), footAt = optFootAt->isChecked();
    txtRootX->setEnabled(rootAt);
    txtRootY->setEnabled(rootAt);
    for (QLineEdit* box : {txtFootX, txtFootY, txtNodusHeight}) box->setEnabled(footAt);
    const auto type = static_cast<tmpl::DialType>(cboDialType->currentIndex());
    txtBearing->setEnabled(type == tmpl::DialType::Vertical || type == tmpl::DialType::Horizontal);
    txtRecline->setEnabled(type == tmpl::DialType::Vertical);
    chkMonths->setEnabled(chkDateLines->isChecked());
    const bool clockTime = chkClockTime->isChecked();
    chkClockTimeHalves->setEnabled(clockTime);
    chkClockTimeOnly->setEnabled(clockTime);
    txtYear->setEnabled(clockTime || chkSigns->isChecked() ||
                        !txtDateLines->text().trimmed().isEmpty());
    txtNodus->setEnabled(!footAt &&
                         (chkDateLines->isChecked() || chkNoonCurve->isChecked() || clockTime ||
                          chkSigns->isChecked() || !txtDateLines->text().trimmed().isEmpty() ||
                          chkHorizon->isChecked() || chkEquinoctial->isChecked()));

    plan_.reset();
    QString message;
    bool savable = false;
    auto options = ReadOptions(message);
    const auto site = options ? ReadSite(message) : std::nullopt;
    const auto plane = site ? ReadPlane(*site, message) : std::nullopt;
    if (options && site && plane) {
        options->plane = *plane;
        static const std::vector<plan::SunSample> kNone;
        plan::PlanResult result =
            plan::BuildPlan(*site, *options, options->noonCurve ? Samples(*site) : kNone);
        savable = result.status == plan::PlanStatus::Built;
        if (result.plan) {
            plan_ = std::move(result.plan);
            QStringList notes;
            for (const std::string& n : plan_->notes) notes << QString::fromStdString(n);
            const tmpl::TemplatePdfLayout layout = tmpl::LayoutTemplatePdf(*plan_, ReadPage());
            notes << tr("The PDF: %1 pages, the dial on %2 \u00d7 %3 tiles.")
                         .arg(layout.pages)
                         .arg(layout.dial.rows)
                         .arg(layout.dial.columns);
            SetMessage(notes.join(' '), !savable);
        } else {
            SetMessage(QString::fromStdString(result.message), true);
        }
    } else {
        SetMessage(message, true);
    }
    preview->SetPlan(plan_ ? &*plan_ : nullptr);
    cmdSavePdf->setEnabled(savable);
    cmdSaveSvg->setEnabled(savable);
    cmdSaveDxf->setEnabled(savable);
}

const std::vector<plan::SunSample>& TemplateDialog::Samples(const SiteState& site) {
    const bool same = samplesSite_ && samplesSite_->Latitude == site.Latitude &&
                      samplesSite_->Longitude == site.Longitude &&
                      samplesSite_->UtcOffset == site.UtcOffset;
    if (!same) {
        samples_ = plan::YearOfSunSamples(site);
        samplesSite_ = site;
    }
    return samples_;
}

void TemplateDialog::SetMessage(const QString& text, bool problem) {
    lblMessage->setText(text);
    lblMessage->setStyleSheet(problem ? "color: #b00000;" : "");
}

QString TemplateDialog::SuggestedPath(const char* suffix) const {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(folder).filePath(QStringLiteral("dial-template.%1").arg(suffix));
}

void TemplateDialog::SavePdf() {
    Rebuild();
    if (!plan_) return;
    const QString path =
        chooser_(this, tr("Save PDF"), SuggestedPath("pdf"), tr("PDF files (*.pdf)"));
    if (path.isEmpty()) return;
    try {
        const tmpl::TemplatePdfLayout layout = tmpl::WriteTemplatePdf(
            *plan_, ReadPage(), std::filesystem::path(QFile::encodeName(path).toStdString()));
        SetMessage(tr("Saved %1: %2 pages. Print them at 100 %; the bar on each must measure "
                      "100 mm.")
                       .arg(QDir::toNativeSeparators(path))
                       .arg(layout.pages),
                   false);
    } catch (const std::exception& e) {
        warn_(this, QString::fromUtf8(e.what()));
    }
}

void TemplateDialog::SaveSvg() {
    SaveDrawing(tr("Save SVG"), "svg", tr("SVG files (*.svg)"),
                [](const plan::Plan& p, const std::filesystem::path& file) {
                    tmpl::WriteTextFile(file, tmpl::PlanSvg(p));
                });
}

void TemplateDialog::SaveDxf() {
    const tmpl::DxfLettering lettering =
        chkOutlines->isChecked() ? tmpl::DxfLettering::Outlines : tmpl::DxfLettering::Text;
    SaveDrawing(tr("Save DXF"), "dxf", tr("DXF files (*.dxf)"),
                [lettering](const plan::Plan& p, const std::filesystem::path& file) {
                    tmpl::WritePlanDxf(p, file, lettering);
                });
}

void TemplateDialog::SaveDrawing(const QString& caption, const char* suffix, const QString& filter,
                                 const DrawingWriter& write) {
    Rebuild();
    if (!plan_) return;
    const QString path = chooser_(this, caption, SuggestedPath(suffix), filter);
    if (path.isEmpty()) return;
    try {
        write(*plan_, std::filesystem::path(QFile::encodeName(path).toStdString()));
        SetMessage(tr("Saved %1 at full size.").arg(QDir::toNativeSeparators(path)), false);
    } catch (const std::exception& e) {
        warn_(this, QString::fromUtf8(e.what()));
    }
}

std::optional<project::DialProject> TemplateDialog::Project(QString& message) const {
    const std::optional<plan::PlanOptions> options = ReadOptions(message);
    if (!options) return std::nullopt;
    std::optional<SiteState> site = ReadSite(message);
    if (!site) return std::nullopt;
    const auto bearing = Number(*txtBearing, tr("the bearing"), message);
    if (!bearing) return std::nullopt;
    if (!(*bearing >= 0 && *bearing <= 360)) {
        message = tr("The bearing must be from 0 to 360 degrees.");
        return std::nullopt;
    }
    ApplyBearing(*site, NumberText(static_cast<float>(*bearing)));
    project::DialProject p;
    p.site = *site;
    // Only what the plan reads: a box that does not count now is not kept.
    const bool foot = optFootAt->isChecked();
    const auto counts = [&](std::string_view name) {
        if (name == "root-x" || name == "root-y") return optRootAt->isChecked();
        if (name == "foot-x" || name == "foot-y" || name == "nodus-height") return foot;
        if (name == "nodus") {
            return !foot &&
                   (options->dateLines || options->noonCurve || options->extras.NeedsNodus());
        }
        if (name == "months") return options->dateLines;
        if (name == "recline") return cboDialType->currentIndex() == 0;
        if (name == "year") return options->extras.NeedsYear();
        if (name == "clock-time-halves" || name == "clock-time-only") {
            return options->extras.clockTime;
        }
        return true;
    };
    const QLocale locale;
    for (const auto& [name, box] : kNumberBoxes) {
        bool ok = false;
        const double value = locale.toDouble((this->*box)->text().trimmed(), &ok);
        if (ok && counts(name)) p.options[name] = ShortestNumber(value, QLocale::c()).toStdString();
    }
    for (const auto& [name, check] : kSwitches) {
        if ((this->*check)->isChecked() && counts(name)) p.options[name] = "";
    }
    for (const Choice& choice : kChoices) {
        p.options[choice.option] =
            choice.values[std::clamp((this->*choice.combo)->currentIndex(), 0, choice.count - 1)];
    }
    QStringList dates;
    for (const auto& date : options->extras.dates) {
        dates << QString::asprintf("%02d-%02d", date.month, date.day);
    }
    if (!dates.isEmpty()) p.options[kDateLineOption] = dates.join(',').toStdString();
    return p;
}

bool TemplateDialog::OpenProject(const QString& path) {
    const project::ProjectRead read = project::ReadProject(LocalPath(path));
    if (!read.project) {
        warn_(this, QString::fromStdString(read.message));
        return false;
    }
    const project::DialProject& p = *read.project;
    const auto given = [&p](std::string_view name) -> const std::string* {
        const auto it = p.options.find(name);
        return it == p.options.end() ? nullptr : &it->second;
    };
    loading_ = true;
    const QLocale locale;
    const bool rootAt = given("root-x") || given("root-y");
    for (const auto& [name, box] : kNumberBoxes) {
        const std::string* text = given(name);
        QString shown;
        if (text) {
            shown = ShortestNumber(QString::fromStdString(*text).toDouble(), locale);
        } else if (std::string_view(name) == "nodus") {
            shown = locale.toString(kDefaultNodusMm);
        } else if (std::string_view(name) == "recline") {
            shown = locale.toString(0);
        } else if (std::string_view(name) == "year") {
            shown = QString::number(QDate::currentDate().year());
        }
        (this->*box)->setText(shown);
    }
    // As the command line places a root given by one coordinate only.
    if (rootAt && !given("root-x")) {
        txtRootX->setText(
            ShortestNumber(QString::fromStdString(*given("width")).toDouble() / 2, locale));
    }
    if (rootAt && !given("root-y")) txtRootY->setText(locale.toString(0));
    (rootAt ? optRootAt : optRootTop)->setChecked(true);
    if (given("foot-x")) optFootAt->setChecked(true);
    const std::string* dates = given(kDateLineOption);
    txtDateLines->setText(dates ? QString::fromStdString(*dates).replace(',', ", ") : QString());
    for (const auto& [name, check] : kSwitches) (this->*check)->setChecked(given(name) != nullptr);
    for (const Choice& choice : kChoices) {
        const std::string* value = given(choice.option);
        int index = 0;
        for (int i = 0; value && i < choice.count; ++i) {
            if (QString::fromStdString(*value).compare(choice.values[i], Qt::CaseInsensitive) ==
                0) {
                index = i;
            }
        }
        (this->*choice.combo)->setCurrentIndex(index);
    }
    // The site goes into the boxes here; to the main window as well when its
    // dialogs take it (a wall at 15 to 70 N, a whole-hour zone).
    double bearing = 180;
    if (!ParseBearing(p.site.WallBearing, bearing)) bearing = 180;
    txtBearing->setText(locale.toString(bearing));
    txtLatitude->setText(locale.toString(p.site.Latitude));
    txtZone->setText(locale.toString(p.site.UtcOffset));
    loading_ = false;

    const bool mainTakesIt =
        CheckLatLong(p.site.Latitude, std::abs(p.site.Longitude), p.site.Longitude < 0).outcome ==
            InputOutcome::Accept &&
        CheckBearing(bearing).outcome == InputOutcome::Accept && MatchZone(p.site.UtcOffset);
    if (mainTakesIt) {
        main_.Site() = p.site;
        main_.Timeset(p.site.UtcOffset);  // selects the zone and runs
    }
    followedSite_ = main_.Site();
    projectSite_ = p.site;
    projectPath_ = path;
    RememberProject(path);
    ShowProjectName();
    Rebuild();
    return true;
}

void TemplateDialog::ChooseAndOpenProject() {
    const SaveFileChooser& choose = openChooser_ ? openChooser_ : chooser_;
    const QString path = choose(this, tr("Open Dial Project"), SuggestedPath("sundial"),
                                tr("Dial projects (*.sundial)"));
    if (!path.isEmpty()) OpenProject(path);
}

bool TemplateDialog::SaveProject() {
    return projectPath_.isEmpty() ? SaveProjectAs() : WriteProjectTo(projectPath_);
}

bool TemplateDialog::SaveProjectAs() {
    QString path = chooser_(this, tr("Save Dial Project"),
                            projectPath_.isEmpty() ? SuggestedPath("sundial") : projectPath_,
                            tr("Dial projects (*.sundial)"));
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += project::kProjectExtension;
    return WriteProjectTo(path);
}

bool TemplateDialog::WriteProjectTo(const QString& path) {
    QString message;
    const std::optional<project::DialProject> p = Project(message);
    if (!p) {
        warn_(this, message);
        return false;
    }
    std::string error;
    if (!project::WriteProject(*p, LocalPath(path), error)) {
        warn_(this, QDir::toNativeSeparators(path) + ": " + QString::fromStdString(error));
        return false;
    }
    projectPath_ = path;
    RememberProject(path);
    ShowProjectName();
    SetMessage(tr("Saved %1.").arg(QDir::toNativeSeparators(path)), false);
    return true;
}

QStringList TemplateDialog::RecentProjects() {
    return QSettings().value(kRecentKey).toStringList();
}

void TemplateDialog::RememberProject(const QString& path) {
    QStringList recent = RecentProjects();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    while (recent.size() > kRecentProjects) recent.removeLast();
    QSettings().setValue(kRecentKey, recent);
}

void TemplateDialog::FillRecentMenu() {
    mnuRecent->clear();
    const QStringList recent = RecentProjects();
    for (const QString& path : recent) {
        mnuRecent->addAction(QDir::toNativeSeparators(path), this,
                             [this, path] { OpenProject(path); });
    }
    if (recent.isEmpty()) mnuRecent->addAction(tr("(none)"))->setEnabled(false);
}

void TemplateDialog::ShowProjectName() {
    setWindowTitle(projectPath_.isEmpty()
                       ? tr("Dial Template")
                       : tr("Dial Template - %1").arg(QFileInfo(projectPath_).fileName()));
}

bool TemplateDialog::event(QEvent* event) {
    // The site may have changed while another window had the focus.
    if (event->type() == QEvent::WindowActivate) Rebuild();
    return QDialog::event(event);
}

}  // namespace sundial

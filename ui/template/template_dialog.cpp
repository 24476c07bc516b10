#include "ui/template/template_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "core/lines/date_marks.h"
#include "core/plan/sun_samples.h"
#include "core/template/pdf_template.h"
#include "core/template/svg_template.h"
#include "ui/shell/main_window_api.h"
#include "ui/template/plan_painter.h"

namespace sundial {

namespace {

constexpr double kDefaultWidthMm = 600;
constexpr double kDefaultHeightMm = 450;
constexpr double kDefaultNodusMm = 150;

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

    auto* plate = new QGroupBox(tr("Plate"), this);
    auto* plateForm = new QFormLayout(plate);
    txtWidth = NumberBox(plate, "txtWidth", locale.toString(kDefaultWidthMm));
    txtHeight = NumberBox(plate, "txtHeight", locale.toString(kDefaultHeightMm));
    plateForm->addRow(tr("Width (mm)"), txtWidth);
    plateForm->addRow(tr("Height (mm)"), txtHeight);

    auto* root = new QGroupBox(tr("Gnomon's root"), this);
    auto* rootForm = new QFormLayout(root);
    optRootTop = new QRadioButton(tr("Centre of the top edge"), root);
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
    for (QWidget* w : std::initializer_list<QWidget*>{plate, root, lines, dates, extra, paper}) {
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
    cmdClose = new QPushButton(tr("Close"), this);
    cmdClose->setObjectName("cmdClose");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblMessage, 1);
    buttons->addWidget(cmdSavePdf);
    buttons->addWidget(cmdSaveSvg);
    buttons->addWidget(cmdClose);

    auto* top = new QHBoxLayout;
    top->addLayout(inputs);
    top->addWidget(preview, 1);
    auto* all = new QVBoxLayout(this);
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
    for (QLineEdit* box : {txtWidth, txtHeight, txtRootX, txtRootY, txtNodus, txtStyle, txtYear,
                           txtDateLines, txtThickness}) {
        connect(box, &QLineEdit::textChanged, this, &TemplateDialog::Rebuild);
    }
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             optRootTop, optRootAt, chkHalf, chkQuarter, chkDateLines, chkMonths, chkNoonCurve,
             chkLandscape, chkClockTime, chkClockTimeHalves, chkClockTimeOnly, chkSummerNumerals,
             chkTenMinutes, chkSigns, chkHorizon, chkEquinoctial}) {
        connect(b, &QAbstractButton::toggled, this, &TemplateDialog::Rebuild);
    }
    for (QComboBox* c : {cboNumerals, cboPaper}) {
        connect(c, &QComboBox::currentIndexChanged, this, &TemplateDialog::Rebuild);
    }
    connect(cmdSavePdf, &QPushButton::clicked, this, &TemplateDialog::SavePdf);
    connect(cmdSaveSvg, &QPushButton::clicked, this, &TemplateDialog::SaveSvg);
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
    o.halfHours = chkHalf->isChecked();
    o.quarterHours = chkQuarter->isChecked();
    o.numerals = static_cast<plan::NumeralStyle>(cboNumerals->currentIndex());
    o.dateLines = chkDateLines->isChecked();
    o.monthLines = o.dateLines && chkMonths->isChecked();
    o.noonCurve = chkNoonCurve->isChecked();
    if (!ReadExtraLines(o.extras, message)) return std::nullopt;
    if (o.dateLines || o.noonCurve || o.extras.NeedsNodus()) {
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

tmpl::PageSetup TemplateDialog::ReadPage() const {
    static constexpr tmpl::Paper kPapers[] = {tmpl::Paper::A4, tmpl::Paper::Letter,
                                              tmpl::Paper::A3};
    return {kPapers[std::clamp(cboPaper->currentIndex(), 0, 2)], chkLandscape->isChecked()};
}

void TemplateDialog::Rebuild() {
    const bool rootAt = optRootAt->isChecked();
    txtRootX->setEnabled(rootAt);
    txtRootY->setEnabled(rootAt);
    chkMonths->setEnabled(chkDateLines->isChecked());
    const bool clockTime = chkClockTime->isChecked();
    chkClockTimeHalves->setEnabled(clockTime);
    chkClockTimeOnly->setEnabled(clockTime);
    txtYear->setEnabled(clockTime || chkSigns->isChecked() ||
                        !txtDateLines->text().trimmed().isEmpty());
    txtNodus->setEnabled(chkDateLines->isChecked() || chkNoonCurve->isChecked() || clockTime ||
                         chkSigns->isChecked() || !txtDateLines->text().trimmed().isEmpty() ||
                         chkHorizon->isChecked() || chkEquinoctial->isChecked());

    plan_.reset();
    QString message;
    if (const auto options = ReadOptions(message)) {
        static const std::vector<plan::SunSample> kNone;
        plan::PlanResult result =
            plan::BuildPlan(main_.Site(), *options, options->noonCurve ? Samples() : kNone);
        if (result.plan) {
            plan_ = std::move(result.plan);
            QStringList notes;
            for (const std::string& n : plan_->notes) notes << QString::fromStdString(n);
            const tmpl::TemplatePdfLayout layout = tmpl::LayoutTemplatePdf(*plan_, ReadPage());
            notes << tr("The PDF: %1 pages, the dial on %2 \u00d7 %3 tiles.")
                         .arg(layout.pages)
                         .arg(layout.dial.rows)
                         .arg(layout.dial.columns);
            SetMessage(notes.join(' '), false);
        } else {
            SetMessage(QString::fromStdString(result.message), true);
        }
    } else {
        SetMessage(message, true);
    }
    preview->SetPlan(plan_ ? &*plan_ : nullptr);
    cmdSavePdf->setEnabled(plan_.has_value());
    cmdSaveSvg->setEnabled(plan_.has_value());
}

const std::vector<plan::SunSample>& TemplateDialog::Samples() {
    const SiteState& site = main_.Site();
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
    Rebuild();
    if (!plan_) return;
    const QString path =
        chooser_(this, tr("Save SVG"), SuggestedPath("svg"), tr("SVG files (*.svg)"));
    if (path.isEmpty()) return;
    try {
        tmpl::WriteTextFile(std::filesystem::path(QFile::encodeName(path).toStdString()),
                            tmpl::PlanSvg(*plan_));
        SetMessage(tr("Saved %1 at full size.").arg(QDir::toNativeSeparators(path)), false);
    } catch (const std::exception& e) {
        warn_(this, QString::fromUtf8(e.what()));
    }
}

bool TemplateDialog::event(QEvent* event) {
    // The site may have changed while another window had the focus.
    if (event->type() == QEvent::WindowActivate) Rebuild();
    return QDialog::event(event);
}

}  // namespace sundial

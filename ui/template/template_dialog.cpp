#include "ui/template/template_dialog.h"

#include <QDate>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cmath>
#include <exception>

#include "core/plan/sun_samples.h"
#include "core/rules/input_rules.h"
#include "core/site/number_text.h"
#include "core/site/time_zone_menu.h"
#include "core/template/pdf_template.h"
#include "core/template/svg_template.h"
#include "ui/shell/main_window_api.h"
#include "ui/template/wheel_guard.h"

namespace sundial {

namespace {

// The bearing a site's text gives, or 180 (south) when it holds none.
double BearingOf(const SiteState& site) {
    double bearing = 180;
    if (!ParseBearing(site.WallBearing, bearing)) bearing = 180;
    return bearing;
}

}  // namespace

TemplateDialog::TemplateDialog(MainWindowApi& main, SaveFileChooser chooser, TemplateWarning warn,
                               QWidget* parent)
    : QDialog(parent),
      main_(main),
      chooser_(chooser ? chooser : DesktopSaveChooser()),
      warn_(warn ? std::move(warn) : WarningMessageBox()) {
    setObjectName("frmTemplate");
    setWindowTitle(tr("Dial Template"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    site = new SitePanel(this);
    plane = new PlanePanel(this);
    gnomon = new GnomonPanel(this);
    lines = new LinesPanel(this);
    outputs = new OutputsPanel(this);
    auto* inputs = new QVBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{plane, site, gnomon, lines, outputs}) {
        inputs->addWidget(w);
    }
    inputs->addStretch();

    preview = new PlanPreview(this);
    lblMessage = new QLabel(this);
    lblMessage->setObjectName("lblMessage");
    lblMessage->setWordWrap(true);
    const auto button = [this](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        return b;
    };
    cmdSavePdf = button(tr("Save PDF..."), "cmdSavePdf");
    cmdSaveSvg = button(tr("Save SVG..."), "cmdSaveSvg");
    cmdSaveDxf = button(tr("Save DXF..."), "cmdSaveDxf");
    cmdClose = button(tr("Close"), "cmdClose");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblMessage, 1);
    for (QPushButton* b : {cmdSavePdf, cmdSaveSvg, cmdSaveDxf, cmdClose}) buttons->addWidget(b);

    // The boxes scroll when the screen is shorter than they are, so that the
    // buttons below them stay in view.
    auto* inputsPage = new QWidget;
    inputsPage->setLayout(inputs);
    inputsScroll = new QScrollArea;
    inputsScroll->setObjectName("scrInputs");
    inputsScroll->setWidget(inputsPage);
    inputsScroll->setWidgetResizable(true);
    inputsScroll->setFrameShape(QFrame::NoFrame);
    inputsScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    inputsScroll->setMinimumWidth(inputsPage->sizeHint().width() +
                                  inputsScroll->verticalScrollBar()->sizeHint().width());
    GuardWheel(inputsScroll);
    auto* top = new QHBoxLayout;
    top->addWidget(inputsScroll);
    top->addWidget(preview, 1);
    auto* bar = new QMenuBar(this);
    projectMenu = new ProjectMenu(
        this, bar, [this](QString& message) { return Project(message); },
        [this](const project::DialProject& p) { ShowProject(p); }, chooser_,
        chooser ? chooser : DesktopOpenChooser(), warn_);
    connect(projectMenu, &ProjectMenu::Saved, this, [this](const QString& path) {
        SetMessage(tr("Saved %1.").arg(QDir::toNativeSeparators(path)), false);
    });
    auto* all = new QVBoxLayout(this);
    all->setMenuBar(bar);
    all->addLayout(top, 1);
    all->addLayout(buttons);

    connect(site, &SitePanel::Changed, this, &TemplateDialog::Rebuild);
    connect(plane, &PlanePanel::Changed, this, &TemplateDialog::Rebuild);
    connect(gnomon, &GnomonPanel::Changed, this, &TemplateDialog::Rebuild);
    connect(lines, &LinesPanel::Changed, this, &TemplateDialog::Rebuild);
    connect(outputs, &OutputsPanel::Changed, this, &TemplateDialog::Rebuild);
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
    if (!plane->ReadPlate(o, message)) return std::nullopt;
    if (!lines->Read(o, message)) return std::nullopt;
    if (!o.analemmaticMajorMm &&
        !gnomon->Read(o, o.dateLines || o.noonCurve || o.extras.NeedsNodus(), message)) {
        return std::nullopt;
    }
    o.madeOn = QDate::currentDate().toString(Qt::ISODate).toStdString();
    if (const auto problem = plan::CheckPlanOptions(o)) {
        message = QString::fromStdString(*problem);
        return std::nullopt;
    }
    // A named zone keeps the year of the sun's lines, or this year's rules.
    const int year = o.extras.year != 0 ? o.extras.year : QDate::currentDate().year();
    if (!site->ReadZone(year, o.zone, message)) return std::nullopt;
    return o;
}

std::optional<SiteState> TemplateDialog::ReadSite(const plan::PlanOptions& options,
                                                  QString& message) const {
    return site->Read(projectSite_.value_or(main_.Site()), options.zone, message);
}

void TemplateDialog::FollowMainSite() {
    const SiteState& main = main_.Site();
    if (followedSite_ && *followedSite_ == main) return;
    followedSite_ = main;
    projectSite_.reset();
    plane->ShowBearing(BearingOf(main));
    site->Show(main);
}

void TemplateDialog::Rebuild() {
    if (loading_) return;
    FollowMainSite();
    gnomon->EnableFor(lines->NeedsNodus());
    // A person is an analemmatic dial's gnomon.
    gnomon->setEnabled(plane->Type() != tmpl::DialType::Analemmatic);
    plan::PlanOptions plate;
    QString unused;
    if (plane->ReadPlate(plate, unused)) gnomon->SetPlateWidth(plate.widthMm);

    plan_.reset();
    QString message;
    bool savable = false;
    auto options = ReadOptions(message);
    const auto here = options ? ReadSite(*options, message) : std::nullopt;
    const auto dialPlane = here ? plane->ReadPlane(*here, message) : std::nullopt;
    if (options && here && dialPlane) {
        options->plane = *dialPlane;
        static const std::vector<plan::SunSample> kNone;
        plan::PlanResult result =
            plan::BuildPlan(*here, *options, options->noonCurve ? Samples(*here) : kNone);
        savable = result.status == plan::PlanStatus::Built;
        if (result.plan) {
            plan_ = std::move(result.plan);
            QStringList notes;
            for (const std::string& n : plan_->notes) notes << QString::fromStdString(n);
            const tmpl::TemplatePdfLayout layout = tmpl::LayoutTemplatePdf(*plan_, outputs->Page());
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
    for (QPushButton* b : {cmdSavePdf, cmdSaveSvg, cmdSaveDxf}) b->setEnabled(savable);
}

const std::vector<plan::SunSample>& TemplateDialog::Samples(const SiteState& at) {
    const bool same = samplesSite_ && samplesSite_->Latitude == at.Latitude &&
                      samplesSite_->Longitude == at.Longitude &&
                      samplesSite_->UtcOffset == at.UtcOffset;
    if (!same) {
        samples_ = plan::YearOfSunSamples(at);
        samplesSite_ = at;
    }
    return samples_;
}

void TemplateDialog::SetMessage(const QString& text, bool problem) {
    lblMessage->setText(text);
    lblMessage->setStyleSheet(problem ? "color: #b00000;" : "");
}

void TemplateDialog::SavePdf() {
    Rebuild();
    if (!plan_) return;
    const QString path =
        chooser_(this, tr("Save PDF"), DocumentsPath("dial-template.pdf"), tr("PDF files (*.pdf)"));
    if (path.isEmpty()) return;
    try {
        const tmpl::TemplatePdfLayout layout = tmpl::WriteTemplatePdf(
            *plan_, outputs->Page(), std::filesystem::path(QFile::encodeName(path).toStdString()));
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
    SaveDrawing(
        tr("Save DXF"), "dxf", tr("DXF files (*.dxf)"),
        [lettering = outputs->Lettering()](const plan::Plan& p, const std::filesystem::path& file) {
            tmpl::WritePlanDxf(p, file, lettering);
        });
}

void TemplateDialog::SaveDrawing(const QString& caption, const char* suffix, const QString& filter,
                                 const DrawingWriter& write) {
    Rebuild();
    if (!plan_) return;
    const QString path = chooser_(
        this, caption, DocumentsPath(QStringLiteral("dial-template.%1").arg(suffix)), filter);
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
    std::optional<SiteState> here = ReadSite(*options, message);
    if (!here) return std::nullopt;
    const auto bearing = plane->Bearing(message);
    if (!bearing) return std::nullopt;
    ApplyBearing(*here, NumberText(static_cast<float>(*bearing)));
    project::DialProject p;
    p.site = *here;
    if (options->zone) p.tz = options->zone->name;
    // Only what the plan reads: a box that does not count now is not kept.
    plane->Store(p.options);
    gnomon->Store(*options, p.options);
    lines->Store(*options, p.options);
    outputs->Store(p.options);
    if (plane->Type() == tmpl::DialType::Analemmatic) {
        for (const char* name : tmpl::OptionsNotOnAnalemmatic()) p.options.erase(name);
    }
    return p;
}

void TemplateDialog::ShowProject(const project::DialProject& p) {
    loading_ = true;
    plane->Show(p.options);
    gnomon->Show(p.options);
    lines->Show(p.options);
    outputs->Show(p.options);
    // The site goes into the boxes here; to the main window as well when its
    // dialogs take it (a wall at 15 to 70 N, a whole-hour zone).
    const double bearing = BearingOf(p.site);
    plane->ShowBearing(bearing);
    site->Show(p.site, p.tz);
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
    Rebuild();
}

bool TemplateDialog::event(QEvent* event) {
    // The site may have changed while another window had the focus.
    if (event->type() == QEvent::WindowActivate) Rebuild();
    return QDialog::event(event);
}

}  // namespace sundial

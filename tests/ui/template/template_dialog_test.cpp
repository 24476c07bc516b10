// The template dialog's wiring: what it reads from its boxes and the site,
// what it says about bad input, and what it saves where.
#include "ui/template/template_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <fstream>
#include <map>

#include "core/project/dial_project.h"
#include "core/template/svg_template.h"
#include "tests/ui/support/fake_main_window.h"
#include "ui/template/template_window.h"

namespace sundial {
namespace {

class TemplateDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::EnsureApplication();
        QLocale::setDefault(QLocale::c());
        main.site = {"London, Britain", 51.5f, 0.12f, "200", 20.0f, "West", 0};
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    TemplateDialog* Open() {
        dialog = new TemplateDialog(
            main,
            [this](QWidget*, const QString& caption, const QString& suggested, const QString&) {
                asked.push_back({caption, suggested});
                return answer;
            },
            [this](QWidget*, const QString& text) { warnings.push_back(text); });
        return dialog;
    }
    void TearDownDialog() { delete dialog; }

    testing::FakeMainWindow main;
    TemplateDialog* dialog = nullptr;
    std::vector<std::pair<QString, QString>> asked;  // caption, suggested path
    QString answer;                                  // what the "file dialog" returns
    std::vector<QString> warnings;
};

TEST_F(TemplateDialogTest, OpensWithAPlanOfTheSite) {
    std::unique_ptr<TemplateDialog> d(Open());
    ASSERT_TRUE(d->Plan().has_value()) << d->Message().toStdString();
    EXPECT_EQ(d->Plan()->plateWidthMm, 600);
    EXPECT_EQ(d->Plan()->root.x, 300);
    EXPECT_TRUE(d->cmdSavePdf->isEnabled());
    EXPECT_TRUE(d->Message().contains("tiles")) << d->Message().toStdString();
    // The dial follows the site as the main window holds it.
    const double offset = d->Plan()->gnomonSize.angleDeg;
    main.site.WallBearing = "185.2";
    main.site.WallDeclination = 5.2f;
    d->Rebuild();
    EXPECT_NE(d->Plan()->gnomonSize.angleDeg, offset);
}

TEST_F(TemplateDialogTest, AnyPlaneAndSiteTypedHereReachesThePlan) {
    const struct {
        const char* name;
        void (*type)(TemplateDialog&);
        double bearing, recline;
        bool rootAtInfinity;
        const char* title;  // in the title strip
    } rows[] = {
        {"Sydney horizontal",
         [](TemplateDialog& d) {
             d.plane->cboDialType->setCurrentIndex(1);
             d.site->txtLatitude->setText("-33.87");
             d.site->txtZone->setText("10");
         },
         180, 90, false, "33.87\u00b0 S"},
        {"east wall by the foot",
         [](TemplateDialog& d) {
             d.plane->txtBearing->setText("90");
             d.gnomon->optFootAt->setChecked(true);
             d.gnomon->txtFootX->setText("300");
             d.gnomon->txtFootY->setText("200");
             d.gnomon->txtNodusHeight->setText("80");
         },
         90, 0, true, "London, Britain"},
        {"reclined at a half zone",
         [](TemplateDialog& d) {
             d.plane->txtRecline->setText("30");
             d.site->txtZone->setText("5.5");
         },
         200, 30, false, "UTC+5.5"},
        {"named zone, its standard time for the hours",
         [](TemplateDialog& d) {
             d.site->txtZone->setText("3");
             d.site->txtTz->setText("Europe/London");
         },
         200, 0, false, "Clock time of zone Europe/London, UTC+0, summer UTC+1."},
    };
    for (const auto& r : rows) {
        std::unique_ptr<TemplateDialog> d(Open());
        r.type(*d);
        ASSERT_TRUE(d->Plan().has_value()) << r.name << ": " << d->Message().toStdString();
        EXPECT_EQ(d->Plan()->plane.bearingDeg, r.bearing) << r.name;
        EXPECT_EQ(d->Plan()->plane.reclineDeg, r.recline) << r.name;
        EXPECT_EQ(d->Plan()->rootAtInfinity, r.rootAtInfinity) << r.name;
        bool named = false;
        for (const plan::Element& e : d->Plan()->dial.elements) {
            named =
                named || (e.role == plan::Role::Title && e.text.find(r.title) != std::string::npos);
        }
        EXPECT_TRUE(named) << r.name;
        EXPECT_TRUE(d->cmdSaveSvg->isEnabled()) << r.name;
    }
}

TEST_F(TemplateDialogTest, BadInputIsNamedAndNothingCanBeSaved) {
    const struct {
        const char* name;
        void (*type)(TemplateDialog&);
        const char* message;
    } rows[] = {
        {"width too small", [](TemplateDialog& d) { d.plane->txtWidth->setText("49"); },
         "The plate's width must be from 50 to 5000 mm."},
        {"height a word", [](TemplateDialog& d) { d.plane->txtHeight->setText("tall"); },
         "The plate's height is not a number: \"tall\"."},
        {"width empty", [](TemplateDialog& d) { d.plane->txtWidth->clear(); },
         "Give the plate's width in millimetres."},
        {"root far outside",
         [](TemplateDialog& d) {
             d.gnomon->optRootAt->setChecked(true);
             d.gnomon->txtRootX->setText("70000");
         },
         "The gnomon's root must lie within 60000 mm of the plate."},
        {"nodus missing",
         [](TemplateDialog& d) {
             d.lines->chkDateLines->setChecked(true);
             d.gnomon->txtNodus->clear();
         },
         "Give the nodus distance in millimetres."},
        {"latitude beyond the pole", [](TemplateDialog& d) { d.site->txtLatitude->setText("-90"); },
         "The latitude must be from -89 (south) to 89 (north)."},
        {"zone between quarters", [](TemplateDialog& d) { d.site->txtZone->setText("5.6"); },
         "The zone must be from -12 to 14 hours, in quarter hours."},
        {"style too short", [](TemplateDialog& d) { d.gnomon->txtStyle->setText("2"); },
         "The style's length must be from 5 to 5000 mm."},
        {"named zone unknown", [](TemplateDialog& d) { d.site->txtTz->setText("Europe/Londn"); },
         "The named zone: there is no time zone called \"Europe/Londn\""},
    };
    for (const auto& r : rows) {
        std::unique_ptr<TemplateDialog> d(Open());
        r.type(*d);
        EXPECT_FALSE(d->Plan().has_value()) << r.name;
        EXPECT_TRUE(d->Message().startsWith(r.message))
            << r.name << ": " << d->Message().toStdString();
        EXPECT_FALSE(d->cmdSavePdf->isEnabled()) << r.name;
        EXPECT_FALSE(d->cmdSaveSvg->isEnabled()) << r.name;
    }
}

TEST_F(TemplateDialogTest, ReadsNumbersAsTheUsersLocaleWritesThem) {
    QLocale::setDefault(QLocale(QLocale::German));
    std::unique_ptr<TemplateDialog> d(Open());
    d->plane->txtWidth->setText("612,5");
    ASSERT_TRUE(d->Plan().has_value()) << d->Message().toStdString();
    EXPECT_EQ(d->Plan()->plateWidthMm, 612.5);
}

TEST_F(TemplateDialogTest, OptionsReachThePlan) {
    std::unique_ptr<TemplateDialog> d(Open());
    const auto count = [&](plan::Role role) {
        int n = 0;
        for (const plan::Element& e : d->Plan()->dial.elements) n += e.role == role;
        return n;
    };
    EXPECT_GT(count(plan::Role::HalfHourLines), 0);  // on by default
    EXPECT_EQ(count(plan::Role::QuarterHourLines), 0);
    EXPECT_FALSE(d->lines->chkMonths->isEnabled());
    d->lines->chkQuarter->setChecked(true);
    d->lines->chkDateLines->setChecked(true);
    EXPECT_TRUE(d->lines->chkMonths->isEnabled());
    d->lines->chkMonths->setChecked(true);
    d->lines->cboNumerals->setCurrentIndex(2);  // none
    EXPECT_GT(count(plan::Role::QuarterHourLines), 0);
    EXPECT_GT(count(plan::Role::DateLines), 15);
    EXPECT_EQ(count(plan::Role::Numerals), 0);
    d->gnomon->optRootAt->setChecked(true);  // starts from where the root was
    EXPECT_EQ(QLocale().toDouble(d->gnomon->txtRootX->text()), 300);
    d->gnomon->txtRootY->setText("100");
    EXPECT_EQ(d->Plan()->root.y, 100);
    EXPECT_EQ(count(plan::Role::NoonCurve), 0);
    d->lines->chkNoonCurve->setChecked(true);
    EXPECT_GT(count(plan::Role::NoonCurve), 0);
    EXPECT_GT(count(plan::Role::EquationTable), 0);
}

TEST_F(TemplateDialogTest, SavesWhereTheUserChoosesStartingInDocuments) {
    QTemporaryDir dir;
    std::unique_ptr<TemplateDialog> d(Open());
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);

    answer.clear();  // the user cancels
    d->cmdSavePdf->click();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(QFileInfo(asked[0].second).absolutePath(), QDir(documents).absolutePath());
    EXPECT_TRUE(asked[0].second.endsWith(".pdf"));

    answer = dir.filePath("dial.pdf");
    d->cmdSavePdf->click();
    QFile pdf(answer);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_TRUE(d->Message().contains("100 %")) << d->Message().toStdString();

    answer = dir.filePath("dial.svg");
    d->outputs->chkLandscape->setChecked(true);
    d->cmdSaveSvg->click();
    QFile svg(answer);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("<g id=\"hour-lines\""));
    answer = dir.filePath("dial.dxf");
    d->cmdSaveDxf->click();
    QFile dxf(answer);
    ASSERT_TRUE(dxf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(dxf.readAll().contains("$INSUNITS"));
    EXPECT_TRUE(warnings.empty());

    answer = dir.filePath("missing/dial.svg");
    d->cmdSaveSvg->click();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_TRUE(warnings[0].contains("dial.svg"));
}

TEST_F(TemplateDialogTest, PreviewPaintsThePlan) {
    std::unique_ptr<TemplateDialog> d(Open());
    d->resize(900, 600);
    const QImage shot = d->preview->grab().toImage();
    // Somewhere on the white sheet there are dark lines.
    int dark = 0;
    for (int y = 0; y < shot.height(); y += 2) {
        for (int x = 0; x < shot.width(); x += 2) dark += qGray(shot.pixel(x, y)) < 80;
    }
    EXPECT_GT(dark, 100);
}

// A design saved from one window opens in a fresh one as the same plan, the
// site with it; a file that cannot be used changes nothing. Under a comma
// locale too: the file holds numbers one way only.
TEST_F(TemplateDialogTest, AProjectSavedOpensAsTheSameDesign) {
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale(QLocale::German));
    QTemporaryDir dir;
    std::unique_ptr<TemplateDialog> d(Open());
    d->plane->txtWidth->setText("612,5");
    d->gnomon->optRootAt->setChecked(true);
    d->gnomon->txtRootY->setText("40,25");
    d->lines->chkQuarter->setChecked(true);
    d->lines->chkDateLines->setChecked(true);
    d->gnomon->txtNodus->setText("140,5");
    d->lines->cboNumerals->setCurrentIndex(1);
    d->outputs->cboPaper->setCurrentIndex(2);
    answer = dir.filePath("church");  // the extension is added
    d->SaveProjectAs();
    ASSERT_TRUE(QFile::exists(dir.filePath("church.sundial"))) << d->Message().toStdString();
    EXPECT_EQ(TemplateDialog::RecentProjects().value(0), dir.filePath("church.sundial"));
    const std::string svg = tmpl::PlanSvg(*d->Plan());
    const SiteState site = main.site;

    main.site = {"Unknown", 40.f, 10.f, "150", 30.f, "East", 0};
    std::unique_ptr<TemplateDialog> other(Open());
    std::ofstream(dir.filePath("bad.sundial").toStdString()) << "{\"format\": 1}";
    EXPECT_FALSE(other->OpenProject(dir.filePath("bad.sundial")));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_TRUE(warnings[0].contains("bad.sundial")) << warnings[0].toStdString();
    EXPECT_EQ(main.site.WallBearing, "150");
    EXPECT_EQ(other->plane->txtWidth->text(), "600");

    ASSERT_TRUE(other->OpenProject(dir.filePath("church.sundial")));
    EXPECT_EQ(main.site, site);
    ASSERT_TRUE(other->Plan().has_value()) << other->Message().toStdString();
    EXPECT_EQ(tmpl::PlanSvg(*other->Plan()), svg);
    EXPECT_TRUE(other->windowTitle().endsWith("church.sundial"));
}

// Every box, switch and choice the window shows, by object name.
std::string Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

std::map<std::string, std::string> Shown(const TemplateDialog& d) {
    std::map<std::string, std::string> shown;
    for (const QLineEdit* box : d.findChildren<QLineEdit*>()) {
        shown[box->objectName().toStdString()] = box->text().toStdString();
    }
    for (const QAbstractButton* b : d.findChildren<QAbstractButton*>()) {
        if (b->isCheckable()) shown[b->objectName().toStdString()] = b->isChecked() ? "on" : "off";
    }
    for (const QComboBox* c : d.findChildren<QComboBox*>()) {
        shown[c->objectName().toStdString()] = std::to_string(c->currentIndex());
    }
    return shown;
}

// A design with a site of its own typed here (south, a fractional zone, a
// turned horizontal plate, then a reclined wall) opens in a fresh window with
// every field as it was and saves as the same file; the main window keeps a
// site its dialogs could not take.
TEST_F(TemplateDialogTest, EveryFieldShownOpensAsSaved) {
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir dir;
    std::unique_ptr<TemplateDialog> d(Open());
    d->plane->cboDialType->setCurrentIndex(1);
    for (auto [box, text] : {std::pair{d->plane->txtBearing, "200"},
                             {d->site->txtLatitude, "-33.87"},
                             {d->site->txtZone, "9.5"},
                             {d->site->txtTz, "Australia/Adelaide"},
                             {d->gnomon->txtFootX, "300"},
                             {d->gnomon->txtFootY, "200"},
                             {d->gnomon->txtNodusHeight, "80"},
                             {d->lines->txtDateLines, "06-14, 09-02"},
                             {d->lines->txtYear, "2027"},
                             {d->gnomon->txtThickness, "3"}}) {
        box->setText(text);
    }
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             d->gnomon->optFootAt, d->lines->chkClockTime, d->lines->chkClockTimeHalves,
             d->lines->chkSummerNumerals, d->lines->chkTenMinutes, d->lines->chkSigns,
             d->lines->chkHorizon, d->lines->chkEquinoctial, d->lines->chkItalian,
             d->lines->chkBabylonian, d->lines->chkTemporal, d->outputs->chkLandscape}) {
        b->setChecked(true);
    }
    d->lines->cboNumerals->setCurrentIndex(1);
    const SiteState london = main.site;
    for (const char* recline : {"", "15"}) {
        SCOPED_TRACE(recline);
        main.site = london;
        if (*recline) d->plane->cboDialType->setCurrentIndex(0);
        if (*recline) d->plane->txtRecline->setText(recline);
        ASSERT_TRUE(d->Plan().has_value()) << d->Message().toStdString();
        answer = dir.filePath("a.sundial");
        ASSERT_TRUE(d->SaveProjectAs()) << d->Message().toStdString();
        main.site = {"Unknown", 40.f, 10.f, "150", 30.f, "East", 0};
        std::unique_ptr<TemplateDialog> other(Open());
        ASSERT_TRUE(other->OpenProject(dir.filePath("a.sundial")));
        EXPECT_EQ(Shown(*other), Shown(*d));
        EXPECT_EQ(main.site.Latitude, 40.f);
        EXPECT_EQ(tmpl::PlanSvg(*other->Plan()), tmpl::PlanSvg(*d->Plan()));
        answer = dir.filePath("b.sundial");
        ASSERT_TRUE(other->SaveProjectAs());
        EXPECT_EQ(Bytes(dir.filePath("b.sundial")), Bytes(dir.filePath("a.sundial")));
    }
}

// The Tools menu's factory: one window while it is open, a new one (reading
// the site afresh) after it was closed.
TEST_F(TemplateDialogTest, MenuFactoryKeepsOneWindowUntilItIsClosed) {
    TemplateWindow window(main);
    TemplateDialog& first = window.Dialog();
    EXPECT_EQ(&window.Dialog(), &first);
    first.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window.Existing(), nullptr);
    EXPECT_NE(&window.Dialog(), nullptr);
}

// The wheel over the settings scrolls them; it turns a combo box only once
// the user has clicked or tabbed into it.
TEST_F(TemplateDialogTest, WheelScrollsThePaneUnlessTheBoxHasTheFocus) {
    const struct {
        const char* name;
        QComboBox* (*box)(TemplateDialog&);
        bool focused;
    } rows[] = {
        {"numerals passed over", [](TemplateDialog& d) { return d.lines->cboNumerals; }, false},
        {"dial type passed over", [](TemplateDialog& d) { return d.plane->cboDialType; }, false},
        {"paper passed over", [](TemplateDialog& d) { return d.outputs->cboPaper; }, false},
        {"numerals clicked into", [](TemplateDialog& d) { return d.lines->cboNumerals; }, true},
    };
    for (const auto& r : rows) {
        std::unique_ptr<TemplateDialog> d(Open());
        d->resize(900, 420);  // shorter than the boxes: the pane scrolls
        d->show();
        d->activateWindow();
        QComboBox* box = r.box(*d);
        if (r.focused) box->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
        ASSERT_EQ(box->hasFocus(), r.focused) << r.name;
        QScrollBar* bar = d->inputsScroll->verticalScrollBar();
        ASSERT_GT(bar->maximum(), 0) << r.name;
        bar->setValue(bar->maximum() / 2);
        const int index = box->currentIndex(), scrolled = bar->value();
        const QPointF at(box->width() / 2.0, box->height() / 2.0);
        QWheelEvent down(at, box->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(box, &down);
        EXPECT_EQ(box->currentIndex() != index, r.focused) << r.name;
        EXPECT_EQ(bar->value() != scrolled, !r.focused) << r.name;
    }
}

// Save As keeps the bearing the window shows for every plane that has one,
// typed in either locale, and the file reopens showing it again.
TEST_F(TemplateDialogTest, SaveAsKeepsTheBearingShown) {
    QStandardPaths::setTestModeEnabled(true);
    const struct {
        const char* name;
        int type;  // the dial type's index
        const char* locale;
        const char* typed;
        const char* kept;  // the project's site.bearing
    } rows[] = {
        {"horizontal turned", 1, "C", "185.2", "185.2"},
        {"horizontal, comma", 1, "de", "185,2", "185.2"},
        {"wall", 0, "C", "200.5", "200.5"},
        {"wall due north", 0, "C", "360", "360"},
    };
    main.site = {"Exeter, Britain", 50.72f, 3.53f, "185.2", 5.2f, "West", 0};
    const SiteState exeter = main.site;
    for (const auto& r : rows) {
        QLocale::setDefault(QLocale(r.locale));
        main.site = exeter;
        QTemporaryDir dir;
        std::unique_ptr<TemplateDialog> d(Open());
        d->plane->cboDialType->setCurrentIndex(r.type);
        d->plane->txtBearing->setText(r.typed);
        answer = dir.filePath("turned.sundial");
        ASSERT_TRUE(d->SaveProjectAs()) << r.name << ": " << d->Message().toStdString();
        const project::ProjectRead read = project::ReadProject(answer.toStdString());
        ASSERT_TRUE(read.project) << r.name << ": " << read.message;
        EXPECT_EQ(read.project->site.WallBearing, r.kept) << r.name;
        std::unique_ptr<TemplateDialog> other(Open());
        ASSERT_TRUE(other->OpenProject(answer)) << r.name;
        EXPECT_EQ(other->plane->txtBearing->text().toStdString(), r.typed) << r.name;
        EXPECT_EQ(other->Plan()->plane.bearingDeg, d->Plan()->plane.bearingDeg) << r.name;
    }
}

}  // namespace
}  // namespace sundial

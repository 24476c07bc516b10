// The main window under the offscreen platform: start-up, the zone menu, the
// children's sizing and focus handling, "Make PDF", help and shutdown. Viewer,
// browser, message boxes, the pause and the end of the program are captured.
#include "ui/shell/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <set>
#include <sstream>

#include "core/dial/pdf_sheet.h"
#include "tests/ui/support/fake_main_window.h"

namespace sundial {
namespace {

// Twips come back from whole pixels; a size may be a pixel off the ideal.
constexpr int kOnePixel = 1;
// Site values are stored as singles and compared with the singles they came from.
constexpr float kSingleTol = 0.0f;

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::EnsureApplication();
        ASSERT_TRUE(folder.isValid());
        hooks.openUrl = [this](const QUrl& url) {
            opened.push_back(url);
            return viewerAvailable;
        };
        hooks.warn = [this](QWidget*, const QString&, const QString& text) {
            warnings.push_back(text);
        };
        hooks.pause = [this](int seconds) {
            pauses.push_back(seconds);
            if (duringPause) duringPause();
        };
        hooks.quit = [this] { ++quits; };
    }
    void TearDown() override {
        main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::filesystem::path dir() const { return folder.path().toStdString(); }
    std::filesystem::path settings() const { return SettingsPathIn(dir()); }
    void WriteSettings(const std::string& text) {
        std::ofstream(settings(), std::ios::binary) << text;
    }

    frmMain& Start() {
        main = std::make_unique<frmMain>(frmMain::Options{dir(), dir(), hooks});
        main->Startup();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return *main;
    }
    QAction* Action(const char* name) const {
        return main->findChild<QAction*>(QString::fromLatin1(name));
    }
    // Control names of the checked items among `names`.
    std::set<std::string> Checked(std::initializer_list<const char*> names) const {
        std::set<std::string> out;
        for (const char* n : names) {
            if (Action(n)->isChecked()) out.insert(n);
        }
        return out;
    }
    std::set<int> VisibleZones() const {
        std::set<int> out;
        for (const ZoneItem& z : kZoneItems) {
            if (Action(z.name)->isVisible()) out.insert(z.offset);
        }
        return out;
    }
    int CheckedZoneCount() const {
        int n = 0;
        for (const ZoneItem& z : kZoneItems) n += Action(z.name)->isChecked() ? 1 : 0;
        return n;
    }

    QTemporaryDir folder;
    DesktopHooks hooks;
    std::vector<QUrl> opened;
    std::vector<QString> warnings;
    std::vector<int> pauses;
    std::function<void()> duringPause;
    bool viewerAvailable = true;
    int quits = 0;
    std::unique_ptr<frmMain> main;
};

const std::initializer_list<const char*> kLocationItems = {"mnuLatLong", "mnuWestEurope",
                                                           "mnuEastEurope", "mnuNorthAmerica"};

TEST_F(MainWindowTest, StartupRestoresOrDefaultsTheSite) {
    struct Row {
        const char* name;
        const char* file;  // nullptr: no settings file
        const char* place;
        float latitude, longitude;
        const char* bearing;
        const char* side;
        float zone;
        const char* checkedZone;  // nullptr: the untouched menu
        const char* location;
    };
    const Row rows[] = {
        {"no settings file", nullptr, "Exeter, Britain", 50.7f, 3.5f, "185.2", "West", 0, "mnuUT0",
         "mnuWestEurope"},
        {"valid file", "-2.35\r\n48.85\r\n200\r\n1\r\n", "Unknown", 48.85f, -2.35f, "200", "West",
         1, "mnuUT1", "mnuLatLong"},
        {"bearing not a number", "-2.35\r\n48.85\r\nwall\r\n1\r\n", "Unknown", 50.7f, 3.5f, "185.2",
         "West", 0, "mnuUT0", "mnuLatLong"},
        {"zone not whole", "3.5\r\n50.7\r\n174.8\r\n5.5\r\n", "Unknown", 50.7f, 3.5f, "174.8",
         "East", 5.5f, nullptr, "mnuLatLong"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        std::filesystem::remove(settings());
        if (r.file) WriteSettings(r.file);
        frmMain& m = Start();

        EXPECT_EQ(m.Site().PlaceName, r.place);
        EXPECT_NEAR(m.Site().Latitude, r.latitude, kSingleTol);
        EXPECT_NEAR(m.Site().Longitude, r.longitude, kSingleTol);
        EXPECT_EQ(m.Site().WallBearing, r.bearing);
        EXPECT_EQ(m.Site().DeclinationSide, r.side);
        EXPECT_NEAR(m.Site().UtcOffset, r.zone, kSingleTol);
        EXPECT_EQ(Checked(kLocationItems), std::set<std::string>{r.location});
        if (r.checkedZone) {
            EXPECT_TRUE(Action(r.checkedZone)->isChecked());
            EXPECT_EQ(CheckedZoneCount(), 1);
            EXPECT_EQ(VisibleZones().size(), 3u);
            EXPECT_FALSE(Action("mnuUTCtemp")->isVisible());
        } else {
            // The menu keeps its first state: all visible, "UTC+1 (BST)" checked.
            EXPECT_EQ(VisibleZones().size(), 25u);
            EXPECT_TRUE(Action("mnuUTCtemp")->isVisible());
            EXPECT_TRUE(Action("mnuUT1")->isChecked());
        }

        // Shown, drawn in all three windows, and the settings file is current.
        EXPECT_TRUE(m.isVisible());
        EXPECT_EQ(m.lastRun().status, RunStatus::Completed);
        EXPECT_GT(m.frmDraw()->surface().shapeCount(), 4);
        EXPECT_GT(m.frmEquationoftime()->surface().shapeCount(), 366);
        ASSERT_FALSE(m.frmNumber()->surface().printedLines().isEmpty());
        EXPECT_TRUE(m.frmNumber()->surface().printedLines().front().contains(r.place));
        EXPECT_EQ(ReadAll(settings()), SettingsFileText(m.Site()));

        // The splash was up for the pause, then closed.
        EXPECT_EQ(pauses, std::vector<int>{2});
        EXPECT_EQ(m.splash(), nullptr);
        EXPECT_FALSE(m.PdfRequested());
        pauses.clear();
    }
    EXPECT_TRUE(warnings.empty());
}

TEST_F(MainWindowTest, SplashIsShownDuringThePauseAndHelpMovesIt) {
    bool shownDuringPause = false;
    QPoint centreDuringPause;
    duringPause = [&] {
        shownDuringPause = main->splash() && main->splash()->isVisible();
        main->mnuHelp_Click();  // "Help" while the start-up splash is up
        centreDuringPause = main->splash()->frameGeometry().center();
    };
    frmMain& m = Start();
    EXPECT_TRUE(shownDuringPause);
    EXPECT_LE((centreDuringPause - m.frameGeometry().center()).manhattanLength(), 2 * kOnePixel);
    EXPECT_EQ(m.splash(), nullptr) << "closed when the pause ends";
}

TEST_F(MainWindowTest, TimesetNarrowsTheZoneMenu) {
    struct Row {
        const char* name;
        double value;
        std::set<int> visible;  // empty: nothing changes
        int checked;
    };
    const Row rows[] = {
        {"zero", 0, {-1, 0, 1}, 0},
        {"wraps below", -12, {-12, -11, 12}, -12},
        {"wraps above", 12, {-12, 11, 12}, 12},
        {"single 1.0 as whole 1", static_cast<double>(1.0f), {0, 1, 2}, 1},
        {"fraction changes nothing", 5.5, {}, 0},
        {"beyond 12 changes nothing", 13, {}, 0},
    };
    frmMain& m = Start();  // leaves zone 0 selected
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        m.Timeset(0);
        const int runs = m.runCount();
        std::filesystem::remove(settings());
        m.Timeset(r.value);
        const bool changes = !r.visible.empty();
        EXPECT_EQ(m.runCount(), runs + (changes ? 1 : 0));
        EXPECT_EQ(std::filesystem::exists(settings()), changes);
        const std::set<int> unchanged = {-1, 0, 1};
        EXPECT_EQ(VisibleZones(), changes ? r.visible : unchanged);
        EXPECT_TRUE(Action(kZoneItems[TimeZoneMenu::Index(r.checked)].name)->isChecked());
        EXPECT_EQ(CheckedZoneCount(), 1);
        EXPECT_NEAR(m.Site().UtcOffset, static_cast<float>(r.checked), kSingleTol);
        EXPECT_FALSE(Action("mnuUTCtemp")->isVisible());
    }
}

TEST_F(MainWindowTest, ChoosingAZoneItemChecksItAndRuns) {
    frmMain& m = Start();
    for (const char* item : {"mnuUT1", "mnuUT1", "mnuUTn1"}) {
        SCOPED_TRACE(item);
        const int runs = m.runCount();
        Action(item)->trigger();  // the second trigger is on an already checked item
        EXPECT_TRUE(Action(item)->isChecked());
        EXPECT_EQ(CheckedZoneCount(), 1);
        EXPECT_EQ(m.runCount(), runs + 1);
        EXPECT_EQ(VisibleZones(), (std::set<int>{-1, 0, 1})) << "choosing never narrows";
    }
    EXPECT_NEAR(m.Site().UtcOffset, -1.0f, kSingleTol);
}

TEST_F(MainWindowTest, MenuBarCaptionsInOrder) {
    frmMain& m = Start();
    QStringList captions;
    for (QAction* a : m.menuBar()->actions()) captions << a->text();
    EXPECT_EQ(captions, (QStringList{"Help", "Make PDF", "Wall &Bearing", "&Location", "&TimeZone",
                                     "Gnome"}));
    QStringList zones;
    for (QAction* a : m.findChild<QMenu*>("mnuTimezone")->actions()) zones << a->text();
    ASSERT_EQ(zones.size(), 26);
    EXPECT_EQ(zones.front(), "UTC-12");
    EXPECT_EQ(zones[12], "UTC (GMT)");
    EXPECT_EQ(zones[13], "UTC+1 (BST)");
    EXPECT_EQ(zones.back(), "U");
}

TEST_F(MainWindowTest, CascadeSizesEveryChildFromTheMainWindow) {
    frmMain& m = Start();
    const double dx = m.logicalDpiX();
    const double dy = m.logicalDpiY();
    m.resize(660, 400);
    const QSize outer = m.frameGeometry().size();
    const QSize child(TwipsToPixels(PixelsToTwips(outer.width(), dx) - 890, dx),
                      TwipsToPixels(PixelsToTwips(outer.height(), dy) - 1600, dy));
    for (ChildWindow* c : {m.frmDraw(), m.frmNumber(), m.frmEquationoftime()}) {
        EXPECT_NEAR(c->width(), child.width(), kOnePixel) << c->objectName().toStdString();
        EXPECT_NEAR(c->height(), child.height(), kOnePixel) << c->objectName().toStdString();
        // The surface reports the outer size, in twips.
        EXPECT_NEAR(c->surface().Width(), PixelsToTwips(c->width(), dx), 1e-9);
    }

    // A main window 1601 twips high or less leaves the children as they were,
    // and the drawings are still redrawn.
    const int shortHeight = TwipsToPixels(1500, dy) - (outer.height() - m.height());
    m.resize(660, shortHeight);
    if (m.height() == shortHeight) {
        EXPECT_NEAR(m.frmDraw()->height(), child.height(), kOnePixel);
        EXPECT_GT(m.frmDraw()->surface().shapeCount(), 4);
    } else {
        GTEST_SKIP() << "this style will not make the main window that short";
    }
}

TEST_F(MainWindowTest, ResizeAndFocusEachRunOnce) {
    frmMain& m = Start();
    struct Event {
        const char* name;
        std::function<void()> act;
        int runs;
    };
    QMdiArea* area = m.findChild<QMdiArea*>("mdiArea");
    const Event events[] = {
        {"resize", [&] { m.resize(m.width() + 40, m.height() + 30); }, 1},
        {"focus to Calculations", [&] { area->setActiveSubWindow(m.frmNumber()); }, 1},
        {"focus to the chart", [&] { area->setActiveSubWindow(m.frmEquationoftime()); }, 1},
        {"focus to the active window again",
         [&] { area->setActiveSubWindow(m.frmEquationoftime()); }, 0},
        {"a run by itself", [&] { m.mnuRun_Click(); }, 1},
        {"Cascade by itself", [&] { m.Cascade(); }, 0},
    };
    for (const Event& e : events) {
        SCOPED_TRACE(e.name);
        std::filesystem::remove(settings());
        const int runs = m.runCount();
        e.act();
        QCoreApplication::processEvents();
        EXPECT_EQ(m.runCount(), runs + e.runs);
        EXPECT_EQ(std::filesystem::exists(settings()), e.runs > 0);
    }
    // The newly active child is in front, stepped furthest in.
    EXPECT_EQ(area->activeSubWindow(), m.frmEquationoftime());
    const QList<QMdiSubWindow*> stack = area->subWindowList(QMdiArea::StackingOrder);
    EXPECT_EQ(stack.back(), m.frmEquationoftime());
    EXPECT_GT(m.frmEquationoftime()->y(), stack.front()->y());
}

// A sheet that writes nothing and reports what the run asked of it.
class FakeSheet final : public SheetOutput {
  public:
    FakeSheet(frmMain& main, std::vector<std::string>& log, bool fail)
        : main_(main), log_(log), fail_(fail) {}
    void Begin(const SiteState&, const DialGeometry&) override {
        log_.push_back(main_.PdfRequested() ? "begin during pdf" : "begin");
    }
    void Row(const HourRow&) override {}
    void Finish(const DialGeometry&) override {
        if (fail_) throw std::runtime_error("disk full");
        log_.push_back("finish");
    }

  private:
    frmMain& main_;
    std::vector<std::string>& log_;
    bool fail_;
};

TEST_F(MainWindowTest, MakePdfHandsTheSheetToTheViewerOrSaysWhy) {
    enum class Sheet { Recording, Failing, None, Real };
    struct Row {
        const char* name;
        Sheet sheet;
        bool viewer;
        bool opens;
        const char* warning;  // part of the warning text, or nullptr for none
    };
    const Row rows[] = {
        {"written and shown", Sheet::Recording, true, true, nullptr},
        {"no viewer", Sheet::Recording, false, true, "no program could be started"},
        {"cannot be written", Sheet::Failing, true, false, "could not be written"},
        {"no sheet", Sheet::None, true, false, "cannot make the PDF sheet"},
        {"the program's own sheet", Sheet::Real, true, true, nullptr},
    };
    frmMain& m = Start();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        std::vector<std::string> log;
        switch (r.sheet) {
            case Sheet::Recording:
            case Sheet::Failing:
                m.setSheetFactory([&](const std::filesystem::path&) {
                    return std::make_unique<FakeSheet>(m, log, r.sheet == Sheet::Failing);
                });
                break;
            case Sheet::None:
                m.setSheetFactory({});
                break;
            case Sheet::Real:
                m.setSheetFactory([](const std::filesystem::path& file) {
                    return std::make_unique<PdfDialSheet>(file.parent_path());
                });
                break;
        }
        std::filesystem::remove(dir() / kSheetFileName);
        viewerAvailable = r.viewer;
        opened.clear();
        warnings.clear();
        const int runs = m.runCount();

        m.mnuPrint_Click();

        // A failed sheet is followed by a plain run that completes the screen.
        EXPECT_EQ(m.runCount(), runs + (r.sheet == Sheet::Failing ? 2 : 1));
        EXPECT_FALSE(m.PdfRequested());
        if (r.sheet == Sheet::Recording || r.sheet == Sheet::Failing) {
            ASSERT_FALSE(log.empty());
            EXPECT_EQ(log.front(), "begin during pdf");
        }
        ASSERT_EQ(opened.size(), r.opens ? 1u : 0u);
        if (r.opens) {
            EXPECT_EQ(
                opened.front(),
                QUrl::fromLocalFile(QString::fromStdString((dir() / kSheetFileName).string())));
        }
        if (r.sheet == Sheet::Real) {
            EXPECT_EQ(ReadAll(dir() / kSheetFileName).substr(0, 5), "%PDF-");
        }
        ASSERT_EQ(warnings.size(), r.warning ? 1u : 0u);
        if (r.warning) {
            EXPECT_TRUE(warnings.front().contains(r.warning)) << warnings.front().toStdString();
        }
        // The screen outputs are there whatever happened to the sheet.
        EXPECT_GT(m.frmEquationoftime()->surface().shapeCount(), 366);
    }
    // Any other run leaves the flag down.
    m.mnuRun_Click();
    EXPECT_FALSE(m.PdfRequested());
}

TEST_F(MainWindowTest, EveryMakePdfReusesOneSheetAndItsWriter) {
    frmMain& m = Start();
    m.mnuPrint_Click();
    ASSERT_NE(m.pdfSheet(), nullptr);
    const pdf::clsPdfWriter* writer = m.pdfSheet()->PdfWriter();
    ASSERT_NE(writer, nullptr);
    std::filesystem::remove(dir() / kSheetFileName);
    m.mnuPrint_Click();
    EXPECT_EQ(m.pdfSheet()->PdfWriter(), writer);
    // The second sheet is a complete new file at the same place.
    EXPECT_EQ(ReadAll(dir() / kSheetFileName).substr(0, 5), "%PDF-");
}

TEST_F(MainWindowTest, HelpButtonOpensTheLocalPageEachTime) {
    frmMain& m = Start();
    m.mnuHelp_Click();
    frmSplash* splash = m.splash();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_LE((splash->frameGeometry().center() - m.frameGeometry().center()).manhattanLength(),
              2 * kOnePixel);

    auto* button = splash->findChild<QPushButton*>("cmdLaunch");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "Launch Internet Explorer Help Page");
    EXPECT_GE(button->width(), button->sizeHint().width()) << "caption shown whole";

    button->click();
    button->click();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], opened[1]);
    ASSERT_TRUE(opened[0].isLocalFile());
    QFile page(opened[0].toLocalFile());
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray html = page.readAll();
    for (const char* topic : {"bearing", "time zone", "Make PDF", "gnomon"}) {
        EXPECT_TRUE(html.contains(topic)) << topic;
    }

    viewerAvailable = false;
    button->click();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_TRUE(warnings.front().contains("No web browser"));
    EXPECT_NE(m.splash(), nullptr) << "the program goes on";
}

TEST_F(MainWindowTest, LocationItemsCheckAndPlaceTheirWindows) {
    frmMain& m = Start();
    const SiteState before = m.Site();
    struct Row {
        const char* item;
        const char* window;
    };
    for (const Row& r :
         {Row{"mnuWestEurope", "frmWestEurope"}, Row{"mnuEastEurope", "frmEastEurope"},
          Row{"mnuNorthAmerica", "frmNorthAmerica"}, Row{"mnuLatLong", "frmLatLong"}}) {
        SCOPED_TRACE(r.item);
        Action(r.item)->trigger();
        EXPECT_EQ(Checked(kLocationItems), std::set<std::string>{r.item});
        QWidget* window = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == r.window && top->isVisible()) window = top;
        }
        ASSERT_NE(window, nullptr);
        window->close();  // closed without picking a place
        EXPECT_TRUE(Action(r.item)->isChecked());
    }
    EXPECT_EQ(m.Site().PlaceName, before.PlaceName);
    EXPECT_EQ(m.Site().WallBearing, before.WallBearing);
    // Gazetteer windows open beside the main window.
    m.openGazetteer(Region::EastEurope);
    const QPoint beside = m.gazetteerWindow(Region::EastEurope)->frameGeometry().topLeft() -
                          m.frameGeometry().topLeft();
    EXPECT_NEAR(beside.x(), TwipsToPixels(2200, m.logicalDpiX()), kOnePixel);
    EXPECT_NEAR(beside.y(), TwipsToPixels(2000, m.logicalDpiY()), kOnePixel);
}

TEST_F(MainWindowTest, ClosingTheMainWindowClosesEveryOtherWindow) {
    frmMain& m = Start();
    m.mnuHelp_Click();
    Action("mnuWestEurope")->trigger();
    Action("mnuLatLong")->trigger();
    Action("mnuBearing")->trigger();
    Action("mnuGnome")->trigger();
    auto openWindows = [&] {
        int n = 0;
        for (QWidget* top : QApplication::topLevelWidgets()) n += top->isVisible() ? 1 : 0;
        return n;
    };
    ASSERT_GE(openWindows(), 5);
    const int runs = m.runCount();

    EXPECT_TRUE(m.close());
    EXPECT_EQ(openWindows(), 0);
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(m.IsClosing());
    EXPECT_EQ(m.runCount(), runs) << "nothing extra is saved";
    EXPECT_TRUE(warnings.empty()) << "nothing is asked";
}

TEST_F(MainWindowTest, PauseSecondsKeepsEventsGoing) {
    frmMain& m = Start();
    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    QElapsedTimer clock;
    clock.start();
    m.PauseSeconds(1);
    EXPECT_TRUE(fired);
    // A whole-second clock: a wait of 1 ends within one second and a slice.
    EXPECT_LT(clock.elapsed(), 1200);
}

TEST(QtSurface, KeepsItsDrawingAndMapsTwipsThroughTheScreen) {
    testing::EnsureApplication();
    QWidget outer;
    outer.resize(300, 200);
    QtSurface surface(&outer);
    surface.setOuterWidget(&outer);
    surface.resize(280, 170);
    QPalette pal = surface.palette();
    pal.setColor(QPalette::Window, QColor(224, 224, 224));
    surface.setPalette(pal);
    const double dx = surface.logicalDpiX();
    const double dy = surface.logicalDpiY();

    EXPECT_NEAR(surface.Width(), PixelsToTwips(300, dx), 1e-9);  // the outer size
    EXPECT_NEAR(surface.Height(), PixelsToTwips(200, dy), 1e-9);

    // A thick horizontal line one inch down.
    surface.SetLineWidth(3);
    surface.Line(0, 1440, 2880, 1440);
    surface.PrintLine({{"Hour", true}, {"Angle"}});
    surface.PrintLine({});
    EXPECT_EQ(surface.printedLines(), (QStringList{"Hour\tAngle", ""}));

    // Painted again from what was kept, as when the window is exposed.
    const QImage image = surface.grab().toImage();
    const int lineY = TwipsToPixels(1440, dy);
    EXPECT_LT(qGray(image.pixel(TwipsToPixels(720, dx), lineY)), 100) << "the line";
    EXPECT_EQ(image.pixelColor(TwipsToPixels(720, dx), lineY + 20), QColor(224, 224, 224));

    surface.Clear();
    EXPECT_EQ(surface.shapeCount(), 0);
    EXPECT_TRUE(surface.printedLines().isEmpty());
    const QImage cleared = surface.grab().toImage();
    EXPECT_EQ(cleared.pixelColor(TwipsToPixels(720, dx), lineY), QColor(224, 224, 224));
}

}  // namespace
}  // namespace sundial

// The main window under the offscreen platform, with its real gazetteer
// windows and dialogs: start-up, the menus, the children's sizing and focus
// handling, "Make PDF", help and shutdown. Viewer, browser, message boxes, the
// pause and the end of the program are captured.
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
#include "tests/ui/support/window_checks.h"
#include "ui/dialogs/input_windows.h"
#include "ui/shell/window_geometry.h"

namespace sundial {
namespace {

using testing::PrintTo;
using testing::RowName;

// Site values are stored as singles and compared with the singles they came from.
constexpr float kSingleTol = 0.0f;

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const std::initializer_list<const char*> kLocationItems = {"mnuLatLong", "mnuWestEurope",
                                                           "mnuEastEurope", "mnuNorthAmerica"};

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
        inputs.reset();
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
        inputs = std::make_unique<InputWindows>(
            *main, [this](QWidget*, const QString& text) { warnings.push_back(text); });
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
    std::set<int> CheckedZones() const {
        std::set<int> out;
        for (const ZoneItem& z : kZoneItems) {
            if (Action(z.name)->isChecked()) out.insert(z.offset);
        }
        return out;
    }
    static QWidget* VisibleWindow(const char* name) {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == QLatin1String(name) && top->isVisible()) return top;
        }
        return nullptr;
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
    std::unique_ptr<InputWindows> inputs;
};

template <class Row>
class MainWindowRows : public MainWindowTest, public ::testing::WithParamInterface<Row> {};

// ---- Start-up ----

struct StartupRow {
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

using StartupTest = MainWindowRows<StartupRow>;

TEST_P(StartupTest, RestoresOrDefaultsTheSite) {
    const StartupRow& r = GetParam();
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
        EXPECT_EQ(CheckedZones().size(), 1u);
        EXPECT_EQ(VisibleZones().size(), 3u);
        EXPECT_FALSE(Action("mnuUTCtemp")->isVisible());
    } else {
        // The menu keeps its first state: all visible, "UTC+1 (BST)" checked.
        EXPECT_EQ(VisibleZones().size(), 25u);
        EXPECT_TRUE(Action("mnuUTCtemp")->isVisible());
        EXPECT_EQ(CheckedZones(), std::set<int>{1});
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
    EXPECT_TRUE(warnings.empty());
}

INSTANTIATE_TEST_SUITE_P(
    SettingsFiles, StartupTest,
    ::testing::Values(StartupRow{"NoSettingsFile", nullptr, "Exeter, Britain", 50.7f, 3.5f, "185.2",
                                 "West", 0, "mnuUT0", "mnuWestEurope"},
                      StartupRow{"ValidFile", "-2.35\r\n48.85\r\n200\r\n1\r\n", "Unknown", 48.85f,
                                 -2.35f, "200", "West", 1, "mnuUT1", "mnuLatLong"},
                      StartupRow{"BearingNotANumber", "-2.35\r\n48.85\r\nwall\r\n1\r\n", "Unknown",
                                 50.7f, 3.5f, "185.2", "West", 0, "mnuUT0", "mnuLatLong"},
                      StartupRow{"ZoneNotWhole", "3.5\r\n50.7\r\n174.8\r\n5.5\r\n", "Unknown",
                                 50.7f, 3.5f, "174.8", "East", 5.5f, nullptr, "mnuLatLong"}),
    RowName());

TEST_F(MainWindowTest, SplashIsShownDuringThePauseAndHelpMovesIt) {
    bool shownDuringPause = false;
    QRect splashDuringPause;
    duringPause = [&] {
        shownDuringPause = main->splash() && main->splash()->isVisible();
        main->mnuHelp_Click();  // "Help" while the start-up splash is up
        splashDuringPause = main->splash()->frameGeometry();
    };
    frmMain& m = Start();
    EXPECT_TRUE(shownDuringPause);
    testing::ExpectCentredOver(splashDuringPause, m.frameGeometry());
    EXPECT_EQ(m.splash(), nullptr) << "closed when the pause ends";
}

// ---- The menus ----

TEST_F(MainWindowTest, MenusHoldTheirItemsInOrder) {
    frmMain& m = Start();
    struct Item {
        const char* name;
        const char* caption;
    };
    const auto expectItems = [](const QList<QAction*>& actions, std::vector<Item> items) {
        ASSERT_EQ(actions.size(), static_cast<qsizetype>(items.size()));
        for (size_t i = 0; i < items.size(); ++i) {
            const QAction* a = actions[static_cast<qsizetype>(i)];
            const QString name = a->menu() ? a->menu()->objectName() : a->objectName();
            EXPECT_EQ(name, items[i].name);
            EXPECT_EQ(a->isSeparator() ? QStringLiteral("-") : a->text(), items[i].caption);
        }
    };
    expectItems(m.menuBar()->actions(), {{"mnuHelp", "Help"},
                                         {"mnuPrint", "Make PDF"},
                                         {"mnuBearing", "Wall &Bearing"},
                                         {"mnuLocation", "&Location"},
                                         {"mnuTimezone", "&TimeZone"},
                                         {"mnuGnome", "Gnome"},
                                         {"mnuTools", "T&ools"}});
    expectItems(m.findChild<QMenu*>("mnuTools")->actions(),
                {{"mnuMeasureBearing", "&Measure Wall Bearing\u2026"},
                 {"mnuShadowNow", "Show &Shadow Now"},
                 {"mnuSep3", "-"},
                 {"mnuDialTemplate", "&Dial Template\u2026"}});
    expectItems(m.findChild<QMenu*>("mnuLocation")->actions(),
                {{"mnuLatLong", "User set Lat and Long"},
                 {"mnuSep1", "-"},
                 {"mnuWestEurope", "West Europe"},
                 {"mnuEastEurope", "East Europe"},
                 {"mnuNorthAmerica", "North America"}});
    std::vector<Item> zones;
    for (const ZoneItem& z : kZoneItems) zones.push_back({z.name, z.caption});
    zones.push_back({"mnuUTCtemp", "U"});
    expectItems(m.findChild<QMenu*>("mnuTimezone")->actions(), zones);
    EXPECT_EQ(zones.front().caption, std::string_view("UTC-12"));
    EXPECT_EQ(zones[12].caption, std::string_view("UTC (GMT)"));
    EXPECT_EQ(zones[13].caption, std::string_view("UTC+1 (BST)"));
}

// "Show Shadow Now" is off at start; each change redraws once, and the item's
// check mark follows it. Whether a line appears depends on the real sun, so
// the line itself is tested on a recording surface in the core.
TEST_F(MainWindowTest, ShowShadowNowRedrawsOnEachChange) {
    frmMain& m = Start();
    QAction* item = Action("mnuShadowNow");
    ASSERT_TRUE(item->isCheckable());
    EXPECT_FALSE(item->isChecked());
    for (const bool on : {true, false}) {
        const int runs = m.runCount();
        item->trigger();
        EXPECT_EQ(item->isChecked(), on);
        EXPECT_EQ(m.runCount(), runs + 1);
    }
}

// A settings file start-up could not use is named where the numbers are, for
// as long as the site is the default it fell back to.
TEST_F(MainWindowTest, AnUnusableSettingsFileIsSaidInTheCalculations) {
    WriteSettings(
        "\xEF\xBB\xBF"
        "3.5\r\n50.7\r\n185.2\r\n0\r\n");
    frmMain& m = Start();
    const auto says = [&] {
        return m.frmNumber()->surface().printedLines().join('\n').contains(
            QString::fromStdString(settings().string()));
    };
    EXPECT_TRUE(says());
    m.Timeset(1);
    EXPECT_FALSE(says());
}

struct TimesetRow {
    const char* name;
    double value;
    std::set<int> visible;  // empty: nothing changes
    int checked;
};

using TimesetTest = MainWindowRows<TimesetRow>;

TEST_P(TimesetTest, NarrowsTheZoneMenu) {
    const TimesetRow& r = GetParam();
    frmMain& m = Start();  // leaves zone 0 selected
    const int runs = m.runCount();
    std::filesystem::remove(settings());
    m.Timeset(r.value);
    const bool changes = !r.visible.empty();
    EXPECT_EQ(m.runCount(), runs + (changes ? 1 : 0));
    EXPECT_EQ(std::filesystem::exists(settings()), changes);
    EXPECT_EQ(VisibleZones(), changes ? r.visible : (std::set<int>{-1, 0, 1}));
    EXPECT_EQ(CheckedZones(), std::set<int>{r.checked});
    EXPECT_NEAR(m.Site().UtcOffset, static_cast<float>(r.checked), kSingleTol);
    EXPECT_FALSE(Action("mnuUTCtemp")->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Values, TimesetTest,
    ::testing::Values(TimesetRow{"Zero", 0, {-1, 0, 1}, 0},
                      TimesetRow{"WrapsBelow", -12, {-12, -11, 12}, -12},
                      TimesetRow{"WrapsAbove", 12, {-12, 11, 12}, 12},
                      TimesetRow{"SingleOneAsWholeOne", static_cast<double>(1.0f), {0, 1, 2}, 1},
                      TimesetRow{"FractionChangesNothing", 5.5, {}, 0},
                      TimesetRow{"BeyondTwelveChangesNothing", 13, {}, 0}),
    RowName());

struct ZoneChoiceRow {
    const char* name;
    const char* item;
    int times;
    int offset;
};

using ZoneChoiceTest = MainWindowRows<ZoneChoiceRow>;

TEST_P(ZoneChoiceTest, ChecksTheItemAndRunsEachTime) {
    const ZoneChoiceRow& r = GetParam();
    frmMain& m = Start();  // zone 0 checked, -1..1 shown
    const int runs = m.runCount();
    for (int i = 0; i < r.times; ++i) Action(r.item)->trigger();
    EXPECT_EQ(CheckedZones(), std::set<int>{r.offset});
    EXPECT_EQ(m.runCount(), runs + r.times);
    EXPECT_EQ(VisibleZones(), (std::set<int>{-1, 0, 1})) << "choosing never narrows";
    EXPECT_NEAR(m.Site().UtcOffset, static_cast<float>(r.offset), kSingleTol);
}

INSTANTIATE_TEST_SUITE_P(Items, ZoneChoiceTest,
                         ::testing::Values(ZoneChoiceRow{"East", "mnuUT1", 1, 1},
                                           ZoneChoiceRow{"West", "mnuUTn1", 1, -1},
                                           ZoneChoiceRow{"TheCheckedOneAgain", "mnuUT0", 1, 0},
                                           ZoneChoiceRow{"TwiceInARow", "mnuUT1", 2, 1}),
                         RowName());

struct LocationRow {
    const char* name;
    const char* item;
    const char* window;
    int times;  // chosen this many times in a row
};

using LocationTest = MainWindowRows<LocationRow>;

TEST_P(LocationTest, ChecksItsItemAndOpensItsWindow) {
    const LocationRow& r = GetParam();
    frmMain& m = Start();
    const SiteState before = m.Site();
    for (int i = 0; i < r.times; ++i) Action(r.item)->trigger();
    EXPECT_EQ(Checked(kLocationItems), std::set<std::string>{r.item});
    QWidget* window = VisibleWindow(r.window);
    ASSERT_NE(window, nullptr);
    window->close();  // closed without picking a place
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Checked(kLocationItems), std::set<std::string>{r.item});
    EXPECT_EQ(m.Site().PlaceName, before.PlaceName);
    EXPECT_EQ(m.Site().WallBearing, before.WallBearing);
}

INSTANTIATE_TEST_SUITE_P(
    Items, LocationTest,
    ::testing::Values(LocationRow{"WestEurope", "mnuWestEurope", "frmWestEurope", 1},
                      LocationRow{"EastEurope", "mnuEastEurope", "frmEastEurope", 1},
                      LocationRow{"NorthAmerica", "mnuNorthAmerica", "frmNorthAmerica", 1},
                      LocationRow{"UserLatLong", "mnuLatLong", "frmLatLong", 1},
                      // A checked item chosen again stays checked.
                      LocationRow{"WestEuropeTwice", "mnuWestEurope", "frmWestEurope", 2},
                      LocationRow{"UserLatLongTwice", "mnuLatLong", "frmLatLong", 2}),
    RowName());

struct HostCallsRow {
    const char* name;
    std::vector<int> calls;  // -1: ClearLocationChecks; else CheckLocationItem(LocationItem(n))
    std::set<std::string> checked;
};

using LocationHostTest = MainWindowRows<HostCallsRow>;

TEST_P(LocationHostTest, ChecksFollowWhatStartUpAsks) {
    const HostCallsRow& r = GetParam();
    frmMain& m = Start();
    for (int call : r.calls) {
        if (call < 0) {
            m.ClearLocationChecks();
        } else {
            m.CheckLocationItem(static_cast<LocationItem>(call));
        }
    }
    EXPECT_EQ(Checked(kLocationItems), r.checked);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, LocationHostTest,
    ::testing::Values(
        HostCallsRow{"ClearRemovesEveryCheck", {-1}, {}},
        HostCallsRow{"ClearThenCheck", {-1, 0}, {"mnuLatLong"}},
        HostCallsRow{"CheckAddsWithoutClearing", {-1, 1, 3}, {"mnuWestEurope", "mnuNorthAmerica"}},
        HostCallsRow{"CheckTwiceIsOneCheck", {-1, 2, 2}, {"mnuEastEurope"}}),
    RowName());

// ---- Where the other windows open ----

struct PlacedRow {
    const char* name;
    const char* item;
    const char* window;
    bool beside;  // a gazetteer window: beside, at its fixed size; else centred
};

using PlacementTest = MainWindowRows<PlacedRow>;

TEST_P(PlacementTest, OpensWhereItsMenuItemPutsIt) {
    const PlacedRow& r = GetParam();
    frmMain& m = Start();
    m.move(40, 30);
    for (int opening = 1; opening <= 2; ++opening) {  // open, and brought up again
        SCOPED_TRACE(opening);
        Action(r.item)->trigger();
        QWidget* window = VisibleWindow(r.window);
        ASSERT_NE(window, nullptr);
        if (r.beside) {
            const TwipScale scale(m);
            EXPECT_EQ(window->frameGeometry().topLeft() - m.frameGeometry().topLeft(),
                      QPoint(scale.x(2200), scale.y(2000)));
            EXPECT_EQ(window->frameGeometry().size(), scale.size(2010, 780));
        } else {
            testing::ExpectCentredOver(window->frameGeometry(), m.frameGeometry());
        }
        window->move(0, 0);  // moved away by the user before the next opening
    }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, PlacementTest,
    ::testing::Values(PlacedRow{"UserLatLong", "mnuLatLong", "frmLatLong", false},
                      PlacedRow{"WallBearing", "mnuBearing", "frmBearing", false},
                      PlacedRow{"Gnome", "mnuGnome", "frmGnome", false},
                      PlacedRow{"WestEurope", "mnuWestEurope", "frmWestEurope", true},
                      PlacedRow{"NorthAmerica", "mnuNorthAmerica", "frmNorthAmerica", true}),
    RowName());

// ---- Children: sizing and focus ----

struct CascadeRow {
    const char* name;
    int width, height;  // the main window's new size, pixels
};

using CascadeTest = MainWindowRows<CascadeRow>;

TEST_P(CascadeTest, EveryChildTakesItsSizeFromTheMainWindow) {
    const CascadeRow& r = GetParam();
    frmMain& m = Start();
    m.resize(r.width, r.height);
    const TwipScale scale(m);
    const TwipRect outer = OuterRectTwips(m);
    // Whole pixels: a child is within half a pixel of its size in twips.
    const double halfPixel = scale.twipsX(0.5);
    for (ChildWindow* c : {m.frmDraw(), m.frmNumber(), m.frmEquationoftime()}) {
        SCOPED_TRACE(c->objectName().toStdString());
        const TwipRect child = OuterRectTwips(*c);
        EXPECT_NEAR(outer.width - child.width, 890, halfPixel);
        EXPECT_NEAR(outer.height - child.height, 1600, scale.twipsY(0.5));
        EXPECT_EQ(c->size(), m.frmDraw()->size()) << "all three alike";
        // The surface reports the outer size, in twips.
        EXPECT_EQ(scale.size(c->surface().Width(), c->surface().Height()), c->size());
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, CascadeTest,
                         ::testing::Values(CascadeRow{"Smaller", 660, 400},
                                           CascadeRow{"Larger", 900, 700},
                                           CascadeRow{"OddPixels", 701, 451}),
                         RowName());

TEST_F(MainWindowTest, AShortMainWindowLeavesTheChildrenButRedraws) {
    frmMain& m = Start();
    const QSize before = m.frmDraw()->size();
    // Outer height 1500 twips, below the 1601 that sizing needs.
    const int frameExtra = m.frameGeometry().height() - m.height();
    const int shortHeight = TwipScale(m).y(1500) - frameExtra;
    m.resize(m.width(), shortHeight);
    if (m.height() != shortHeight) GTEST_SKIP() << "this style keeps the main window taller";
    EXPECT_EQ(m.frmDraw()->size(), before);
    EXPECT_GT(m.frmDraw()->surface().shapeCount(), 4);
}

struct EventRow {
    const char* name;
    std::function<void(frmMain&)> act;
    int runs;
};

using EventTest = MainWindowRows<EventRow>;

QMdiArea* Area(frmMain& m) {
    return m.findChild<QMdiArea*>("mdiArea");
}

TEST_P(EventTest, RunsOnceOrNotAtAll) {
    const EventRow& r = GetParam();
    frmMain& m = Start();
    std::filesystem::remove(settings());
    const int runs = m.runCount();
    r.act(m);
    QCoreApplication::processEvents();
    EXPECT_EQ(m.runCount(), runs + r.runs);
    EXPECT_EQ(std::filesystem::exists(settings()), r.runs > 0);
}

INSTANTIATE_TEST_SUITE_P(
    Events, EventTest,
    ::testing::Values(EventRow{"Resize",
                               [](frmMain& m) { m.resize(m.width() + 40, m.height() + 30); }, 1},
                      EventRow{"FocusToAnotherChild",
                               [](frmMain& m) { Area(m)->setActiveSubWindow(m.frmNumber()); }, 1},
                      EventRow{"FocusToTheActiveChild",
                               [](frmMain& m) { Area(m)->setActiveSubWindow(m.frmDraw()); }, 0},
                      EventRow{"RunByItself", [](frmMain& m) { m.mnuRun_Click(); }, 1},
                      EventRow{"CascadeByItself", [](frmMain& m) { m.Cascade(); }, 0},
                      EventRow{"ResizeAfterClosing",
                               [](frmMain& m) {
                                   m.close();
                                   m.resize(m.width() + 40, m.height() + 30);
                               },
                               0},
                      EventRow{"RunAfterClosing",
                               [](frmMain& m) {
                                   m.close();
                                   m.mnuRun_Click();
                               },
                               0}),
    RowName());

TEST_F(MainWindowTest, FocusBringsAChildToTheFrontFurthestIn) {
    frmMain& m = Start();
    Area(m)->setActiveSubWindow(m.frmEquationoftime());
    const QList<QMdiSubWindow*> stack = Area(m)->subWindowList(QMdiArea::StackingOrder);
    EXPECT_EQ(stack.back(), m.frmEquationoftime());
    EXPECT_GT(m.frmEquationoftime()->y(), stack.front()->y());
    EXPECT_GT(m.frmEquationoftime()->x(), stack.front()->x());
}

// ---- "Make PDF" ----

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

enum class Sheet { Recording, Failing, None, Real };

struct MakePdfRow {
    const char* name;
    Sheet sheet;
    bool viewer;
    bool opens;
    const char* warning;  // part of the warning text, or nullptr for none
};

using MakePdfTest = MainWindowRows<MakePdfRow>;

TEST_P(MakePdfTest, HandsTheSheetToTheViewerOrSaysWhy) {
    const MakePdfRow& r = GetParam();
    frmMain& m = Start();
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
            break;  // the program's own
    }
    viewerAvailable = r.viewer;
    const int runs = m.runCount();

    m.mnuPrint_Click();

    // A failed sheet is followed by a plain run that completes the screen.
    EXPECT_EQ(m.runCount(), runs + (r.sheet == Sheet::Failing ? 2 : 1));
    EXPECT_FALSE(m.PdfRequested());
    if (r.sheet == Sheet::Recording || r.sheet == Sheet::Failing) {
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.front(), "begin during pdf");
    }
    const QUrl sheetUrl =
        QUrl::fromLocalFile(QString::fromStdString((dir() / kSheetFileName).string()));
    EXPECT_EQ(opened, r.opens ? std::vector<QUrl>{sheetUrl} : std::vector<QUrl>{});
    if (r.sheet == Sheet::Real) {
        EXPECT_EQ(ReadAll(dir() / kSheetFileName).substr(0, 5), "%PDF-");
    }
    ASSERT_EQ(warnings.size(), r.warning ? 1u : 0u);
    if (r.warning) {
        EXPECT_TRUE(warnings.front().contains(r.warning)) << warnings.front().toStdString();
    }
    // The screen outputs are there whatever happened to the sheet.
    EXPECT_GT(m.frmEquationoftime()->surface().shapeCount(), 366);
    // Any other run leaves the flag down.
    m.mnuRun_Click();
    EXPECT_FALSE(m.PdfRequested());
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, MakePdfTest,
    ::testing::Values(
        MakePdfRow{"WrittenAndShown", Sheet::Recording, true, true, nullptr},
        MakePdfRow{"NoViewer", Sheet::Recording, false, true, "no program could be started"},
        MakePdfRow{"CannotBeWritten", Sheet::Failing, true, false, "could not be written"},
        MakePdfRow{"NoSheet", Sheet::None, true, false, "cannot make the PDF sheet"},
        MakePdfRow{"TheProgramsOwnSheet", Sheet::Real, true, true, nullptr}),
    RowName());

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

// ---- Help, shutdown, the pause ----

TEST_F(MainWindowTest, HelpButtonOpensTheLocalPageEachTime) {
    frmMain& m = Start();
    m.mnuHelp_Click();
    frmSplash* splash = m.splash();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    testing::ExpectCentredOver(splash->frameGeometry(), m.frameGeometry());

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

// Records the windows that are closed, in order.
class CloseRecorder : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            closed.push_back(watched->objectName().toStdString());
        }
        return false;
    }
    std::vector<std::string> closed;
};

TEST_F(MainWindowTest, ClosingTheMainWindowClosesEveryOtherWindowInOrder) {
    frmMain& m = Start();
    // Shown directly: choosing them one after another would move the focus,
    // and a dialog that loses the focus closes.
    for (QWidget* w : {static_cast<QWidget*>(&inputs->Dialogs().Gnome()),
                       static_cast<QWidget*>(&inputs->Dialogs().Bearing()),
                       static_cast<QWidget*>(&inputs->Gazetteers().Window(Region::NorthAmerica)),
                       static_cast<QWidget*>(&inputs->Gazetteers().Window(Region::WestEurope)),
                       static_cast<QWidget*>(&inputs->Dialogs().LatLong())}) {
        w->show();
    }
    m.mnuHelp_Click();
    const int runs = m.runCount();
    CloseRecorder recorder;
    qApp->installEventFilter(&recorder);

    EXPECT_TRUE(m.close());
    qApp->removeEventFilter(&recorder);

    EXPECT_EQ(recorder.closed,
              (std::vector<std::string>{"frmMain", "frmSplash", "frmLatLong", "frmWestEurope",
                                        "frmNorthAmerica", "frmBearing", "frmGnome"}));
    for (QWidget* top : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(top->isVisible()) << top->objectName().toStdString();
    }
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

}  // namespace
}  // namespace sundial

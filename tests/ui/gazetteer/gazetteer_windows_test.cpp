#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <map>
#include <string>

#include "tests/ui/support/fake_main_window.h"
#include "ui/gazetteer/gazetteer_window.h"

namespace sundial {
namespace {

using testing::EnsureApplication;
using testing::FakeMainWindow;

// Coordinates go in as the table's singles and come back unchanged.
constexpr float kExactTol = 0.0f;

class GazetteerWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override { EnsureApplication(); }

    // A click on the town item `itemName` of `region`'s window.
    void Click(Region region, const char* itemName) {
        QAction* item = windows.Window(region).Item(itemName);
        ASSERT_NE(item, nullptr) << itemName;
        item->trigger();
    }
    std::vector<std::string> AllChecked() {
        std::vector<std::string> names;
        for (Region r : {Region::WestEurope, Region::EastEurope, Region::NorthAmerica}) {
            for (const std::string& n : windows.Window(r).CheckedItems()) names.push_back(n);
        }
        return names;
    }

    FakeMainWindow main;
    GazetteerWindows windows{main};
};

TEST_F(GazetteerWindowsTest, MenusFollowTheTable) {
    struct Row {
        Region region;
        const char* name;
        const char* topMenu;
        int towns;
    };
    for (const Row& r : {Row{Region::WestEurope, "frmWestEurope", "mnuWestEurope", 184},
                         Row{Region::EastEurope, "frmEastEurope", "mnuLocation", 8},
                         Row{Region::NorthAmerica, "frmNorthAmerica", "mnuLocation", 78}}) {
        GazetteerWindow& w = windows.Window(r.region);
        EXPECT_EQ(w.objectName(), r.name);
        EXPECT_FALSE(w.isVisible()) << r.name << ": created hidden";
        const QList<QAction*> top = w.menuBar()->actions();
        ASSERT_EQ(top.size(), 1) << r.name;
        EXPECT_EQ(top[0]->text(), "Location") << r.name;
        EXPECT_EQ(top[0]->menu()->objectName(), r.topMenu) << r.name;
        // Walk sub-menus and items in menu order against the table's order.
        std::vector<const Place*> rows = PlacesIn(r.region);
        size_t i = 0;
        for (QAction* subAction : top[0]->menu()->actions()) {
            for (QAction* item : subAction->menu()->actions()) {
                ASSERT_LT(i, rows.size()) << r.name;
                EXPECT_EQ(subAction->text(), rows[i]->subMenu) << rows[i]->itemName;
                EXPECT_EQ(item->objectName(), rows[i]->itemName);
                EXPECT_EQ(item->text(), rows[i]->caption);
                EXPECT_TRUE(item->isCheckable()) << rows[i]->itemName;
                ++i;
            }
        }
        EXPECT_EQ(static_cast<int>(i), r.towns) << r.name;
    }
}

TEST_F(GazetteerWindowsTest, PickWritesSiteThenZoneThenRuns) {
    Click(Region::EastEurope, "mnuSzelnok");
    EXPECT_EQ(main.site.PlaceName, "Szelnok, Hungary");
    ASSERT_EQ(main.calls.size(), 3u);  // Timeset, its run, the pick's own run
    const testing::Call& timeset = main.calls[0];
    EXPECT_EQ(timeset.what, "Timeset");
    EXPECT_EQ(timeset.value, 1);
    // The site was complete before the zone was chosen.
    EXPECT_EQ(timeset.site.PlaceName, "Szelnok, Hungary");
    const Place* row = FindPlaces("Szelnok")[0];
    EXPECT_NEAR(timeset.site.Latitude, row->latitude, kExactTol);
    EXPECT_NEAR(timeset.site.Longitude, row->longitude, kExactTol);
    EXPECT_EQ(main.calls[2].what, "run");
    EXPECT_EQ(AllChecked(), std::vector<std::string>{"mnuSzelnok"});
}

TEST_F(GazetteerWindowsTest, OnlyTheLastPickStaysChecked) {
    struct Step {
        Region region;
        const char* item;
    };
    struct Row {
        const char* name;
        std::vector<Step> picks;
        std::string checked;
    };
    const Row rows[] = {
        {"London after Budapest",
         {{Region::EastEurope, "mnuBudapest"}, {Region::WestEurope, "mnuLondon"}},
         "mnuLondon"},
        {"same town twice",
         {{Region::WestEurope, "mnuZurich"}, {Region::WestEurope, "mnuZurich"}},
         "mnuZurich"},
        {"Birmingham, USA after Birmingham, Britain",
         {{Region::WestEurope, "mnuBirmingham"}, {Region::NorthAmerica, "mnuBirmingham"}},
         "mnuBirmingham"},
    };
    for (const Row& r : rows) {
        main.calls.clear();
        for (const Step& s : r.picks) Click(s.region, s.item);
        EXPECT_EQ(AllChecked(), std::vector<std::string>{r.checked}) << r.name;
        EXPECT_EQ(main.Runs(), 2 * static_cast<int>(r.picks.size())) << r.name;
    }
    // The last row's Birmingham is the American one.
    EXPECT_EQ(main.site.PlaceName, "Birmingham, USA");
    EXPECT_TRUE(windows.Window(Region::WestEurope).CheckedItems().empty());
}

TEST_F(GazetteerWindowsTest, EverySubMenuSelectsItsZone) {
    const std::map<std::string, int> zones = {
        {"Austria/Switz", 1}, {"Benelux", 1},         {"Britain", 0},        {"Denmark", 1},
        {"France", 1},        {"Germany", 1},         {"Ireland", 0},        {"Italy", 1},
        {"Portugal", 0},      {"Spain", 0},           {"Hungary", 1},        {"West USA", -7},
        {"South USA", -6},    {"South East USA", -5}, {"North East USA", -5}};
    std::map<std::string, int> seen;
    for (const Place& p : Places()) {
        main.calls.clear();
        windows.Window(p.region).Item(p.itemName)->trigger();
        ASSERT_EQ(main.Timesets().size(), 1u) << p.itemName;
        EXPECT_EQ(main.Timesets()[0], zones.at(p.subMenu)) << p.subMenu << " " << p.itemName;
        seen[p.subMenu]++;
    }
    EXPECT_EQ(seen.size(), zones.size());
}

TEST_F(GazetteerWindowsTest, StocktonAloneHidesItsWindow) {
    GazetteerWindow& na = windows.Window(Region::NorthAmerica);
    na.show();
    Click(Region::NorthAmerica, "mnuSeattle");
    EXPECT_TRUE(na.isVisible());
    Click(Region::NorthAmerica, "mnuStockton");
    EXPECT_FALSE(na.isVisible());
    // Hidden, not destroyed: the check mark is still there.
    EXPECT_EQ(windows.Existing(Region::NorthAmerica), &na);
    EXPECT_EQ(AllChecked(), std::vector<std::string>{"mnuStockton"});
    EXPECT_EQ(main.Runs(), 4);
}

TEST_F(GazetteerWindowsTest, LosingTheFocusHidesAllButWestEurope) {
    struct Row {
        Region region;
        bool staysVisible;
    };
    for (const Row& r : {Row{Region::WestEurope, true}, Row{Region::EastEurope, false},
                         Row{Region::NorthAmerica, false}}) {
        GazetteerWindow& w = windows.Window(r.region);
        w.show();
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(&w, &deactivate);
        EXPECT_EQ(w.isVisible(), r.staysVisible) << RegionCaption(r.region);
        EXPECT_EQ(windows.Existing(r.region), &w) << RegionCaption(r.region);
    }
}

TEST_F(GazetteerWindowsTest, ClosedWindowComesBackWithoutCheckMark) {
    Click(Region::WestEurope, "mnuExeter");
    GazetteerWindow& west = windows.Window(Region::WestEurope);
    QPointer<GazetteerWindow> old(&west);
    west.show();
    west.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull()) << "closing destroys the window";
    EXPECT_EQ(windows.Existing(Region::WestEurope), nullptr);
    EXPECT_TRUE(windows.Window(Region::WestEurope).CheckedItems().empty());
    // A later pick elsewhere still reaches the new window.
    Click(Region::EastEurope, "mnuBudapest");
    EXPECT_EQ(AllChecked(), std::vector<std::string>{"mnuBudapest"});
}

TEST_F(GazetteerWindowsTest, StartUpExeterChecksWithoutShowing) {
    windows.Window(Region::WestEurope).mnuExeter_Click();
    EXPECT_EQ(main.site.PlaceName, "Exeter, Britain");
    EXPECT_EQ(main.Timesets(), std::vector<double>{0});
    EXPECT_EQ(AllChecked(), std::vector<std::string>{"mnuExeter"});
    EXPECT_FALSE(windows.Window(Region::WestEurope).isVisible());
    // Other windows have no Exeter: nothing happens.
    main.calls.clear();
    windows.Window(Region::EastEurope).mnuExeter_Click();
    EXPECT_TRUE(main.calls.empty());
}

}  // namespace
}  // namespace sundial

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <algorithm>
#include <string>
#include <string_view>

#include "tests/ui/support/fake_main_window.h"
#include "tests/ui/support/window_checks.h"
#include "ui/gazetteer/gazetteer_window.h"

namespace sundial {
namespace {

using testing::EnsureApplication;
using testing::FakeMainWindow;
using testing::PrintTo;
using testing::RowName;

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

template <class Row>
class GazetteerRows : public GazetteerWindowsTest, public ::testing::WithParamInterface<Row> {};

struct MenuRow {
    const char* name;
    Region region;
    const char* topMenu;
    int towns;
};

using MenusTest = GazetteerRows<MenuRow>;

TEST_P(MenusTest, FollowTheTable) {
    const MenuRow& r = GetParam();
    GazetteerWindow& w = windows.Window(r.region);
    EXPECT_EQ(w.objectName(), r.name);
    EXPECT_FALSE(w.isVisible()) << "created hidden";
    const QList<QAction*> top = w.menuBar()->actions();
    ASSERT_EQ(top.size(), 1);
    EXPECT_EQ(top[0]->text(), "Location");
    EXPECT_EQ(top[0]->menu()->objectName(), r.topMenu);
    // Walk sub-menus and items in menu order against the table's order.
    std::vector<const Place*> rows = PlacesIn(r.region);
    size_t i = 0;
    for (QAction* subAction : top[0]->menu()->actions()) {
        for (QAction* item : subAction->menu()->actions()) {
            ASSERT_LT(i, rows.size());
            EXPECT_EQ(subAction->text(), rows[i]->subMenu) << rows[i]->itemName;
            EXPECT_EQ(item->objectName(), rows[i]->itemName);
            EXPECT_EQ(item->text(), rows[i]->caption);
            EXPECT_TRUE(item->isCheckable()) << rows[i]->itemName;
            ++i;
        }
    }
    EXPECT_EQ(static_cast<int>(i), r.towns);
}

INSTANTIATE_TEST_SUITE_P(
    Regions, MenusTest,
    ::testing::Values(MenuRow{"frmWestEurope", Region::WestEurope, "mnuWestEurope", 184},
                      MenuRow{"frmEastEurope", Region::EastEurope, "mnuLocation", 8},
                      MenuRow{"frmNorthAmerica", Region::NorthAmerica, "mnuLocation", 78}),
    RowName());

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

struct Pick {
    Region region;
    const char* item;
};

struct PicksRow {
    const char* name;
    std::vector<Pick> picks;
    std::string checked;
    std::string place;
};

using LastPickTest = GazetteerRows<PicksRow>;

TEST_P(LastPickTest, AloneStaysChecked) {
    const PicksRow& r = GetParam();
    for (const Pick& p : r.picks) Click(p.region, p.item);
    EXPECT_EQ(AllChecked(), std::vector<std::string>{r.checked});
    EXPECT_EQ(main.Runs(), 2 * static_cast<int>(r.picks.size()));
    EXPECT_EQ(main.site.PlaceName, r.place);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, LastPickTest,
    ::testing::Values(
        PicksRow{"LondonAfterBudapest",
                 {{Region::EastEurope, "mnuBudapest"}, {Region::WestEurope, "mnuLondon"}},
                 "mnuLondon",
                 "London, Britain"},
        PicksRow{"SameTownTwice",
                 {{Region::WestEurope, "mnuZurich"}, {Region::WestEurope, "mnuZurich"}},
                 "mnuZurich",
                 "Zurich, Switzerland"},
        // Two towns share the control name: only the American one stays checked.
        PicksRow{"BirminghamUsaAfterBirminghamBritain",
                 {{Region::WestEurope, "mnuBirmingham"}, {Region::NorthAmerica, "mnuBirmingham"}},
                 "mnuBirmingham",
                 "Birmingham, USA"}),
    RowName());

TEST_F(GazetteerWindowsTest, ATownSharingItsNameChecksOnlyItsOwnWindow) {
    Click(Region::WestEurope, "mnuBirmingham");
    Click(Region::NorthAmerica, "mnuBirmingham");
    EXPECT_TRUE(windows.Window(Region::WestEurope).CheckedItems().empty());
    EXPECT_EQ(windows.Window(Region::NorthAmerica).CheckedItems(),
              std::vector<std::string>{"mnuBirmingham"});
}

struct SubMenuRow {
    const char* name;
    const char* subMenu;
    int zone;
};

const SubMenuRow kSubMenus[] = {{"AustriaSwitz", "Austria/Switz", 1},
                                {"Benelux", "Benelux", 1},
                                {"Britain", "Britain", 0},
                                {"Denmark", "Denmark", 1},
                                {"France", "France", 1},
                                {"Germany", "Germany", 1},
                                {"Ireland", "Ireland", 0},
                                {"Italy", "Italy", 1},
                                {"Portugal", "Portugal", 0},
                                {"Spain", "Spain", 0},
                                {"Hungary", "Hungary", 1},
                                {"WestUsa", "West USA", -7},
                                {"SouthUsa", "South USA", -6},
                                {"SouthEastUsa", "South East USA", -5},
                                {"NorthEastUsa", "North East USA", -5}};

using SubMenuZoneTest = GazetteerRows<SubMenuRow>;

TEST_P(SubMenuZoneTest, EveryTownSelectsTheSubMenusZone) {
    const SubMenuRow& r = GetParam();
    int towns = 0;
    for (const Place& p : Places()) {
        if (std::string_view(p.subMenu) != r.subMenu) continue;
        main.calls.clear();
        windows.Window(p.region).Item(p.itemName)->trigger();
        EXPECT_EQ(main.Timesets(), std::vector<double>{static_cast<double>(r.zone)}) << p.itemName;
        ++towns;
    }
    EXPECT_GT(towns, 0);
}

INSTANTIATE_TEST_SUITE_P(SubMenus, SubMenuZoneTest, ::testing::ValuesIn(kSubMenus), RowName());

TEST(GazetteerTable, EveryTownIsInOneOfTheSubMenus) {
    for (const Place& p : Places()) {
        const auto row = std::find_if(
            std::begin(kSubMenus), std::end(kSubMenus),
            [&](const SubMenuRow& r) { return std::string_view(r.subMenu) == p.subMenu; });
        EXPECT_NE(row, std::end(kSubMenus)) << p.itemName << " in " << p.subMenu;
    }
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

struct FocusRow {
    const char* name;
    Region region;
    bool staysVisible;
};

using FocusLossTest = GazetteerRows<FocusRow>;

TEST_P(FocusLossTest, HidesAllButWestEurope) {
    const FocusRow& r = GetParam();
    GazetteerWindow& w = windows.Window(r.region);
    w.show();
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&w, &deactivate);
    EXPECT_EQ(w.isVisible(), r.staysVisible);
    EXPECT_EQ(windows.Existing(r.region), &w) << "hidden, not destroyed";
}

INSTANTIATE_TEST_SUITE_P(Regions, FocusLossTest,
                         ::testing::Values(FocusRow{"WestEurope", Region::WestEurope, true},
                                           FocusRow{"EastEurope", Region::EastEurope, false},
                                           FocusRow{"NorthAmerica", Region::NorthAmerica, false}),
                         RowName());

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

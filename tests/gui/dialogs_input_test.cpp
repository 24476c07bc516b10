#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "dialogs/dialog_windows.h"
#include "dialogs_fake_main_window.h"
#include "gazetteer/gazetteer_window.h"

namespace sundial {
namespace {

using testing::EnsureApplication;
using testing::FakeMainWindow;

// The site stores singles; typed decimals come back within single precision.
constexpr float kSingleTol = 1e-5f;

class DialogsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureApplication();
        QLocale::setDefault(QLocale::c());
        main.site = {"Exeter, Britain", 50.7f, 3.5f, "185.2", 5.2f, "West", 0};
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    // Lets closed dialogs be destroyed, as the event loop would.
    static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    FakeMainWindow main;
    GazetteerWindows gazetteers{main};
    std::vector<QString> warnings;
    // Captures the text instead of blocking on a message box; `duringWarning`
    // runs while the "box" is up.
    std::function<void(QWidget*)> duringWarning;
    DialogWindows dialogs{main, gazetteers, [this](QWidget* parent, const QString& text) {
                              warnings.push_back(text);
                              if (duringWarning) duringWarning(parent);
                          }};
};

TEST_F(DialogsTest, LatLongRangesAndZones) {
    struct Row {
        const char* name;
        const char* lat;
        const char* lon;
        bool east;
        const char* warning;  // nullptr: accepted
        float longitude;
        int zone;
    };
    const Row rows[] = {
        {"lat 15", "15", "3.5", false, nullptr, 3.5f, 0},
        {"lat 70", "70", "3.5", false, nullptr, 3.5f, 0},
        {"lat 14.99", "14.99", "3.5", false, kLatitudeMessage, 0, 0},
        {"lat 70.01", "70.01", "3.5", false, kLatitudeMessage, 0, 0},
        {"lon 0 west", "50", "0", false, nullptr, 0, 0},
        {"lon 0 east", "50", "0", true, nullptr, 0, 0},
        {"lon 180", "50", "180", false, nullptr, 180, 12},
        {"lon 180.5", "50", "180.5", false, kLongitudeMessage, 0, 0},
        {"lon -5", "50", "-5", false, kLongitudeMessage, 0, 0},
        {"7.5 W", "50", "7.5", false, nullptr, 7.5f, 0},
        {"7.5 E", "50", "7.5", true, nullptr, -7.5f, 1},
        {"22.5 W", "50", "22.5", false, nullptr, 22.5f, -1},
        {"175 W", "50", "175", false, nullptr, 175, 12},
        {"175 E", "50", "175", true, nullptr, -175, 12},
        {"172.5 W", "50", "172.5", false, nullptr, 172.5f, -11},
        {"172.5 E", "50", "172.5", true, nullptr, -172.5f, 12},
    };
    for (const Row& r : rows) {
        main.site.Latitude = 50.7f;
        main.site.Longitude = 3.5f;
        main.calls.clear();
        warnings.clear();
        frmLatLong& dlg = dialogs.LatLong();
        dlg.txtLatitude->setText(r.lat);
        dlg.txtLongitude->setText(r.lon);
        (r.east ? dlg.optEast : dlg.optWest)->setChecked(true);
        dlg.cmdAccept->click();
        EXPECT_EQ(main.site.PlaceName, "Unknown") << r.name;
        if (r.warning) {
            ASSERT_EQ(warnings.size(), 1u) << r.name;
            EXPECT_EQ(warnings[0], r.warning) << r.name;
            EXPECT_EQ(main.Runs(), 0) << r.name;
            EXPECT_EQ(dlg.txtLatitude->text(), "50.7") << r.name << ": restored";
            EXPECT_EQ(dlg.txtLongitude->text(), "3.5") << r.name << ": restored";
            continue;
        }
        EXPECT_TRUE(warnings.empty()) << r.name;
        EXPECT_NEAR(main.site.Latitude, std::stof(r.lat), kSingleTol) << r.name;
        EXPECT_NEAR(main.site.Longitude, r.longitude, kSingleTol) << r.name;
        EXPECT_EQ(main.Timesets(), std::vector<double>{double(r.zone)}) << r.name;
        EXPECT_EQ(main.Runs(), 2) << r.name << ": Timeset's run and its own";
        EXPECT_EQ(dlg.txtLongitude->text(), r.lon) << r.name << ": keeps what was typed";
    }
}

TEST_F(DialogsTest, LatLongSilentRestoresStillClearTheTowns) {
    struct Row {
        const char* name;
        const char* lat;
        const char* lon;
    };
    const Row rows[] = {{"letter in latitude", "5x1", "3.5"},
                        {"empty latitude", "", "3.5"},
                        {"empty longitude", "51", ""},
                        {"words", "north", "west"},
                        {"not a finite number", "inf", "3.5"}};
    for (const Row& r : rows) {
        gazetteers.Window(Region::WestEurope).mnuExeter_Click();
        main.calls.clear();
        frmLatLong& dlg = dialogs.LatLong();
        dlg.txtLatitude->setText(r.lat);
        dlg.txtLongitude->setText(r.lon);
        dlg.cmdAccept->click();
        EXPECT_TRUE(warnings.empty()) << r.name;
        EXPECT_EQ(main.calls.size(), 0u) << r.name << ": no zone, no run";
        EXPECT_EQ(dlg.txtLatitude->text(), "50.7") << r.name;
        EXPECT_EQ(dlg.txtLongitude->text(), "3.5") << r.name;
        EXPECT_EQ(main.site.PlaceName, "Unknown") << r.name;
        EXPECT_TRUE(gazetteers.Window(Region::WestEurope).CheckedItems().empty()) << r.name;
    }
}

TEST_F(DialogsTest, LatLongGoClearsEveryTownAndStaysOpen) {
    frmLatLong& dlg = dialogs.LatLong();
    dlg.show();
    dlg.txtLatitude->setText("47.5");
    dlg.txtLongitude->setText("19.1");
    dlg.optEast->setChecked(true);
    // Windows nobody has opened yet are created, hidden, to be cleared.
    dlg.cmdAccept->click();
    for (Region r : {Region::WestEurope, Region::EastEurope, Region::NorthAmerica}) {
        ASSERT_NE(gazetteers.Existing(r), nullptr) << RegionCaption(r);
        EXPECT_FALSE(gazetteers.Existing(r)->isVisible()) << RegionCaption(r);
    }

    gazetteers.Window(Region::NorthAmerica).Item("mnuBoston")->trigger();
    main.calls.clear();
    dlg.cmdAccept->click();
    Settle();
    for (Region r : {Region::WestEurope, Region::EastEurope, Region::NorthAmerica}) {
        EXPECT_TRUE(gazetteers.Existing(r)->CheckedItems().empty()) << RegionCaption(r);
    }
    EXPECT_EQ(main.site.PlaceName, "Unknown");
    ASSERT_EQ(dialogs.ExistingLatLong(), &dlg);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(main.Timesets(), std::vector<double>{1});
}

TEST_F(DialogsTest, LatLongOpensFromTheSite) {
    struct Row {
        const char* name;
        float longitude;
        bool east;
        const char* shown;
    };
    const Row rows[] = {{"west", 3.5f, false, "3.5"},
                        {"east shows no sign", -19.1f, true, "19.1"},
                        {"zero is west", 0.0f, false, "0"}};
    for (const Row& r : rows) {
        main.site.Longitude = r.longitude;
        frmLatLong& dlg = dialogs.LatLong();
        EXPECT_EQ(dlg.optEast->isChecked(), r.east) << r.name;
        EXPECT_EQ(dlg.optWest->isChecked(), !r.east) << r.name;
        EXPECT_EQ(dlg.txtLongitude->text(), r.shown) << r.name;
        EXPECT_EQ(dlg.txtLatitude->text(), "50.7") << r.name;
        dlg.cmdCancel->click();
        Settle();
        EXPECT_EQ(dialogs.ExistingLatLong(), nullptr) << r.name << ": Cancel destroys it";
    }
}

TEST_F(DialogsTest, CommaLocaleReadsAndShowsCommas) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    frmLatLong& dlg = dialogs.LatLong();
    EXPECT_EQ(dlg.txtLatitude->text(), "50,7");
    dlg.txtLatitude->setText("47,5");
    dlg.txtLongitude->setText("19,1");
    dlg.optEast->setChecked(true);
    dlg.cmdAccept->click();
    EXPECT_NEAR(main.site.Latitude, 47.5f, kSingleTol);
    EXPECT_NEAR(main.site.Longitude, -19.1f, kSingleTol);

    frmBearing& bearing = dialogs.Bearing();
    EXPECT_EQ(bearing.txtBearing->text(), "185,2");
    bearing.txtBearing->setText("200,5");
    bearing.cmdAccept->click();
    EXPECT_EQ(main.site.WallBearing, "200.5") << "the site keeps a full stop for the file";
}

TEST_F(DialogsTest, BearingAcceptsClosesAndRuns) {
    struct Row {
        const char* typed;
        const char* stored;  // nullptr: rejected
        const char* side;
        bool warns;
    };
    const Row rows[] = {
        {"110", "110", "East", false},  {"250", "250", "West", false},
        {"180", "180", "South", false}, {"200.0", "200", "West", false},
        {"109.9", nullptr, "", true},   {"250.1", nullptr, "", true},
        {"abc", nullptr, "", false},    {"", nullptr, "", false},
    };
    for (const Row& r : rows) {
        main.site.WallBearing = "185.2";
        main.site.DeclinationSide = "West";
        main.calls.clear();
        warnings.clear();
        frmBearing& dlg = dialogs.Bearing();
        dlg.show();
        EXPECT_EQ(dlg.lblPrompt->text(), "Enter true bearing between 110 to 250 degrees.");
        EXPECT_EQ(dlg.txtBearing->text(), "185.2") << r.typed;
        dlg.txtBearing->setText(r.typed);
        dlg.cmdAccept->click();
        Settle();
        EXPECT_EQ(warnings.size(), r.warns ? 1u : 0u) << r.typed;
        if (r.warns) {
            EXPECT_EQ(warnings[0], kBearingMessage) << r.typed;
        }
        if (r.stored) {
            EXPECT_EQ(main.site.WallBearing, r.stored) << r.typed;
            EXPECT_EQ(main.site.DeclinationSide, r.side) << r.typed;
            EXPECT_EQ(main.Runs(), 1) << r.typed;
            EXPECT_EQ(dialogs.ExistingBearing(), nullptr) << r.typed << ": closed";
        } else {
            EXPECT_EQ(main.site.WallBearing, "185.2") << r.typed;
            EXPECT_EQ(main.Runs(), 0) << r.typed;
            ASSERT_EQ(dialogs.ExistingBearing(), &dlg) << r.typed << ": stays open";
            EXPECT_EQ(dlg.txtBearing->text(), "185.2") << r.typed << ": restored";
        }
    }
}

TEST_F(DialogsTest, GnomeSizesThePlate) {
    struct Row {
        const char* name;
        float angle;
        const char* length;
        const char* hypotenuse;  // nullptr: rejected, box back to 20.1
        const char* opposite;
        bool warns;
    };
    const Row rows[] = {
        {"45 degrees", 45, "20.1", "28.4", "20.1", false},
        {"30 degrees", 30, "10", "11.5", "5.77", false},
        {"1000 accepted", 30, "1000", "1154.7", "577.35", false},
        {"1000.5", 30, "1000.5", nullptr, nullptr, true},
        {"0.5", 30, "0.5", nullptr, nullptr, true},
        {"letters", 30, "abc", nullptr, nullptr, false},
    };
    for (const Row& r : rows) {
        warnings.clear();
        main.dial.GnomonAngle = r.angle;
        frmGnome& dlg = dialogs.Gnome();
        EXPECT_EQ(dlg.txtAdjacent->text(), "20.1") << r.name;
        EXPECT_TRUE(dlg.lblHypothenuse->text().isEmpty()) << r.name;
        dlg.txtAdjacent->setText(r.length);
        dlg.cmdCalculate->click();
        EXPECT_EQ(warnings.size(), r.warns ? 1u : 0u) << r.name;
        if (r.hypotenuse) {
            EXPECT_EQ(dlg.lblHypothenuse->text(), r.hypotenuse) << r.name;
            EXPECT_EQ(dlg.lblOpposite->text(), r.opposite) << r.name;
        } else {
            if (r.warns) {
                EXPECT_EQ(warnings[0], kGnomonLengthMessage) << r.name;
            }
            EXPECT_EQ(dlg.txtAdjacent->text(), "20.1") << r.name;
            EXPECT_TRUE(dlg.lblOpposite->text().isEmpty()) << r.name << ": results unchanged";
        }
        dlg.cmdCancel->click();
        Settle();
    }
}

TEST_F(DialogsTest, GnomePrintsTheAngleItOpenedWith) {
    main.dial.GnomonAngle = 38.3127f;
    frmGnome& dlg = dialogs.Gnome();
    EXPECT_EQ(dlg.PrintedLines(), (QStringList{"", "   Forward angle is 38.3 degrees. "}));
    // A later run changes the angle: the line stays, Calculate follows.
    main.dial.GnomonAngle = 45;
    dlg.cmdCalculate->click();
    EXPECT_EQ(dlg.PrintedLines()[1], "   Forward angle is 38.3 degrees. ");
    EXPECT_EQ(dlg.lblOpposite->text(), "20.1");
}

// Losing the focus closes each dialog, but not while its own message is up:
// the box is restored after the message, into a dialog that still exists.
TEST_F(DialogsTest, FocusLossClosesButNotDuringTheWarning) {
    struct Row {
        const char* name;
        std::function<InputDialog&()> open;
        std::function<void(InputDialog&)> rejectWithMessage;
        std::function<QString(InputDialog&)> box;
        QString restored;
    };
    const Row rows[] = {
        {"location", [&]() -> InputDialog& { return dialogs.LatLong(); },
         [](InputDialog& d) {
             auto& dlg = static_cast<frmLatLong&>(d);
             dlg.txtLatitude->setText("80");
             dlg.cmdAccept->click();
         },
         [](InputDialog& d) { return static_cast<frmLatLong&>(d).txtLatitude->text(); }, "50.7"},
        {"bearing", [&]() -> InputDialog& { return dialogs.Bearing(); },
         [](InputDialog& d) {
             auto& dlg = static_cast<frmBearing&>(d);
             dlg.txtBearing->setText("300");
             dlg.cmdAccept->click();
         },
         [](InputDialog& d) { return static_cast<frmBearing&>(d).txtBearing->text(); }, "185.2"},
        {"gnomon", [&]() -> InputDialog& { return dialogs.Gnome(); },
         [](InputDialog& d) {
             auto& dlg = static_cast<frmGnome&>(d);
             dlg.txtAdjacent->setText("5000");
             dlg.cmdCalculate->click();
         },
         [](InputDialog& d) { return static_cast<frmGnome&>(d).txtAdjacent->text(); }, "20.1"},
    };
    for (const Row& r : rows) {
        InputDialog& dlg = r.open();
        QPointer<InputDialog> alive(&dlg);
        dlg.show();
        bool sawWarningFlag = false;
        duringWarning = [&](QWidget* parent) {
            sawWarningFlag = alive && alive->Warning();
            QEvent deactivate(QEvent::WindowDeactivate);
            QApplication::sendEvent(parent, &deactivate);
            Settle();
        };
        r.rejectWithMessage(dlg);
        duringWarning = nullptr;
        Settle();
        ASSERT_FALSE(alive.isNull()) << r.name << ": survived its own message";
        EXPECT_TRUE(sawWarningFlag) << r.name;
        EXPECT_TRUE(dlg.isVisible()) << r.name;
        EXPECT_EQ(r.box(dlg), r.restored) << r.name;

        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(&dlg, &deactivate);
        Settle();
        EXPECT_TRUE(alive.isNull()) << r.name << ": closed and destroyed on focus loss";
    }
}

}  // namespace
}  // namespace sundial

// The dialogs' wiring: what reaches the site and the main window, what is
// put back in the boxes, and when a dialog closes. The ranges and formats
// themselves are tested on the input rules.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "tests/ui/support/fake_main_window.h"
#include "ui/dialogs/dialog_windows.h"
#include "ui/gazetteer/gazetteer_window.h"

namespace sundial {
namespace {

// The site stores singles; typed decimals come back within single precision.
constexpr float kSingleTol = 1e-5f;

class DialogsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::EnsureApplication();
        QLocale::setDefault(QLocale::c());
        main.site = {"Exeter, Britain", 50.7f, 3.5f, "185.2", 5.2f, "West", 0};
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
    // Lets closed dialogs be destroyed, as the event loop would.
    static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    static void LoseFocus(QWidget* w) {
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(w, &deactivate);
        Settle();
    }
    frmLatLong& TypeLatLong(const char* lat, const char* lon, bool east) {
        frmLatLong& dlg = dialogs.LatLong();
        dlg.txtLatitude->setText(lat);
        dlg.txtLongitude->setText(lon);
        (east ? dlg.optEast : dlg.optWest)->setChecked(true);
        dlg.cmdAccept->click();
        return dlg;
    }

    testing::FakeMainWindow main;
    GazetteerWindows gazetteers{main};
    std::vector<QString> warnings;
    std::function<void(QWidget*)> duringWarning;  // runs while the "box" is up
    DialogWindows dialogs{main, gazetteers, [this](QWidget* parent, const QString& text) {
                              warnings.push_back(text);
                              if (duringWarning) duringWarning(parent);
                          }};
};

TEST_F(DialogsTest, LatLongGo) {
    const struct {
        const char* name;
        const char* lat;
        const char* lon;
        bool east;
        const char* warning;  // nullptr: accepted, or silently restored when noRun
        bool runs;
    } rows[] = {
        {"accepted east", "47.5", "19.1", true, nullptr, true},
        {"latitude out of range", "70.01", "3", false, kLatitudeMessage, false},
        {"longitude out of range", "50", "180.5", false, kLongitudeMessage, false},
        {"letter in latitude", "5x1", "3", false, nullptr, false},
        {"empty longitude", "51", "", false, nullptr, false},
    };
    for (const auto& r : rows) {
        gazetteers.Window(Region::WestEurope).mnuExeter_Click();
        main.calls.clear();
        warnings.clear();
        frmLatLong& dlg = TypeLatLong(r.lat, r.lon, r.east);
        // Every Go forgets the town, whether or not the numbers are usable.
        EXPECT_EQ(main.site.PlaceName, "Unknown") << r.name;
        EXPECT_TRUE(gazetteers.Window(Region::WestEurope).CheckedItems().empty()) << r.name;
        EXPECT_EQ(warnings, r.warning ? std::vector<QString>{r.warning} : std::vector<QString>{})
            << r.name;
        if (!r.runs) {
            EXPECT_TRUE(main.calls.empty()) << r.name;
            EXPECT_EQ(dlg.txtLatitude->text(), "50.7") << r.name << ": restored";
            EXPECT_EQ(dlg.txtLongitude->text(), "3.5") << r.name << ": restored";
            continue;
        }
        EXPECT_NEAR(main.site.Latitude, 47.5f, kSingleTol);
        EXPECT_NEAR(main.site.Longitude, -19.1f, kSingleTol);
        EXPECT_EQ(main.Timesets(), std::vector<double>{1});
        EXPECT_EQ(main.Runs(), 2) << "Timeset's run and its own";
        EXPECT_EQ(dlg.txtLongitude->text(), "19.1") << "keeps what was typed";
        EXPECT_EQ(dialogs.ExistingLatLong(), &dlg) << "stays open";
    }
}

TEST_F(DialogsTest, LatLongGoCreatesUnopenedGazetteersHidden) {
    TypeLatLong("50", "0", true);
    for (Region r : {Region::WestEurope, Region::EastEurope, Region::NorthAmerica}) {
        ASSERT_NE(gazetteers.Existing(r), nullptr) << RegionCaption(r);
        EXPECT_FALSE(gazetteers.Existing(r)->isVisible()) << RegionCaption(r);
    }
    // 0 East is stored as 0, and reopens as West.
    dialogs.LatLong().cmdCancel->click();
    Settle();
    EXPECT_EQ(dialogs.ExistingLatLong(), nullptr) << "Cancel destroys it";
    EXPECT_TRUE(dialogs.LatLong().optWest->isChecked());
}

TEST_F(DialogsTest, LatLongOpensEastWithoutSign) {
    main.site.Longitude = -19.1f;
    frmLatLong& dlg = dialogs.LatLong();
    EXPECT_TRUE(dlg.optEast->isChecked());
    EXPECT_EQ(dlg.txtLongitude->text(), "19.1");
}

TEST_F(DialogsTest, CommaLocaleReadsAndShowsCommas) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(dialogs.LatLong().txtLatitude->text(), "50,7");
    TypeLatLong("47,5", "19,1", true);
    EXPECT_NEAR(main.site.Latitude, 47.5f, kSingleTol);
    frmBearing& bearing = dialogs.Bearing();
    EXPECT_EQ(bearing.txtBearing->text(), "185,2");
    bearing.txtBearing->setText("200,5");
    bearing.cmdAccept->click();
    EXPECT_EQ(main.site.WallBearing, "200.5") << "the site keeps a full stop for the file";
}

TEST_F(DialogsTest, BearingGo) {
    const struct {
        const char* typed;
        const char* stored;  // nullptr: rejected, dialog stays with the old text
        const char* side;
        bool warns;
    } rows[] = {{"200.0", "200", "West", false},
                {"110", "110", "East", false},
                {"109.9", nullptr, "", true},
                {"abc", nullptr, "", false}};
    for (const auto& r : rows) {
        main.site.WallBearing = "185.2";
        main.calls.clear();
        warnings.clear();
        frmBearing& dlg = dialogs.Bearing();
        EXPECT_EQ(dlg.lblPrompt->text(), "Enter true bearing between 110 to 250 degrees.");
        dlg.txtBearing->setText(r.typed);
        dlg.cmdAccept->click();
        Settle();
        EXPECT_EQ(warnings.size(), r.warns ? 1u : 0u) << r.typed;
        if (r.stored) {
            EXPECT_EQ(main.site.WallBearing, r.stored) << r.typed;
            EXPECT_EQ(main.site.DeclinationSide, r.side) << r.typed;
            EXPECT_EQ(main.Runs(), 1) << r.typed;
            EXPECT_EQ(dialogs.ExistingBearing(), nullptr) << r.typed << ": closed";
        } else {
            EXPECT_EQ(main.site.WallBearing, "185.2") << r.typed;
            EXPECT_EQ(main.Runs(), 0) << r.typed;
            ASSERT_EQ(dialogs.ExistingBearing(), &dlg) << r.typed;
            EXPECT_EQ(dlg.txtBearing->text(), "185.2") << r.typed << ": restored";
        }
    }
}

TEST_F(DialogsTest, GnomeCalculate) {
    main.dial.GnomonAngle = 38.3127f;
    frmGnome& dlg = dialogs.Gnome();
    EXPECT_EQ(dlg.PrintedLines(), (QStringList{"", "   Forward angle is 38.3 degrees. "}));
    EXPECT_EQ(dlg.txtAdjacent->text(), "20.1");
    // A later run changes the angle: the printed line stays, Calculate follows.
    main.dial.GnomonAngle = 45;
    dlg.cmdCalculate->click();
    EXPECT_EQ(dlg.PrintedLines()[1], "   Forward angle is 38.3 degrees. ");
    EXPECT_EQ(dlg.lblHypothenuse->text(), "28.4");
    EXPECT_EQ(dlg.lblOpposite->text(), "20.1");
    // Rejected lengths put 20.1 back and leave the results alone.
    for (const char* typed : {"1000.5", "letters"}) {
        dlg.txtAdjacent->setText(typed);
        dlg.cmdCalculate->click();
        EXPECT_EQ(dlg.txtAdjacent->text(), "20.1") << typed;
        EXPECT_EQ(dlg.lblHypothenuse->text(), "28.4") << typed;
    }
    EXPECT_EQ(warnings, std::vector<QString>{kGnomonLengthMessage});
}

// Losing the focus closes each dialog, but not while its own message is up:
// the box is restored after the message, into a dialog that still exists.
TEST_F(DialogsTest, FocusLossClosesButNotDuringTheWarning) {
    const struct {
        const char* name;
        std::function<InputDialog&()> open;
        std::function<QLineEdit*(InputDialog&)> box;
        const char* bad;
        const char* restored;
        std::function<void(InputDialog&)> go;
    } rows[] = {
        {"location", [&]() -> InputDialog& { return dialogs.LatLong(); },
         [](InputDialog& d) { return static_cast<frmLatLong&>(d).txtLatitude; }, "80", "50.7",
         [](InputDialog& d) { static_cast<frmLatLong&>(d).cmdAccept->click(); }},
        {"bearing", [&]() -> InputDialog& { return dialogs.Bearing(); },
         [](InputDialog& d) { return static_cast<frmBearing&>(d).txtBearing; }, "300", "185.2",
         [](InputDialog& d) { static_cast<frmBearing&>(d).cmdAccept->click(); }},
        {"gnomon", [&]() -> InputDialog& { return dialogs.Gnome(); },
         [](InputDialog& d) { return static_cast<frmGnome&>(d).txtAdjacent; }, "5000", "20.1",
         [](InputDialog& d) { static_cast<frmGnome&>(d).cmdCalculate->click(); }},
    };
    for (const auto& r : rows) {
        InputDialog& dlg = r.open();
        QPointer<InputDialog> alive(&dlg);
        dlg.show();
        duringWarning = [](QWidget* parent) { LoseFocus(parent); };
        r.box(dlg)->setText(r.bad);
        r.go(dlg);
        duringWarning = nullptr;
        Settle();
        ASSERT_FALSE(alive.isNull()) << r.name << ": survived its own message";
        EXPECT_EQ(r.box(dlg)->text(), r.restored) << r.name;
        LoseFocus(&dlg);
        EXPECT_TRUE(alive.isNull()) << r.name << ": closed and destroyed on focus loss";
    }
}

}  // namespace
}  // namespace sundial

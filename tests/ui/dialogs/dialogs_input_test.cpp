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
#include "tests/ui/support/window_checks.h"
#include "ui/dialogs/dialog_windows.h"
#include "ui/gazetteer/gazetteer_window.h"

namespace sundial {
namespace {

using testing::PrintTo;
using testing::RowName;

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

struct LatLongRow {
    const char* name;
    const char* lat;
    const char* lon;
    bool east;
    const char* warning;  // nullptr: accepted, or silently restored when it does not run
    bool runs;
};

class LatLongGoTest : public DialogsTest, public ::testing::WithParamInterface<LatLongRow> {};

TEST_P(LatLongGoTest, StoresOrRestores) {
    const LatLongRow& r = GetParam();
    gazetteers.Window(Region::WestEurope).mnuExeter_Click();
    main.calls.clear();
    frmLatLong& dlg = TypeLatLong(r.lat, r.lon, r.east);
    // Every Go forgets the town, whether or not the numbers are usable.
    EXPECT_EQ(main.site.PlaceName, "Unknown");
    EXPECT_TRUE(gazetteers.Window(Region::WestEurope).CheckedItems().empty());
    EXPECT_EQ(warnings, r.warning ? std::vector<QString>{r.warning} : std::vector<QString>{});
    if (!r.runs) {
        EXPECT_TRUE(main.calls.empty());
        EXPECT_EQ(dlg.txtLatitude->text(), "50.7") << "restored";
        EXPECT_EQ(dlg.txtLongitude->text(), "3.5") << "restored";
        return;
    }
    EXPECT_NEAR(main.site.Latitude, 47.5f, kSingleTol);
    EXPECT_NEAR(main.site.Longitude, -19.1f, kSingleTol);
    EXPECT_EQ(main.Timesets(), std::vector<double>{1});
    EXPECT_EQ(main.Runs(), 2) << "Timeset's run and its own";
    EXPECT_EQ(dlg.txtLongitude->text(), "19.1") << "keeps what was typed";
    EXPECT_EQ(dialogs.ExistingLatLong(), &dlg) << "stays open";
}

INSTANTIATE_TEST_SUITE_P(
    Typed, LatLongGoTest,
    ::testing::Values(
        LatLongRow{"AcceptedEast", "47.5", "19.1", true, nullptr, true},
        LatLongRow{"LatitudeOutOfRange", "70.01", "3", false, kLatitudeMessage, false},
        LatLongRow{"LongitudeOutOfRange", "50", "180.5", false, kLongitudeMessage, false},
        LatLongRow{"LetterInLatitude", "5x1", "3", false, nullptr, false},
        LatLongRow{"EmptyLongitude", "51", "", false, nullptr, false}),
    RowName());

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

struct BearingRow {
    const char* name;
    const char* typed;
    const char* stored;  // nullptr: rejected, the dialog stays with the old text
    const char* side;
    bool warns;
};

class BearingGoTest : public DialogsTest, public ::testing::WithParamInterface<BearingRow> {};

TEST_P(BearingGoTest, StoresAndClosesOrRestores) {
    const BearingRow& r = GetParam();
    frmBearing& dlg = dialogs.Bearing();
    EXPECT_EQ(dlg.lblPrompt->text(), "Enter true bearing between 110 to 250 degrees.");
    dlg.txtBearing->setText(r.typed);
    dlg.cmdAccept->click();
    Settle();
    EXPECT_EQ(warnings.size(), r.warns ? 1u : 0u);
    if (r.stored) {
        EXPECT_EQ(main.site.WallBearing, r.stored);
        EXPECT_EQ(main.site.DeclinationSide, r.side);
        EXPECT_EQ(main.Runs(), 1);
        EXPECT_EQ(dialogs.ExistingBearing(), nullptr) << "closed";
    } else {
        EXPECT_EQ(main.site.WallBearing, "185.2");
        EXPECT_EQ(main.Runs(), 0);
        ASSERT_EQ(dialogs.ExistingBearing(), &dlg);
        EXPECT_EQ(dlg.txtBearing->text(), "185.2") << "restored";
    }
}

INSTANTIATE_TEST_SUITE_P(Typed, BearingGoTest,
                         ::testing::Values(BearingRow{"WholeNumber", "200.0", "200", "West", false},
                                           BearingRow{"LowestAccepted", "110", "110", "East",
                                                      false},
                                           BearingRow{"BelowRange", "109.9", nullptr, "", true},
                                           BearingRow{"Letters", "abc", nullptr, "", false}),
                         RowName());

TEST_F(DialogsTest, GnomeCalculate) {
    main.dial.GnomonAngle = 38.3127f;
    frmGnome& dlg = dialogs.Gnome();
    EXPECT_EQ(dlg.txtAdjacent->text(), "20.1");
    // A later run changes the angle: the printed line stays, Calculate follows.
    main.dial.GnomonAngle = 45;
    dlg.cmdCalculate->click();
    EXPECT_EQ(dlg.PrintedLines()[1], "   Forward angle is 38.3 degrees. ");
    EXPECT_EQ(dlg.lblHypothenuse->text(), "28.4");
    EXPECT_EQ(dlg.lblOpposite->text(), "20.1");
}

struct GnomeLengthRow {
    const char* name;
    const char* typed;
    bool warns;
};

class GnomeRejectsTest : public DialogsTest,
                         public ::testing::WithParamInterface<GnomeLengthRow> {};

TEST_P(GnomeRejectsTest, PutsTheDefaultBackAndKeepsTheResults) {
    main.dial.GnomonAngle = 45;
    frmGnome& dlg = dialogs.Gnome();
    dlg.cmdCalculate->click();
    dlg.txtAdjacent->setText(GetParam().typed);
    dlg.cmdCalculate->click();
    EXPECT_EQ(dlg.txtAdjacent->text(), "20.1");
    EXPECT_EQ(dlg.lblHypothenuse->text(), "28.4");
    EXPECT_EQ(warnings, GetParam().warns ? std::vector<QString>{kGnomonLengthMessage}
                                         : std::vector<QString>{});
}

INSTANTIATE_TEST_SUITE_P(Typed, GnomeRejectsTest,
                         ::testing::Values(GnomeLengthRow{"AboveRange", "1000.5", true},
                                           GnomeLengthRow{"BelowRange", "0.5", true},
                                           GnomeLengthRow{"Letters", "letters", false},
                                           GnomeLengthRow{"Empty", "", false}),
                         RowName());

struct AngleLineRow {
    const char* name;
    QLocale::Language language;
    QLocale::Territory territory;
    float angle;
    const char* line;
};

class GnomeAngleLineTest : public DialogsTest,
                           public ::testing::WithParamInterface<AngleLineRow> {};

// Only the number follows the user's locale; the sentence keeps its full stop.
TEST_P(GnomeAngleLineTest, WritesTheAngleTheUsersWay) {
    const AngleLineRow& r = GetParam();
    QLocale::setDefault(QLocale(r.language, r.territory));
    main.dial.GnomonAngle = r.angle;
    EXPECT_EQ(dialogs.Gnome().PrintedLines(), (QStringList{"", r.line}));
}

INSTANTIATE_TEST_SUITE_P(
    Locales, GnomeAngleLineTest,
    ::testing::Values(AngleLineRow{"FullStop", QLocale::C, QLocale::AnyTerritory, 38.3127f,
                                   "   Forward angle is 38.3 degrees. "},
                      AngleLineRow{"Comma", QLocale::German, QLocale::Germany, 39.15f,
                                   "   Forward angle is 39,1 degrees. "},
                      AngleLineRow{"CommaWholeAngle", QLocale::French, QLocale::France, 45,
                                   "   Forward angle is 45, degrees. "},
                      AngleLineRow{"CommaLowAngle", QLocale::German, QLocale::Germany, 6.78f,
                                   "   Forward angle is 6,7 degrees. "}),
    RowName());

// Losing the focus closes each dialog, but not while its own message is up:
// the box is restored after the message, into a dialog that still exists.
struct FocusRow {
    const char* name;
    std::function<InputDialog&(DialogWindows&)> open;
    std::function<QLineEdit*(InputDialog&)> box;
    const char* bad;
    const char* restored;
    std::function<void(InputDialog&)> go;
};

class FocusLossTest : public DialogsTest, public ::testing::WithParamInterface<FocusRow> {};

TEST_P(FocusLossTest, ClosesButNotDuringItsWarning) {
    const FocusRow& r = GetParam();
    InputDialog& dlg = r.open(dialogs);
    QPointer<InputDialog> alive(&dlg);
    dlg.show();
    duringWarning = [](QWidget* parent) { LoseFocus(parent); };
    r.box(dlg)->setText(r.bad);
    r.go(dlg);
    duringWarning = nullptr;
    Settle();
    ASSERT_FALSE(alive.isNull()) << "survived its own message";
    EXPECT_EQ(r.box(dlg)->text(), r.restored);
    LoseFocus(&dlg);
    EXPECT_TRUE(alive.isNull()) << "closed and destroyed on focus loss";
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, FocusLossTest,
    ::testing::Values(
        FocusRow{"Location", [](DialogWindows& d) -> InputDialog& { return d.LatLong(); },
                 [](InputDialog& d) { return static_cast<frmLatLong&>(d).txtLatitude; }, "80",
                 "50.7", [](InputDialog& d) { static_cast<frmLatLong&>(d).cmdAccept->click(); }},
        FocusRow{"Bearing", [](DialogWindows& d) -> InputDialog& { return d.Bearing(); },
                 [](InputDialog& d) { return static_cast<frmBearing&>(d).txtBearing; }, "300",
                 "185.2", [](InputDialog& d) { static_cast<frmBearing&>(d).cmdAccept->click(); }},
        FocusRow{"Gnomon", [](DialogWindows& d) -> InputDialog& { return d.Gnome(); },
                 [](InputDialog& d) { return static_cast<frmGnome&>(d).txtAdjacent; }, "5000",
                 "20.1", [](InputDialog& d) { static_cast<frmGnome&>(d).cmdCalculate->click(); }}),
    RowName());

}  // namespace
}  // namespace sundial

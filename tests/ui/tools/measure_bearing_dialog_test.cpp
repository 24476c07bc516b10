// The bearing dialog's wiring: readings in, what the table and labels show,
// and what "Use this bearing" does to the site and the main window. The
// astronomy and the statistics are tested in the core.
#include "ui/tools/measure_bearing_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QTimeZone>
#include <chrono>
#include <cmath>
#include <fstream>

#include "core/sun/clock_zone.h"
#include "tests/ui/support/fake_main_window.h"
#include "ui/tools/board_picture.h"
#include "ui/tools/tool_windows.h"

namespace sundial {
namespace {

struct Typed {
    ClockTime clock;
    double zone;
    int method;  // index in the list: shadow, enters, leaves, pin
    QString angle;
};

class MeasureBearingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::EnsureApplication();
        QLocale::setDefault(QLocale::c());
        main.site = {"Exeter, Britain", 50.7f, 3.5f, "185.2", 5.2f, "West", 1};
        dlg = &tools.MeasureBearing();
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
    static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    void Add(const Typed& t) {
        dlg->dtpDate->setDate(QDate(t.clock.year, t.clock.month, t.clock.day));
        dlg->dtpTime->setTime(QTime(t.clock.hour, t.clock.minute, int(t.clock.second)));
        dlg->cboZone->setCurrentIndex(dlg->cboZone->findData(t.zone));
        dlg->cboMethod->setCurrentIndex(t.method);
        dlg->txtAngle->setText(t.angle);
        dlg->cmdAdd->click();
    }
    // The shadow angle, as text, that the true sun gives a wall facing
    // `bearing` at Exeter at `clock` in zone `zone`.
    static QString AngleFor(double bearing, const ClockTime& clock, double zone) {
        const double az = SunAt(50.7f, 3.5f, clock, zone).position.value().azimuthDeg;
        return QString::number(az - bearing, 'f', 6);
    }
    QString Cell(int row, int column) const { return dlg->grdReadings->item(row, column)->text(); }

    testing::FakeMainWindow main;
    std::vector<QString> warnings;
    ToolWindows tools{main, [this](QWidget*, const QString& text) { warnings.push_back(text); }};
    QPointer<frmMeasureBearing> dlg;
};

const ClockTime kMorning{2026, 6, 21, 10, 15, 0};

TEST_F(MeasureBearingTest, OpensOnTheSitesClockWithNothingToUse) {
    // A gazetteer place's clock is its zone's, summer time included.
    const double offset =
        OffsetAtUtc(NamedZone("Europe/London"), ClockTimeOf(std::chrono::system_clock::now()))
            .hours.value();
    const QDateTime siteNow = QDateTime::currentDateTimeUtc().addSecs(std::lround(offset * 3600));
    EXPECT_LE(
        std::abs(QDateTime(dlg->dtpDate->date(), dlg->dtpTime->time(), Qt::UTC).secsTo(siteNow)),
        5);
    EXPECT_EQ(dlg->cboZone->currentText(), "Europe/London (with summer time)");
    EXPECT_TRUE(dlg->lblSite->text().contains("Exeter, Britain, 50.7 N 3.5 W; zone Europe/London"))
        << dlg->lblSite->text().toStdString();
    EXPECT_EQ(dlg->cboMethod->currentIndex(), 0);
    EXPECT_TRUE(dlg->txtAngle->isEnabled());
    EXPECT_FALSE(dlg->cmdUse->isEnabled());
    EXPECT_FALSE(dlg->cmdRemove->isEnabled());
    EXPECT_EQ(dlg->lblMean->text(), "No readings yet.");
    EXPECT_EQ(dlg->grdReadings->rowCount(), 0);
}

TEST_F(MeasureBearingTest, UseStoresTheMeanAsTheWallBearingDialogWouldAndRunsOnce) {
    Add({kMorning, 1, 0, AngleFor(193.4, kMorning, 1)});
    ASSERT_EQ(dlg->grdReadings->rowCount(), 1) << dlg->lblStatus->text().toStdString();
    EXPECT_EQ(Cell(0, 0), "2026-06-21 10:15:00");
    EXPECT_EQ(Cell(0, 1), "UTC+1");
    EXPECT_EQ(Cell(0, 5), "193.40");
    ASSERT_TRUE(dlg->cmdUse->isEnabled());
    EXPECT_EQ(main.Runs(), 0);

    dlg->cmdUse->click();
    Settle();
    EXPECT_TRUE(dlg.isNull());  // closed and destroyed
    EXPECT_EQ(main.site.WallBearing, "193.4");
    EXPECT_EQ(main.site.DeclinationSide, "West");
    EXPECT_NEAR(main.site.WallDeclination, 13.4f, 1e-4f);
    ASSERT_EQ(main.Runs(), 1);
    EXPECT_EQ(main.calls[0].site.WallBearing, "193.4");  // stored before the run
    EXPECT_EQ(main.site.PlaceName, "Exeter, Britain");   // nothing else touched
    EXPECT_TRUE(warnings.empty());
}

TEST_F(MeasureBearingTest, RefusedReadingsSayWhyAndAreNotAdded) {
    struct Row {
        const char* name;
        Typed typed;
        const char* words;
    };
    const std::vector<Row> rows = {
        {"no-angle", {kMorning, 1, 0, ""}, "Type the shadow's angle"},
        {"angle-word", {kMorning, 1, 0, "left"}, "Type the shadow's angle"},
        {"sun-behind-wall", {kMorning, 1, 0, "95"}, "the sun would be behind the wall"},
        {"shadow-at-night", {{2026, 12, 21, 22, 0, 0}, 0, 0, "10"}, "below the horizon"},
        {"sun-leaves-at-night", {{2026, 12, 21, 2, 0, 0}, 0, 2, ""}, "below the horizon"},
    };
    for (const Row& row : rows) {
        Add(row.typed);
        EXPECT_EQ(dlg->grdReadings->rowCount(), 0) << row.name;
        EXPECT_TRUE(dlg->lblStatus->text().contains(row.words))
            << row.name << ": " << dlg->lblStatus->text().toStdString();
        EXPECT_FALSE(dlg->cmdUse->isEnabled()) << row.name;
    }
}

TEST_F(MeasureBearingTest, EachReadingKeepsItsOwnZone) {
    // 10:15 on a UTC+1 clock and 09:15 on a UTC clock are the same instant.
    const QString angle = AngleFor(190, kMorning, 1);
    Add({kMorning, 1, 0, angle});
    Add({{2026, 6, 21, 9, 15, 0}, 0, 0, angle});
    ASSERT_EQ(dlg->grdReadings->rowCount(), 2);
    EXPECT_EQ(Cell(1, 1), "UTC");
    EXPECT_EQ(Cell(0, 3), Cell(1, 3));
    EXPECT_EQ(Cell(0, 5), Cell(1, 5));
    ASSERT_TRUE(dlg->Measurement());
    EXPECT_NEAR(*dlg->Measurement()->spreadDeg, 0.0, 1e-9);
}

TEST_F(MeasureBearingTest, SpreadWarningNamesTheFurthestReadingUntilItIsRemoved) {
    for (double b : {185.0, 186.0, 189.0}) Add({kMorning, 1, 0, AngleFor(b, kMorning, 1)});
    ASSERT_EQ(dlg->grdReadings->rowCount(), 3);
    EXPECT_TRUE(dlg->lblWarning->text().contains("reading 3 (shadow at 2026-06-21T10:15:00)"))
        << dlg->lblWarning->text().toStdString();
    EXPECT_TRUE(dlg->lblMean->text().contains("186.67 degrees from 3 readings"))
        << dlg->lblMean->text().toStdString();

    dlg->grdReadings->selectRow(2);
    dlg->cmdRemove->click();
    EXPECT_EQ(dlg->grdReadings->rowCount(), 2);
    EXPECT_TRUE(dlg->lblWarning->text().isEmpty());
    EXPECT_TRUE(dlg->lblMean->text().contains("185.50")) << dlg->lblMean->text().toStdString();
}

TEST_F(MeasureBearingTest, AWallOutsideTheRangeIsExplainedNotOffered) {
    Add({kMorning, 1, 0, AngleFor(95, kMorning, 1)});
    ASSERT_EQ(dlg->grdReadings->rowCount(), 1);
    EXPECT_FALSE(dlg->cmdUse->isEnabled());
    EXPECT_TRUE(dlg->lblStatus->text().contains("The wall faces 95.00 degrees, towards the east;"))
        << dlg->lblStatus->text().toStdString();
    dlg->cmdUse->click();  // disabled: nothing happens
    EXPECT_EQ(main.Runs(), 0);
    EXPECT_EQ(main.site.WallBearing, "185.2");
}

TEST_F(MeasureBearingTest, GrazingReadingsNeedNoAngle) {
    dlg->cboMethod->setCurrentIndex(1);
    EXPECT_FALSE(dlg->txtAngle->isEnabled());
    EXPECT_EQ(dlg->cboLight->currentText(), "First light");
    dlg->cboLight->setCurrentIndex(1);  // the sun's centre on the wall's plane
    const ClockTime early{2026, 6, 21, 8, 0, 0};
    Add({early, 1, 1, "not used"});
    ASSERT_EQ(dlg->grdReadings->rowCount(), 1) << dlg->lblStatus->text().toStdString();
    const double az = SunAt(50.7f, 3.5f, early, 1).position.value().azimuthDeg;
    EXPECT_EQ(Cell(0, 2), "sun comes onto the wall, centre of the sun");
    EXPECT_EQ(Cell(0, 5), QString::number(az + 90, 'f', 2));
}

TEST_F(MeasureBearingTest, AnglesAreTypedAndShownTheUsersWay) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Add({kMorning, 1, 0, "12,5"});
    ASSERT_EQ(dlg->grdReadings->rowCount(), 1) << dlg->lblStatus->text().toStdString();
    EXPECT_EQ(Cell(0, 2), "shadow, a = 12,50");
    EXPECT_EQ(dlg->picBoard->angle(), 12.5);
}

TEST_F(MeasureBearingTest, ToolWindowsMakeAFreshDialogAfterOneCloses) {
    EXPECT_EQ(&tools.MeasureBearing(), dlg.data());
    dlg->cmdClose->click();
    Settle();
    EXPECT_TRUE(dlg.isNull());
    EXPECT_EQ(tools.ExistingMeasureBearing(), nullptr);
    EXPECT_NE(&tools.MeasureBearing(), nullptr);
}

// Readings taken for one site are worked out again when the main window's
// site changes, and say so.
TEST_F(MeasureBearingTest, FollowsTheMainWindowsSite) {
    Add({kMorning, 1, 0, AngleFor(193.4, kMorning, 1)});
    ASSERT_EQ(dlg->Entries().size(), 1u);
    main.site = {"London, Britain", 51.5f, 0.1f, "185.2", 5.2f, "West", 0};
    dlg->Tick();
    ASSERT_EQ(dlg->Entries().size(), 1u);
    const WallReading& r = dlg->Entries()[0].kept.reading;
    const double expected = BearingFromReading({51.5f, 0.1f, 1, {}}, r).value.value().bearingDeg;
    EXPECT_EQ(Cell(0, 5), QString::number(expected, 'f', 2));
    EXPECT_NE(Cell(0, 5), "193.40");
    EXPECT_TRUE(dlg->lblStatus->text().startsWith("The site is now London, Britain"))
        << dlg->lblStatus->text().toStdString();
    EXPECT_TRUE(dlg->lblSite->text().contains("London, Britain"));
}

// Save, load and close: readings survive a file, a damaged file is refused
// whole, and unsaved readings are not dropped without asking.
TEST_F(MeasureBearingTest, KeepsReadingsInAFileAndAsksBeforeDroppingThem) {
    std::vector<QString> questions;
    bool answer = false;
    dlg->SetAsk([&](QWidget*, const QString& text) {
        questions.push_back(text);
        return answer;
    });
    Add({kMorning, 1, 0, AngleFor(193.4, kMorning, 1)});
    Add({{2026, 6, 21, 14, 0, 0}, 1, 0, AngleFor(193.6, {2026, 6, 21, 14, 0, 0}, 1)});
    QTemporaryDir dir;
    const std::string file = dir.filePath("readings.csv").toStdString();
    ASSERT_TRUE(dlg->SaveReadingsTo(file)) << dlg->lblStatus->text().toStdString();
    dlg->cmdRemove->click();  // a change not saved: loading asks first
    answer = true;
    ASSERT_TRUE(dlg->LoadReadingsFrom(file)) << dlg->lblStatus->text().toStdString();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_TRUE(questions[0].startsWith("Replace the 1 readings")) << questions[0].toStdString();
    ASSERT_EQ(dlg->grdReadings->rowCount(), 2);
    EXPECT_TRUE(dlg->lblMean->text().contains("193.50")) << dlg->lblMean->text().toStdString();

    std::ofstream(dir.filePath("bad.csv").toStdString())
        << "method,time,zone,utc_offset,angle,light\nshadow,2026-06-21T10:00:00,,1,,\n";
    EXPECT_FALSE(dlg->LoadReadingsFrom(dir.filePath("bad.csv").toStdString()));
    EXPECT_TRUE(dlg->lblStatus->text().contains("line 2: a shadow's angle"))
        << dlg->lblStatus->text().toStdString();
    EXPECT_EQ(dlg->grdReadings->rowCount(), 2);

    Add({kMorning, 1, 0, AngleFor(193.5, kMorning, 1)});  // not saved
    answer = false;
    dlg->cmdClose->click();
    Settle();
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[1], "Discard the 3 readings? They are not saved.");
    ASSERT_FALSE(dlg.isNull());
    answer = true;
    dlg->cmdClose->click();
    Settle();
    EXPECT_TRUE(dlg.isNull());
}

// A pin on a level plate: its readings give the plate's bearing and where
// north lies on it, never a wall's bearing to use; and they do not mix with
// a wall's readings.
TEST_F(MeasureBearingTest, PinReadingsGiveThePlatesNorthLineAndAreNotUsedForTheWall) {
    constexpr int kPin = 3;           // the method list's fourth entry
    constexpr double kPlate = 172.5;  // the plate's down line; north 7.5 degrees right of its top
    for (const ClockTime& at : {kMorning, ClockTime{2026, 6, 21, 15, 40, 0}}) {
        const double az = SunAt(50.7f, 3.5f, at, 1).position.value().azimuthDeg;
        Add({at, 1, kPin, QString::number(std::remainder(kPlate - 180 - az, 360.0), 'f', 6)});
    }
    ASSERT_EQ(dlg->grdReadings->rowCount(), 2) << dlg->lblStatus->text().toStdString();
    EXPECT_TRUE(Cell(0, 2).startsWith("pin, a = ")) << Cell(0, 2).toStdString();
    EXPECT_EQ(Cell(1, 5), "172.50");
    EXPECT_TRUE(dlg->lblMean->text().startsWith("Plate bearing 172.50 degrees from 2 readings"))
        << dlg->lblMean->text().toStdString();
    EXPECT_TRUE(dlg->lblStatus->text().startsWith("North lies 7.50 degrees right of the plate's"))
        << dlg->lblStatus->text().toStdString();
    EXPECT_FALSE(dlg->cmdUse->isEnabled());
    EXPECT_TRUE(dlg->lblPlan->text().contains("lit all day"));

    Add({kMorning, 1, 0, AngleFor(193.4, kMorning, 1)});
    EXPECT_EQ(dlg->grdReadings->rowCount(), 2);
    EXPECT_TRUE(dlg->lblStatus->text().contains("remove them first"));
}

// The zones on offer are the ones clocks keep, beyond whole hours.
TEST_F(MeasureBearingTest, OffersEveryOffsetInUse) {
    for (const double hours : {-12.0, -9.5, 5.75, 12.75, 14.0}) {
        EXPECT_GE(dlg->cboZone->findData(hours), 0) << hours;
    }
    EXPECT_GE(dlg->cboZone->findText("UTC+5:45"), 0);
}

// The clock runs until the person sets a time; "Now" starts it again.
TEST_F(MeasureBearingTest, TheClockRunsUntilATimeIsSet) {
    dlg->dtpTime->setTime(QTime(3, 0, 0));
    dlg->Tick();
    EXPECT_EQ(dlg->dtpTime->time(), QTime(3, 0, 0));
    dlg->cboZone->setCurrentIndex(dlg->cboZone->findData(0.0));
    dlg->cmdNow->click();
    const QDateTime shown(dlg->dtpDate->date(), dlg->dtpTime->time(), Qt::UTC);
    EXPECT_LE(std::abs(shown.secsTo(QDateTime::currentDateTimeUtc())), 5);
}

}  // namespace
}  // namespace sundial

// The bearing window's own site, typed anywhere the field tools reach, checked
// against `sundial-cli bearing` run for the same site and readings.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTimeEdit>
#include <nlohmann/json.hpp>

#include "tests/ui/support/fake_main_window.h"
#include "ui/tools/measure_bearing_dialog.h"
#include "ui/tools/site_entry.h"
#include "ui/tools/tool_windows.h"

namespace sundial {
namespace {

class BearingSiteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::EnsureApplication();
        QLocale::setDefault(QLocale::c());
        main.site = {"Exeter, Britain", 50.7f, 3.5f, "185.2", 5.2f, "West", 1};
        dlg = &tools.MeasureBearing();
    }
    void TypeSite(const QString& lat, int south, const QString& lon, int west) {
        SiteEntry& s = *dlg->fraSite;
        s.txtLatitude->setText(lat);
        s.cboNorthSouth->setCurrentIndex(south);
        s.txtLongitude->setText(lon);
        s.cboEastWest->setCurrentIndex(west);
        emit s.txtLongitude->editingFinished();
    }

    testing::FakeMainWindow main;
    ToolWindows tools{main, [](QWidget*, const QString&) {}};
    QPointer<frmMeasureBearing> dlg;
};

// A north-facing wall in Sydney in its winter, read three times on UTC+10's
// clock: the window's bearings are the command line's to the sixth place.
TEST_F(BearingSiteTest, ASydneyWallMeasuresAsTheCommandLineDoes) {
    TypeSite("33.87", 1, "151.21", 0);
    EXPECT_EQ(dlg->cboZone->currentData().toDouble(), 10.0);  // the longitude's band
    const std::vector<std::pair<QString, QString>> readings = {{"2026-06-21T10:15:00", "18.5"},
                                                               {"2026-06-21T12:00:00", "-8.25"},
                                                               {"2026-06-21T14:00:00", "-39.4"}};
    QStringList args = {"bearing", "--lat",  "33.87", "--south", "--lon",
                        "151.21",  "--east", "--utc", "10",      "--json"};
    for (const auto& [at, angle] : readings) {
        const QDateTime when = QDateTime::fromString(at, Qt::ISODate);
        dlg->dtpDate->setDate(when.date());
        dlg->dtpTime->setTime(when.time());
        dlg->txtAngle->setText(angle);
        dlg->cmdAdd->click();
        args << "--shadow" << at + "@" + angle;
    }
    ASSERT_EQ(dlg->Entries().size(), readings.size()) << dlg->lblStatus->text().toStdString();
    QProcess cli;
    cli.start(SUNDIAL_CLI_PATH, args);
    ASSERT_TRUE(cli.waitForFinished(30000));
    const auto json = nlohmann::json::parse(cli.readAllStandardOutput().toStdString());
    for (size_t i = 0; i < readings.size(); ++i) {
        EXPECT_NEAR(dlg->Entries()[i].result.bearingDeg,
                    json["readings"][i]["bearing"].get<double>(), 1e-6)
            << i;
    }
    ASSERT_TRUE(dlg->Measurement().has_value());
    EXPECT_NEAR(dlg->Measurement()->meanDeg, json["bearing"].get<double>(), 1e-6);
    // The main window still designs for Exeter.
    EXPECT_TRUE(main.site.Latitude == 50.7f && main.site.PlaceName == "Exeter, Britain");
}

// Coordinates out of the field tools' range are explained beside the boxes,
// and no reading can be added until they are put right.
TEST_F(BearingSiteTest, AnOutOfRangeSiteIsExplainedAndBlocksReadings) {
    // Latitude, longitude, and words of the complaint.
    const char* const rows[][3] = {{"89.5", "10", "from 0 to 89 degrees"},
                                   {"-20", "10", "latitude's size"},
                                   {"5", "180.5", "from 0 to 180 degrees"},
                                   {"5", "", "longitude's size"}};
    for (const auto& [lat, lon, words] : rows) {
        TypeSite(lat, 0, lon, 1);
        EXPECT_TRUE(dlg->fraSite->lblProblem->text().contains(words))
            << dlg->fraSite->lblProblem->text().toStdString();
        EXPECT_FALSE(dlg->cmdAdd->isEnabled()) << words;
        EXPECT_TRUE(dlg->lblSite->text().contains("Exeter")) << words;
    }
    TypeSite("5", 0, "75", 1);  // the tropics are in range
    EXPECT_TRUE(dlg->fraSite->lblProblem->text().isEmpty());
    EXPECT_TRUE(dlg->cmdAdd->isEnabled());
    EXPECT_TRUE(dlg->lblSite->text().contains("5 N 75 W"));
}

}  // namespace
}  // namespace sundial

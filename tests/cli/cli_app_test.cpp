#include "cli/cli_app.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/core/io/io_test_support.h"

namespace sundial {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status;
    QString out;
    QString err;
};

Outcome RunCommand(QStringList args) {
    args.prepend("sundial-cli");
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const int status = RunCli(args, outStream, errStream);
    outStream.flush();
    errStream.flush();
    return {status, out, err};
}

// Values printed to 7 significant digits and read back as singles.
constexpr double kFourPlaces = 5e-5;

TEST(Cli, ReportForAPlacePrintsTheCalculations) {
    const Outcome o = RunCommand({"report", "--place", "London"});
    EXPECT_EQ(o.status, kCliOk);
    EXPECT_TRUE(o.out.startsWith("  Sundial Calculation for:   London, Britain\n"));
    EXPECT_TRUE(o.out.contains("\n   7          -72.68    \n"));
    EXPECT_TRUE(o.err.isEmpty());
}

TEST(Cli, JsonForTypedCoordinatesGivesTheWorkedExample) {
    const Outcome o = RunCommand({"report", "--lat", "51.5", "--lon", "0.12", "--west", "--json"});
    ASSERT_EQ(o.status, kCliOk) << o.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(o.out.toUtf8()).object();
    EXPECT_EQ(json["PlaceName"].toString(), "Unknown");
    EXPECT_EQ(json["DeclinationSide"].toString(), "West");
    EXPECT_EQ(json["OffsetSide"].toString(), "right.");
    EXPECT_EQ(json["UtcOffset"].toDouble(), 0.0);
    EXPECT_NEAR(json["GnomonAngle"].toDouble(), 38.3127, kFourPlaces);
    EXPECT_NEAR(json["GnomonOffset"].toDouble(), 4.1235, kFourPlaces);
    EXPECT_NEAR(json["SubstyleHourAngle"].toDouble(), 6.6330, kFourPlaces);
    // Singles are printed as their shortest text: 72.71 stays 72.71.
    EXPECT_EQ(json["ShadowAngle"].toObject()["7"].toDouble(), 72.71);
    EXPECT_EQ(json["FirstPositiveHour"].toInt(), 7);
    EXPECT_EQ(json["LastNegativeHour"].toInt(), 18);
    const QJsonArray list = json["HourList"].toArray();
    ASSERT_EQ(list.size(), 12);
    EXPECT_EQ(list[0].toArray()[0].toInt(), 7);
    EXPECT_EQ(list[0].toArray()[1].toDouble(), -72.71);
}

TEST(Cli, TypedCoordinatesTakeTheLongitudesZoneUnlessUtcIsGiven) {
    auto zone = [](QStringList extra) {
        const Outcome o = RunCommand(QStringList{"report", "--lat", "48", "--json"} + extra);
        return QJsonDocument::fromJson(o.out.toUtf8()).object()["UtcOffset"].toDouble();
    };
    EXPECT_EQ(zone({"--lon", "19", "--east"}), 1.0);
    EXPECT_EQ(zone({"--lon", "80", "--west"}), -5.0);
    EXPECT_EQ(zone({"--lon", "80", "--west", "--utc", "-4"}), -4.0);
    const Outcome placed = RunCommand({"report", "--place", "Aberdeen, USA", "--json"});
    EXPECT_EQ(QJsonDocument::fromJson(placed.out.toUtf8()).object()["UtcOffset"].toDouble(), -7.0);
}

TEST(Cli, BadInputExitsWithTwoAndAClearMessage) {
    struct Row {
        const char* name;
        QStringList args;
        const char* message;
    } rows[] = {
        {"ambiguous place", {"report", "--place", "Aberdeen"}, "Aberdeen, USA"},
        {"unknown place", {"report", "--place", "Atlantis"}, "no place"},
        {"latitude low", {"report", "--lat", "14.99", "--lon", "1", "--west"}, "Latidude outside"},
        {"latitude high", {"report", "--lat", "70.01", "--lon", "1", "--west"}, "Latidude outside"},
        {"longitude high", {"report", "--lat", "50", "--lon", "180.5", "--east"}, "Set Longitude"},
        {"longitude signed", {"report", "--lat", "50", "--lon", "-5", "--east"}, "Set Longitude"},
        {"no side", {"report", "--lat", "50", "--lon", "5"}, "--east or --west"},
        {"lat alone", {"report", "--lat", "50"}, "go together"},
        {"bearing low", {"report", "--bearing", "109.9"}, "Bearing value outside"},
        {"bearing word", {"report", "--bearing", "south"}, "not a number"},
        {"fractional zone", {"report", "--utc", "5.5"}, "whole number"},
        {"zone too far", {"report", "--utc", "13"}, "whole number"},
        {"unknown command", {"draw"}, "Usage"},
        {"unknown option", {"report", "--colour", "red"}, "colour"},
        {"repeated option", {"report", "--place", "London", "--place", "Paris"}, "more than once"},
        {"empty pdf path", {"report", "--pdf", ""}, "--pdf: an empty value"},
        {"empty settings path", {"report", "--settings="}, "--settings: an empty value"},
        {"empty settings argument", {"report", "--settings", ""}, "--settings: an empty value"},
        {"empty pdf path joined", {"report", "--json", "--pdf="}, "--pdf: an empty value"},
        {"stray argument", {"report", "London"}, "unexpected argument"},
    };
    for (const Row& row : rows) {
        const Outcome o = RunCommand(row.args);
        EXPECT_EQ(o.status, kCliBadInput) << row.name;
        EXPECT_TRUE(o.out.isEmpty()) << row.name;
        EXPECT_TRUE(o.err.contains(row.message)) << row.name << ": " << o.err.toStdString();
    }
}

TEST(Cli, AcceptsTheLimitsOfEachRange) {
    for (const QStringList& args :
         {QStringList{"report", "--lat", "15", "--lon", "180", "--east"},
          QStringList{"report", "--lat", "70", "--lon", "0", "--west"},
          QStringList{"report", "--bearing", "110"}, QStringList{"report", "--bearing", "250"},
          QStringList{"report", "--utc", "-12"}}) {
        EXPECT_EQ(RunCommand(args).status, kCliOk) << args.join(' ').toStdString();
    }
}

TEST(Cli, SettingsFileIsReadAsStartUpDoesAndSavedAsARunDoes) {
    const fs::path file = fs::temp_directory_path() / ("sundial_cli_" + std::to_string(::getpid()));
    std::ofstream(file, std::ios::binary) << "-2.35\r\n48.85\r\n200\r\n1\r\n";
    const QString path = QString::fromStdString(file.string());

    const Outcome restored = RunCommand({"report", "--settings", path, "--json"});
    const QJsonObject json = QJsonDocument::fromJson(restored.out.toUtf8()).object();
    EXPECT_EQ(json["PlaceName"].toString(), "Unknown");
    EXPECT_EQ(json["WallBearing"].toString(), "200");
    EXPECT_EQ(json["UtcOffset"].toDouble(), 1.0);

    EXPECT_EQ(RunCommand({"report", "--settings", path, "--bearing", "174.8"}).status, kCliOk);
    std::ifstream in(file, std::ios::binary);
    std::stringstream saved;
    saved << in.rdbuf();
    EXPECT_EQ(saved.str(), "-2.35\r\n48.85\r\n174.8\r\n1\r\n");

    // Bad input writes nothing, not even the settings file.
    EXPECT_EQ(RunCommand({"report", "--settings", path, "--bearing", "300"}).status, kCliBadInput);
    std::ifstream again(file, std::ios::binary);
    std::stringstream unchanged;
    unchanged << again.rdbuf();
    EXPECT_EQ(unchanged.str(), saved.str());
    fs::remove(file);
}

// An unusable settings file still gives way to the default site, which the
// run then saves, as at the desktop's start-up; but first stderr says which
// file could not be used and why.
TEST(Cli, AnUnusableSettingsFileIsNamedOnStderrBeforeItIsSavedOver) {
    io::testing::ScratchFolder folder;
    const fs::path file = folder / "localdata.txt";
    const std::string path = file.string();
    const struct {
        const char* name;
        std::string bytes;
        std::string warning;  // empty: none
    } rows[] = {
        {"usable", "-2.35\r\n48.85\r\n200\r\n1\r\n", ""},
        {"byte-order mark", "\xEF\xBB\xBF-2.35\r\n48.85\r\n200\r\n1\r\n",
         "warning: The settings file \"" + path +
             "\" could not be used (it starts with a byte-order mark); the default site is "
             "used instead.\n"},
        {"UTF-16",
         std::string("\xFF\xFE-\0"
                     "2\0\r\0\n\0",
                     10),
         "warning: The settings file \"" + path +
             "\" could not be used (it is UTF-16 text); the default site is used instead.\n"},
        {"missing lines", "-2.35\r\n48.85\r\n",
         "warning: The settings file \"" + path +
             "\" could not be used (it holds only 2 of the 4 values); the default site is "
             "used instead.\n"},
    };
    for (const auto& row : rows) {
        io::testing::WriteAll(file, row.bytes);
        const Outcome o = RunCommand({"report", "--settings", QString::fromStdString(path)});
        EXPECT_EQ(o.status, kCliOk) << row.name;
        EXPECT_EQ(o.err.toStdString(), row.warning) << row.name;
        if (!row.warning.empty()) {
            EXPECT_EQ(io::testing::ReadAll(file), "3.5\r\n50.7\r\n185.2\r\n0\r\n") << row.name;
        }
    }
}

// A FIFO named as the settings file used to hang the program at start-up.
TEST(Cli, ASettingsPathThatIsNotAFileIsLeftAloneAndTheDefaultSiteUsed) {
    io::testing::ScratchFolder folder;
    const fs::path fifo = folder / "localdata.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    io::testing::HangGuard guard;
    const Outcome o =
        RunCommand({"report", "--settings", QString::fromStdString(fifo.string()), "--json"});
    EXPECT_EQ(o.status, kCliOk);
    EXPECT_EQ(QJsonDocument::fromJson(o.out.toUtf8()).object()["PlaceName"].toString(),
              "Exeter, Britain");
    EXPECT_TRUE(
        o.err.contains("(it is not a regular file); the default site is used instead "
                       "and the file is left alone."))
        << o.err.toStdString();
    EXPECT_TRUE(io::testing::IsFifo(fifo));
}

// A save or a sheet that cannot be finished keeps the old file and says why;
// the settings failure is a warning (the report itself is right), the sheet's
// a failed run.
TEST(Cli, FailedWritesKeepTheOldFilesAndSayWhy) {
    io::testing::ScratchFolder folder;
    const fs::path settings = folder / "localdata.txt";
    const fs::path sheet = folder / "sheet.pdf";
    const std::string oldSettings = "-2.35\r\n48.85\r\n200\r\n1\r\n";
    io::testing::WriteAll(settings, oldSettings);
    io::testing::WriteAll(sheet, "the last good sheet");
    const QString settingsPath = QString::fromStdString(settings.string());
    const QString sheetPath = QString::fromStdString(sheet.string());
    const struct {
        const char* name;
        io::FileStep step;
        int error;
        QStringList args;
        int status;
        QString message;
    } rows[] = {
        {"settings on a full disk",
         io::FileStep::Write,
         ENOSPC,
         {"report", "--settings", settingsPath, "--bearing", "174.8"},
         kCliOk,
         "warning: the site could not be saved to " + settingsPath +
             " (No space left on device); the file is unchanged.\n"},
        {"settings not synced",
         io::FileStep::Sync,
         EIO,
         {"report", "--settings", settingsPath, "--utc", "2"},
         kCliOk,
         "warning: the site could not be saved to " + settingsPath +
             " (Input/output error); the file is unchanged.\n"},
        {"sheet on a full disk",
         io::FileStep::Write,
         ENOSPC,
         {"report", "--place", "Paris", "--pdf", sheetPath},
         kCliRunFailed,
         "Could not write the PDF file \"" + sheetPath + "\": No space left on device\n"},
    };
    for (const auto& row : rows) {
        io::testing::ScopedFault fault(row.step, row.error);
        const Outcome o = RunCommand(row.args);
        EXPECT_EQ(o.status, row.status) << row.name;
        EXPECT_EQ(o.err.toStdString(), row.message.toStdString()) << row.name;
        EXPECT_EQ(io::testing::ReadAll(settings), oldSettings) << row.name;
        EXPECT_EQ(io::testing::ReadAll(sheet), "the last good sheet") << row.name;
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 2) << row.name;
    }
}

TEST(Cli, PlacesListsEveryRowTabSeparated) {
    const Outcome o = RunCommand({"places"});
    EXPECT_EQ(o.status, kCliOk);
    const QStringList lines = o.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 270);
    EXPECT_EQ(lines[0], "West Europe\tAustria/Switz\tBasel\tBasel, Switzerland\t47.5\t-7.6\t1");
}

}  // namespace
}  // namespace sundial

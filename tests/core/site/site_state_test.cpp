#include "core/site/site_state.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "tests/core/io/io_test_support.h"

namespace sundial {
namespace {

namespace fs = std::filesystem;

// The file holds singles: restored values are compared as the singles written.
constexpr float kSingleTol = 0.0f;  // text with <= 7 digits reads back exactly

// Records what start-up asks of the windows, and plays the parts the desktop
// plays: Timeset stores whole-number zones, Exeter is picked as a click would.
class RecordingHost final : public StartupHost {
  public:
    explicit RecordingHost(SiteState& site) : site_(site) {}
    void ClearLocationChecks() override { calls.push_back("ClearLocationChecks"); }
    void CheckLocationItem(LocationItem item) override {
        static const char* names[] = {"UserLatLong", "WestEurope", "EastEurope", "NorthAmerica"};
        calls.push_back(std::string("Check ") + names[static_cast<int>(item)]);
    }
    void Timeset(double value) override {
        std::ostringstream s;
        s << "Timeset " << value;
        calls.push_back(s.str());
        if (value == static_cast<int>(value) && value >= -12 && value <= 12) {
            site_.UtcOffset = static_cast<float>(value);
        }
    }
    void SelectExeter() override {
        calls.push_back("SelectExeter");
        site_.PlaceName = "Exeter, Britain";
        site_.Latitude = 50.7f;
        site_.Longitude = 3.5f;
        Timeset(0);
    }
    std::vector<std::string> calls;

  private:
    SiteState& site_;
};

class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("sundial_settings_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }
    fs::path File() const { return SettingsPathIn(dir_); }
    void Write(const std::string& text) const { std::ofstream(File(), std::ios::binary) << text; }
    std::string Read() const {
        std::ifstream in(File(), std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    fs::path dir_;
};

SiteState DefaultSite() {
    SiteState site;
    site.Latitude = 50.7f;
    site.Longitude = 3.5f;
    site.WallBearing = "185.2";
    site.UtcOffset = 0;
    return site;
}

TEST(DeriveDeclination, SideAndAmountFromBearing) {
    struct Row {
        const char* bearing;
        const char* side;
        float declination;
    } rows[] = {{"185.2", "West", 5.2f},
                {"174.8", "East", 5.2f},
                {"180", "South", 0},
                {"250", "West", 70},
                {"110", "East", 70}};
    // 185.2 - 180 in double, stored as single: within one single ulp of 5.2.
    constexpr float kDeclTol = 1e-5f;
    for (const Row& row : rows) {
        SiteState site;
        site.WallBearing = row.bearing;
        DeriveDeclination(site);
        EXPECT_EQ(site.DeclinationSide, row.side) << row.bearing;
        EXPECT_NEAR(site.WallDeclination, row.declination, kDeclTol) << row.bearing;
    }
}

TEST_F(SettingsFileTest, DefaultSiteIsSavedAsFourCrLfLines) {
    ASSERT_TRUE(SaveSiteSettings(DefaultSite(), File()));
    EXPECT_EQ(Read(), "3.5\r\n50.7\r\n185.2\r\n0\r\n");
}

TEST_F(SettingsFileTest, SavingUnderACommaLocaleStillWritesFullStops) {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 not installed";
    std::locale::global(std::locale("de_DE.UTF-8"));
    const bool saved = SaveSiteSettings(DefaultSite(), File());
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, "C");
    ASSERT_TRUE(saved);
    EXPECT_EQ(Read(), "3.5\r\n50.7\r\n185.2\r\n0\r\n");
}

TEST_F(SettingsFileTest, SaveIntoAnUnwritableFolderReportsFalseWithoutThrowing) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(SaveSiteSettings(DefaultSite(), File()));
}

TEST_F(SettingsFileTest, SaveIntoAMissingFolderReportsFalse) {
    EXPECT_FALSE(SaveSiteSettings(DefaultSite(), dir_ / "missing" / kSettingsFileName));
}

TEST_F(SettingsFileTest, NoFileAppliesTheDefaultSite) {
    SiteState site;
    RecordingHost host(site);
    LoadSiteSettings(site, host, File());
    EXPECT_EQ(host.calls,
              (std::vector<std::string>{"Check WestEurope", "SelectExeter", "Timeset 0"}));
    EXPECT_EQ(site.PlaceName, "Exeter, Britain");
    EXPECT_EQ(site.WallBearing, "185.2");
    EXPECT_EQ(site.DeclinationSide, "West");
    EXPECT_EQ(site.UtcOffset, 0.0f);
}

TEST_F(SettingsFileTest, ValidFileIsRestoredAsUnknownWithUserChecks) {
    Write("-2.35\r\n48.85\r\n200\r\n1\r\n");
    SiteState site;
    RecordingHost host(site);
    LoadSiteSettings(site, host, File());
    EXPECT_EQ(host.calls,
              (std::vector<std::string>{"ClearLocationChecks", "Check UserLatLong", "Timeset 1"}));
    EXPECT_NEAR(site.Longitude, -2.35f, kSingleTol);
    EXPECT_NEAR(site.Latitude, 48.85f, kSingleTol);
    EXPECT_EQ(site.WallBearing, "200");
    EXPECT_EQ(site.UtcOffset, 1.0f);
    EXPECT_EQ(site.PlaceName, "Unknown");
    EXPECT_EQ(site.DeclinationSide, "West");
    EXPECT_EQ(site.WallDeclination, 20.0f);
}

// Every file that cannot give a usable site falls back to Exeter's coordinates
// and bearing, named "Unknown", with "User set Lat and Long" checked, and says
// why for the user.
TEST_F(SettingsFileTest, UnusableFilesFallBackToTheDefaultSite) {
    struct Row {
        const char* name;
        std::string text;
        const char* problem;
    } rows[] = {
        {"word bearing", "-2.35\r\n48.85\r\nsouth\r\n1\r\n",
         "the wall bearing \"south\" is not a number"},
        {"too few values", "-2.35\r\n48.85\r\n", "it holds only 2 of the 4 values"},
        {"empty file", "", "it holds no values"},
        {"nan latitude", "-2.35\r\nnan\r\n200\r\n1\r\n",
         "the latitude \"nan\" is not a finite number"},
        {"inf longitude", "inf\r\n48.85\r\n200\r\n1\r\n",
         "the longitude \"inf\" is not a finite number"},
        {"overflowing bearing", "-2.35\r\n48.85\r\n1e999\r\n1\r\n",
         "the wall bearing \"1e999\" is not a number"},
        {"latitude 0 would divide by zero", "-2.35\r\n0\r\n200\r\n1\r\n",
         "the latitude \"0\" lies outside 15 to 70"},
        {"latitude above 70", "-2.35\r\n80\r\n200\r\n1\r\n",
         "the latitude \"80\" lies outside 15 to 70"},
        {"longitude beyond 180", "-181\r\n48.85\r\n200\r\n1\r\n",
         "the longitude \"-181\" lies outside -180 to 180"},
        {"bearing below 110", "-2.35\r\n48.85\r\n90\r\n1\r\n",
         "the wall bearing \"90\" lies outside 110 to 250"},
        {"only commas", ",,,,,,", "the longitude is empty"},
        {"blank latitude", "-2.35\r\n \r\n200\r\n1\r\n", "the latitude is empty"},
        {"word longitude", "east\r\n48.85\r\n200\r\n1\r\n",
         "the longitude \"east\" is not a number"},
        {"long word shown short", "abcdefghijklmnopqrstuvwxyz\r\n48.85\r\n200\r\n1\r\n",
         "the longitude \"abcdefghijklmnopqrstuvwx...\" is not a number"},
        {"byte-order mark", "\xEF\xBB\xBF-2.35\r\n48.85\r\n200\r\n1\r\n",
         "it starts with a byte-order mark"},
        {"UTF-16",
         std::string("\xFF\xFE-\0"
                     "2\0\r\0\n\0",
                     10),
         "it is UTF-16 text"},
        {"UTF-16 without a mark",
         std::string("-\0"
                     "2\0\r\0\n\0"
                     "4\0"
                     "8\0\r\0\n\0",
                     16),
         "it holds NUL bytes"},
    };
    for (const Row& row : rows) {
        Write(row.text);
        SiteState site;
        RecordingHost host(site);
        const SettingsFile read = LoadSiteSettings(site, host, File());
        EXPECT_EQ(read.problem, row.problem) << row.name;
        EXPECT_EQ(site.Latitude, 50.7f) << row.name;
        EXPECT_EQ(site.Longitude, 3.5f) << row.name;
        EXPECT_EQ(site.WallBearing, "185.2") << row.name;
        EXPECT_EQ(site.UtcOffset, 0.0f) << row.name;
        EXPECT_EQ(site.PlaceName, "Unknown") << row.name;
        EXPECT_EQ(site.DeclinationSide, "West") << row.name;
        ASSERT_FALSE(host.calls.empty());
        EXPECT_EQ(host.calls.back(), "Timeset 0") << row.name;
        EXPECT_EQ(host.calls[host.calls.size() - 2], "Check UserLatLong") << row.name;
    }
}

TEST_F(SettingsFileTest, ReaderAcceptsLfCommasAndMissingLeadingZeros) {
    struct Row {
        const char* name;
        const char* text;
        float lon;
    } rows[] = {
        {"LF endings", "-2.35\n48.85\n200\n1\n", -2.35f},
        {"commas", "-2.35,48.85,200,1", -2.35f},
        {"no leading zero", "-.5\r\n48.85\r\n200\r\n1\r\n", -0.5f},
        {"leading zero", "0.5\r\n48.85\r\n200\r\n1\r\n", 0.5f},
        {"blanks round values", " 0.5 \r\n 48.85\r\n200 \r\n1\r\n", 0.5f},
    };
    for (const Row& row : rows) {
        const SettingsFile file = ParseSettingsText(row.text);
        EXPECT_TRUE(file.usable) << row.name;
        EXPECT_EQ(file.Longitude, row.lon) << row.name;
        EXPECT_EQ(file.Latitude, 48.85f) << row.name;
        EXPECT_EQ(file.UtcOffset, 1.0f) << row.name;
    }
}

TEST_F(SettingsFileTest, FractionalZoneIsKeptButSelectsNoMenuItem) {
    Write("-2.35\r\n48.85\r\n200\r\n5.5\r\n");
    SiteState site;
    RecordingHost host(site);
    LoadSiteSettings(site, host, File());
    EXPECT_EQ(site.UtcOffset, 5.5f);
    EXPECT_EQ(host.calls.back(), "Timeset 5.5");
}

TEST_F(SettingsFileTest, SaveThenLoadGivesTheSiteBack) {
    SiteState saved = DefaultSite();
    saved.Longitude = -19.1f;
    saved.Latitude = 47.5f;
    saved.WallBearing = "174.8";
    saved.UtcOffset = -5;
    ASSERT_TRUE(SaveSiteSettings(saved, File()));
    const SettingsFile file = ReadSettingsFile(File());
    ASSERT_TRUE(file.usable);
    EXPECT_EQ(file.Longitude, saved.Longitude);
    EXPECT_EQ(file.Latitude, saved.Latitude);
    EXPECT_EQ(file.WallBearing, saved.WallBearing);
    EXPECT_EQ(file.UtcOffset, saved.UtcOffset);
}

TEST_F(SettingsFileTest, WrongLetterCaseIsNotTheSettingsFile) {
    std::ofstream(dir_ / "LocalData.txt") << "-2.35\r\n48.85\r\n200\r\n1\r\n";
    EXPECT_FALSE(ReadSettingsFile(File()).present);
}

// The zone goes back into the file and into every run: one the menu cannot
// hold would fail every run ("inf") or draw no hour lines, so it reads as 0,
// as a zone that is not a number does; the site itself is still restored.
TEST_F(SettingsFileTest, ZoneOutsideTheMenuReadsAsZero) {
    struct Row {
        const char* name;
        const char* zone;
        float expected;
    } rows[] = {
        {"east limit", "12", 12},         {"west limit", "-12", -12},
        {"fractional", "5.5", 5.5f},      {"beyond 12", "12.5", 0},
        {"beyond -12", "-12.0001", 0},    {"huge", "1e30", 0},
        {"overflows to inf", "1e300", 0}, {"infinity", "inf", 0},
        {"not a number", "nan", 0},       {"word", "GMT", 0},
    };
    for (const Row& row : rows) {
        const SettingsFile file =
            ParseSettingsText(std::string("-2.35\r\n48.85\r\n200\r\n") + row.zone + "\r\n");
        EXPECT_TRUE(file.usable) << row.name;
        EXPECT_EQ(file.problem, "") << row.name;
        EXPECT_EQ(file.UtcOffset, row.expected) << row.name;
    }
}

TEST_F(SettingsFileTest, AHugeZoneIsSavedBackAsZero) {
    Write("-2.35\r\n48.85\r\n200\r\n1e300\r\n");
    SiteState site;
    RecordingHost host(site);
    LoadSiteSettings(site, host, File());
    ASSERT_TRUE(SaveSiteSettings(site, File()));
    EXPECT_EQ(Read(), "-2.35\r\n48.85\r\n200\r\n0\r\n");
}

// Only the start of the file is read: what lies beyond the four values, however
// much, changes nothing, and a value cut off by the read limit is not taken.
TEST_F(SettingsFileTest, OnlyTheStartOfAHugeFileCounts) {
    const std::string site = "-2.35\r\n48.85\r\n200\r\n1\r\n";
    const std::string padding(kSettingsReadLimit - site.size() + 2, ' ');
    struct Row {
        const char* name;
        std::string text;
        bool usable;
        float zone;
    } rows[] = {
        {"commas after the values", site + std::string(1'000'000, ','), true, 1},
        {"text after the values", site + std::string(1'000'000, 'x'), true, 1},
        {"zone cut by the limit", "-2.35\r\n48.85\r\n200\r\n" + padding + "12\r\n", false, 0},
        {"values beyond the limit", std::string(kSettingsReadLimit, '\n') + site, false, 0},
    };
    for (const Row& row : rows) {
        Write(row.text);
        const SettingsFile file = ReadSettingsFile(File());
        EXPECT_TRUE(file.present) << row.name;
        EXPECT_EQ(file.usable, row.usable) << row.name;
        EXPECT_EQ(file.UtcOffset, row.zone) << row.name;
    }
}

// The 100 MB file of the field report, sparse so that it costs no disk: read
// as far as the limit, not to its end.
TEST_F(SettingsFileTest, AHundredMegabyteFileStartsWithTheSiteAtItsHead) {
    Write("-2.35\r\n48.85\r\n200\r\n1\r\n");
    fs::resize_file(File(), 100'000'000);
    const SettingsFile file = ReadSettingsFile(File());
    EXPECT_TRUE(file.usable);
    EXPECT_EQ(file.Longitude, -2.35f);
    EXPECT_EQ(file.UtcOffset, 1.0f);
}

// Anything but a regular file is left alone: not opened (a FIFO would hang
// start-up), not replaced, and start-up goes on with the default site.
TEST_F(SettingsFileTest, ASettingsPathThatIsNotARegularFileIsLeftAlone) {
    const struct {
        const char* name;
        std::function<void(const fs::path&)> make;
        const char* problem;
        const char* saveError;
    } rows[] = {
        {"fifo", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
         "it is not a regular file", "it is not a regular file"},
        {"folder", [](const fs::path& p) { fs::create_directory(p); }, "it is a folder",
         "Is a directory"},
        {"link to a fifo",
         [](const fs::path& p) {
             ASSERT_EQ(::mkfifo((p.string() + ".fifo").c_str(), 0600), 0);
             fs::create_symlink(p.string() + ".fifo", p);
         },
         "it is not a regular file", "it is not a regular file"},
    };
    io::testing::HangGuard guard;
    for (const auto& row : rows) {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        row.make(File());
        const auto typeBefore = fs::status(File()).type();
        SiteState site;
        RecordingHost host(site);
        const SettingsFile read = LoadSiteSettings(site, host, File());
        EXPECT_FALSE(read.present) << row.name;
        EXPECT_EQ(read.problem, row.problem) << row.name;
        EXPECT_EQ(host.calls,
                  (std::vector<std::string>{"Check WestEurope", "SelectExeter", "Timeset 0"}))
            << row.name;
        std::string error;
        EXPECT_FALSE(SaveSiteSettings(site, File(), &error)) << row.name;
        EXPECT_EQ(error, row.saveError) << row.name;
        EXPECT_EQ(fs::status(File()).type(), typeBefore) << row.name;
    }
}

TEST_F(SettingsFileTest, TheProblemMessageNamesTheFileAndWhatHappens) {
    SettingsFile unusable;
    unusable.present = true;
    unusable.problem = "it starts with a byte-order mark";
    SettingsFile special;
    special.problem = "it is not a regular file";
    const struct {
        const char* name;
        SettingsFile read;
        std::string message;
    } rows[] = {
        {"restored", SettingsFile{}, ""},
        {"unusable file", unusable,
         "The settings file \"/w/localdata.txt\" could not be used (it starts with a "
         "byte-order mark); the default site is used instead."},
        {"not a regular file", special,
         "The settings file \"/w/localdata.txt\" could not be used (it is not a regular "
         "file); the default site is used instead and the file is left alone."},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SettingsProblemMessage("/w/localdata.txt", row.read), row.message) << row.name;
    }
}

struct SaveFault {
    const char* name;
    io::FileStep step;
    int error;
};

class FailedSaveTest : public SettingsFileTest, public ::testing::WithParamInterface<SaveFault> {};

// A save that fails part way (a full disk, a failing sync) keeps the user's
// site: the file holds the old four lines, never nothing.
TEST_P(FailedSaveTest, KeepsTheOldSiteAndSaysWhy) {
    const std::string old = "-2.35\r\n48.85\r\n200\r\n1\r\n";
    Write(old);
    io::testing::ScopedFault fault(GetParam().step, GetParam().error);
    std::string error;
    EXPECT_FALSE(SaveSiteSettings(DefaultSite(), File(), &error));
    EXPECT_EQ(error, std::generic_category().message(GetParam().error));
    EXPECT_EQ(Read(), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1);  // no partial file beside it
}

INSTANTIATE_TEST_SUITE_P(Faults, FailedSaveTest,
                         ::testing::Values(SaveFault{"DiskFull", io::FileStep::Write, ENOSPC},
                                           SaveFault{"SyncFails", io::FileStep::Sync, EIO},
                                           SaveFault{"RenameFails", io::FileStep::Rename, EROFS}),
                         [](const auto& info) { return std::string(info.param.name); });

// Every resize of the window is a run and a save: the same site is not
// written again, so a storm of runs costs no synced writes.
TEST_F(SettingsFileTest, AnUnchangedSiteIsNotWrittenAgain) {
    ASSERT_TRUE(SaveSiteSettings(DefaultSite(), File()));
    io::testing::ScopedFault noWrites(io::FileStep::Create, EACCES);
    EXPECT_TRUE(SaveSiteSettings(DefaultSite(), File()));
    SiteState moved = DefaultSite();
    moved.WallBearing = "200";
    std::string error;
    EXPECT_FALSE(SaveSiteSettings(moved, File(), &error));
    EXPECT_EQ(error, "Permission denied");
    // A longer file that merely starts with the site's bytes is rewritten.
    Write("3.5\r\n50.7\r\n185.2\r\n0\r\nmore");
    EXPECT_FALSE(SaveSiteSettings(DefaultSite(), File()));
}

// The desktop program rewrites the file on every resize; killed in the middle
// it used to leave an empty file, and the next start showed Exeter.
TEST_F(SettingsFileTest, KilledWhileSavingTheOldSiteIsRestoredNextTime) {
    const std::string old = "-2.35\r\n48.85\r\n200\r\n1\r\n";
    Write(old);
    for (io::FileStep step : {io::FileStep::Write, io::FileStep::Sync, io::FileStep::Rename}) {
        EXPECT_EXIT(
            {
                io::testing::KillAt(step);
                SaveSiteSettings(DefaultSite(), File());
            },
            ::testing::KilledBySignal(SIGKILL), "");
        EXPECT_EQ(Read(), old);
        EXPECT_TRUE(ReadSettingsFile(File()).usable);
    }
}

}  // namespace
}  // namespace sundial

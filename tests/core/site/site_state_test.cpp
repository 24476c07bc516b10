#include "core/site/site_state.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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
// and bearing, named "Unknown", with "User set Lat and Long" checked.
TEST_F(SettingsFileTest, UnusableFilesFallBackToTheDefaultSite) {
    struct Row {
        const char* name;
        const char* text;
    } rows[] = {
        {"word bearing", "-2.35\r\n48.85\r\nsouth\r\n1\r\n"},
        {"too few values", "-2.35\r\n48.85\r\n"},
        {"empty file", ""},
        {"nan latitude", "-2.35\r\nnan\r\n200\r\n1\r\n"},
        {"inf longitude", "inf\r\n48.85\r\n200\r\n1\r\n"},
        {"overflowing bearing", "-2.35\r\n48.85\r\n1e999\r\n1\r\n"},
        {"latitude 0 would divide by zero", "-2.35\r\n0\r\n200\r\n1\r\n"},
        {"latitude above 70", "-2.35\r\n80\r\n200\r\n1\r\n"},
        {"longitude beyond 180", "-181\r\n48.85\r\n200\r\n1\r\n"},
        {"bearing below 110", "-2.35\r\n48.85\r\n90\r\n1\r\n"},
        {"word longitude", "east\r\n48.85\r\n200\r\n1\r\n"},
    };
    for (const Row& row : rows) {
        Write(row.text);
        SiteState site;
        RecordingHost host(site);
        LoadSiteSettings(site, host, File());
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

}  // namespace
}  // namespace sundial

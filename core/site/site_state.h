// The one record of where the wall is and which way it faces, the rule that
// derives its declination, and the four-line settings file that carries it from
// one session of the program to the next.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace sundial {

struct SiteState {
    std::string PlaceName;        // "Exeter, Britain", or "Unknown" for typed/restored coordinates
    float Latitude = 0;           // degrees, north positive
    float Longitude = 0;          // degrees, WEST positive, east negative
    std::string WallBearing;      // degrees clockwise from north, as the decimal text entered
    float WallDeclination = 0;    // degrees away from due south, >= 0
    std::string DeclinationSide;  // "West", "East" or "South"
    float UtcOffset = 0;          // hours; local time = UTC + UtcOffset

    friend bool operator==(const SiteState&, const SiteState&) = default;
};

// Ranges the input dialogs accept, inclusive; also what a settings file must hold.
inline constexpr double kMinLatitude = 15.0;
inline constexpr double kMaxLatitude = 70.0;
inline constexpr double kMaxLongitude = 180.0;  // magnitude
inline constexpr double kMinBearing = 110.0;
inline constexpr double kMaxBearing = 250.0;

inline constexpr const char* kDefaultBearing = "185.2";
inline constexpr const char* kSettingsFileName = "localdata.txt";

// Sets WallDeclination and DeclinationSide from WallBearing: above 180 "West"
// and b - 180, below 180 "East" and 180 - b, exactly 180 "South" and 0. A
// bearing text that is not a number leaves both fields as they are.
void DeriveDeclination(SiteState& site);

// The numeric value of a bearing text as the settings file and the run read it
// (a full stop as decimal separator). False when the text is not a number.
bool ParseBearing(const std::string& text, double& value);

// The four CR LF-terminated lines of the settings file: longitude, latitude,
// bearing, zone. Full stops whatever the process locale.
std::string SettingsFileText(const SiteState& site);

// <folder>/localdata.txt: where start-up and every run find the settings.
std::filesystem::path SettingsPathIn(const std::filesystem::path& folder);

// The settings file's values are short numbers: a reader takes at most this
// many bytes of it and ignores the rest, so that a huge file costs nothing.
inline constexpr std::size_t kSettingsReadLimit = 4096;

// Replaces the settings file whole, in one step: it is always either the old
// site or the new one, also when the disk is full or the program is killed
// part way. Only a regular file (or none) is replaced; a FIFO or a device
// named localdata.txt is left alone. Returns false (and leaves the program
// running) when the file cannot be written, with the reason in `error` when
// given ("No space left on device", "it is not a regular file"). A file that
// already holds the site's bytes is not written again.
bool SaveSiteSettings(const SiteState& site, const std::filesystem::path& file,
                      std::string* error = nullptr);

// What a settings file yielded.
struct SettingsFile {
    bool present = false;  // a regular file named exactly localdata.txt exists
    bool usable = false;   // three finite, in-range site values were read
    float Longitude = 0;
    float Latitude = 0;
    std::string WallBearing;
    // 0 when the fourth value is missing, not a number, or outside -12 to 12.
    float UtcOffset = 0;
    // Why no site came from the file, for the user ("it starts with a
    // byte-order mark", "it is not a regular file"); empty when the site was
    // restored or there simply is no file.
    std::string problem;
};

// Parses settings text; accepts LF or CR LF and commas as separators, and
// numbers with or without a zero before the point. Only the first four values
// count.
SettingsFile ParseSettingsText(const std::string& text);
// Reads at most kSettingsReadLimit bytes, and only from a regular file: a FIFO
// or a device is never opened.
SettingsFile ReadSettingsFile(const std::filesystem::path& file);

// One sentence naming `file` and saying why its site was not used and what
// happens instead; empty when there is nothing to say (`read.problem` empty).
std::string SettingsProblemMessage(const std::filesystem::path& file, const SettingsFile& read);

// The window-side steps of restoring the site. The core decides what happens
// and in which order; the desktop program (or a test double) carries them out.
enum class LocationItem { UserLatLong, WestEurope, EastEurope, NorthAmerica };

class StartupHost {
  public:
    virtual ~StartupHost() = default;
    virtual void ClearLocationChecks() = 0;
    virtual void CheckLocationItem(LocationItem item) = 0;
    // Selects a zone by number (see TimeZoneMenu::Timeset) and runs.
    virtual void Timeset(double value) = 0;
    // Picks "Exeter" in the West Europe gazetteer as a user's click would.
    virtual void SelectExeter() = 0;
};

// Restores the site from the settings file, or applies the default site
// (Exeter, bearing 185.2, zone 0). A file that is missing, unreadable, short,
// non-numeric, non-finite or out of the dialogs' ranges never stops start-up.
// Returns what was read, so the caller can say why a file was not used.
SettingsFile LoadSiteSettings(SiteState& site, StartupHost& host,
                              const std::filesystem::path& file);

}  // namespace sundial

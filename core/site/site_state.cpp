#include "core/site/site_state.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "core/site/number_text.h"

namespace sundial {

namespace {

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// A whole field must be a plain decimal number ("-2.35", ".5", "1e2"); no
// locale is consulted: the file always carries full stops.
bool ParseNumber(const std::string& field, double& value) {
    std::string text = Trim(field);
    if (!text.empty() && text.front() == '+') text.erase(0, 1);
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

// Values end at a line break (LF or CR LF) or a comma.
std::vector<std::string> SplitFields(const std::string& text) {
    std::vector<std::string> fields;
    std::string current;
    bool pending = false;
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n' || c == ',') {
            fields.push_back(current);
            current.clear();
            pending = false;
        } else {
            current += c;
            pending = true;
        }
    }
    if (pending) fields.push_back(current);
    return fields;
}

bool InRange(double value, double low, double high) {
    return std::isfinite(value) && value >= low && value <= high;
}

void ApplyDefaultSite(SiteState& site, StartupHost& host) {
    site.WallBearing = kDefaultBearing;
    host.CheckLocationItem(LocationItem::WestEurope);
    host.SelectExeter();
}

}  // namespace

bool ParseBearing(const std::string& text, double& value) {
    return ParseNumber(text, value);
}

void DeriveDeclination(SiteState& site) {
    double b = 0;
    if (!ParseBearing(site.WallBearing, b)) return;
    if (b > 180) {
        site.DeclinationSide = "West";
        site.WallDeclination = static_cast<float>(b - 180);
    }
    if (b < 180) {
        site.DeclinationSide = "East";
        site.WallDeclination = static_cast<float>(180 - b);
    }
    if (b == 180) {
        site.DeclinationSide = "South";
        site.WallDeclination = 0;
    }
}

std::string SettingsFileText(const SiteState& site) {
    double bearing = 0;
    ParseBearing(site.WallBearing, bearing);
    std::string text;
    for (const std::string& line : {DecimalText(site.Longitude, 7), DecimalText(site.Latitude, 7),
                                    DecimalText(bearing, 15), DecimalText(site.UtcOffset, 7)}) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::filesystem::path SettingsPathIn(const std::filesystem::path& folder) {
    return folder / kSettingsFileName;
}

bool SaveSiteSettings(const SiteState& site, const std::filesystem::path& file) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << SettingsFileText(site);
    out.close();
    return static_cast<bool>(out);
}

SettingsFile ParseSettingsText(const std::string& text) {
    SettingsFile file;
    file.present = true;
    const std::vector<std::string> fields = SplitFields(text);
    double lon = 0, lat = 0, bearing = 0, zone = 0;
    if (fields.size() >= 4 && ParseNumber(fields[3], zone) && std::isfinite(zone)) {
        file.UtcOffset = static_cast<float>(zone);
    }
    if (fields.size() < 4) return file;
    file.WallBearing = Trim(fields[2]);
    // A value that is not finite or lies outside what the dialogs accept would
    // make the first run divide by zero or draw nonsense: treat it like a
    // bearing that is not a number.
    file.usable = ParseNumber(fields[0], lon) && ParseNumber(fields[1], lat) &&
                  ParseNumber(fields[2], bearing) && InRange(lon, -kMaxLongitude, kMaxLongitude) &&
                  InRange(lat, kMinLatitude, kMaxLatitude) &&
                  InRange(bearing, kMinBearing, kMaxBearing);
    if (file.usable) {
        file.Longitude = static_cast<float>(lon);
        file.Latitude = static_cast<float>(lat);
    }
    return file;
}

SettingsFile ReadSettingsFile(const std::filesystem::path& path) {
    std::error_code ec;
    // The name must match exactly, letter case included.
    if (!std::filesystem::is_regular_file(path, ec)) return {};
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        SettingsFile unreadable;
        unreadable.present = true;
        return unreadable;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return ParseSettingsText(text.str());
}

void LoadSiteSettings(SiteState& site, StartupHost& host, const std::filesystem::path& path) {
    const SettingsFile file = ReadSettingsFile(path);
    if (file.present) {
        site.Longitude = file.Longitude;
        site.Latitude = file.Latitude;
        site.WallBearing = file.WallBearing;
        site.UtcOffset = file.UtcOffset;
        if (!file.usable) ApplyDefaultSite(site, host);
        site.PlaceName = "Unknown";
        host.ClearLocationChecks();
        host.CheckLocationItem(LocationItem::UserLatLong);
        host.Timeset(site.UtcOffset);
    } else {
        ApplyDefaultSite(site, host);
    }
    DeriveDeclination(site);
}

}  // namespace sundial

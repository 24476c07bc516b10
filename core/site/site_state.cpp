#include "core/site/site_state.h"

#include <charconv>
#include <cmath>
#include <system_error>
#include <vector>

#include "core/io/atomic_file.h"
#include "core/io/regular_file.h"
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

constexpr std::size_t kSettingsValues = 4;
constexpr double kMaxZone = 12.0;  // magnitude, hours

// Values end at a line break (LF or CR LF) or a comma; only the first four
// count. `whole` is false when the text was cut off at the read limit: a last
// value without its end may have lost digits, so it is not taken.
std::vector<std::string> SplitFields(const std::string& text, bool whole) {
    std::vector<std::string> fields;
    std::string current;
    bool pending = false;
    for (char c : text) {
        if (fields.size() == kSettingsValues) break;
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
    if (pending && whole && fields.size() < kSettingsValues) fields.push_back(current);
    return fields;
}

bool InRange(double value, double low, double high) {
    return std::isfinite(value) && value >= low && value <= high;
}

// A value as the user would recognise it in a message: quoted, short, and
// with control bytes made visible.
std::string Shown(const std::string& field) {
    constexpr std::size_t kShownLength = 24;
    std::string text = Trim(field);
    if (text.size() > kShownLength) text = text.substr(0, kShownLength) + "...";
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    }
    return "\"" + text + "\"";
}

// Why one of the three site values cannot be used; empty when it can.
std::string ValueProblem(const char* what, const std::string& field, double low, double high,
                         double& value) {
    if (Trim(field).empty()) return std::string("the ") + what + " is empty";
    const std::string named = std::string("the ") + what + " " + Shown(field);
    if (!ParseNumber(field, value)) return named + " is not a number";
    if (!std::isfinite(value)) return named + " is not a finite number";
    if (value < low || value > high) {
        return named + " lies outside " + DecimalText(low, 15) + " to " + DecimalText(high, 15);
    }
    return "";
}

// Text that is not plain ASCII numbers is the usual reason a file someone
// edited stops working; name it rather than the value it spoiled.
std::string EncodingProblem(const std::string& text) {
    if (text.starts_with("\xEF\xBB\xBF")) return "it starts with a byte-order mark";
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) return "it is UTF-16 text";
    if (text.find('\0') != std::string::npos) return "it holds NUL bytes";
    return "";
}

SettingsFile ParseSettings(const std::string& text, bool whole) {
    SettingsFile file;
    file.present = true;
    const std::vector<std::string> fields = SplitFields(text, whole);
    if (fields.size() < kSettingsValues) {
        file.problem = EncodingProblem(text);
        if (file.problem.empty()) {
            file.problem = fields.empty() ? std::string("it holds no values")
                                          : "it holds only " + std::to_string(fields.size()) +
                                                " of the 4 values";
        }
        return file;
    }
    // A zone the menu cannot hold would fail every run, or be saved back as
    // "inf" or a 31-digit line: treat it like a zone that is not a number.
    double zone = 0;
    if (ParseNumber(fields[3], zone) && InRange(zone, -kMaxZone, kMaxZone)) {
        file.UtcOffset = static_cast<float>(zone);
    }
    file.WallBearing = Trim(fields[2]);
    // A value that is not finite or lies outside what the dialogs accept would
    // make the first run divide by zero or draw nonsense: treat it like a
    // bearing that is not a number.
    double lon = 0, lat = 0, bearing = 0;
    std::string problem = ValueProblem("longitude", fields[0], -kMaxLongitude, kMaxLongitude, lon);
    if (problem.empty()) {
        problem = ValueProblem("latitude", fields[1], kMinLatitude, kMaxLatitude, lat);
    }
    if (problem.empty()) {
        problem = ValueProblem("wall bearing", fields[2], kMinBearing, kMaxBearing, bearing);
    }
    file.usable = problem.empty();
    if (file.usable) {
        file.Longitude = static_cast<float>(lon);
        file.Latitude = static_cast<float>(lat);
    } else {
        file.problem = EncodingProblem(text);
        if (file.problem.empty()) file.problem = std::move(problem);
    }
    return file;
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

bool SaveSiteSettings(const SiteState& site, const std::filesystem::path& file,
                      std::string* error) {
    const std::string text = SettingsFileText(site);
    // Runs come in storms (every resize of the window is one) and mostly for
    // the same site: a file that already holds these bytes is left as it is,
    // which spares the disk a synced write each time.
    const io::FilePrefix current = io::ReadFilePrefix(file, text.size());
    if (current.kind == io::FileKind::Regular && current.error.empty() && !current.truncated &&
        current.bytes == text) {
        return true;
    }
    return io::ReplaceFileContents(file, text, error);
}

SettingsFile ParseSettingsText(const std::string& text) {
    return ParseSettings(text, true);
}

SettingsFile ReadSettingsFile(const std::filesystem::path& path) {
    // The name must match exactly, letter case included; anything but a
    // regular file (a FIFO would never finish reading) gives no site.
    const io::FilePrefix prefix = io::ReadFilePrefix(path, kSettingsReadLimit);
    SettingsFile file;
    if (prefix.kind != io::FileKind::Regular) {
        file.problem = prefix.error.empty() ? io::KindProblem(prefix.kind)
                                            : "it could not be read: " + prefix.error;
        return file;
    }
    if (!prefix.error.empty()) {
        file.present = true;
        file.problem = "it could not be read: " + prefix.error;
        return file;
    }
    return ParseSettings(prefix.bytes, !prefix.truncated);
}

std::string SettingsProblemMessage(const std::filesystem::path& file, const SettingsFile& read) {
    if (read.problem.empty()) return "";
    std::string message = "The settings file \"" + file.string() + "\" could not be used (" +
                          read.problem + "); the default site is used instead";
    // Only a file that is there and regular is saved over by the next run.
    if (!read.present) message += " and the file is left alone";
    return message + ".";
}

SettingsFile LoadSiteSettings(SiteState& site, StartupHost& host,
                              const std::filesystem::path& path) {
    SettingsFile file = ReadSettingsFile(path);
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
    return file;
}

}  // namespace sundial

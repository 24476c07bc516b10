#include "core/batch/site_rows.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <sstream>

#include "core/batch/csv.h"
#include "core/batch/text.h"
#include "core/rules/input_rules.h"
#include "core/site/number_text.h"
#include "core/site/time_zone_menu.h"

namespace sundial {

namespace {

// The columns up to kProject must be there; the others may be left out.
enum Column {
    kName,
    kLatitude,
    kLongitude,
    kBearing,
    kUtc,
    kProject,
    kDial,
    kRecline,
    kTz,
    kHours,
    kColumnCount
};
constexpr std::array<const char*, kColumnCount> kColumnNames = {
    "name", "latitude", "longitude", "bearing", "utc", "project", "dial", "recline", "tz", "hours"};
using Fields = std::array<std::string_view, kColumnCount>;
using Values = std::array<double, kColumnCount>;

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

// A number written with a full stop, an optional sign, nothing else.
std::optional<double> ReadNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// The site as the wall's dialogs take it, or why they refuse it.
std::string ReadWallSite(const Fields& field, const Values& value, SiteRow& row) {
    const double longitude = value[kLongitude];
    const LatLongVerdict place = CheckLatLong(value[kLatitude], std::abs(longitude), longitude < 0);
    if (place.outcome != InputOutcome::Accept) {
        return LatitudeAccepted(static_cast<float>(value[kLatitude]))
                   ? "the longitude " + ShortText(field[kLongitude]) +
                         " is outside -180 to 180 degrees"
                   : "the latitude " + ShortText(field[kLatitude]) + " is outside 15 to 70 degrees";
    }
    const BearingVerdict bearing = CheckBearing(value[kBearing]);
    if (bearing.outcome != InputOutcome::Accept) {
        return "the bearing " + ShortText(field[kBearing]) + " is outside 110 to 250 degrees";
    }
    const std::optional<int> zone = MatchZone(value[kUtc]);
    if (!zone) {
        return "the zone " + ShortText(field[kUtc]) + " is unknown (whole hours from -12 to 12)";
    }
    row.site.PlaceName = row.name;
    row.site.Latitude = place.latitude;
    row.site.Longitude = place.longitude;
    row.site.UtcOffset = static_cast<float>(*zone);
    ApplyBearing(row.site, bearing.bearingText);
    return {};
}

// The plane a row's dial and recline columns name, or why they cannot.
std::string ReadPlane(const Fields& field, tmpl::PlaneChoice& plane) {
    // The bearing column is always there: a horizontal dial turns to it.
    plane.bearingGiven = true;
    if (!field[kDial].empty()) {
        const std::optional<tmpl::DialType> type = tmpl::DialTypeNamed(field[kDial]);
        if (!type) {
            return "the dial \"" + ShortText(field[kDial]) +
                   "\" is not vertical, horizontal, polar, equatorial or analemmatic";
        }
        plane.type = *type;
    }
    if (field[kRecline].empty()) return {};
    if (plane.type != tmpl::DialType::Vertical) return "the recline goes with the dial vertical";
    const std::optional<double> recline = ReadNumber(field[kRecline]);
    if (!recline) return "the recline \"" + ShortText(field[kRecline]) + "\" is not a number";
    if (!(*recline >= -90 && *recline <= 90)) {
        return "the recline " + ShortText(field[kRecline]) + " is outside -90 to 90 degrees";
    }
    plane.reclineDeg = *recline;
    return {};
}

// A row naming its plane: the template's ranges. Its report is the wall's
// when the wall's dialogs would take the row.
std::string ReadPlaneRow(const Fields& field, const Values& value, SiteRow& row) {
    tmpl::PlaneChoice plane;
    if (std::string problem = ReadPlane(field, plane); !problem.empty()) return problem;
    const double zone = value[kUtc];
    if (!(std::abs(value[kLatitude]) <= 89)) {
        return "the latitude " + ShortText(field[kLatitude]) + " is outside -89 to 89 degrees";
    }
    if (!(std::abs(value[kLongitude]) <= 180)) {
        return "the longitude " + ShortText(field[kLongitude]) + " is outside -180 to 180 degrees";
    }
    if (!(value[kBearing] >= 0 && value[kBearing] <= 360)) {
        return "the bearing " + ShortText(field[kBearing]) + " is outside 0 to 360 degrees";
    }
    // Zones keep to whole minutes, and every zone in use is a quarter hour.
    if (!(zone >= -12 && zone <= 14) || std::fmod(zone * 4, 1.0) != 0) {
        return "the zone " + ShortText(field[kUtc]) +
               " is not a quarter hour from -12 to 14 (5.75)";
    }
    row.plane = plane;
    if (plane.type == tmpl::DialType::Vertical && plane.reclineDeg == 0) {
        row.templateOnly = ReadWallSite(field, value, row);
        if (row.templateOnly.empty()) return {};
    } else {
        row.templateOnly = "the report, sheet and JSON are a vertical wall's";
    }
    row.site.PlaceName = row.name;
    row.site.Latitude = static_cast<float>(value[kLatitude]);
    row.site.Longitude = static_cast<float>(value[kLongitude]);
    row.site.UtcOffset = static_cast<float>(zone);
    ApplyBearing(row.site, NumberText(static_cast<float>(value[kBearing])));
    return {};
}

// The row's named zone into `row`, its standard time standing in for an
// empty utc; or why it cannot be used.
std::string ReadZone(Fields& field, int year, std::string& utcText, SiteRow& row) {
    if (field[kTz].empty()) return {};
    const ZoneYearRead read = ZoneInYear(std::string(field[kTz]), year);
    if (!read.zone) return "the tz: " + read.error;
    if (!field[kUtc].empty()) {
        const std::optional<double> utc = ReadNumber(field[kUtc]);
        const std::string wrong = utc ? ZoneDisagreement(*read.zone, *utc) : std::string();
        if (!wrong.empty()) {
            return "the utc " + ShortText(field[kUtc]) + " and the tz disagree: " + wrong;
        }
    } else {
        utcText = NumberText(static_cast<float>(read.zone->standardHours));
        field[kUtc] = utcText;
    }
    row.zone = read.zone;
    return {};
}

// The hour systems the row's hours column names, or why it cannot.
std::string ReadHourSystems(std::string_view text, SiteRow& row) {
    while (!(text = Trim(text)).empty()) {
        const std::string_view word = text.substr(0, text.find_first_of(" \t"));
        text.remove_prefix(word.size());
        const auto* found =
            std::find_if(std::begin(plan::kHourSystemSwitches), std::end(plan::kHourSystemSwitches),
                         [&](const plan::HourSystemSwitch& s) { return Lower(word) == s.name; });
        if (found == std::end(plan::kHourSystemSwitches)) {
            return "the hours \"" + ShortText(word) + "\" are not italian, babylonian or temporal";
        }
        row.hourSystems.push_back(found->on);
    }
    return {};
}

// The values of one record, or why it gives no site.
std::string ReadRow(Fields field, int zoneYear, SiteRow& row) {
    if (row.name.empty()) return "the name is missing";
    if (!PrintableText(row.name)) return "the name is not printable UTF-8 text";
    std::string utcText;
    if (std::string problem = ReadZone(field, zoneYear, utcText, row); !problem.empty()) {
        return problem;
    }
    if (std::string problem = ReadHourSystems(field[kHours], row); !problem.empty()) {
        return problem;
    }
    Values value{};
    for (int c = kLatitude; c < kProject; ++c) {
        if (field[c].empty()) return std::string("the ") + kColumnNames[c] + " is missing";
        const std::optional<double> number = ReadNumber(field[c]);
        if (!number) {
            return std::string("the ") + kColumnNames[c] + " \"" + ShortText(field[c]) +
                   "\" is not a number";
        }
        value[c] = *number;
    }
    if (!field[kDial].empty() || !field[kRecline].empty()) return ReadPlaneRow(field, value, row);
    return ReadWallSite(field, value, row);
}

}  // namespace

SitesFile ReadSitesCsv(std::istream& in, int zoneYear) {
    if (zoneYear == 0) zoneYear = std::atoi(tmpl::TodayText().substr(0, 4).c_str());
    SitesFile file;
    CsvReader reader(in);
    const std::optional<CsvRecord> first = reader.Next();
    if (!first) {
        file.error = std::string("the file is empty; its first line must be ") + kSitesHeader;
        return file;
    }
    const CsvRecord& header = *first;
    if (!header.error.empty()) {
        file.error = "line " + std::to_string(header.line) + ": " + header.error +
                     "; the header must be " + kSitesHeader;
        return file;
    }
    std::array<int, kColumnCount> columnOf;
    columnOf.fill(-1);
    for (size_t i = 0; i < header.fields.size(); ++i) {
        const std::string name = Lower(Trim(header.fields[i]));
        int c = 0;
        while (c < kColumnCount && name != kColumnNames[c]) ++c;
        if (c == kColumnCount || columnOf[c] >= 0) {
            // The header's own text, made safe and short for a terminal.
            file.error = "line " + std::to_string(header.line) + ": column \"" + ShortText(name) +
                         "\" is " + (c == kColumnCount ? "unknown" : "given twice") +
                         "; the header must be " + kSitesHeader;
            return file;
        }
        columnOf[c] = static_cast<int>(i);
    }
    for (int c = 0; c < kProject; ++c) {
        if (columnOf[c] < 0) {
            file.error = "line " + std::to_string(header.line) + ": the header must be " +
                         kSitesHeader + " (column \"" + kColumnNames[c] + "\" is missing)";
            return file;
        }
    }

    while (std::optional<CsvRecord> next = reader.Next()) {
        const CsvRecord& record = *next;
        if (file.rows.size() == kMaxSites || reader.BytesRead() > kSitesFileLimit) {
            file.error = "line " + std::to_string(record.line) + ": a sites file holds at most " +
                         std::to_string(kMaxSites) + " rows and " +
                         std::to_string(kSitesFileLimit >> 20) + " MB; split it";
            file.rows.clear();
            return file;
        }
        SiteRow row;
        row.line = record.line;
        Fields field;
        for (int c = 0; c < kColumnCount; ++c) {
            const auto at = static_cast<size_t>(columnOf[c]);
            field[c] = columnOf[c] >= 0 && at < record.fields.size() ? Trim(record.fields[at])
                                                                     : std::string_view();
        }
        row.name = std::string(field[kName]);
        row.project = std::string(field[kProject]);
        if (!record.error.empty()) {
            row.error = record.error;
        } else if (record.fields.size() != header.fields.size()) {
            row.error = std::to_string(record.fields.size()) + " fields where the header has " +
                        std::to_string(header.fields.size());
        } else {
            row.error = ReadRow(field, zoneYear, row);
        }
        file.rows.push_back(std::move(row));
    }
    return file;
}

SitesFile ReadSitesCsv(std::string_view text, int zoneYear) {
    std::istringstream in{std::string(text)};
    return ReadSitesCsv(in, zoneYear);
}

SiteRow PlaceRow(const Place& place, const std::string& bearingText) {
    SiteRow row;
    row.name = place.placeName;
    ApplyPlace(row.site, place);
    row.site.UtcOffset = static_cast<float>(place.utcOffset);
    ApplyBearing(row.site, bearingText);
    return row;
}

bool WildcardMatch(std::string_view pattern, std::string_view text) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    // Greedy with one step back to the last "*": linear in practice, never
    // exponential.
    size_t p = 0, t = 0;
    size_t star = std::string_view::npos, resume = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = t;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || lower(pattern[p]) == lower(text[t]))) {
            ++p;
            ++t;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::vector<const Place*> PlacesMatching(std::string_view pattern) {
    std::vector<const Place*> found;
    for (const Place& place : Places()) {
        if (WildcardMatch(pattern, place.caption) || WildcardMatch(pattern, place.placeName)) {
            found.push_back(&place);
        }
    }
    return found;
}

}  // namespace sundial

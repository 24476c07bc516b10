// The sites a batch designs for: rows of a sites file, or gazetteer places.
//
// A sites file is CSV (UTF-8, quoted fields allowed) with the header
// `name,latitude,longitude,bearing,utc` (the columns in any order): latitude
// in degrees north, longitude in degrees WEST positive (east negative, as
// everywhere in the program), the wall's true bearing in degrees and the zone
// in whole hours from UTC. Numbers are written with a full stop. Every value
// goes through the dialogs' own rules and ranges. An optional `project` column
// names a dial project (relative to the sites file's folder) whose template
// design that site's template takes; the row's own columns give the site.
//
// Optional `dial` (vertical, horizontal, polar, equatorial or analemmatic) and `recline`
// (degrees, -90 to 90, a vertical dial's) columns give a row's template its
// own plane. Such a row takes the template's ranges: latitude -89 to 89
// (south negative), bearing 0 to 360 (for a horizontal dial the way its plate's
// "down" looks), a zone in quarter hours from -12 to 14. Its report, sheet and
// JSON are a vertical wall's: they are made only for a plain vertical dial
// within the wall's ranges; any other such row makes its templates alone.
//
// An optional `tz` column names the zone whose clock a row's dial keeps
// ("Europe/London"), read for the batch's year: its standard time is the
// row's zone and its summer time the template's summer numerals. A row with
// a tz may leave its utc empty; one that gives both must give the zone's
// standard time as its utc, or it is skipped.
//
// An optional `hours` column adds old hour systems to a row's template:
// any of italian, babylonian and temporal, apart by spaces.
#pragma once

#include <cstddef>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/places/places.h"
#include "core/site/site_state.h"
#include "core/sun/zone_year.h"
#include "core/template/template_options.h"

namespace sundial {

inline constexpr const char* kSitesHeader = "name,latitude,longitude,bearing,utc";

struct SiteRow {
    int line = 0;         // the row's line in the sites file; 0 for a gazetteer place
    std::string name;     // as given (trimmed), for messages and the index
    SiteState site;       // complete when `error` is empty
    std::string error;    // why the row gives no site: it is skipped
    std::string project;  // the dial project named in the row, as written; empty for none
    // The plane the row's dial and recline columns name; nothing when both
    // are left empty (the template's options give it).
    std::optional<tmpl::PlaneChoice> plane;
    // Why a row with a plane gives no report, sheet nor JSON; empty when it does.
    std::string templateOnly;
    // The template's design from that project, once read; held apart, so
    // that a file of many rows without projects stays small in memory.
    std::shared_ptr<const tmpl::TemplateOptions> templateOptions;
    // The row's named zone, in the year the file was read for; nothing for
    // a fixed offset.
    std::optional<ZoneYear> zone;
    // The hour systems the row's hours column adds to its template.
    std::vector<bool plan::ExtraLineOptions::*> hourSystems;
};

struct SitesFile {
    std::vector<SiteRow> rows;  // every record after the header, good or bad
    std::string error;          // a header that cannot be used: no row is read
};

// A batch's bounds, so that memory and time stay small whatever the file
// (an endless device, a runaway quote): rows after the header, and bytes.
inline constexpr std::size_t kMaxSites = 100000;
inline constexpr std::size_t kSitesFileLimit = std::size_t{256} << 20;

// The rows of a sites file read as a stream, a record at a time (see
// CsvReader for the bounds of a line and a field). A file past kMaxSites or
// kSitesFileLimit gives an error and no row.
// `zoneYear` is the year whose rules the tz column's zones are read for
// (0: this year).
SitesFile ReadSitesCsv(std::istream& in, int zoneYear = 0);
SitesFile ReadSitesCsv(std::string_view text, int zoneYear = 0);

// A gazetteer place as its menu item sets it (place name, coordinates, zone),
// on a wall facing `bearingText` (an accepted bearing, "185.2").
SiteRow PlaceRow(const Place& place, const std::string& bearingText);

// The gazetteer places, in menu order, whose caption ("London") or place name
// ("London, Britain") matches `pattern` as a whole, ignoring ASCII case. "*"
// stands for any run of characters and "?" for any one.
std::vector<const Place*> PlacesMatching(std::string_view pattern);

// `pattern` (with "*" and "?") matches all of `text`, ignoring ASCII case.
bool WildcardMatch(std::string_view pattern, std::string_view text);

}  // namespace sundial

// The built-in gazetteer: 270 places in menu order. Constant data; one row
// drives one menu item through one handler.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "core/site/site_state.h"

namespace sundial {

enum class Region { WestEurope, EastEurope, NorthAmerica };

struct Place {
    Region region;            // which gazetteer window holds it
    const char* subMenuName;  // sub-menu control, "mnuBritain"
    const char* subMenu;      // sub-menu caption, "Britain"
    const char* itemName;     // item control, "mnuLondon"
    const char* caption;      // item caption, "London"
    const char* placeName;    // written to PlaceName, "London, Britain"
    float latitude;           // degrees north
    float longitude;          // degrees, WEST positive
    int utcOffset;            // hours, the zone picking it selects
    // The place's zone in the time-zone database ("Europe/London"): what its
    // clocks show through the year, summer time included. The menus' zone
    // above stays as it always was.
    const char* zone;
};

// The place whose coordinates and name `site` holds, or none (typed
// coordinates, or a site restored from the settings file).
const Place* PlaceOf(const SiteState& site);

std::span<const Place> Places();

// The place a first start (no usable settings file) picks, as a click on it in
// its gazetteer window would: "Exeter, Britain", zone 0. The default wall
// bearing that goes with it is kDefaultBearing.
const Place& DefaultPlace();
// The rows of one window, in menu order.
std::vector<const Place*> PlacesIn(Region region);

// Window captions "West Europe", "East Europe", "North America", and control
// names "frmWestEurope", ...
const char* RegionCaption(Region region);
const char* RegionWindowName(Region region);

// Rows whose caption or place name equals `text` (case-insensitive), or whose
// "caption, country" form does ("Aberdeen, USA"). Ambiguous text gives several.
std::vector<const Place*> FindPlaces(std::string_view text);

// The first steps of picking a place: PlaceName, Latitude, Longitude. The zone
// goes through Timeset, which the caller does next.
void ApplyPlace(SiteState& site, const Place& place);

}  // namespace sundial

// Sites for the dial tests, with the declination derived as start-up does.
#pragma once

#include "core/site/site_state.h"

namespace sundial::testing {

inline SiteState SiteAt(float lat, float lon, const char* bearing, float zone = 0,
                        const char* name = "P") {
    SiteState site;
    site.PlaceName = name;
    site.Latitude = lat;
    site.Longitude = lon;
    site.WallBearing = bearing;
    site.UtcOffset = zone;
    DeriveDeclination(site);
    return site;
}

}  // namespace sundial::testing

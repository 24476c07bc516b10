// The site every benchmark measures: London's worked example, a wall facing
// 185.2 degrees.
#pragma once

#include "core/site/site_state.h"

namespace sundial::bench {

inline SiteState ExampleSite() {
    SiteState site;
    site.PlaceName = "London, Britain";
    site.Latitude = 51.5f;
    site.Longitude = 0.12f;
    site.WallBearing = "185.2";
    DeriveDeclination(site);
    return site;
}

}  // namespace sundial::bench

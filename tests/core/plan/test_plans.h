// Sites and plans shared by the plan tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/plan/plan.h"
#include "core/site/site_state.h"

namespace sundial::testing {

struct SiteCase {
    const char* name;
    float lat, lon;  // lon: degrees WEST positive
    const char* bearing;
    float zone;
};

inline SiteState SiteOf(const SiteCase& c) {
    SiteState site;
    site.PlaceName = c.name;
    site.Latitude = c.lat;
    site.Longitude = c.lon;
    site.WallBearing = c.bearing;
    site.UtcOffset = c.zone;
    DeriveDeclination(site);
    return site;
}

// Walls across the dialogs' ranges: south, both sides, the extremes of
// bearing and latitude, and a zone far from the longitude.
inline const std::vector<SiteCase>& Sites() {
    static const std::vector<SiteCase> sites = {
        {"London185", 51.5f, 0.12f, "185.2", 0}, {"London200", 51.5f, 0.12f, "200", 0},
        {"West250", 51.5f, 0.12f, "250", 0},     {"East110", 51.5f, 0.12f, "110", 0},
        {"Exeter180", 50.7f, 3.5f, "180", 0},    {"Miami140", 25.9f, 80.2f, "140", -5},
        {"North70_230", 70, -30, "230", 2},      {"Budapest200", 47.5f, -19.1f, "200", 1},
        {"Tropic15_160", 15, -100, "160", 6},
    };
    return sites;
}

inline std::string SiteName(const ::testing::TestParamInfo<SiteCase>& info) {
    return info.param.name;
}

inline plan::Plan Built(const SiteState& site, const plan::PlanOptions& options,
                        const std::vector<plan::SunSample>& samples = {}) {
    const plan::PlanResult result = plan::BuildPlan(site, options, samples);
    EXPECT_EQ(result.status, plan::PlanStatus::Built) << result.message;
    return result.plan.value_or(plan::Plan{});
}

}  // namespace sundial::testing

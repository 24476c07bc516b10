// Plans the renderer tests draw.
#pragma once

#include <gtest/gtest.h>

#include "core/plan/plan.h"
#include "core/site/site_state.h"

namespace sundial::tmpl::testing {

inline SiteState London(const char* bearing = "200") {
    SiteState site;
    site.PlaceName = "London, Britain";
    site.Latitude = 51.5f;
    site.Longitude = 0.12f;
    site.WallBearing = bearing;
    site.UtcOffset = 0;
    DeriveDeclination(site);
    return site;
}

// The command line's example: 600 x 450 mm, half hours, date lines, nodus 150.
inline plan::PlanOptions IssueOptions(double width = 600, double height = 450) {
    plan::PlanOptions o;
    o.widthMm = width;
    o.heightMm = height;
    o.halfHours = true;
    o.dateLines = true;
    o.nodusMm = 150;
    o.madeOn = "2025-03-07";
    return o;
}

inline plan::Plan PlanFor(const SiteState& site, const plan::PlanOptions& o) {
    const plan::PlanResult r = plan::BuildPlan(site, o);
    EXPECT_EQ(r.status, plan::PlanStatus::Built) << r.message;
    return r.plan.value_or(plan::Plan{});
}

}  // namespace sundial::tmpl::testing

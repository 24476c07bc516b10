// Where the run's hour table applies (a vertical wall at 15 to 70 N facing 110
// to 250), the engine's hour lines lie along the run's RawShadowAngle.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "core/dial/geometry.h"
#include "core/engine/dial.h"

namespace sundial::engine {
namespace {

// RawShadowAngle is stored as a single: a few units in its last place.
constexpr double kAngleTol = 1e-4;

TEST(RunAgreement, HourLinesFollowTheRunsAnglesOverManySites) {
    std::mt19937 rng(2026);
    std::uniform_real_distribution<double> lat(15, 70), lon(-180, 180), bearing(110, 250);
    std::uniform_int_distribution<int> zone(-12, 12);
    int compared = 0;
    for (int i = 0; i < 500; ++i) {
        SiteState s;
        s.Latitude = static_cast<float>(lat(rng));
        s.Longitude = static_cast<float>(lon(rng));
        s.UtcOffset = static_cast<float>(zone(rng));
        s.WallBearing = std::to_string(bearing(rng));
        DeriveDeclination(s);
        const DialGeometry run = ComputeDial(s);

        const double b = s.DeclinationSide == "West"   ? 180.0 + s.WallDeclination
                         : s.DeclinationSide == "East" ? 180.0 - s.WallDeclination
                                                       : 180.0;
        const Site site{s.Latitude, -static_cast<double>(s.Longitude), s.UtcOffset};
        const Plane plane = VerticalPlane(b);
        const Dial dial(site, plane, *GnomonFromRoot(site, plane, {300, 0}, 100));
        for (int hour = kFirstDialHour; hour <= kLastDialHour; ++hour) {
            const HourLineGeometry line = *dial.HourLine(HourAngleDeg(site, hour));
            // From the downward vertical, positive leaning left, as a line
            // (either way along it): folded into -90..90.
            double angle = Deg(std::atan2(-line.direction.x, line.direction.y));
            angle = std::remainder(angle, 180.0);
            double diff = std::remainder(angle - run.RawShadowAngle[hour], 180.0);
            EXPECT_NEAR(diff, 0, kAngleTol)
                << "site " << i << " hour " << hour << " lat " << s.Latitude << " bearing " << b;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 500 * 13);
}

}  // namespace
}  // namespace sundial::engine

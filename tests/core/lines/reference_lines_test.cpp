// The horizon and equinoctial lines against shadows traced from the nodus: a
// sun grazing the horizon, and the equinox sun at any hour.
#include "core/lines/reference_lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace sundial::lines {
namespace {

constexpr double kMmTol = 1e-6;

double OffLine(const PlateLine& line, engine::PlatePoint p) {
    return std::fabs((p.x - line.through.x) * line.direction.y -
                     (p.y - line.through.y) * line.direction.x);
}

TEST(ReferenceLines, HoldTheShadowsOfTheirSuns) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> lat(-89, 89), bearing(0, 360), recline(-89, 89),
        pos(-500, 1500), height(5, 400), ha(-180, 180), az(0, 360);
    int horizon = 0, equinox = 0;
    for (int i = 0; i < 300; ++i) {
        const engine::Dial dial({lat(rng), 0, 0}, {bearing(rng), recline(rng)},
                                {{pos(rng), pos(rng)}, height(rng)});
        const auto h = HorizonLine(dial);
        const auto e = EquinoctialLine(dial);
        ASSERT_TRUE(h && e);
        const double a = engine::Rad(az(rng));
        // A sun all but on the horizon: its shadow, however far, lies within
        // its distance times 1e-12 of the horizontal plane through the nodus.
        const engine::Vec3 grazing{std::sin(a), std::cos(a), 1e-12};
        if (const auto at = dial.Shadow(grazing); at && std::hypot(at->x, at->y) < 1e5) {
            EXPECT_LT(OffLine(*h, *at), 1e-4);
            ++horizon;
        }
        if (const auto at = dial.Shadow(0, ha(rng)); at && std::hypot(at->x, at->y) < 1e5) {
            EXPECT_LT(OffLine(*e, *at), kMmTol * 1e3);
            ++equinox;
        }
    }
    EXPECT_GT(horizon, 50);
    EXPECT_GT(equinox, 50);
}

TEST(ReferenceLines, NoneWhereThePlaneIsParallelToTheFace) {
    const engine::Site site{40, 0, 0};
    EXPECT_FALSE(HorizonLine(engine::Dial(site, engine::HorizontalPlane(), {{0, 0}, 50})));
    EXPECT_FALSE(EquinoctialLine(engine::Dial(site, engine::EquatorialPlane(site), {{0, 0}, 50})));
}

}  // namespace
}  // namespace sundial::lines

// A thick style against two thin ones: the style's faces are thin styles
// moved half the thickness square to the substyle, and the line each face
// draws is that thin style's own hour line.
#include "core/lines/thick_style.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sundial::lines {
namespace {

constexpr double kMmTol = 1e-9;

struct Row {
    const char* name;
    engine::Site site;
    engine::Plane plane;
};

TEST(ThickStyle, EachLineIsTheHourLineOfTheFaceOnItsSide) {
    constexpr double kThicknessMm = 8;
    const Row rows[] = {{"wall facing 200", {51.5, 0, 0}, engine::VerticalPlane(200)},
                        {"southern horizontal", {-33.9, 151.2, 10}, engine::HorizontalPlane()},
                        {"east wall (parallel lines)", {52, 0, 0}, engine::EastWall()}};
    for (const Row& r : rows) {
        const engine::Gnomon gnomon{{300, 200}, 100};
        const engine::Dial thin(r.site, r.plane, gnomon);
        const engine::PlatePoint s = thin.SubstyleDirection();
        const engine::PlatePoint square{-s.y, s.x};
        int twice = 0;
        for (double ha = -175; ha <= 175; ha += 5) {
            const auto line = thin.HourLine(ha);
            if (!line || !thin.CanBeLit(ha)) continue;
            const auto thick = ThickStyleLines(thin, *line, kThicknessMm);
            twice += thick.size() == 2;
            for (const auto& t : thick) {
                // Which face: the one the thick line moved toward.
                const double k = (t.through.x - line->through.x) * square.x +
                                 (t.through.y - line->through.y) * square.y;
                EXPECT_NEAR(std::fabs(k), kThicknessMm / 2, kMmTol) << r.name << " " << ha;
                const engine::Dial face(
                    r.site, r.plane,
                    {{gnomon.foot.x + k * square.x, gnomon.foot.y + k * square.y},
                     gnomon.heightMm});
                const auto expected = face.HourLine(ha);
                EXPECT_NEAR(t.direction.x, expected->direction.x, kMmTol) << r.name << " " << ha;
                EXPECT_NEAR(t.direction.y, expected->direction.y, kMmTol) << r.name << " " << ha;
                // The same line: the expected one's point lies on it.
                const double off = (expected->through.x - t.through.x) * t.direction.y -
                                   (expected->through.y - t.through.y) * t.direction.x;
                EXPECT_NEAR(off, 0, 1e-6) << r.name << " " << ha;
                // On the shadow's side: the face's line lies as far from the
                // substyle as the thin line, or farther.
                const double thinSide = (line->through.x - gnomon.foot.x) * square.x +
                                        (line->through.y - gnomon.foot.y) * square.y;
                if (line->parallel && std::fabs(thinSide) > 1e-6) {
                    EXPECT_GT(k * thinSide, 0) << r.name << " " << ha;
                }
            }
        }
        EXPECT_LE(twice, 1) << r.name;
    }
}

TEST(ThickStyle, ThicknessMustBeLessThanTheNodusHeight) {
    const engine::Dial dial({50, 0, 0}, engine::VerticalPlane(180), {{300, 200}, 100});
    EXPECT_FALSE(CheckStyleThickness(dial, 0));
    EXPECT_FALSE(CheckStyleThickness(dial, 99.9));
    for (const double bad : {100.0, 250.0, -1.0, std::nan("")}) {
        EXPECT_TRUE(CheckStyleThickness(dial, bad)) << bad;
    }
}

}  // namespace
}  // namespace sundial::lines

// A thick style against two thin ones: the style's faces are thin styles
// moved half the thickness square to the substyle, and each line a face
// draws is that thin style's own hour line, from the face on its side.
#include "core/lines/thick_style.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sundial::lines {
namespace {

constexpr double kMmTol = 1e-6;  // double arithmetic on metre plates

TEST(ThickStyle, EachLineIsTheHourLineOfTheFaceOnItsSide) {
    constexpr double kThicknessMm = 8;
    const engine::Gnomon gnomon{{300, 200}, 100};
    for (const auto& [site, plane] :
         {std::pair{engine::Site{51.5, 0, 0}, engine::VerticalPlane(200)},
          {engine::Site{-33.9, 151.2, 10}, engine::HorizontalPlane()},
          {engine::Site{52, 0, 0}, engine::EastWall()}}) {
        const engine::Dial thin(site, plane, gnomon);
        const engine::PlatePoint s = thin.SubstyleDirection(), square{-s.y, s.x};
        int twice = 0;
        for (double ha = -175; ha <= 175; ha += 5) {
            const auto line = thin.HourLine(ha);
            if (!line || !thin.CanBeLit(ha)) continue;
            const auto thick = ThickStyleLines(thin, *line, kThicknessMm);
            twice += thick.size() == 2;
            for (const auto& t : thick) {
                const double k = (t.through.x - line->through.x) * square.x +
                                 (t.through.y - line->through.y) * square.y;
                EXPECT_NEAR(std::fabs(k), kThicknessMm / 2, kMmTol) << ha;
                const engine::Dial face(
                    site, plane,
                    {{gnomon.foot.x + k * square.x, gnomon.foot.y + k * square.y},
                     gnomon.heightMm});
                const auto expected = face.HourLine(ha);
                EXPECT_NEAR(t.direction.x, expected->direction.x, kMmTol) << ha;
                EXPECT_NEAR(t.direction.y, expected->direction.y, kMmTol) << ha;
                EXPECT_NEAR((expected->through.x - t.through.x) * t.direction.y -
                                (expected->through.y - t.through.y) * t.direction.x,
                            0, kMmTol)
                    << ha;
                // The face on the line's own side of the substyle.
                const double side =
                    line->parallel ? (line->through.x - gnomon.foot.x) * square.x +
                                         (line->through.y - gnomon.foot.y) * square.y
                                   : line->direction.x * square.x + line->direction.y * square.y;
                if (thick.size() == 1) {
                    EXPECT_GT(k * side, 0) << ha;
                }
            }
        }
        EXPECT_LE(twice, 1);
    }
}

TEST(ThickStyle, ThicknessMustBeLessThanTheNodusHeight) {
    const engine::Dial dial({50, 0, 0}, engine::VerticalPlane(180), {{300, 200}, 100});
    for (const double good : {0.0, 99.9}) EXPECT_FALSE(CheckStyleThickness(dial, good)) << good;
    for (const double bad : {100.0, -1.0, std::nan("")}) {
        EXPECT_TRUE(CheckStyleThickness(dial, bad)) << bad;
    }
}

}  // namespace
}  // namespace sundial::lines

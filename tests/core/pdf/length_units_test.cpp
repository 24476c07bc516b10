#include "core/pdf/length_units.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/row_name.h"

namespace sundial::pdf {
namespace {

using sundial::testing::PrintTo;
using sundial::testing::RowName;

struct UnitRow {
    const char* name;
    std::int32_t scaleMode;
    float value;
    double points;  // what the value is in points, exactly
};

class LengthUnitsTest : public ::testing::TestWithParam<UnitRow> {};

// Lengths that are whole in both units convert exactly: one rounding of an
// exact quotient lands on the exact value.
TEST_P(LengthUnitsTest, ConvertsWholeLengthsExactly) {
    const UnitRow& row = GetParam();
    EXPECT_EQ(UnitsToPoints(row.value, row.scaleMode), row.points);
    EXPECT_EQ(PointsToUnits(static_cast<float>(row.points), row.scaleMode), row.value);
}

INSTANTIATE_TEST_SUITE_P(Rows, LengthUnitsTest,
                         ::testing::Values(UnitRow{"point", 0, 12.5f, 12.5},
                                           UnitRow{"negative-point", 0, -3, -3},
                                           UnitRow{"inch", 1, 2.5f, 180},
                                           UnitRow{"millimetre", 2, 127, 360},
                                           UnitRow{"centimetre", 3, 127, 3600}),
                         RowName());

TEST(LengthUnitConversionTest, MultipliesThenDividesAsItAlwaysHas) {
    // 17.6 cm: x 72 first, then / 2.54, each in double precision.
    EXPECT_EQ(UnitsToPoints(17.6f, 3), static_cast<double>(17.6f) * 72 / 2.54);
    EXPECT_EQ(PointsToUnits(498.898f, 3), static_cast<double>(498.898f) / 72 * 2.54);
}

TEST(LengthUnitConversionTest, ModesWithoutAUnitGiveZero) {
    for (const std::int32_t mode : {-1, 4, 255}) {
        EXPECT_EQ(UnitOfScaleMode(mode), nullptr) << mode;
        EXPECT_EQ(UnitsToPoints(5, mode), 0) << mode;
        EXPECT_EQ(PointsToUnits(5, mode), 0) << mode;
    }
    EXPECT_TRUE(std::isnan(UnitsToPoints(std::nanf(""), 3)));  // the caller refuses it
}

}  // namespace
}  // namespace sundial::pdf

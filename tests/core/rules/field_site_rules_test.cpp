// The field tools' site ranges at their edges, beside the dialogs' narrower ones.
#include "core/rules/field_site_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace sundial {
namespace {

TEST(FieldSiteRules, AcceptEveryFlatDialSiteAndNothingBeyond) {
    using Rule = std::function<std::optional<std::string>(double)>;
    struct Row {
        const char* name;
        Rule rule;
        double value;
        bool fine;
    };
    const double nan = std::nan("");
    const std::vector<Row> rows = {
        {"far south", FieldLatitudeFault, -89, true},
        {"past the south edge", FieldLatitudeFault, -89.001, false},
        {"equator", FieldLatitudeFault, 0, true},
        {"past the north edge", FieldLatitudeFault, 89.5, false},
        {"latitude not a number", FieldLatitudeFault, nan, false},
        {"antimeridian", FieldLongitudeFault, 180, true},
        {"longitude with a sign", FieldLongitudeFault, -0.5, false},
        {"longitude not a number", FieldLongitudeFault, nan, false},
        {"Kiribati", FieldZoneFault, 14, true},
        {"past Kiribati", FieldZoneFault, 14.25, false},
        {"Baker Island", FieldZoneFault, -12, true},
        {"Nepal", FieldZoneFault, 5.75, true},
        {"between quarters", FieldZoneFault, 5.8, false},
        {"zone not a number", FieldZoneFault, nan, false},
    };
    for (const Row& row : rows) {
        const std::optional<std::string> fault = row.rule(row.value);
        EXPECT_EQ(!fault.has_value(), row.fine) << row.name;
        if (fault) {
            EXPECT_FALSE(fault->empty()) << row.name;
        }
    }
}

}  // namespace
}  // namespace sundial

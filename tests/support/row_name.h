// Table-driven tests whose rows carry a `name`: each row is reported on its own
// under that name, "lat 70.01" running as ".../lat_70_01".
//
//     INSTANTIATE_TEST_SUITE_P(Rows, CheckBearingTest, ::testing::Values(...), RowName());
//
// and, in the rows' namespace, `using sundial::testing::PrintTo;` so messages
// and test listings show a row's name rather than its bytes.
#pragma once

#include <cctype>
#include <ostream>
#include <string>
#include <string_view>

namespace sundial::testing {

struct RowName {
    template <typename Info>
    std::string operator()(const Info& info) const {
        std::string name(std::string_view(info.param.name));
        // Test names may hold letters, digits and underscores only.
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        }
        return name;
    }
};

template <typename Row>
requires requires(const Row& row) {
    std::string_view(row.name);
}
void PrintTo(const Row& row, std::ostream* os) {
    *os << std::string_view(row.name);
}

}  // namespace sundial::testing

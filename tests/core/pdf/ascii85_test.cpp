#include "core/pdf/ascii85.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/row_name.h"

namespace sundial::pdf {
namespace {

using sundial::testing::PrintTo;
using sundial::testing::RowName;

struct VectorRow {
    const char* name;
    std::vector<std::uint8_t> bytes;
    const char* text;
};

class ASCII85Test : public ::testing::TestWithParam<VectorRow> {};

// The round trip through an independent decoder is in the image tests (qpdf).
TEST_P(ASCII85Test, KnownVectors) {
    EXPECT_EQ(EncodeASCII85Bytes(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ASCII85Test,
    ::testing::Values(VectorRow{"empty", {}, "~>"}, VectorRow{"four-zeros", {0, 0, 0, 0}, "z~>"},
                      VectorRow{"one-zero", {0}, "!!~>"},
                      VectorRow{"xyz", {'x', 'y', 'z'}, "G^4T~>"},
                      VectorRow{"eight-zeros", std::vector<std::uint8_t>(8, 0), "zz~>"},
                      VectorRow{"short-zero-group-is-not-z", {0, 0, 0}, "!!!!~>"},
                      VectorRow{"all-ones", {255, 255, 255, 255}, "s8W-!~>"}),
    RowName());

TEST(ASCII85LinesTest, NoLineBreaksHoweverLong) {
    EXPECT_EQ(EncodeASCII85Bytes(std::vector<std::uint8_t>(1000, 7)).find('\n'), std::string::npos);
}

}  // namespace
}  // namespace sundial::pdf

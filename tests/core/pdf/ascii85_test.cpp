#include "core/pdf/ascii85.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sundial::pdf {
namespace {

// The round trip through an independent decoder is in the image tests (qpdf).
TEST(ASCII85Test, KnownVectors) {
    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* text;
    } rows[] = {
        {"empty", {}, "~>"},
        {"four-zeros", {0, 0, 0, 0}, "z~>"},
        {"one-zero", {0}, "!!~>"},
        {"xyz", {'x', 'y', 'z'}, "G^4T~>"},
        {"eight-zeros", std::vector<std::uint8_t>(8, 0), "zz~>"},
        {"short-zero-group-is-not-z", {0, 0, 0}, "!!!!~>"},
        {"all-ones", {255, 255, 255, 255}, "s8W-!~>"},
    };
    for (const auto& row : rows) EXPECT_EQ(EncodeASCII85Bytes(row.bytes), row.text) << row.name;
    // No line breaks, however long.
    EXPECT_EQ(EncodeASCII85Bytes(std::vector<std::uint8_t>(1000, 7)).find('\n'), std::string::npos);
}

}  // namespace
}  // namespace sundial::pdf

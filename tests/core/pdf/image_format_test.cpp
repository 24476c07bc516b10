#include "core/pdf/image_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/pdf/pdf_error.h"
#include "tests/support/row_name.h"

namespace sundial::pdf {
namespace {

using sundial::testing::PrintTo;
using sundial::testing::RowName;

struct ImageRow {
    const char* name;
    std::size_t samples, palette;  // bytes given
    std::int32_t width, height;
    std::uint8_t bits;
    std::int32_t colorSpace;
    bool accepted;
    std::uint64_t entries;  // when accepted
};

class CheckImageTest : public ::testing::TestWithParam<ImageRow> {};

TEST_P(CheckImageTest, AcceptsWhatTheSamplesHold) {
    const ImageRow& row = GetParam();
    const std::vector<std::uint8_t> samples(row.samples), palette(row.palette);
    if (!row.accepted) {
        EXPECT_THROW(CheckImage(samples, palette, row.width, row.height, row.bits, row.colorSpace),
                     PdfUsageError);
        return;
    }
    const ImageFormat f =
        CheckImage(samples, palette, row.width, row.height, row.bits, row.colorSpace);
    EXPECT_EQ(f.indexed, row.bits <= 8);
    EXPECT_EQ(f.paletteEntries, row.entries);
    EXPECT_EQ(std::string(f.colorSpace), row.colorSpace == 0 ? "DeviceRGB" : "DeviceGray");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CheckImageTest,
    ::testing::Values(ImageRow{"rgb-24", 6, 0, 2, 1, 24, 0, true, 1},
                      ImageRow{"grey-24-one-byte-a-pixel", 6, 0, 2, 3, 24, 1, true, 1},
                      // Rows of 1 and 4 bits end on whole bytes: 9 pixels of 1 bit take 2.
                      ImageRow{"one-bit-rows-round-up", 4, 6, 9, 2, 1, 0, true, 2},
                      ImageRow{"four-bit-grey", 4, 16, 3, 2, 4, 1, true, 16},
                      ImageRow{"eight-bit", 6, 768, 3, 2, 8, 0, true, 256},
                      ImageRow{"sixteen-bits", 4, 0, 1, 1, 16, 0, false, 0},
                      ImageRow{"zero-width", 4, 0, 0, 1, 24, 0, false, 0},
                      ImageRow{"negative-height", 4, 0, 1, -1, 24, 0, false, 0},
                      ImageRow{"one-sample-short", 5, 0, 2, 1, 24, 0, false, 0},
                      ImageRow{"one-bit-row-short", 3, 6, 9, 2, 1, 0, false, 0},
                      ImageRow{"palette-short", 4, 6, 1, 1, 4, 0, false, 0},
                      ImageRow{"grey-palette-short", 4, 15, 1, 1, 4, 1, false, 0}),
    RowName());

}  // namespace
}  // namespace sundial::pdf

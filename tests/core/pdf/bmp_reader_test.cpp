#include "core/pdf/bmp_reader.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/core/pdf/bmp_test_files.h"
#include "tests/core/pdf/support/pdf_test_support.h"
#include "tests/support/row_name.h"

namespace sundial::pdf {
namespace {

using sundial::testing::PrintTo;
using sundial::testing::RowName;

using testing::BmpLayout;
using testing::MakeBmp;
using Bytes = std::vector<std::uint8_t>;

std::optional<BmpImage> Parse(const std::string& file, std::int32_t colorSpace) {
    return ParseBMP({reinterpret_cast<const std::uint8_t*>(file.data()), file.size()}, colorSpace);
}

struct ReadCase {
    const char* name;
    BmpLayout layout;
    std::int32_t colorSpace;
    Bytes samples;
    Bytes palette;
};

// A 3 x 2 picture: the bottom row is read first, red-green-blue per pixel.
const BmpLayout k24Bit{
    3, 2, 24, 40, 0, {}, {{0, 0, 255, 0, 255, 0, 255, 0, 0}, {30, 20, 10, 255, 255, 255, 0, 0, 0}}};

const ReadCase kReadCases[] = {
    // The colour buffer keeps the file's 2 x 12 bytes; the padding never shows.
    {"24-bit-colour-width-3",
     k24Bit,
     0,
     {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30, 255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0},
     {}},
    // 0.33 r + 0.59 g + 0.11 b: red 84.15, green 150.45, blue 28.05, white 263 limited.
    {"24-bit-grey", k24Bit, 1, {84, 150, 28, 18, 255, 0}, {}},
    {"1-bit-width-8",
     {8, 2, 1, 40, 0, {0, 0, 0, 255, 255, 255}, {{0xA5}, {0x0F}}},
     0,
     {0xA5, 0x0F},
     {0, 0, 0, 255, 255, 255}},
    {"4-bit-width-3",
     {3, 1, 4, 40, 0, {255, 0, 0, 0, 0, 255}, {{0x01, 0x10}}},
     0,
     {0x01, 0x10},
     [] {
         Bytes p(16 * 3, 0);
         p[2] = 255, p[3] = 255;  // entry 0 blue, entry 1 red
         return p;
     }()},
    {"8-bit-grey-palette-white-is-255",
     {1, 1, 8, 40, 0, {255, 255, 255, 0, 0, 0}, {{0}}},
     1,
     {0},
     [] {
         Bytes p(256, 0);
         p[0] = 255;
         return p;
     }()},
};

class ReadBMPTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadBMPTest, ReadsSupportedDepths) {
    const ReadCase& c = GetParam();
    const auto image = Parse(MakeBmp(c.layout), c.colorSpace);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, c.layout.width);
    EXPECT_EQ(image->height, c.layout.height);
    EXPECT_EQ(image->bitsPerPixel, c.layout.bitsPerPixel);
    EXPECT_EQ(image->samples, c.samples);
    if (!c.palette.empty()) {
        EXPECT_EQ(image->palette, c.palette);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ReadBMPTest, ::testing::ValuesIn(kReadCases), RowName());

// The 24-bit picture with four bytes at `at` replaced by `value`.
std::string Changed(std::size_t at, std::uint32_t value) {
    std::string file = MakeBmp(k24Bit);
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return file;
}

struct RefusedRow {
    const char* name;
    std::function<std::string()> file;
};

class ReadBMPRefusalTest : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(ReadBMPRefusalTest, RefusesWhatItCannotReadSafely) {
    const std::string file = GetParam().file();
    EXPECT_FALSE(Parse(file, 0));
    EXPECT_FALSE(Parse(file, 1));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadBMPRefusalTest,
    ::testing::Values(RefusedRow{"empty", [] { return std::string(); }},
                      RefusedRow{"not-bm", [] { return "XY" + MakeBmp(k24Bit).substr(2); }},
                      RefusedRow{"headers-cut", [] { return MakeBmp(k24Bit).substr(0, 40); }},
                      RefusedRow{"pixels-cut",
                                 [] {
                                     const std::string good = MakeBmp(k24Bit);
                                     return good.substr(0, good.size() - 1);
                                 }},
                      RefusedRow{"info-header-108",
                                 [] {
                                     BmpLayout header108 = k24Bit;
                                     header108.infoHeaderSize = 108;
                                     return MakeBmp(header108);
                                 }},
                      RefusedRow{"compressed",
                                 [] {
                                     return MakeBmp({2, 1, 8, 40, 1, {}, {{0, 0}}});
                                 }},
                      RefusedRow{"top-down",
                                 [] { return Changed(22, static_cast<std::uint32_t>(-2)); }},
                      RefusedRow{"zero-width", [] { return Changed(18, 0); }},
                      RefusedRow{"16-bits",
                                 [] {
                                     return MakeBmp({1, 1, 16, 40, 0, {}, {{0, 0}}});
                                 }},
                      RefusedRow{"32-bits",
                                 [] {
                                     return MakeBmp({1, 1, 32, 40, 0, {}, {{0, 0, 0, 0}}});
                                 }},
                      RefusedRow{"data-offset-past-end", [] { return Changed(10, 0xFFFFFFF0u); }},
                      RefusedRow{"huge-sizes-small-file", [] { return Changed(22, 0x7FFFFFFF); }},
                      RefusedRow{"huge-width", [] { return Changed(18, 0x7FFFFFFF); }},
                      RefusedRow{"palette-overlaps-pixels",
                                 [] {
                                     std::string file = MakeBmp({1, 1, 8, 40, 0, {}, {{0}}});
                                     file[10] = 60;  // pixel data said to start inside the palette
                                     return file;
                                 }}),
    RowName());

TEST(ReadBMPFileTest, MissingFileIsRefused) {
    testing::TempFolder folder;
    EXPECT_FALSE(ReadBMP(folder / "none.bmp", 0));
    EXPECT_FALSE(ReadBMP(folder.path(), 0));
    testing::WriteBytes(folder / "ok.bmp", MakeBmp(k24Bit));
    EXPECT_TRUE(ReadBMP(folder / "ok.bmp", 0));
}

}  // namespace
}  // namespace sundial::pdf

#include <gtest/gtest.h>

#include "core/pdf/bmp_reader.h"
#include "core/pdf/pdf_error.h"
#include "core/pdf/pdf_writer.h"
#include "tests/core/pdf/bmp_test_files.h"
#include "tests/core/pdf/support/pdf_test_support.h"

namespace sundial::pdf {
namespace {

using testing::BmpLayout;
using testing::CrossReferenceHolds;
using testing::QpdfAccepts;
using testing::ReadBytes;
using testing::TempFolder;
using Bytes = std::vector<std::uint8_t>;

std::string Text(const Bytes& bytes) {
    return {bytes.begin(), bytes.end()};
}

struct ImageCase {
    const char* name;
    BmpLayout layout;
    std::int32_t colorSpace;
    int objects;  // image, length, and a palette for 8 bits or fewer
};

const ImageCase kImages[] = {
    {"rgb-24",
     {3, 2, 24, 40, 0, {}, {{0, 0, 255, 0, 255, 0, 255, 0, 0}, {9, 8, 7, 6, 5, 4, 3, 2, 1}}},
     0,
     2},
    {"grey-24", {2, 2, 24, 40, 0, {}, {{0, 0, 0, 255, 255, 255}, {0, 0, 255, 0, 255, 0}}}, 1, 2},
    {"rgb-8",
     {5, 3, 8, 40, 0, {1, 2, 3, 200, 100, 50}, {{0, 1, 0, 1, 1}, {1, 1, 1, 0, 0}, {0, 0, 0, 0, 0}}},
     0,
     3},
    {"grey-4", {3, 2, 4, 40, 0, {0, 0, 0, 255, 255, 255}, {{0x01, 0x10}, {0x11, 0x00}}}, 1, 3},
    {"rgb-1", {9, 2, 1, 40, 0, {0, 0, 0, 0, 0, 255}, {{0xAA, 0x80}, {0x55, 0x00}}}, 0, 3},
};

// Every depth, raw and ASCII85: the file passes qpdf, and qpdf's own decoding
// of each image and palette stream gives the samples and palette back.
TEST(PdfImagesTest, BmpImagesRoundTripThroughAnIndependentReader) {
    if (!testing::HaveTool("qpdf") || !testing::HaveTool("pdftoppm")) return;
    TempFolder folder;
    for (const bool ascii85 : {false, true}) {
        clsPdfWriter w;
        w.ScaleMode(3);
        w.EncodeASCII85(ascii85);
        const std::filesystem::path pdf = folder / (ascii85 ? "a85.pdf" : "raw.pdf");
        std::string name = pdf.string();
        w.InitPDFFile(name);
        int object = 5;
        std::vector<std::pair<int, std::string>> expected;  // object, decoded bytes
        for (const ImageCase& c : kImages) {
            const auto bmp = folder / (std::string(c.name) + ".bmp");
            testing::WriteBytes(bmp, testing::MakeBmp(c.layout));
            ASSERT_TRUE(w.LoadImgFromBMPFile(c.name, bmp, c.colorSpace)) << c.name;
            const auto image = ReadBMP(bmp, c.colorSpace);
            expected.emplace_back(object, Text(image->samples));
            if (c.objects == 3) expected.emplace_back(object + 2, Text(image->palette));
            object += c.objects;
        }
        w.BeginPage();
        float x = 1;
        for (const ImageCase& c : kImages) w.DrawImg(c.name, x, 27, 2, 2), x += 3;
        w.EndPage();
        w.ClosePDFFile();

        EXPECT_TRUE(QpdfAccepts(pdf)) << ascii85;
        EXPECT_TRUE(CrossReferenceHolds(ReadBytes(pdf))) << ascii85;
        for (const auto& [n, bytes] : expected) {
            EXPECT_EQ(testing::DecodedStream(pdf, n), bytes) << "object " << n << " " << ascii85;
        }
        const auto render = testing::RunCommand("pdftoppm -r 20 -png " + testing::Quoted(pdf) +
                                                " " + testing::Quoted(folder / "page"));
        EXPECT_EQ(render.status, 0) << render.output;
    }
}

TEST(PdfImagesTest, ArrayImageObjectsAsWritten) {
    clsPdfWriter w;
    std::string out;
    w.InitPDFSink(std::make_unique<MemorySink>(out), "memory.pdf");
    const Bytes samples = {1, 2, 3, 4, 5, 6};
    w.LoadImgFromArray("Im1", samples, {}, 2, 1, 24, 0);
    EXPECT_NE(out.find("5 0 obj\r\n<<\r/Type /XObject\r/Subtype /Image\r/Name /Im1\r/Width 2\r"
                       "/Height 1\r\n/BitsPerComponent 8\r/ColorSpace /DeviceRGB\r/Length 6 0 R\r\n"
                       ">>\rstream\r\n\x01\x02\x03\x04\x05\x06\rendstream\r\nendobj\r\n"
                       "6 0 obj\r\n6\r\nendobj\r\n"),
              std::string::npos);

    w.EncodeASCII85(true);
    const Bytes palette = {0, 0, 0, 255, 255, 255};
    w.LoadImgFromArray("Im2", Bytes{0x80}, palette, 1, 1, 1, 0);
    // The /Length counts the whole encoded text, its "~>" end marker included.
    EXPECT_NE(out.find("/Height 1\r/Filter /ASCII85Decode\r\n/BitsPerComponent 1\r"
                       "/ColorSpace [/Indexed /DeviceRGB 1 9 0 R]\r/Length 8 0 R\r\n"
                       ">>\rstream\r\nJ,~>\rendstream\r\nendobj\r\n8 0 obj\r\n4\r\n"),
              std::string::npos);
    EXPECT_NE(out.find("9 0 obj\r\n<</Filter /ASCII85Decode\r/Length 10 >>\rstream\r\n"
                       "!!!$!s8N~>\rendstream\r\n"),
              std::string::npos);
    w.ClosePDFFile();
    EXPECT_NE(out.find("/ProcSet [/PDF /Text /ImageB /ImageC /ImageI ]\r/XObject <<\r"
                       "/Im1 5 0 R \r/Im2 7 0 R \r\r>>"),
              std::string::npos);
}

TEST(PdfImagesTest, RefusedImagesWriteNothing) {
    TempFolder folder;
    testing::WriteBytes(folder / "rle.bmp", testing::MakeBmp({2, 1, 8, 40, 1, {}, {{0, 0}}}));
    clsPdfWriter w;
    std::string out;
    w.InitPDFSink(std::make_unique<MemorySink>(out), "memory.pdf");
    const std::size_t before = out.size();
    EXPECT_FALSE(w.LoadImgFromBMPFile("A", folder / "missing.bmp", 0));
    EXPECT_FALSE(w.LoadImgFromBMPFile("B", folder / "rle.bmp", 0));

    const Bytes four(4, 0);
    const Bytes palette(6, 0);
    // Which images CheckImage refuses is its own test's business.
    EXPECT_THROW(w.LoadImgFromArray("C", four, {}, 2, 1, 24, 0), PdfUsageError);
    EXPECT_THROW(w.LoadImgFromArray("C", four, palette, 1, 1, 4, 0), PdfUsageError);
    EXPECT_EQ(out.size(), before);
}

}  // namespace
}  // namespace sundial::pdf

#include "core/pdf/pdf_writer.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <functional>
#include <regex>

#include "core/pdf/pdf_error.h"
#include "tests/core/pdf/support/pdf_test_support.h"
#include "tests/support/row_name.h"

namespace sundial::pdf {
namespace {

using sundial::testing::PrintTo;
using sundial::testing::RowName;

using testing::CrossReferenceHolds;
using testing::ReadBytes;
using Draw = std::function<void(clsPdfWriter&)>;

// A document into memory with the fixed clock; `setUp` runs before it opens.
std::string Document(const Draw& setUp, const Draw& body) {
    clsPdfWriter w;
    w.SetEnvironment(testing::FixedEnvironment());
    setUp(w);
    std::string bytes;
    w.InitPDFSink(std::make_unique<MemorySink>(bytes), "memory.pdf");
    body(w);
    w.ClosePDFFile();
    return bytes;
}

// One page, one font, a few operators.
const Draw kSmallSetUp = [](clsPdfWriter& w) {
    w.Title("Golden (test)");
    w.ScaleMode(3);
    w.PaperSize(0);
    w.Margin(0);
};
const Draw kSmallBody = [](clsPdfWriter& w) {
    w.LoadFont("Fnt1", "Courier New", 0);
    w.BeginPage();
    w.DrawText(2.0f, 28.0f, "Hello", "Fnt1", 10, 0, 0);
    w.SetLineWidth(0.2f);
    w.SetColorStroke(0);
    w.MoveTo(20, 15);
    w.LineTo(2.4f, 15, 1);
    w.EndPage();
};
const std::filesystem::path kGolden = std::filesystem::path(SUNDIAL_TEST_DATA_DIR) / "one_page.pdf";

TEST(PdfGoldenTest, SmallDocumentByteForByteInAnyLocale) {
    const std::string bytes = Document(kSmallSetUp, kSmallBody);
    if (std::getenv("SUNDIAL_UPDATE_GOLDEN")) testing::WriteBytes(kGolden, bytes);
    EXPECT_EQ(bytes, ReadBytes(kGolden));
    EXPECT_TRUE(CrossReferenceHolds(bytes));
    // A comma as decimal separator must not reach the file.
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE.UTF-8";
    EXPECT_EQ(Document(kSmallSetUp, kSmallBody), bytes);
    std::setlocale(LC_ALL, saved.c_str());
}

// Every operator once or more, on two pages with a form and three images: a
// change anywhere in the writer shows here as a changed byte.
const Draw kEverySetUp = [](clsPdfWriter& w) {
    w.Title("Every (operator) \\ Z\xC3\xBCrich");
    w.ScaleMode(2);
    w.PaperSize(1);
    w.Margin(7.5f);
    w.Orientation(1);
};
const Draw kEveryBody = [](clsPdfWriter& w) {
    w.LoadFont("Fnt1", "Times New Roman", 2);
    w.LoadFont("Fnt2", "Symbol", 1);
    w.LoadFontStandard("Std", "Courier New", 1);
    const std::vector<std::uint8_t> rgb = {0, 50, 100, 150, 200, 250, 1, 2, 3, 4, 5, 6};
    const std::vector<std::uint8_t> nibbles = {0x01, 0x20, 0x3F, 0x00};
    const std::vector<std::uint8_t> palette(48, 0x7F);
    w.LoadImgFromArray("Im1", rgb, {}, 2, 2, 24, 0);
    w.EncodeASCII85(true);
    w.LoadImgFromArray("Im2", nibbles, palette, 3, 2, 4, 0);
    w.LoadImgFromArray("Im3", rgb, {}, 3, 4, 8 + 16, 1);
    w.StartObject("Frm", 4 + 8);
    w.Rectangle(10, 10, 30, 20, kStroke, 0);
    w.EndObject();
    for (int page = 1; page <= 3; ++page) {
        w.BeginPage();
        w.SetWordSpacing(1.25f);
        w.SetCharSpacing(-0.5f);
        w.SetTextHorizontalScaling(95);
        w.SetTextRenderingMode(1);
        w.DrawText(20, 250, "Left (a\\b)", "Fnt1", 11.5f, 0, 0);
        w.DrawText(200, 250, "Right \xE2\x82\xAC", "Fnt1", 9, 1, 30);
        w.DrawText(100, 240, "Centre", "Fnt2", 14, 2, -45.5f);
        w.DrawText(100, 230, "Standard", "Std", 8, 2, 0);
        w.SetColorStroke(0x1080F0);
        w.SetColorFill(-77);
        w.SetDash(2.5f, 1);
        w.SetLineWidth(0.35f);
        w.SetLineCap(1);
        w.SetLineJoin(2);
        w.SetMiterLimit(4);
        w.MoveTo(12.345f, 67.891f);
        w.LineTo(-3.21f, 1e4f, kStroke | kClose);
        w.MoveTo(0.5f, 0.25f);
        w.Curve(1, 2, 3.3333f, 4.4444f, 5.5555f, 6.6666f, kFill);
        w.Rectangle(15, 20, 40.4f, 30.3f, kStroke | kFill, 0);
        w.Rectangle(15, 60, 40.4f, 30.3f, kStroke | kClose | kFill, 4.5f);
        w.DrawCircle(150, 150, 12.7f, kStroke);
        w.Arc(100, 100, 25, 10, 170, 0.6f, false, 15, 7, kStroke);
        w.Arc(100, 100, 25, 200, -20, 1, true, 0, -13, kFill);
        w.Arc(50, 150, 3.3f, 0, 360, 1.5f, false, 123.4f, 10, kStroke | kClose);
        w.DrawImg("Im" + std::to_string(page), 30, 200, 20.5f, 10.25f);
        w.DrawObject("Frm");
        w.SetDash(0, 0);
        w.EndPage();
    }
};
const std::filesystem::path kEveryGolden =
    std::filesystem::path(SUNDIAL_TEST_DATA_DIR) / "every_operator.pdf";

TEST(PdfGoldenTest, EveryOperatorByteForByte) {
    const std::string bytes = Document(kEverySetUp, kEveryBody);
    if (std::getenv("SUNDIAL_UPDATE_GOLDEN")) testing::WriteBytes(kEveryGolden, bytes);
    EXPECT_EQ(bytes, ReadBytes(kEveryGolden));
    EXPECT_TRUE(CrossReferenceHolds(bytes));
    EXPECT_TRUE(testing::QpdfAccepts(kEveryGolden));
}

TEST(PdfGoldenTest, AFileWithTheRealClockDiffersOnlyInItsDate) {
    testing::TempFolder folder;
    clsPdfWriter w;
    kSmallSetUp(w);
    std::string name = (folder / "dated.pdf").string();
    w.InitPDFFile(name);
    kSmallBody(w);
    w.ClosePDFFile();
    const std::regex date(R"(/CreationDate \(D:\d{14}[+-]\d\d'\d\d'\))");
    const std::string written = ReadBytes(name);
    EXPECT_TRUE(std::regex_search(written, date));
    EXPECT_EQ(std::regex_replace(written, date, "masked"),
              std::regex_replace(ReadBytes(kGolden), date, "masked"));
    EXPECT_TRUE(testing::QpdfAccepts(name));
}

struct SkeletonRow {
    const char* name;
    Draw setUp, body;
    std::string expected;
};

class PdfSkeletonTest : public ::testing::TestWithParam<SkeletonRow> {};

TEST_P(PdfSkeletonTest, PropertiesPagesAndResources) {
    const SkeletonRow& row = GetParam();
    const std::string bytes = Document(row.setUp, row.body);
    EXPECT_NE(bytes.find(row.expected), std::string::npos) << bytes;
    EXPECT_TRUE(CrossReferenceHolds(bytes));
}

const Draw kNone = [](clsPdfWriter&) {};

INSTANTIATE_TEST_SUITE_P(
    Rows, PdfSkeletonTest,
    ::testing::Values(
        SkeletonRow{"no-pages", kNone, kNone,
                    "/Count 0\r/MediaBox [0 0 595.2 842]\r/CropBox [0 0 595.2 842]\r\r/Kids [ ]\r"},
        SkeletonRow{"default-title", kNone, kNone, "/Title (\\(senza titolo\\))\r"},
        SkeletonRow{"three-objects-per-page", kNone,
                    [](auto& w) {
                        for (int page = 1; page <= 3; ++page) w.BeginPage(), w.EndPage();
                    },
                    "/Kids [5 0 R 8 0 R 11 0 R  ]"},
        SkeletonRow{"page-length-object-follows-its-stream", kNone,
                    [](auto& w) { w.BeginPage(), w.MoveTo(1, 2), w.EndPage(); },
                    "6 0 obj\r\n<< /Length 7 0 R >>\rstream\r\n1 2 m\r\nendstream\r\n"
                    "endobj\r\n7 0 obj\r\n7\r\nendobj\r\n"},
        SkeletonRow{"margin-in-cm", [](auto& w) { w.ScaleMode(3), w.Margin(1); }, kNone,
                    "/CropBox [28.346 28.346 566.854 813.654]\r\r"},
        SkeletonRow{"landscape-letter", [](auto& w) { w.PaperSize(2), w.Orientation(1); }, kNone,
                    "/MediaBox [0 0 612 792]\r/CropBox [0 0 612 792]\r/Rotate 90\r/Kids"},
        SkeletonRow{
            "paper-in-inches-keeps-its-size-code",
            [](auto& w) { w.ScaleMode(1), w.PaperWidth(5), w.PaperHeight(7), w.PaperSize(9); },
            kNone, "/MediaBox [0 0 360 504]"},
        SkeletonRow{"symbol-226-widths", kNone, [](auto& w) { w.LoadFont("S", "Symbol", 0); },
                    "\r\n494 600 \r\n] >>\r\n"},
        SkeletonRow{"standard-font", kNone,
                    [](auto& w) { w.LoadFontStandard("F3", "Times New Roman", 3); },
                    "<< /Type /Font /Subtype /Type1 /Name /F3 /BaseFont /TimesNewRoman,BoldItalic "
                    "/Encoding /WinAnsiEncoding >>\r\n"},
        SkeletonRow{
            "font-resources", kNone,
            [](auto& w) { w.LoadFont("A", "Arial", 1), w.LoadFontStandard("B", "Arial", 0); },
            "/Font <<\r/A 5 0 R \r/B 7 0 R \r>>\r/ProcSet [/PDF /Text ]\r>>"},
        SkeletonRow{"form-bounding-box-inside-the-margin",
                    [](auto& w) { w.ScaleMode(3), w.Margin(1); },
                    [](auto& w) { w.StartObject("Frm", 7), w.EndObject(); },
                    "/Name /Frm\r/BBox [28.346 28.346 566.854 813.654]\r/Matrix [1 0 0 1 0 0]\r"
                    "/Length 6 0 R >>\rstream\r\nendstream\r\nendobj\r\n6 0 obj\r\n0\r\n"}),
    RowName());

// Text placed by its end or its middle moves by the width Length measures,
// which only fonts loaded with LoadFont have.
TEST(PdfTextTest, AlignmentMeasuresLoadedFontsOnly) {
    std::string bytes;
    clsPdfWriter w;
    w.InitPDFSink(std::make_unique<MemorySink>(bytes), "memory.pdf");
    w.LoadFont("Fnt1", "Courier New", 0);
    w.LoadFontStandard("Std", "Arial", 0);
    w.BeginPage();
    // "Hello" in Courier at 10 points is 30 points wide.
    w.DrawText(100, 0, "Hello", "Fnt1", 10, 1, 0);
    w.DrawText(100, 0, "Hello", "fnt1", 10, 2, 0);
    w.DrawText(100, 0, "Hello", "Std", 10, 2, 0);
    w.EndPage();
    const auto lines = testing::PageContentLines(bytes, 1);
    const std::vector<std::string> positions = {lines.at(2), lines.at(7), lines.at(12)};
    EXPECT_EQ(positions, (std::vector<std::string>{"70 0 Td", "85 0 Td", "100 0 Td"}));
}

TEST(PdfLengthTest, MeasuresInCallerUnits) {
    clsPdfWriter w;
    std::string bytes;
    w.InitPDFSink(std::make_unique<MemorySink>(bytes), "memory.pdf");
    w.LoadFont("Fnt1", "Arial", 0);
    w.LoadFontStandard("Std", "Arial", 0);
    // Widths in thousandths of the size: sums and one division, rounded once
    // to the nearest single of the exact width.
    EXPECT_EQ(w.Length("Hello", "fnt1", 10), 22.78f);
    EXPECT_EQ(w.Length("", "Fnt1", 10), 0.0f);
    EXPECT_EQ(w.Length("Hello", "Std", 10), 0.0f);
    // Code 31 lies below FirstChar: DefaultWidth 272, not /MissingWidth.
    EXPECT_EQ(w.Length("\x1F", "Fnt1", 1000), 272.0f);
    w.BeginPage();
    w.SetCharSpacing(1);  // per character, the last included
    w.SetWordSpacing(2);  // per space
    w.SetTextHorizontalScaling(50);
    EXPECT_EQ(w.Length("a b", "Fnt1", 10), 9.45f);  // (13.9 + 3 + 2) / 2
    w.EndPage();
    w.BeginPage();  // every page starts from the PDF defaults again
    EXPECT_EQ(w.Length("a b", "Fnt1", 10), 13.9f);
    w.ScaleMode(3);
    constexpr float kCmTol = 1e-6f;  // 13.9 points to centimetres through a single
    EXPECT_NEAR(w.Length("a b", "Fnt1", 10), 13.9 / 72 * 2.54, kCmTol);
}

struct FormRow {
    const char* name;
    std::int32_t options;
    const char* pages;  // of 1..7, those carrying the form
};

class PdfFormsTest : public ::testing::TestWithParam<FormRow> {};

TEST_P(PdfFormsTest, DrawnAutomaticallyOnTheirPages) {
    const FormRow& row = GetParam();
    const std::string bytes = Document([](auto&) {},
                                       [&](clsPdfWriter& w) {
                                           w.StartObject("Frm", row.options);
                                           w.MoveTo(0, 0);
                                           w.EndObject();
                                           for (int page = 1; page <= 7; ++page) {
                                               w.BeginPage();
                                               w.EndPage();
                                           }
                                       });
    std::string drawnOn;
    for (int page = 1; page <= 7; ++page) {
        const auto lines = testing::PageContentLines(bytes, page);
        if (!lines.empty() && lines.front() == "/Frm Do") drawnOn += char('0' + page);
    }
    EXPECT_EQ(drawnOn, row.pages);
}

INSTANTIATE_TEST_SUITE_P(Rows, PdfFormsTest,
                         ::testing::Values(FormRow{"even", 2, "246"}, FormRow{"odd", 4, "1357"},
                                           FormRow{"odd-but-the-first", 12, "357"},
                                           FormRow{"even-and-odd", 6, "1234567"},
                                           FormRow{"all-but-the-first", 14, "234567"},
                                           FormRow{"every", 7, "1234567"},
                                           FormRow{"every-even-with-8", 15, "1234567"},
                                           FormRow{"bit-1-alone", 1, ""}, FormRow{"none", 0, ""}),
                         RowName());

TEST(PdfWriterFileTest, GeneratedNameInTheProgramFolder) {
    testing::TempFolder folder;
    clsPdfWriter w;
    PdfEnvironment env = testing::FixedEnvironment();
    env.programFolder = folder.path();
    w.SetEnvironment(env);
    std::string name;
    w.InitPDFFile(name);
    w.ClosePDFFile();
    // Day 7, 09:05:03 and the digit 4 make 70905034, hexadecimal 439ECCA.
    EXPECT_EQ(name, (folder / "~439ECCA.pdf").string());
    EXPECT_TRUE(testing::QpdfAccepts(name));
}

struct FailureRow {
    const char* name;
    std::string path;  // under the test's folder, or absolute
    int error;
    bool atClose;  // the failure shows when buffered bytes reach the disk
};

class PdfWriterFileFailureTest : public ::testing::TestWithParam<FailureRow> {};

TEST_P(PdfWriterFileFailureTest, NamesThePathAndTheReason) {
    const FailureRow& row = GetParam();
    testing::TempFolder folder;
    testing::WriteBytes(folder / "plain-file", "x");
    const std::filesystem::path path = folder.path() / row.path;
    clsPdfWriter w;
    std::string name = path.string();
    try {
        w.InitPDFFile(name);
        EXPECT_TRUE(row.atClose);
        w.BeginPage();
        w.EndPage();
        w.ClosePDFFile();
        ADD_FAILURE() << "no error";
    } catch (const PdfWriteError& e) {
        EXPECT_EQ(e.path(), path);
        EXPECT_EQ(e.reason(), std::generic_category().message(row.error));
        EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos);
    }
    EXPECT_FALSE(w.IsOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PdfWriterFileFailureTest,
    ::testing::Values(FailureRow{"missing-folder", "none/sheet.pdf", ENOENT, false},
                      FailureRow{"under-a-file", "plain-file/sheet.pdf", ENOTDIR, false},
                      FailureRow{"a-folder", "", EISDIR, false},
                      FailureRow{"disk-full", "/dev/full", ENOSPC, true}),
    RowName());

struct RefusalRow {
    const char* name;
    Draw call;
    bool usage;  // PdfUsageError, else PdfWriteError
};

class PdfWriterRefusalTest : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(PdfWriterRefusalTest, NothingIsWrittenForARefusedCall) {
    const RefusalRow& row = GetParam();
    clsPdfWriter w;
    w.ScaleMode(3);
    std::string bytes;
    w.InitPDFSink(std::make_unique<MemorySink>(bytes), "memory.pdf");
    w.BeginPage();
    const std::size_t before = bytes.size();
    if (row.usage) {
        EXPECT_THROW(row.call(w), PdfUsageError);
    } else {
        EXPECT_THROW(row.call(w), PdfWriteError);
    }
    EXPECT_EQ(bytes.size(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PdfWriterRefusalTest,
    ::testing::Values(
        RefusalRow{"arc-without-step", [](auto& w) { w.Arc(1, 1, 1, 0, 90, 1, false, 0, 0, 1); },
                   true},
        RefusalRow{"font-style-4", [](auto& w) { w.LoadFont("F9", "Arial", 4); }, true},
        RefusalRow{
            "image-of-16-bits",
            [](auto& w) { w.LoadImgFromArray("I", std::vector<std::uint8_t>(8), {}, 1, 1, 16, 0); },
            true},
        RefusalRow{"nan-length", [](auto& w) { w.MoveTo(std::nanf(""), 1); }, false},
        RefusalRow{"infinite-font-size",
                   [](auto& w) { w.DrawText(1, 1, "x", "F", INFINITY, 0, 0); }, false}),
    RowName());

TEST(PdfWriterUsageTest, EveryOperationNeedsAnOpenDocument) {
    clsPdfWriter closed;
    EXPECT_THROW(closed.MoveTo(1, 1), PdfUsageError);
    EXPECT_THROW(closed.BeginPage(), PdfUsageError);
    EXPECT_THROW(closed.ClosePDFFile(), PdfUsageError);
    EXPECT_FALSE(closed.IsOpen());
}

TEST(PdfWriterObjectsTest, ObjectNumbersStopAt32767) {
    clsPdfWriter w;
    std::string bytes;
    w.InitPDFSink(std::make_unique<MemorySink>(bytes), "memory.pdf");
    // Objects 5..32767 as standard fonts leave no room for a page.
    for (int n = 5; n <= 32767; ++n) w.LoadFontStandard("F", "Arial", 0);
    const std::size_t before = bytes.size();
    EXPECT_THROW(w.BeginPage(), PdfWriteError);
    EXPECT_EQ(bytes.size(), before);
}

}  // namespace
}  // namespace sundial::pdf

#include "core/pdf/pdf_writer.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <functional>
#include <regex>

#include "core/pdf/pdf_error.h"
#include "tests/core/pdf/support/pdf_test_support.h"

namespace sundial::pdf {
namespace {

using testing::CrossReferenceHolds;
using testing::ReadBytes;
using Draw = std::function<void(clsPdfWriter&)>;

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t i = 0, end; i < bytes.size(); i = end + 2) {
        end = std::min(bytes.find("\r\n", i), bytes.size());
        lines.push_back(bytes.substr(i, end - i));
    }
    return lines;
}

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

TEST(PdfSkeletonTest, PropertiesPagesAndResources) {
    const Draw none = [](clsPdfWriter&) {};
    const Draw threePages = [](clsPdfWriter& w) {
        for (int page = 1; page <= 3; ++page) w.BeginPage(), w.EndPage();
    };
    const struct {
        const char* name;
        Draw setUp, body;
        std::string expected;
    } rows[] = {
        {"no-pages", none, none,
         "/Count 0\r/MediaBox [0 0 595.2 842]\r/CropBox [0 0 595.2 842]\r\r/Kids [ ]\r"},
        {"default-title", none, none, "/Title (\\(senza titolo\\))\r"},
        {"three-objects-per-page", none, threePages, "/Kids [5 0 R 8 0 R 11 0 R  ]"},
        {"margin-in-cm", [](auto& w) { w.ScaleMode(3), w.Margin(1); }, none,
         "/CropBox [28.346 28.346 566.854 813.654]\r\r"},
        {"landscape-letter", [](auto& w) { w.PaperSize(2), w.Orientation(1); }, none,
         "/MediaBox [0 0 612 792]\r/CropBox [0 0 612 792]\r/Rotate 90\r/Kids"},
        {"symbol-226-widths", none, [](auto& w) { w.LoadFont("S", "Symbol", 0); },
         "\r\n494 600 \r\n] >>\r\n"},
        {"standard-font", none, [](auto& w) { w.LoadFontStandard("F3", "Times New Roman", 3); },
         "<< /Type /Font /Subtype /Type1 /Name /F3 /BaseFont /TimesNewRoman,BoldItalic /Encoding "
         "/WinAnsiEncoding >>\r\n"},
        {"font-resources", none,
         [](auto& w) { w.LoadFont("A", "Arial", 1), w.LoadFontStandard("B", "Arial", 0); },
         "/Font <<\r/A 5 0 R \r/B 7 0 R \r>>\r/ProcSet [/PDF /Text ]\r>>"},
    };
    for (const auto& row : rows) {
        const std::string bytes = Document(row.setUp, row.body);
        EXPECT_NE(bytes.find(row.expected), std::string::npos) << row.name << "\n" << bytes;
        EXPECT_TRUE(CrossReferenceHolds(bytes)) << row.name;
    }
}

// The lines `draw` appends to a page, in centimetres (`scaleMode` 3) or points (0).
std::vector<std::string> PageLines(std::int32_t scaleMode, const Draw& draw) {
    clsPdfWriter w;
    w.ScaleMode(scaleMode);
    std::string bytes;
    w.InitPDFSink(std::make_unique<MemorySink>(bytes), "memory.pdf");
    w.LoadFont("Fnt1", "Courier New", 0);
    w.LoadFontStandard("Std", "Arial", 0);
    w.BeginPage();
    const std::size_t start = bytes.size();
    draw(w);
    return Lines(bytes.substr(start));
}

TEST(PdfOperatorsTest, LinesWrittenPerOperation) {
    const struct {
        const char* name;
        std::int32_t scaleMode;
        Draw draw;
        std::vector<std::string> lines;
    } rows[] = {
        {"move-cm", 3, [](auto& w) { w.MoveTo(2, 28); }, {"56.693 793.701 m"}},
        {"line-open", 0, [](auto& w) { w.LineTo(1, 2, 0); }, {"1 2 l"}},
        {"line-close-stroke", 0, [](auto& w) { w.LineTo(1, 2, 3); }, {"1 2 l", "h", "S"}},
        {"line-fill", 0, [](auto& w) { w.LineTo(1, 2, 6); }, {"1 2 l", "f"}},
        {"line-everything", 0, [](auto& w) { w.LineTo(1, 2, 15); }, {"1 2 l", "b"}},
        // 2.4 cm is 68.03150 points to a single's 7 digits: a half, to even.
        {"rectangle-cm",
         3,
         [](auto& w) { w.Rectangle(2.4f, 2.4f, 17.6f, 25, 1, 0); },
         {"n", "68.032 68.032 498.898 708.661 re", "S"}},
        {"rounded-taller-than-wide",
         0,
         [](auto& w) { w.Rectangle(0, 0, 2, 4, 1, 5); },
         {"n", "1 0 m", "1 0 l", "1.55 0 2 0.45 2 1 c", "2 3 l", "2 3.55 1.55 4 1 4 c", "1 4 l",
          "0.45 4 0 3.55 0 3 c", "0 1 l", "0 0.45 0.45 0 1 0 c", "S"}},
        {"circle-from-the-bottom",
         0,
         [](auto& w) { w.DrawCircle(10, 10, 2, 4); },
         {"10 8 m", "11.1 8 12 8.9 12 10 c", "12 11.1 11.1 12 10 12 c", "8.9 12 8 11.1 8 10 c",
          "8 8.9 8.9 8 10 8 c", "f"}},
        {"sector",
         0,
         [](auto& w) { w.Arc(0, 0, 10, 0, 90, 1, true, 0, 45, 1); },
         {"n", "0 0 m", "10 0 l", "7.071 7.071 l", "0 10 l", "0 0 l", "S"}},
        {"filled-rotated-arc-is-a-sector",
         0,
         [](auto& w) { w.Arc(0, 0, 10, 0, 0, 1, false, 90, 10, 4); },
         {"n", "0 0 m", "0 10 l", "0 0 l", "f"}},
        {"width-cm", 3, [](auto& w) { w.SetLineWidth(0.2f); }, {"5.669 w"}},
        {"fill-red", 0, [](auto& w) { w.SetColorFill(255); }, {"1 0 0 rg"}},
        {"stroke-mixed", 0, [](auto& w) { w.SetColorStroke(0x336699); }, {"0.6 0.4 0.2 RG"}},
        {"stroke-grey", 0, [](auto& w) { w.SetColorStroke(-128); }, {"0.502 G"}},
        {"solid", 0, [](auto& w) { w.SetDash(0, 0); }, {"[ ] 0 d"}},
        {"ignored-out-of-range",
         0,
         [](auto& w) {
             w.SetLineCap(3), w.SetLineJoin(-1), w.SetMiterLimit(0.5f), w.SetTextRenderingMode(3);
         },
         {}},
        {"in-range",
         0,
         [](auto& w) {
             w.SetLineCap(1), w.SetLineJoin(2), w.SetMiterLimit(1.5f), w.SetTextRenderingMode(2);
         },
         {"1 J", "2 j", "1.5 M", "2 Tr"}},
        {"escaped-text",
         3,
         [](auto& w) { w.DrawText(2, 28, "a(b)\\c", "Fnt1", 10, 0, 0); },
         {"BT", "/Fnt1 10 Tf", "56.693 793.701 Td", "(a\\(b\\)\\\\c) Tj", "ET"}},
        {"utf8-to-win1252",
         0,
         [](auto& w) { w.DrawText(0, 0, "Z\xC3\xBCrich \xE2\x82\xAC", "Fnt1", 9.5f, 0, 0); },
         {"BT", "/Fnt1 9.5 Tf", "0 0 Td", "(Z\xFCrich \x80) Tj", "ET"}},
        {"rotated-90",
         3,
         [](auto& w) { w.DrawText(2, 28, "R", "Fnt1", 10, 0, 90); },
         {"BT", "/Fnt1 10 Tf", "0 1 -1 0 56.693 793.701 Tm", "(R) Tj", "ET"}},
        // "Hello" in Courier at 10 points is 30 points wide.
        {"right-aligned",
         0,
         [](auto& w) { w.DrawText(100, 0, "Hello", "Fnt1", 10, 1, 0); },
         {"BT", "/Fnt1 10 Tf", "70 0 Td", "(Hello) Tj", "ET"}},
        {"standard-font-never-shifts",
         0,
         [](auto& w) { w.DrawText(100, 0, "Hello", "Std", 10, 2, 0); },
         {"BT", "/Std 10 Tf", "100 0 Td", "(Hello) Tj", "ET"}},
        {"image",
         3,
         [](auto& w) { w.DrawImg("Im1", 1, 27, 2, 1); },
         {"q\r56.693  0 0 -28.346 28.346 765.354 cm\r/Im1 Do\rQ"}},
        // A negative height turns the picture over; the matrix stays well formed.
        {"image-negative-height",
         3,
         [](auto& w) { w.DrawImg("Im1", 1, 27, 2, -1); },
         {"q\r56.693  0 0 28.346 28.346 765.354 cm\r/Im1 Do\rQ"}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PageLines(row.scaleMode, row.draw), row.lines) << row.name;
    // A full turn in steps of 10 degrees: one point per step, both ends included.
    const auto arc = PageLines(3, [](auto& w) { w.Arc(10, 15, 3, 0, 360, 1, false, 0, 10, 1); });
    EXPECT_EQ(std::count_if(arc.begin(), arc.end(), [](auto& l) { return l.ends_with(" l"); }), 37);
}

TEST(PdfLengthTest, MeasuresInCallerUnits) {
    constexpr float kTol = 1e-4f;  // single-precision sums of a few hundred units
    clsPdfWriter w;
    std::string bytes;
    w.InitPDFSink(std::make_unique<MemorySink>(bytes), "memory.pdf");
    w.LoadFont("Fnt1", "Arial", 0);
    w.LoadFontStandard("Std", "Arial", 0);
    EXPECT_NEAR(w.Length("Hello", "fnt1", 10), 22.78f, kTol);
    EXPECT_EQ(w.Length("", "Fnt1", 10), 0.0f);
    EXPECT_EQ(w.Length("Hello", "Std", 10), 0.0f);
    // Code 31 lies below FirstChar: DefaultWidth 272, not /MissingWidth.
    EXPECT_NEAR(w.Length("\x1F", "Fnt1", 1000), 272.0f, kTol);
    w.BeginPage();
    w.SetCharSpacing(1);  // per character, the last included
    w.SetWordSpacing(2);  // per space
    w.SetTextHorizontalScaling(50);
    EXPECT_NEAR(w.Length("a b", "Fnt1", 10), (13.9f + 3 + 2) / 2, kTol);
    w.EndPage();
    w.BeginPage();  // every page starts from the PDF defaults again
    EXPECT_NEAR(w.Length("a b", "Fnt1", 10), 13.9f, kTol);
    w.ScaleMode(3);
    EXPECT_NEAR(w.Length("a b", "Fnt1", 10), 13.9f / 72 * 2.54f, kTol);
}

TEST(PdfFormsTest, DrawnAutomaticallyOnTheirPages) {
    const struct {
        std::int32_t options;
        const char* pages;  // of 1..7, those carrying the form
    } rows[] = {{2, "246"},     {4, "1357"},     {12, "357"}, {6, "1234567"}, {14, "234567"},
                {7, "1234567"}, {15, "1234567"}, {1, ""},     {0, ""}};
    for (const auto& row : rows) {
        std::string drawnOn;
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
        for (int page = 1; page <= 7; ++page) {
            const auto lines = testing::PageContentLines(bytes, page);
            if (!lines.empty() && lines.front() == "/Frm Do") drawnOn += char('0' + page);
        }
        EXPECT_EQ(drawnOn, row.pages) << "options " << row.options;
    }
}

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

TEST(PdfWriterFileTest, FileSystemFailuresNameThePathAndTheReason) {
    testing::TempFolder folder;
    testing::WriteBytes(folder / "plain-file", "x");
    const struct {
        const char* name;
        std::filesystem::path path;
        int error;
        bool atClose;  // the failure shows when buffered bytes reach the disk
    } rows[] = {
        {"missing-folder", folder / "none" / "sheet.pdf", ENOENT, false},
        {"under-a-file", folder / "plain-file" / "sheet.pdf", ENOTDIR, false},
        {"a-folder", folder.path(), EISDIR, false},
        {"disk-full", "/dev/full", ENOSPC, true},
    };
    for (const auto& row : rows) {
        clsPdfWriter w;
        std::string name = row.path.string();
        try {
            w.InitPDFFile(name);
            EXPECT_TRUE(row.atClose) << row.name;
            w.BeginPage();
            w.EndPage();
            w.ClosePDFFile();
            ADD_FAILURE() << row.name << ": no error";
        } catch (const PdfWriteError& e) {
            EXPECT_EQ(e.path(), row.path) << row.name;
            EXPECT_EQ(e.reason(), std::generic_category().message(row.error)) << row.name;
            EXPECT_NE(std::string(e.what()).find(row.path.string()), std::string::npos);
        }
        EXPECT_FALSE(w.IsOpen()) << row.name;
    }
}

TEST(PdfWriterRefusalTest, NothingIsWrittenForARefusedCall) {
    const float nan = std::nanf("");
    const struct {
        const char* name;
        Draw call;
        bool usage;  // PdfUsageError, else PdfWriteError
    } rows[] = {
        {"arc-without-step", [](auto& w) { w.Arc(1, 1, 1, 0, 90, 1, false, 0, 0, 1); }, true},
        {"arc-step-lost-in-rounding",
         [](auto& w) { w.Arc(1, 1, 1, 1e9f, 2e9f, 1, false, 0, 1, 1); }, true},
        {"font-style-4", [](auto& w) { w.LoadFont("F9", "Arial", 4); }, true},
        {"colour-below-minus-255", [](auto& w) { w.SetColorFill(-256); }, false},
        {"nan-length", [nan](auto& w) { w.MoveTo(nan, 1); }, false},
        {"length-beyond-single", [](auto& w) { w.SetLineWidth(3e38f); }, false},
        {"infinite-font-size", [](auto& w) { w.DrawText(1, 1, "x", "F", INFINITY, 0, 0); }, false},
    };
    for (const auto& row : rows) {
        clsPdfWriter w;
        w.ScaleMode(3);
        std::string bytes;
        w.InitPDFSink(std::make_unique<MemorySink>(bytes), "memory.pdf");
        w.BeginPage();
        const std::size_t before = bytes.size();
        if (row.usage) {
            EXPECT_THROW(row.call(w), PdfUsageError) << row.name;
        } else {
            EXPECT_THROW(row.call(w), PdfWriteError) << row.name;
        }
        EXPECT_EQ(bytes.size(), before) << row.name;
    }
    clsPdfWriter closed;
    EXPECT_THROW(closed.MoveTo(1, 1), PdfUsageError);
}

TEST(PdfWriterRefusalTest, ObjectNumbersStopAt32767) {
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

#include "pdf/pdf_writer.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <functional>
#include <regex>

#include "pdf/pdf_error.h"
#include "pdf_test_support.h"

namespace sundial::pdf {
namespace {

using testing::CrossReferenceHolds;
using testing::FixedEnvironment;
using testing::QpdfAccepts;
using testing::ReadBytes;
using testing::TempFolder;

// Lines, split at CR LF.
std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t end = bytes.find("\r\n", i);
        if (end == std::string::npos) end = bytes.size();
        lines.push_back(bytes.substr(i, end - i));
        i = end + 2;
    }
    return lines;
}

// A document written to memory, in centimetres, with the fixed clock.
class MemoryDocument : public ::testing::Test {
  protected:
    void Open(std::int32_t scaleMode = 3) {
        writer.SetEnvironment(FixedEnvironment());
        writer.ScaleMode(scaleMode);
        writer.InitPDFSink(std::make_unique<MemorySink>(bytes), "memory.pdf");
    }
    // The lines that `action` appends.
    std::vector<std::string> Written(const std::function<void()>& action) {
        const std::size_t before = bytes.size();
        action();
        return Lines(bytes.substr(before));
    }

    clsPdfWriter writer;
    std::string bytes;
};

// One page, one font, a few operators: the bytes of the whole skeleton.
// `open` starts the document once the properties are set.
void WriteSmallDocument(clsPdfWriter& w, const std::function<void()>& open) {
    w.Title("Golden (test)");
    w.ScaleMode(3);
    w.PaperSize(0);
    w.Margin(0);
    open();
    w.LoadFont("Fnt1", "Courier New", 0);
    w.BeginPage();
    w.DrawText(2.0f, 28.0f, "Hello", "Fnt1", 10, 0, 0);
    w.SetLineWidth(0.2f);
    w.SetColorStroke(0);
    w.MoveTo(20, 15);
    w.LineTo(2.4f, 15, 1);
    w.EndPage();
    w.ClosePDFFile();
}

const std::filesystem::path kGolden = std::filesystem::path(SUNDIAL_TEST_DATA_DIR) / "one_page.pdf";

TEST(PdfGoldenTest, SmallDocumentMatchesByteForByte) {
    clsPdfWriter w;
    w.SetEnvironment(FixedEnvironment());
    std::string bytes;
    WriteSmallDocument(w,
                       [&] { w.InitPDFSink(std::make_unique<MemorySink>(bytes), "memory.pdf"); });
    if (std::getenv("SUNDIAL_UPDATE_GOLDEN")) testing::WriteBytes(kGolden, bytes);
    EXPECT_EQ(bytes, ReadBytes(kGolden));
    EXPECT_TRUE(CrossReferenceHolds(bytes));
}

TEST(PdfGoldenTest, RealClockOnlyChangesTheCreationDate) {
    TempFolder folder;
    clsPdfWriter w;
    std::string name = (folder / "dated.pdf").string();
    WriteSmallDocument(w, [&] { w.InitPDFFile(name); });
    const std::string written = ReadBytes(name);
    const std::regex date(R"(/CreationDate \(D:\d{14}[+-]\d\d'\d\d'\))");
    EXPECT_TRUE(std::regex_search(written, date));
    const std::string masked = "/CreationDate (masked)";
    EXPECT_EQ(std::regex_replace(written, date, masked),
              std::regex_replace(ReadBytes(kGolden), date, masked));
    EXPECT_TRUE(CrossReferenceHolds(written));
    EXPECT_TRUE(QpdfAccepts(name));
}

TEST(PdfGoldenTest, SameBytesUnderACommaDecimalLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE.UTF-8 locale";
    clsPdfWriter w;
    w.SetEnvironment(FixedEnvironment());
    std::string bytes;
    WriteSmallDocument(w,
                       [&] { w.InitPDFSink(std::make_unique<MemorySink>(bytes), "memory.pdf"); });
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(bytes, ReadBytes(kGolden));
}

TEST_F(MemoryDocument, DocumentWithoutPagesHasAnEmptyKidsArray) {
    Open();
    writer.ClosePDFFile();
    EXPECT_NE(bytes.find("/Count 0\r"), std::string::npos);
    EXPECT_NE(bytes.find("/Kids [ ]\r"), std::string::npos);
    EXPECT_NE(bytes.find("/Title (\\(senza titolo\\))"), std::string::npos);
    EXPECT_TRUE(CrossReferenceHolds(bytes));
    EXPECT_TRUE(bytes.ends_with("%%EOF\r\r\n"));
}

TEST_F(MemoryDocument, EachPageTakesThreeObjectsInOrder) {
    Open();
    for (int page = 1; page <= 3; ++page) {
        EXPECT_EQ(writer.BeginPage(), page);
        writer.EndPage();
    }
    EXPECT_EQ(writer.Pages(), 3);
    writer.ClosePDFFile();
    EXPECT_NE(bytes.find("/Kids [5 0 R 8 0 R 11 0 R  ]"), std::string::npos);
    EXPECT_NE(bytes.find("/Size 14\r"), std::string::npos);
    EXPECT_NE(bytes.find("9 0 obj\r\n<< /Length 10 0 R >>\rstream\r\n"), std::string::npos);
    EXPECT_TRUE(CrossReferenceHolds(bytes));
}

TEST_F(MemoryDocument, PaperMarginAndOrientation) {
    const struct {
        const char* name;
        std::function<void(clsPdfWriter&)> set;
        const char* boxes;
    } rows[] = {
        {"a4-cm-margin-1", [](clsPdfWriter& w) { w.ScaleMode(3), w.Margin(1); },
         "/MediaBox [0 0 595.2 842]\r/CropBox [28.346 28.346 566.854 813.654]\r\r/Kids"},
        {"a3", [](clsPdfWriter& w) { w.PaperSize(1); },
         "/MediaBox [0 0 842 1190.5]\r/CropBox [0 0 842 1190.5]\r\r/Kids"},
        {"letter-landscape", [](clsPdfWriter& w) { w.PaperSize(2), w.Orientation(1); },
         "/MediaBox [0 0 612 792]\r/CropBox [0 0 612 792]\r/Rotate 90\r/Kids"},
        {"unknown-code-keeps-paper", [](clsPdfWriter& w) { w.PaperSize(3), w.PaperSize(9); },
         "/MediaBox [0 0 612 864]\r"},
        {"own-size-in-inches",
         [](clsPdfWriter& w) { w.ScaleMode(1), w.PaperWidth(5), w.PaperHeight(7.5f); },
         "/MediaBox [0 0 360 540]\r"},
        {"unknown-scale-makes-zero", [](clsPdfWriter& w) { w.ScaleMode(7), w.PaperWidth(5); },
         "/MediaBox [0 0 0 842]\r"},
    };
    for (const auto& row : rows) {
        clsPdfWriter w;
        row.set(w);
        std::string out;
        w.InitPDFSink(std::make_unique<MemorySink>(out), "memory.pdf");
        w.ClosePDFFile();
        EXPECT_NE(out.find(row.boxes), std::string::npos) << row.name << "\n" << out;
    }
}

struct OperatorRow {
    const char* name;
    std::function<void(clsPdfWriter&)> draw;
    std::vector<std::string> lines;
};

TEST_F(MemoryDocument, ContentOperatorsInCentimetres) {
    Open(3);
    writer.LoadFont("Fnt1", "Courier New", 0);
    writer.LoadFontStandard("Std", "Times Roman", 1);
    writer.BeginPage();
    const OperatorRow rows[] = {
        {"move", [](auto& w) { w.MoveTo(2, 28); }, {"56.693 793.701 m"}},
        {"line-open", [](auto& w) { w.LineTo(2, 28, 0); }, {"56.693 793.701 l"}},
        {"line-stroke", [](auto& w) { w.LineTo(0, 0, 1); }, {"0 0 l", "S"}},
        {"line-close", [](auto& w) { w.LineTo(0, 0, 2); }, {"0 0 l", "h"}},
        {"line-close-stroke", [](auto& w) { w.LineTo(0, 0, 3); }, {"0 0 l", "h", "S"}},
        {"line-fill", [](auto& w) { w.LineTo(0, 0, 6); }, {"0 0 l", "f"}},
        {"line-fill-stroke", [](auto& w) { w.LineTo(0, 0, 5); }, {"0 0 l", "B"}},
        {"line-all", [](auto& w) { w.LineTo(0, 0, 15); }, {"0 0 l", "b"}},
        {"line-high-bit-only", [](auto& w) { w.LineTo(0, 0, 8); }, {"0 0 l"}},
        {"rectangle",
         [](auto& w) { w.Rectangle(2.4f, 2.4f, 17.6f, 25, 1, 0); },
         // 2.4 cm is 68.03150 points to a single's 7 digits: a half, rounded to even.
         {"n", "68.032 68.032 498.898 708.661 re", "S"}},
        {"line-width", [](auto& w) { w.SetLineWidth(0.2f); }, {"5.669 w"}},
        {"fill-black", [](auto& w) { w.SetColorFill(0); }, {"0 g"}},
        {"fill-red", [](auto& w) { w.SetColorFill(255); }, {"1 0 0 rg"}},
        {"fill-blue", [](auto& w) { w.SetColorFill(0xFF0000); }, {"0 0 1 rg"}},
        {"stroke-grey", [](auto& w) { w.SetColorStroke(-128); }, {"0.502 G"}},
        {"stroke-white", [](auto& w) { w.SetColorStroke(-255); }, {"1 G"}},
        {"stroke-mixed", [](auto& w) { w.SetColorStroke(0x336699); }, {"0.6 0.4 0.2 RG"}},
        {"solid", [](auto& w) { w.SetDash(0, 0); }, {"[ ] 0 d"}},
        {"dash", [](auto& w) { w.SetDash(0.1f, 0.2f); }, {"[2.835 5.669] 0 d"}},
        {"cap", [](auto& w) { w.SetLineCap(1); }, {"1 J"}},
        {"cap-out-of-range", [](auto& w) { w.SetLineCap(3); }, {}},
        {"join", [](auto& w) { w.SetLineJoin(2); }, {"2 j"}},
        {"join-negative", [](auto& w) { w.SetLineJoin(-1); }, {}},
        {"miter", [](auto& w) { w.SetMiterLimit(1.5f); }, {"1.5 M"}},
        {"miter-below-one", [](auto& w) { w.SetMiterLimit(0.5f); }, {}},
        {"render-mode", [](auto& w) { w.SetTextRenderingMode(2); }, {"2 Tr"}},
        {"render-mode-3", [](auto& w) { w.SetTextRenderingMode(3); }, {}},
        {"spacing", [](auto& w) { w.SetWordSpacing(2.5f); }, {"2.5 Tw"}},
        {"scaling", [](auto& w) { w.SetTextHorizontalScaling(100); }, {"100 Tz"}},
        {"text",
         [](auto& w) { w.DrawText(2, 28, "a(b)\\c", "Fnt1", 10, 0, 0); },
         {"BT", "/Fnt1 10 Tf", "56.693 793.701 Td", "(a\\(b\\)\\\\c) Tj", "ET"}},
        {"text-win1252",
         [](auto& w) { w.DrawText(0, 0, "Z\xC3\xBCrich \xE2\x82\xAC", "Fnt1", 9.5f, 0, 0); },
         {"BT", "/Fnt1 9.5 Tf", "0 0 Td", "(Z\xFCrich \x80) Tj", "ET"}},
        {"text-rotated-90",
         [](auto& w) { w.DrawText(2, 28, "R", "Fnt1", 10, 0, 90); },
         {"BT", "/Fnt1 10 Tf", "0 1 -1 0 56.693 793.701 Tm", "(R) Tj", "ET"}},
        // "Hello" in Courier at 10 points is 30 points wide.
        {"text-right-aligned",
         [](auto& w) { w.DrawText(2, 0, "Hello", "Fnt1", 10, 1, 0); },
         {"BT", "/Fnt1 10 Tf", "26.693 0 Td", "(Hello) Tj", "ET"}},
        {"text-centred",
         [](auto& w) { w.DrawText(2, 0, "Hello", "fnt1", 10, 2, 0); },
         {"BT", "/fnt1 10 Tf", "41.693 0 Td", "(Hello) Tj", "ET"}},
        {"standard-font-never-shifts",
         [](auto& w) { w.DrawText(2, 0, "Hello", "Std", 10, 2, 0); },
         {"BT", "/Std 10 Tf", "56.693 0 Td", "(Hello) Tj", "ET"}},
    };
    for (const OperatorRow& row : rows) {
        EXPECT_EQ(Written([&] { row.draw(writer); }), row.lines) << row.name;
    }
}

TEST_F(MemoryDocument, CurvedPathsInPoints) {
    Open(0);
    writer.BeginPage();
    const OperatorRow rows[] = {
        // Taller than wide: the radius is limited to half the width.
        {"rounded-rectangle",
         [](auto& w) { w.Rectangle(0, 0, 2, 4, 1, 5); },
         {"n", "1 0 m", "1 0 l", "1.55 0 2 0.45 2 1 c", "2 3 l", "2 3.55 1.55 4 1 4 c", "1 4 l",
          "0.45 4 0 3.55 0 3 c", "0 1 l", "0 0.45 0.45 0 1 0 c", "S"}},
        {"circle",
         [](auto& w) { w.DrawCircle(10, 10, 2, 4); },
         {"10 8 m", "11.1 8 12 8.9 12 10 c", "12 11.1 11.1 12 10 12 c", "8.9 12 8 11.1 8 10 c",
          "8 8.9 8.9 8 10 8 c", "f"}},
        {"quarter-sector",
         [](auto& w) { w.Arc(0, 0, 10, 0, 90, 1, true, 0, 45, 1); },
         {"n", "0 0 m", "10 0 l", "7.071 7.071 l", "0 10 l", "0 0 l", "S"}},
        {"open-arc-counting-down",
         [](auto& w) { w.Arc(0, 0, 10, 90, 0, 0.5f, false, 0, -90, 0); },
         {"n", "0 0 m", "0 5 m", "0 5 l", "10 0 l"}},
        {"filled-arc-becomes-sector",
         [](auto& w) { w.Arc(0, 0, 10, 0, 0, 1, false, 90, 10, 4); },
         {"n", "0 0 m", "0 10 l", "0 0 l", "f"}},
    };
    for (const OperatorRow& row : rows) {
        EXPECT_EQ(Written([&] { row.draw(writer); }), row.lines) << row.name;
    }
}

TEST_F(MemoryDocument, FullArcHasOnePointPerStepBothEndsIncluded) {
    Open(3);
    writer.BeginPage();
    const auto lines = Written([&] { writer.Arc(10, 15, 3, 0, 360, 1, false, 0, 10, 1); });
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](auto& l) { return l.ends_with(" l"); }),
              37);
    EXPECT_EQ(lines.back(), "S");
}

TEST_F(MemoryDocument, LengthMeasuresInCallerUnits) {
    constexpr float kTol = 1e-4f;  // single-precision sums of a few hundred units
    Open(0);
    writer.LoadFont("Fnt1", "Arial", 0);
    writer.LoadFontStandard("Std", "Arial", 0);
    EXPECT_NEAR(writer.Length("Hello", "Fnt1", 10), 22.78f, kTol);
    EXPECT_NEAR(writer.Length("Hello", "FNT1", 10), 22.78f, kTol);
    EXPECT_EQ(writer.Length("", "Fnt1", 10), 0.0f);
    EXPECT_EQ(writer.Length("Hello", "Std", 10), 0.0f);
    EXPECT_EQ(writer.Length("Hello", "Nothing", 10), 0.0f);
    // Code 31 is below FirstChar: DefaultWidth 272, not /MissingWidth.
    EXPECT_NEAR(writer.Length("\x1F", "Fnt1", 1000), 272.0f, kTol);
    writer.BeginPage();
    writer.SetCharSpacing(1);  // once per character, the last included
    writer.SetWordSpacing(2);  // once per space
    writer.SetTextHorizontalScaling(50);
    EXPECT_NEAR(writer.Length("a b", "Fnt1", 10), (13.9f + 3 * 1 + 2) * 0.5f, kTol);
    writer.EndPage();
    writer.BeginPage();  // a new page starts from the PDF defaults again
    EXPECT_NEAR(writer.Length("a b", "Fnt1", 10), 13.9f, kTol);
}

TEST_F(MemoryDocument, LengthInCentimetres) {
    constexpr float kTol = 1e-5f;  // cm, after one conversion in single precision
    Open(3);
    writer.LoadFont("Fnt1", "Courier New", 0);
    EXPECT_NEAR(writer.Length("1234567890", "Fnt1", 10), 60.0f / 72 * 2.54f, kTol);
}

TEST_F(MemoryDocument, LoadFontWritesWidthsSixteenToALine) {
    Open();
    const auto courier = Written([&] { writer.LoadFont("Fnt1", "Courier New", 0); });
    ASSERT_GE(courier.size(), 20u);
    EXPECT_EQ(courier[1],
              "<< /Type /Font \r/Subtype /TrueType\r/Name /Fnt1\r/BaseFont /CourierNew"
              "\r/FirstChar 32\r/LastChar 255\r/FontDescriptor 6 0 R\r/Encoding "
              "/WinAnsiEncoding\r/Widths [");
    std::string sixteen;
    for (int i = 0; i < 16; ++i) sixteen += "600 ";
    for (int line = 2; line < 16; ++line) EXPECT_EQ(courier[line], sixteen) << line;
    EXPECT_EQ(courier[16], "] >>");
    EXPECT_EQ(courier[18], "6 0 obj");
    EXPECT_TRUE(
        courier[19].starts_with("<<\r/Type /FontDescriptor\r/FontName /CourierNew\r/Flags 34 "));

    const auto symbol = Written([&] { writer.LoadFont("F2", "symbol", 2); });
    EXPECT_NE(symbol[1].find("/BaseFont /Symbol,Italic\r/FirstChar 30\r"), std::string::npos);
    EXPECT_EQ(symbol[16], "494 600 ");  // 226 widths: 14 full lines and one of two
    const auto standard = Written([&] { writer.LoadFontStandard("F3", "Times New Roman", 3); });
    EXPECT_EQ(standard[1],
              "<< /Type /Font /Subtype /Type1 /Name /F3 /BaseFont "
              "/TimesNewRoman,BoldItalic /Encoding /WinAnsiEncoding >>");
    writer.ClosePDFFile();
    EXPECT_NE(
        bytes.find("/Font <<\r/Fnt1 5 0 R \r/F2 7 0 R \r/F3 9 0 R \r>>\r/ProcSet [/PDF /Text ]"),
        std::string::npos);
}

TEST_F(MemoryDocument, FormsAreDrawnOnTheirPages) {
    const struct {
        std::int32_t options;
        const char* pages;  // of 1..7, those carrying the form
    } rows[] = {
        {2, "246"},     {4, "1357"},     {12, "357"}, {6, "1234567"}, {14, "234567"},
        {7, "1234567"}, {15, "1234567"}, {1, ""},     {0, ""},
    };
    for (const auto& row : rows) {
        clsPdfWriter w;
        std::string out;
        w.InitPDFSink(std::make_unique<MemorySink>(out), "memory.pdf");
        w.StartObject("Frm", row.options);
        w.MoveTo(0, 0);
        w.EndObject();
        std::string drawnOn;
        for (int page = 1; page <= 7; ++page) {
            const std::size_t before = out.size();
            w.BeginPage();
            if (out.find("/Frm Do", before) != std::string::npos) drawnOn += char('0' + page);
            w.EndPage();
        }
        w.ClosePDFFile();
        EXPECT_EQ(drawnOn, row.pages) << "options " << row.options;
        EXPECT_TRUE(CrossReferenceHolds(out)) << row.options;
    }
}

TEST(PdfWriterFileTest, GeneratedNameInTheProgramFolder) {
    TempFolder folder;
    clsPdfWriter w;
    PdfEnvironment env = FixedEnvironment();
    env.programFolder = folder.path();
    w.SetEnvironment(env);
    std::string name;
    w.InitPDFFile(name);
    w.ClosePDFFile();
    // Day 7, 09:05:03 and the digit 4 make 70905034, hexadecimal 439ECCA.
    EXPECT_EQ(name, (folder / "~439ECCA.pdf").string());
    EXPECT_TRUE(QpdfAccepts(name));
}

TEST(PdfWriterFileTest, FileSystemFailuresNameThePathAndTheReason) {
    TempFolder folder;
    testing::WriteBytes(folder / "plain-file", "x");
    const struct {
        const char* name;
        std::filesystem::path path;
    } rows[] = {
        {"missing-folder", folder / "no-such-folder" / "sheet.pdf"},
        {"under-a-file", folder / "plain-file" / "sheet.pdf"},
        {"a-folder", folder.path()},
    };
    for (const auto& row : rows) {
        clsPdfWriter w;
        std::string name = row.path.string();
        try {
            w.InitPDFFile(name);
            ADD_FAILURE() << row.name << ": no error";
        } catch (const PdfWriteError& e) {
            EXPECT_EQ(e.path(), row.path) << row.name;
            EXPECT_FALSE(e.reason().empty()) << row.name;
            EXPECT_NE(std::string(e.what()).find(row.path.string()), std::string::npos);
        }
        EXPECT_FALSE(w.IsOpen()) << row.name;
    }
}

TEST(PdfWriterFileTest, FullDiskIsReportedWhenTheFileIsClosed) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    clsPdfWriter w;
    std::string name = "/dev/full";
    w.InitPDFFile(name);
    w.BeginPage();
    w.EndPage();
    try {
        w.ClosePDFFile();
        ADD_FAILURE() << "no error";
    } catch (const PdfWriteError& e) {
        EXPECT_EQ(e.path(), "/dev/full");
        EXPECT_EQ(e.reason(), std::generic_category().message(ENOSPC));
    }
    EXPECT_FALSE(w.IsOpen());
}

TEST_F(MemoryDocument, RefusalsWriteNothing) {
    Open(3);
    writer.BeginPage();
    const float nan = std::nanf("");
    const struct {
        const char* name;
        std::function<void()> call;
        bool usage;  // PdfUsageError, else PdfWriteError
    } rows[] = {
        {"arc-without-step", [&] { writer.Arc(1, 1, 1, 0, 90, 1, false, 0, 0, 1); }, true},
        {"arc-step-lost-in-rounding", [&] { writer.Arc(1, 1, 1, 1e9f, 2e9f, 1, false, 0, 1, 1); },
         true},
        {"font-style-4", [&] { writer.LoadFont("F9", "Arial", 4); }, true},
        {"colour-below-minus-255", [&] { writer.SetColorFill(-256); }, false},
        {"nan-length", [&] { writer.MoveTo(nan, 1); }, false},
        {"huge-length", [&] { writer.SetLineWidth(3e38f); }, false},
        {"infinite-font-size", [&] { writer.DrawText(1, 1, "x", "F", INFINITY, 0, 0); }, false},
    };
    for (const auto& row : rows) {
        const std::size_t before = bytes.size();
        if (row.usage) {
            EXPECT_THROW(row.call(), PdfUsageError) << row.name;
        } else {
            EXPECT_THROW(row.call(), PdfWriteError) << row.name;
        }
        EXPECT_EQ(bytes.size(), before) << row.name;
    }
    // The refused font left no trace: the next one is still the first record.
    writer.EndPage();
    writer.LoadFont("F9", "Courier New", 0);
    EXPECT_GT(writer.Length("x", "F9", 10), 0.0f);
}

TEST(PdfWriterStateTest, OperationsNeedAnOpenDocument) {
    clsPdfWriter w;
    EXPECT_THROW(w.BeginPage(), PdfUsageError);
    EXPECT_THROW(w.MoveTo(1, 1), PdfUsageError);
    EXPECT_THROW(w.ClosePDFFile(), PdfUsageError);
    EXPECT_THROW(w.LoadFont("F", "Arial", 0), PdfUsageError);
}

TEST_F(MemoryDocument, ObjectNumbersStopAt32767) {
    Open();
    // Objects 5..32767 as standard fonts leave no room for a page.
    for (int n = 5; n <= 32767; ++n) writer.LoadFontStandard("F", "Arial", 0);
    const std::size_t before = bytes.size();
    EXPECT_THROW(writer.BeginPage(), PdfWriteError);
    EXPECT_EQ(bytes.size(), before);
    EXPECT_EQ(writer.Pages(), 0);
}

TEST_F(MemoryDocument, ANewDocumentForgetsTheOldOne) {
    Open();
    writer.LoadFont("Fnt1", "Arial", 0);
    writer.BeginPage();  // left open: that document is abandoned
    std::string second;
    writer.InitPDFSink(std::make_unique<MemorySink>(second), "second.pdf");
    EXPECT_EQ(writer.Pages(), 0);
    EXPECT_EQ(writer.Length("Hello", "Fnt1", 10), 0.0f);
    writer.ClosePDFFile();
    EXPECT_EQ(second.find("/Font"), std::string::npos);
    EXPECT_TRUE(CrossReferenceHolds(second));
}

}  // namespace
}  // namespace sundial::pdf

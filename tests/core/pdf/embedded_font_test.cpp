// Text in an embedded font as other readers see it: the characters given
// (any the face has, "?" for the rest), each string as wide and placed as the
// writer measured it, and every document holding only its own glyphs.
#include "core/pdf/embedded_font.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "core/font/text_fonts.h"
#include "core/pdf/pdf_writer.h"
#include "tests/core/pdf/support/pdf_test_support.h"

namespace sundial::pdf {
namespace {

using testing::Quoted;
using testing::RunCommand;

constexpr double kPtPerMm = 72 / 25.4;
constexpr float kSizePt = 20;
constexpr float kX = 100;  // mm from the left, where each row's text is aligned

struct TextRow {
    const char* name;
    const char* text;
    std::int32_t align;  // 0 from x, 1 ending at x, 2 centred on x
    const char* reads;   // what a reader extracts
};

const TextRow kRows[] = {
    {"start", "Z\u00fcrich", 0, "Z\u00fcrich"},
    {"end", "\u03a9mega", 1, "\u03a9mega"},
    {"centred", "XII", 2, "XII"},
    {"lacking", "\u4e2d", 0, "?"},
};

void WriteRows(clsPdfWriter& w, const std::filesystem::path& file) {
    w.SetEnvironment(testing::FixedEnvironment());
    w.ScaleMode(2);
    std::string name = file.string();
    w.InitPDFFile(name);
    w.LoadEmbeddedFont("E", font::TextFace(false));
    w.BeginPage();
    float y = 250;
    for (const TextRow& r : kRows) w.DrawText(kX, y -= 30, r.text, "E", kSizePt, r.align, 0);
    w.EndPage();
    w.ClosePDFFile();
}

TEST(EmbeddedFontText, ReadersFindTheTextWhereAndAsWideAsMeasured) {
    constexpr double kMmTol = 0.01;  // coordinates written to a thousandth of a point
    testing::TempFolder dir;
    clsPdfWriter w;
    WriteRows(w, dir / "rows.pdf");
    EXPECT_TRUE(testing::QpdfAccepts(dir / "rows.pdf"));
    const std::string words =
        RunCommand("pdftotext -bbox " + Quoted(dir / "rows.pdf") + " -").output;
    const std::regex word(R"re(xMin="([\d.]+)" yMin="[\d.]+" xMax="([\d.]+)"[^>]*>([^<]*)<)re");
    std::vector<std::smatch> found;
    for (auto it = std::sregex_iterator(words.begin(), words.end(), word);
         it != std::sregex_iterator(); ++it)
        found.push_back(*it);
    ASSERT_EQ(found.size(), std::size(kRows)) << words;
    static constexpr double kShare[] = {0, 1, 0.5};
    for (std::size_t i = 0; i < found.size(); ++i) {
        const TextRow& r = kRows[i];
        const double widthMm = font::TextFace(false).AdvanceEm(r.text) * kSizePt / kPtPerMm;
        EXPECT_EQ(found[i][3], r.reads) << r.name;
        EXPECT_NEAR(std::stod(found[i][1]) / kPtPerMm, kX - kShare[r.align] * widthMm, kMmTol)
            << r.name;
        EXPECT_NEAR((std::stod(found[i][2]) - std::stod(found[i][1])) / kPtPerMm, widthMm, kMmTol)
            << r.name;
    }
}

// Word spacing acts on one-byte blanks only, never on two-byte codes.
TEST(EmbeddedFontText, WordSpacingLeavesItsLengthAlone) {
    testing::TempFolder dir;
    clsPdfWriter w;
    w.ScaleMode(0);
    std::string name = (dir / "spacing.pdf").string();
    w.InitPDFFile(name);
    w.LoadEmbeddedFont("E", font::TextFace(true));
    w.BeginPage();
    const float plain = w.Length("a b c", "E", 10);
    w.SetWordSpacing(5);
    EXPECT_FLOAT_EQ(w.Length("a b c", "E", 10), plain);
    w.SetCharSpacing(1);
    EXPECT_FLOAT_EQ(w.Length("a b c", "E", 10), plain + 5);
    EXPECT_NEAR(plain, font::TextFace(true).AdvanceEm("a b c") * 10, 1e-4);
    w.EndPage();
    w.ClosePDFFile();
}

// One writer, documents one after another: the same text gives the same
// bytes, and a later document's font holds only the characters it shows.
TEST(EmbeddedFontText, EachDocumentHoldsItsOwnGlyphsReproducibly) {
    testing::TempFolder dir;
    clsPdfWriter w;
    const auto write = [&](const std::string& file, const char* text) {
        w.SetEnvironment(testing::FixedEnvironment());
        std::string name = (dir / file).string();
        w.InitPDFFile(name);
        w.LoadEmbeddedFont("E", font::TextFace(false));
        w.BeginPage();
        w.DrawText(10, 10, text, "E", 12, 0, 0);
        w.EndPage();
        w.ClosePDFFile();
        return dir / file;
    };
    const auto first = write("first.pdf", "XIV 12");
    const auto second = write("second.pdf", "\u00e9t\u00e9");
    const auto again = write("again.pdf", "XIV 12");
    EXPECT_EQ(testing::ReadBytes(first), testing::ReadBytes(again));
    const auto fonts = testing::ReadEmbeddedWidths(second);
    ASSERT_EQ(fonts.size(), 1u);
    std::set<char32_t> held;
    for (const auto& [c, width] : fonts[0].widths) held.insert(c);
    EXPECT_EQ(held, (std::set<char32_t>{U'\u00e9', U't'}));
    EXPECT_TRUE(testing::QpdfAccepts(second));
}

}  // namespace
}  // namespace sundial::pdf

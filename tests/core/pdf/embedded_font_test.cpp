// Text in an embedded font as other readers see it: the characters given
// (any the face has, "?" for the rest), every document holding only its own
// glyphs.
#include "core/pdf/embedded_font.h"

#include <gtest/gtest.h>

#include <set>

#include "core/font/text_fonts.h"
#include "core/pdf/pdf_writer.h"
#include "tests/core/pdf/support/pdf_test_support.h"

namespace sundial::pdf {
namespace {

using testing::Quoted;
using testing::RunCommand;

// One writer, documents one after another: the same text gives the same
// bytes, and a later document's font holds only the characters it shows,
// which a reader gets back ("?" for one the face lacks).
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
    const auto second = write("second.pdf", "\u00e9t\u00e9 \u4e2d");
    const auto again = write("again.pdf", "XIV 12");
    EXPECT_EQ(testing::ReadBytes(first), testing::ReadBytes(again));
    const auto fonts = testing::ReadEmbeddedWidths(second);
    ASSERT_EQ(fonts.size(), 1u);
    std::set<char32_t> held;
    for (const auto& [c, width] : fonts[0].widths) held.insert(c);
    EXPECT_EQ(held, (std::set<char32_t>{U'\u00e9', U't', U' ', U'?'}));
    const std::string read = RunCommand("pdftotext " + Quoted(second) + " -").output;
    EXPECT_EQ(read.substr(0, read.find('\n')), "\u00e9t\u00e9 ?");
    EXPECT_TRUE(testing::QpdfAccepts(second));
}

}  // namespace
}  // namespace sundial::pdf

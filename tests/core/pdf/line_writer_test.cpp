#include "core/pdf/line_writer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/pdf/pdf_error.h"

namespace sundial::pdf {
namespace {

using Pt = LineWriter::Pt;

TEST(LineWriterTest, PartsOfALine) {
    std::string bytes;
    LineWriter lines;
    lines.Open(std::make_unique<MemorySink>(bytes), "memory.pdf");
    lines.SetScaleMode(1);  // inches
    lines.Line("n=", 42, ' ', -7, ' ', std::uint64_t{9'999'999'999}, ' ', 0.1f, ' ', Pt{0.5f}, ' ',
               LineWriter::Ansi{"\xC3\xBC"}, ' ', LineWriter::Escaped{"(\xE2\x82\xAC)"});
    EXPECT_EQ(bytes, "n=42 -7 9999999999 0.1 36 \xFC \\(\x80\\)\r\n");
    EXPECT_EQ(lines.Position(), bytes.size());
    lines.WriteLine("endobj");
    lines.Write("raw");
    EXPECT_TRUE(bytes.ends_with("\r\nendobj\r\nraw"));
}

TEST(LineWriterTest, ALineWithABadPartIsNotWritten) {
    std::string bytes;
    LineWriter lines;
    lines.Open(std::make_unique<MemorySink>(bytes), "sheet.pdf");
    try {
        lines.Line("ok ", 1.5f, ' ', std::nanf(""), " m");
        ADD_FAILURE() << "no error";
    } catch (const PdfWriteError& e) {
        EXPECT_EQ(e.path(), "sheet.pdf");
        EXPECT_EQ(e.reason(), "a number is beyond single precision");
    }
    EXPECT_THROW(lines.Line(Pt{INFINITY}), PdfWriteError);
    EXPECT_EQ(bytes, "");
    // The next line starts afresh.
    lines.Line(1, " 0 obj");
    EXPECT_EQ(bytes, "1 0 obj\r\n");
}

TEST(LineWriterTest, LengthsBeyondASingleAreRefused) {
    LineWriter lines;
    lines.SetScaleMode(1);
    EXPECT_EQ(lines.ToPoints(2), 144);
    EXPECT_EQ(lines.FromPoints(144), 2);
    EXPECT_THROW(lines.ToPoints(3e37f), PdfWriteError);  // 72 times that is no single
    lines.SetScaleMode(2);
    EXPECT_THROW(lines.FromPoints(INFINITY), PdfWriteError);
    lines.SetScaleMode(7);
    EXPECT_EQ(lines.ToPoints(3e38f), 0);  // no unit: every length is 0
}

TEST(LineWriterTest, OpenAbandonClose) {
    std::string bytes;
    LineWriter lines;
    EXPECT_FALSE(lines.IsOpen());
    lines.Open(std::make_unique<MemorySink>(bytes), "a.pdf");
    EXPECT_TRUE(lines.IsOpen());
    lines.Abandon();
    EXPECT_FALSE(lines.IsOpen());
    lines.Open(std::make_unique<MemorySink>(bytes), "b.pdf");
    lines.Close();
    EXPECT_FALSE(lines.IsOpen());
    // The name outlives the sink: later errors still say which file.
    try {
        lines.Fail("why");
    } catch (const PdfWriteError& e) {
        EXPECT_EQ(e.path(), "b.pdf");
    }
}

}  // namespace
}  // namespace sundial::pdf

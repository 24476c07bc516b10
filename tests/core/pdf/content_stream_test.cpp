#include "core/pdf/content_stream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "core/pdf/pdf_error.h"
#include "tests/support/row_name.h"

namespace sundial::pdf {
namespace {

using sundial::testing::PrintTo;
using sundial::testing::RowName;

using Draw = std::function<void(ContentStream&)>;

// The lines `draw` writes, lengths in centimetres (`scaleMode` 3) or points (0).
std::vector<std::string> Lines(std::int32_t scaleMode, const Draw& draw) {
    std::string bytes;
    LineWriter lines;
    lines.Open(std::make_unique<MemorySink>(bytes), "memory.pdf");
    lines.SetScaleMode(scaleMode);
    ContentStream content(lines);
    draw(content);
    std::vector<std::string> out;
    for (std::size_t i = 0, end; i < bytes.size(); i = end + 2) {
        end = std::min(bytes.find("\r\n", i), bytes.size());
        out.push_back(bytes.substr(i, end - i));
    }
    return out;
}

struct OperatorRow {
    const char* name;
    std::int32_t scaleMode;
    Draw draw;
    std::vector<std::string> lines;
};

class ContentStreamTest : public ::testing::TestWithParam<OperatorRow> {};

TEST_P(ContentStreamTest, LinesWrittenPerOperation) {
    const OperatorRow& row = GetParam();
    EXPECT_EQ(Lines(row.scaleMode, row.draw), row.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ContentStreamTest,
    ::testing::Values(
        OperatorRow{"move-cm", 3, [](auto& c) { c.MoveTo(2, 28); }, {"56.693 793.701 m"}},
        OperatorRow{"line-open", 0, [](auto& c) { c.LineTo(1, 2, 0); }, {"1 2 l"}},
        OperatorRow{
            "line-close-stroke", 0, [](auto& c) { c.LineTo(1, 2, 3); }, {"1 2 l", "h", "S"}},
        OperatorRow{"line-fill", 0, [](auto& c) { c.LineTo(1, 2, 6); }, {"1 2 l", "f"}},
        OperatorRow{"line-fill-stroke", 0, [](auto& c) { c.LineTo(1, 2, 5); }, {"1 2 l", "B"}},
        OperatorRow{"line-everything", 0, [](auto& c) { c.LineTo(1, 2, 15); }, {"1 2 l", "b"}},
        // 2.4 cm is 68.03150 points to a single's 7 digits: a half, to even.
        OperatorRow{"rectangle-cm",
                    3,
                    [](auto& c) { c.Rectangle(2.4f, 2.4f, 17.6f, 25, 1, 0); },
                    {"n", "68.032 68.032 498.898 708.661 re", "S"}},
        OperatorRow{"rounded-taller-than-wide",
                    0,
                    [](auto& c) { c.Rectangle(0, 0, 2, 4, 1, 5); },
                    {"n", "1 0 m", "1 0 l", "1.55 0 2 0.45 2 1 c", "2 3 l", "2 3.55 1.55 4 1 4 c",
                     "1 4 l", "0.45 4 0 3.55 0 3 c", "0 1 l", "0 0.45 0.45 0 1 0 c", "S"}},
        OperatorRow{"circle-from-the-bottom",
                    0,
                    [](auto& c) { c.Circle(10, 10, 2, 4); },
                    {"10 8 m", "11.1 8 12 8.9 12 10 c", "12 11.1 11.1 12 10 12 c",
                     "8.9 12 8 11.1 8 10 c", "8 8.9 8.9 8 10 8 c", "f"}},
        OperatorRow{"sector",
                    0,
                    [](auto& c) { c.Arc(0, 0, 10, 0, 90, 1, true, 0, 45, 1); },
                    {"n", "0 0 m", "10 0 l", "7.071 7.071 l", "0 10 l", "0 0 l", "S"}},
        OperatorRow{"open-arc-moves-to-its-first-point",
                    0,
                    [](auto& c) { c.Arc(5, 5, 10, 0, 90, 0.5f, false, 0, 90, 2); },
                    {"n", "5 5 m", "15 5 m", "15 5 l", "5 10 l", "h"}},
        OperatorRow{"filled-rotated-arc-is-a-sector",
                    0,
                    [](auto& c) { c.Arc(0, 0, 10, 0, 0, 1, false, 90, 10, 4); },
                    {"n", "0 0 m", "0 10 l", "0 0 l", "f"}},
        OperatorRow{"width-cm", 3, [](auto& c) { c.SetLineWidth(0.2f); }, {"5.669 w"}},
        OperatorRow{"fill-red", 0, [](auto& c) { c.SetColorFill(255); }, {"1 0 0 rg"}},
        OperatorRow{
            "stroke-mixed", 0, [](auto& c) { c.SetColorStroke(0x336699); }, {"0.6 0.4 0.2 RG"}},
        OperatorRow{"stroke-grey", 0, [](auto& c) { c.SetColorStroke(-128); }, {"0.502 G"}},
        OperatorRow{"dash-cm", 3, [](auto& c) { c.SetDash(0.1f, 0.05f); }, {"[2.835 1.417] 0 d"}},
        OperatorRow{"solid", 0, [](auto& c) { c.SetDash(0, 0); }, {"[ ] 0 d"}},
        OperatorRow{"ignored-out-of-range",
                    0,
                    [](auto& c) {
                        c.SetLineCap(3), c.SetLineJoin(-1), c.SetMiterLimit(0.5f),
                            c.SetTextRenderingMode(3);
                    },
                    {}},
        OperatorRow{"in-range",
                    0,
                    [](auto& c) {
                        c.SetLineCap(1), c.SetLineJoin(2), c.SetMiterLimit(1.5f),
                            c.SetTextRenderingMode(2);
                    },
                    {"1 J", "2 j", "1.5 M", "2 Tr"}},
        OperatorRow{"text-state",
                    3,
                    [](auto& c) {
                        c.SetWordSpacing(1.5f), c.SetCharSpacing(-0.25f),
                            c.SetTextHorizontalScaling(90);
                    },
                    {"1.5 Tw", "-0.25 Tc", "90 Tz"}},
        OperatorRow{"escaped-text",
                    3,
                    [](auto& c) { c.ShowText(2, 28, "a(b)\\c", "Fnt1", 10, 0); },
                    {"BT", "/Fnt1 10 Tf", "56.693 793.701 Td", "(a\\(b\\)\\\\c) Tj", "ET"}},
        OperatorRow{
            "utf8-to-win1252",
            0,
            [](auto& c) { c.ShowText(0, 0, "Z\xC3\xBCrich \xE2\x82\xAC", "Fnt1", 9.5f, 0); },
            {"BT", "/Fnt1 9.5 Tf", "0 0 Td", "(Z\xFCrich \x80) Tj", "ET"}},
        OperatorRow{"rotated-90",
                    3,
                    [](auto& c) { c.ShowText(2, 28, "R", "Fnt1", 10, 90); },
                    {"BT", "/Fnt1 10 Tf", "0 1 -1 0 56.693 793.701 Tm", "(R) Tj", "ET"}},
        OperatorRow{"image",
                    3,
                    [](auto& c) { c.DrawImage("Im1", 1, 27, 2, 1); },
                    {"q\r56.693  0 0 -28.346 28.346 765.354 cm\r/Im1 Do\rQ"}},
        // A negative height turns the picture over; the matrix stays well formed.
        OperatorRow{"image-negative-height",
                    3,
                    [](auto& c) { c.DrawImage("Im1", 1, 27, 2, -1); },
                    {"q\r56.693  0 0 28.346 28.346 765.354 cm\r/Im1 Do\rQ"}},
        OperatorRow{"form", 0, [](auto& c) { c.DrawForm("Frm"); }, {"/Frm Do"}},
        OperatorRow{"clip-cm",  // x, y, width, height; an unopened clip ends nothing
                    3,
                    [](auto& c) { c.BeginClip(1, 2, 3, 4), c.EndClip(), c.EndClip(); },
                    {"q", "28.346 56.693 85.039 113.386 re W n", "Q"}}),
    RowName());

// A full turn in steps of 10 degrees: one point per step, both ends included.
TEST(ContentStreamArcTest, OneLinePerStep) {
    const auto arc = Lines(3, [](auto& c) { c.Arc(10, 15, 3, 0, 360, 1, false, 0, 10, 1); });
    EXPECT_EQ(std::count_if(arc.begin(), arc.end(), [](auto& l) { return l.ends_with(" l"); }), 37);
}

TEST(ContentStreamStateTest, TextStateKeptUntilReset) {
    std::string bytes;
    LineWriter lines;
    lines.Open(std::make_unique<MemorySink>(bytes), "memory.pdf");
    ContentStream content(lines);
    content.SetWordSpacing(2);
    content.SetCharSpacing(1);
    content.SetTextHorizontalScaling(50);
    EXPECT_EQ(content.WordSpacing(), 2);
    EXPECT_EQ(content.CharSpacing(), 1);
    EXPECT_EQ(content.HorizontalScaling(), 50);
    content.ResetTextState();
    EXPECT_EQ(content.WordSpacing(), 0);
    EXPECT_EQ(content.CharSpacing(), 0);
    EXPECT_EQ(content.HorizontalScaling(), 100);
}

struct RefusalRow {
    const char* name;
    Draw call;
    bool usage;  // PdfUsageError, else PdfWriteError
};

class ContentStreamRefusalTest : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(ContentStreamRefusalTest, NothingIsWrittenForARefusedCall) {
    const RefusalRow& row = GetParam();
    std::string bytes;
    LineWriter lines;
    lines.Open(std::make_unique<MemorySink>(bytes), "memory.pdf");
    lines.SetScaleMode(3);
    ContentStream content(lines);
    if (row.usage) {
        EXPECT_THROW(row.call(content), PdfUsageError);
    } else {
        EXPECT_THROW(row.call(content), PdfWriteError);
    }
    EXPECT_EQ(bytes, "");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ContentStreamRefusalTest,
    ::testing::Values(
        RefusalRow{"arc-without-step", [](auto& c) { c.Arc(1, 1, 1, 0, 90, 1, false, 0, 0, 1); },
                   true},
        RefusalRow{"arc-step-lost-in-rounding",
                   [](auto& c) { c.Arc(1, 1, 1, 1e9f, 2e9f, 1, false, 0, 1, 1); }, true},
        RefusalRow{"colour-below-minus-255", [](auto& c) { c.SetColorFill(-256); }, false},
        RefusalRow{"nan-length", [](auto& c) { c.MoveTo(std::nanf(""), 1); }, false},
        RefusalRow{"length-beyond-single", [](auto& c) { c.SetLineWidth(3e38f); }, false},
        RefusalRow{"nan-curve-end", [](auto& c) { c.Curve(1, 1, 2, 2, 3, std::nanf(""), 1); },
                   false},
        RefusalRow{"infinite-font-size", [](auto& c) { c.ShowText(1, 1, "x", "F", INFINITY, 0); },
                   false},
        RefusalRow{"infinite-rotation", [](auto& c) { c.ShowText(1, 1, "x", "F", 10, INFINITY); },
                   false},
        RefusalRow{"nan-spacing", [](auto& c) { c.SetWordSpacing(std::nanf("")); }, false}),
    RowName());

}  // namespace
}  // namespace sundial::pdf

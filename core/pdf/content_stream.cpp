#include "core/pdf/content_stream.h"

#include <string>

namespace sundial::pdf {

namespace {

using Pt = LineWriter::Pt;

}  // namespace

void ContentStream::ResetTextState() {
    saved_.clear();
    wordSpacing_ = 0;
    charSpacing_ = 0;
    horizontalScaling_ = 100;
}

void ContentStream::SetWordSpacing(float points) {
    lines_.Line(points, " Tw");
    wordSpacing_ = points;
}

void ContentStream::SetCharSpacing(float points) {
    lines_.Line(points, " Tc");
    charSpacing_ = points;
}

void ContentStream::SetTextHorizontalScaling(float percent) {
    lines_.Line(percent, " Tz");
    horizontalScaling_ = percent;
}

void ContentStream::SetTextRenderingMode(std::int32_t mode) {
    if (mode >= 0 && mode <= 2) lines_.Line(mode, " Tr");
}

void ContentStream::StartText(float x, float y, std::string_view font, float size,
                              float rotateDeg) {
    lines_.StartLine();
    lines_.Append("BT\r\n/", LineWriter::Ansi{font}, ' ', size, " Tf\r\n");
    if (rotateDeg == 0) {
        lines_.Append(Pt{x}, ' ', Pt{y}, " Td\r\n");
    } else {
        const TextRotation r = TextRotationOf(rotateDeg);
        lines_.Append(r.cos, ' ', r.sin, ' ', -r.sin, ' ', r.cos, ' ', Pt{x}, ' ', Pt{y},
                      " Tm\r\n");
    }
}

void ContentStream::ShowText(float x, float y, std::string_view text, std::string_view font,
                             float size, float rotateDeg) {
    // Five lines, written together once every number in them is known good.
    StartText(x, y, font, size, rotateDeg);
    lines_.Append('(', LineWriter::Escaped{text}, ") Tj\r\nET");
    lines_.FinishLine();
}

void ContentStream::ShowCodes(float x, float y, std::string_view hexString, std::string_view font,
                              float size, float rotateDeg) {
    StartText(x, y, font, size, rotateDeg);
    lines_.Append(hexString, " Tj\r\nET");
    lines_.FinishLine();
}

void ContentStream::WriteColor(std::int32_t rgb, const char* greyOperator,
                               const char* rgbOperator) {
    if (rgb < -255) lines_.Fail("colour value " + std::to_string(rgb) + " is below -255");
    const auto part = [&](int shift) {
        return static_cast<float>(((rgb >> shift) & 0xFF) / 255.0);
    };
    if (rgb <= 0) {
        lines_.Line(static_cast<float>(-rgb / 255.0), ' ', greyOperator);
    } else {
        lines_.Line(part(0), ' ', part(8), ' ', part(16), ' ', rgbOperator);
    }
}

void ContentStream::SetColorStroke(std::int32_t rgb) {
    WriteColor(rgb, "G", "RG");
}

void ContentStream::SetColorFill(std::int32_t rgb) {
    WriteColor(rgb, "g", "rg");
}

void ContentStream::SetDash(float on, float off) {
    const float onPoints = lines_.ToPoints(on);
    const float offPoints = lines_.ToPoints(off);
    // An all-zero dash array is an error in PDF: zero lengths mean a solid line.
    if (onPoints != 0 || offPoints != 0) {
        lines_.Line('[', onPoints, ' ', offPoints, "] 0 d");
    } else {
        lines_.WriteLine("[ ] 0 d");
    }
}

void ContentStream::SetLineWidth(float width) {
    lines_.Line(Pt{width}, " w");
}

void ContentStream::SetLineCap(std::int16_t cap) {
    if (cap >= 0 && cap <= 2) lines_.Line(cap, " J");
}

void ContentStream::SetLineJoin(std::int16_t join) {
    if (join >= 0 && join <= 2) lines_.Line(join, " j");
}

void ContentStream::SetMiterLimit(float limit) {
    if (limit >= 1) lines_.Line(limit, " M");
}

void ContentStream::PaintPath(std::int32_t options) {
    if ((options & 7) == 7) {
        lines_.WriteLine("b");
    } else if ((options & 5) == 5) {
        lines_.WriteLine("B");
    } else if ((options & 4) == 4) {
        lines_.WriteLine("f");
    } else {
        if ((options & 2) != 0) lines_.WriteLine("h");
        if ((options & 1) != 0) lines_.WriteLine("S");
    }
}

void ContentStream::WritePath(std::span<const PathSegment> path) {
    for (const PathSegment& segment : path) {
        const auto& p = segment.points;
        if (segment.kind == PathSegment::Kind::Move) MoveTo(p[0].x, p[0].y);
        if (segment.kind == PathSegment::Kind::Line) LineTo(p[0].x, p[0].y, 0);
        if (segment.kind == PathSegment::Kind::Curve) {
            Curve(p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y, 0);
        }
    }
}

void ContentStream::MoveTo(float x, float y) {
    lines_.Line(Pt{x}, ' ', Pt{y}, " m");
}

void ContentStream::LineTo(float x, float y, std::int32_t options) {
    lines_.Line(Pt{x}, ' ', Pt{y}, " l");
    PaintPath(options);
}

void ContentStream::Curve(float x1, float y1, float x2, float y2, float x3, float y3,
                          std::int32_t options) {
    lines_.Line(Pt{x1}, ' ', Pt{y1}, ' ', Pt{x2}, ' ', Pt{y2}, ' ', Pt{x3}, ' ', Pt{y3}, " c");
    PaintPath(options);
}

void ContentStream::Rectangle(float x, float y, float width, float height, std::int32_t options,
                              float radius) {
    if (radius <= 0) {
        lines_.Line("n\r\n", Pt{x}, ' ', Pt{y}, ' ', Pt{width}, ' ', Pt{height}, " re");
    } else {
        lines_.WriteLine("n");
        WritePath(RoundedRectanglePath(x, y, width, height, radius));
    }
    PaintPath(options);
}

void ContentStream::Circle(float x, float y, float radius, std::int32_t options) {
    WritePath(CirclePath(x, y, radius));
    PaintPath(options);
}

void ContentStream::Arc(float x, float y, float ray, float startDeg, float endDeg, float ratio,
                        bool pie, float rotateDeg, std::int16_t stepDeg, std::int32_t options) {
    const auto step = static_cast<float>(stepDeg);
    // Refuses a step that would never reach the end before anything is written.
    const std::int64_t points = ArcPointCount(startDeg, endDeg, step);
    lines_.WriteLine("n");
    MoveTo(x, y);
    if ((options & 4) != 0) pie = true;  // a filled arc is always a sector
    const ArcEllipse ellipse(ray, ratio, rotateDeg);
    float t = startDeg;
    for (std::int64_t i = 0; i < points; ++i, t += step) {
        const PathPoint p = ellipse.At(t);
        // An open arc starts at its first point; the centre stays a lone move.
        if (!pie && i == 0) MoveTo(x + p.x, y + p.y);
        LineTo(x + p.x, y + p.y, 0);
    }
    if (pie) LineTo(x, y, 0);
    PaintPath(options);
}

void ContentStream::DrawImage(std::string_view name, float x, float y, float width, float height) {
    // [W 0 0 -H X Y] turns the bottom-row-first samples upright below (X, Y).
    lines_.Line("q\r", Pt{width}, "  0 0 ", -lines_.ToPoints(height), ' ', Pt{x}, ' ', Pt{y},
                " cm\r/", LineWriter::Ansi{name}, " Do\rQ");
}

void ContentStream::DrawForm(std::string_view name) {
    lines_.Line('/', LineWriter::Ansi{name}, " Do");
}

void ContentStream::DrawFormAt(std::string_view name, std::int32_t a, std::int32_t b,
                               std::int32_t c, std::int32_t d, float e, float f) {
    lines_.WriteLine("q");
    lines_.Line(a, ' ', b, ' ', c, ' ', d, ' ', Pt{e}, ' ', Pt{f}, " cm");
    lines_.Line('/', LineWriter::Ansi{name}, " Do");
    lines_.WriteLine("Q");
}

void ContentStream::BeginClip(float x, float y, float width, float height) {
    lines_.Line("q\r\n", Pt{x}, ' ', Pt{y}, ' ', Pt{width}, ' ', Pt{height}, " re W n");
    saved_.push_back({wordSpacing_, charSpacing_, horizontalScaling_});
}

void ContentStream::EndClip() {
    if (saved_.empty()) return;
    lines_.WriteLine("Q");
    wordSpacing_ = saved_.back().wordSpacing;
    charSpacing_ = saved_.back().charSpacing;
    horizontalScaling_ = saved_.back().horizontalScaling;
    saved_.pop_back();
}

}  // namespace sundial::pdf

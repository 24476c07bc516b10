#include "core/pdf/path_geometry.h"

#include <cmath>

#include "core/pdf/pdf_error.h"

namespace sundial::pdf {

namespace {

using Kind = PathSegment::Kind;

float F(double v) {
    return static_cast<float>(v);
}

PathSegment To(Kind kind, float x, float y) {
    return {kind, {{{x, y}, {}, {}}}};
}

PathSegment CurveTo(float x1, float y1, float x2, float y2, float x3, float y3) {
    return {Kind::Curve, {{{x1, y1}, {x2, y2}, {x3, y3}}}};
}

}  // namespace

std::array<PathSegment, 9> RoundedRectanglePath(float x, float y, float width, float height,
                                                float radius) {
    float r = radius;
    if (r > width / 2) r = width / 2;
    if (r > height / 2) r = height / 2;
    const double k = 0.55 * r;
    const double right = static_cast<double>(x) + width;
    const double top = static_cast<double>(y) + height;
    // x + r and y + r are sums of singles, in single precision; everything
    // that involves k, right or top is double until it is stored.
    return {{
        To(Kind::Move, x + r, y),
        To(Kind::Line, F(right - r), y),
        CurveTo(F(right - r + k), y, F(right), F(y + r - k), F(right), y + r),
        To(Kind::Line, F(right), F(top - r)),
        CurveTo(F(right), F(top - r + k), F(right - r + k), F(top), F(right - r), F(top)),
        To(Kind::Line, x + r, F(top)),
        CurveTo(F(x + r - k), F(top), x, F(top - r + k), x, F(top - r)),
        To(Kind::Line, x, y + r),
        CurveTo(x, F(y + r - k), F(x + r - k), y, x + r, y),
    }};
}

std::array<PathSegment, 5> CirclePath(float x, float y, float radius) {
    const double R = radius;
    const double k = 0.55 * R;
    return {{
        To(Kind::Move, x, F(y - R)),
        CurveTo(F(x + k), F(y - R), F(x + R), F(y - k), F(x + R), y),
        CurveTo(F(x + R), F(y + k), F(x + k), F(y + R), x, F(y + R)),
        CurveTo(F(x - k), F(y + R), F(x - R), F(y + k), F(x - R), y),
        CurveTo(F(x - R), F(y - k), F(x - k), F(y - R), x, F(y - R)),
    }};
}

TextRotation TextRotationOf(float rotateDeg) {
    const float a = rotateDeg * kRadPerDeg;
    return {std::cos(a), std::sin(a)};
}

ArcEllipse::ArcEllipse(float ray, float ratio, float rotateDeg)
    : ray_(ray),
      ratio_(ratio),
      sinRotation_(std::sin(-double{kRadPerDeg} * rotateDeg)),
      cosRotation_(std::cos(-double{kRadPerDeg} * rotateDeg)) {}

PathPoint ArcEllipse::At(float tDeg) const {
    // Trigonometry in double precision; only the point is held as singles.
    const double a = double{kRadPerDeg} * tDeg;
    const double px = double{ray_} * std::cos(a);
    const double py = double{ray_} * ratio_ * std::sin(a);
    return {static_cast<float>(px * cosRotation_ + py * sinRotation_),
            static_cast<float>(-px * sinRotation_ + py * cosRotation_)};
}

std::int64_t ArcPointCount(float startDeg, float endDeg, float stepDeg) {
    if (stepDeg == 0) throw PdfUsageError("Arc needs a non-zero Quality (degrees per point)");
    const auto more = [&](float t) { return stepDeg > 0 ? t <= endDeg : t >= endDeg; };
    std::int64_t count = 0;
    for (float t = startDeg; more(t); t += stepDeg) {
        // Far from zero a step can vanish in rounding: the arc would never end.
        if (t + stepDeg == t) throw PdfUsageError("Arc's angles are too large for its step");
        ++count;
    }
    return count;
}

}  // namespace sundial::pdf

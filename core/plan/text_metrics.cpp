#include "core/plan/text_metrics.h"

namespace sundial::plan {

namespace {

bool HasDescender(std::string_view text) {
    return text.find_first_of("gjpqyQ,;()[]{}/|") != std::string_view::npos;
}

}  // namespace

double TextWidthMm(std::string_view text, double sizeMm, bool bold) {
    return font::TextFace(bold).AdvanceEm(text) * sizeMm;
}

Rect TextBox(const Element& text) {
    const Point at = text.points.empty() ? Point{} : text.points.front();
    const double width = TextWidthMm(text.text, text.textSizeMm, text.bold);
    double left = at.x;
    if (text.anchor == Anchor::Middle) left -= width / 2;
    if (text.anchor == Anchor::End) left -= width;
    const double below = HasDescender(text.text) ? kDescent * text.textSizeMm : 0.0;
    return {left, at.y - kCapHeight * text.textSizeMm, left + width, at.y + below};
}

Point CentredBaseline(Point centre, double sizeMm) {
    return {centre.x, centre.y + kCapHeight * sizeMm / 2};
}

}  // namespace sundial::plan

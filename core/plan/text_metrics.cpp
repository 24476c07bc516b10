#include "core/plan/text_metrics.h"

#include <cstdint>
#include <string>

#include "core/pdf/font_metrics.h"
#include "core/pdf/win1252.h"

namespace sundial::plan {

namespace {

const pdf::FontMetrics& Metrics(bool bold) {
    static const pdf::FontMetrics regular = pdf::ArialMetrics(0);
    static const pdf::FontMetrics boldface = pdf::ArialMetrics(1);
    return bold ? boldface : regular;
}

bool HasDescender(std::string_view text) {
    return text.find_first_of("gjpqyQ,;()[]{}/|") != std::string_view::npos;
}

}  // namespace

double TextWidthMm(std::string_view text, double sizeMm, bool bold) {
    const pdf::FontMetrics& metrics = Metrics(bold);
    double thousandths = 0;
    for (const char ch : pdf::ToWin1252(text)) {
        thousandths += metrics.WidthOf(static_cast<std::uint8_t>(ch));
    }
    return thousandths * sizeMm / 1000.0;
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

#include "core/dial/recording_surface.h"

#include <algorithm>

namespace sundial {

void RecordingSurface::Clear() {
    ops_.emplace_back(ClearOp{});
}

void RecordingSurface::PrintLine(std::vector<PrintItem> items) {
    ops_.emplace_back(PrintOp{std::move(items)});
}

void RecordingSurface::SetLineWidth(int pixels) {
    lineWidth_ = pixels;
    ops_.emplace_back(WidthOp{pixels});
}

void RecordingSurface::SetDotted(bool dotted) {
    dotted_ = dotted;
    ops_.emplace_back(DottedOp{dotted});
}

void RecordingSurface::SetColour(std::optional<Rgb> colour) {
    colour_ = colour;
    ops_.emplace_back(ColourOp{colour});
}

void RecordingSurface::Line(double x1, double y1, double x2, double y2) {
    ops_.emplace_back(LineOp{x1, y1, x2, y2, lineWidth_, dotted_, colour_});
}

void RecordingSurface::Point(double x, double y) {
    ops_.emplace_back(PointOp{x, y});
}

void RecordingSurface::Ellipse(double cx, double cy, double radius, double aspect) {
    ops_.emplace_back(EllipseOp{cx, cy, radius, aspect});
}

std::vector<RecordingSurface::Op> RecordingSurface::OpsSinceClear() const {
    auto last = std::find_if(ops_.rbegin(), ops_.rend(),
                             [](const Op& op) { return std::holds_alternative<ClearOp>(op); });
    return {last.base(), ops_.end()};
}

std::vector<RecordingSurface::LineOp> RecordingSurface::Lines() const {
    std::vector<LineOp> lines;
    for (const Op& op : OpsSinceClear()) {
        if (const auto* line = std::get_if<LineOp>(&op)) lines.push_back(*line);
    }
    return lines;
}

std::string RecordingSurface::Text(int zoneColumns) const {
    std::string out;
    for (const Op& op : OpsSinceClear()) {
        const auto* print = std::get_if<PrintOp>(&op);
        if (!print) continue;
        std::string line;
        for (const PrintItem& item : print->items) {
            line += item.text;
            if (item.zoneJump) {
                // The next zone strictly after the print position.
                const size_t next = (line.size() / zoneColumns + 1) * zoneColumns;
                line.resize(next, ' ');
            }
        }
        out += line;
        out += '\n';
    }
    return out;
}

}  // namespace sundial

// A DrawingSurface that remembers every call, for tests, benchmarks and the
// command-line front end (which prints the recorded text).
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "core/dial/drawing_surface.h"

namespace sundial {

class RecordingSurface final : public DrawingSurface {
  public:
    struct ClearOp {};
    struct PrintOp {
        std::vector<PrintItem> items;
    };
    struct WidthOp {
        int pixels;
    };
    struct DottedOp {
        bool dotted;
    };
    struct ColourOp {
        std::optional<Rgb> colour;
    };
    struct LineOp {
        double x1, y1, x2, y2;
        int width;                  // pen width in force
        bool dotted;                // style in force
        std::optional<Rgb> colour;  // colour in force; none: the foreground
    };
    struct PointOp {
        double x, y;
    };
    struct EllipseOp {
        double cx, cy, radius, aspect;
    };
    using Op =
        std::variant<ClearOp, PrintOp, WidthOp, DottedOp, ColourOp, LineOp, PointOp, EllipseOp>;

    RecordingSurface(double outerWidth, double outerHeight)
        : width_(outerWidth), height_(outerHeight) {}

    void Resize(double outerWidth, double outerHeight) {
        width_ = outerWidth;
        height_ = outerHeight;
    }

    void Clear() override;
    void PrintLine(std::vector<PrintItem> items) override;
    void SetLineWidth(int pixels) override;
    void SetDotted(bool dotted) override;
    void SetColour(std::optional<Rgb> colour) override;
    void Line(double x1, double y1, double x2, double y2) override;
    void Point(double x, double y) override;
    void Ellipse(double cx, double cy, double radius, double aspect) override;
    double Width() const override { return width_; }
    double Height() const override { return height_; }

    const std::vector<Op>& Ops() const { return ops_; }
    // Everything since the last Clear(), in order.
    std::vector<Op> OpsSinceClear() const;
    std::vector<LineOp> Lines() const;  // since the last Clear()
    // The printed text since the last Clear(), print zones expanded to spaces
    // at every `zoneColumns` columns, each line ended by "\n".
    std::string Text(int zoneColumns = 14) const;
    void Forget() { ops_.clear(); }

  private:
    double width_;
    double height_;
    int lineWidth_ = 1;
    bool dotted_ = false;
    std::optional<Rgb> colour_;
    std::vector<Op> ops_;
};

}  // namespace sundial

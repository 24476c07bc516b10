// The drawing surface of a child window on the desktop: twips mapped to
// pixels through the screen's logical dots per inch. What is drawn is kept as
// a list of shapes and painted again whenever the window is exposed, so a
// covered and uncovered window still shows its last drawing.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>
#include <vector>

#include "core/dial/drawing_surface.h"

namespace sundial {

class QtSurface final : public QWidget, public DrawingSurface {
    Q_OBJECT
  public:
    explicit QtSurface(QWidget* parent = nullptr);

    // The widget whose size Width() and Height() report: the child window's
    // frame, caption included. Without one, the surface's own size is used.
    void setOuterWidget(QWidget* outer) { outer_ = outer; }

    void Clear() override;
    void PrintLine(std::vector<PrintItem> items) override;
    void SetLineWidth(int pixels) override;
    void SetDotted(bool dotted) override;
    void SetColour(std::optional<Rgb> colour) override;
    void Line(double x1, double y1, double x2, double y2) override;
    void Point(double x, double y) override;
    void Ellipse(double cx, double cy, double radius, double aspect) override;
    double Width() const override;
    double Height() const override;

    // What is on the surface now, for tests and diagnostics.
    int shapeCount() const { return static_cast<int>(shapes_.size()); }
    // The printed lines since the last Clear, items joined without zone spacing.
    QStringList printedLines() const { return printedLines_; }

    // Twips to pixels (x and y through the horizontal and vertical DPI).
    QPointF toPixels(double x, double y) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    struct Shape {
        enum class Kind { Line, Point, Ellipse, Text } kind;
        QPointF a;  // pixels: start, point, centre or text baseline origin
        QPointF b;  // pixels: line end, or ellipse radii
        QString text;
        int width = 1;
        bool dotted = false;
        std::optional<QColor> colour;  // none: the palette's text colour
    };

    QWidget* outer_ = nullptr;
    std::vector<Shape> shapes_;
    QStringList printedLines_;
    int lineWidth_ = 1;
    bool dotted_ = false;
    std::optional<QColor> colour_;
    double printX_ = 0;  // pixels
    double printY_ = 0;  // pixels, top of the current text line
};

}  // namespace sundial

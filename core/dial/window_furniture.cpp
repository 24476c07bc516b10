#include "core/dial/window_furniture.h"

namespace sundial {

namespace {

void Frame(DrawingSurface& s, double left, double top, double right, double bottom) {
    s.Line(left, top, right, top);
    s.Line(right, top, right, bottom);
    s.Line(left, top, left, bottom);
    s.Line(right, bottom, left, bottom);
}

void DrawMonthWord(DrawingSurface& s, double x0, double y0) {
    auto stroke = [&](double ax, double ay, double bx, double by) {
        s.Line(x0 + ax, y0 + ay, x0 + bx, y0 + by);
    };
    stroke(0, 0, 0, -200);  // M
    stroke(0, -200, 100, 0);
    stroke(100, 0, 200, -200);
    stroke(200, -200, 200, 10);
    s.Ellipse(x0 + 400, y0 - 100, 95, 1);  // O
    stroke(600, 0, 600, -200);             // N
    stroke(600, -200, 720, 0);
    stroke(720, 0, 720, -210);
    stroke(870, 0, 870, -200);  // T
    stroke(790, -200, 950, -200);
    stroke(1000, 0, 1000, -210);  // H
    stroke(1130, 0, 1130, -210);
    stroke(1000, -110, 1130, -110);
}

void DrawTwenty(DrawingSurface& s, double y) {
    s.Line(300, y, 310, y - 10);
    s.Line(310, y - 10, 340, y - 20);
    s.Line(340, y - 20, 365, y - 10);
    s.Line(365, y - 10, 365, y + 7);
    s.Line(365, y + 7, 345, y + 30);
    s.Line(345, y + 30, 300, y + 110);
    s.Line(300, y + 110, 380, y + 110);
    s.Ellipse(445, y + 45, 65, 1.44);
}

}  // namespace

void DrawDialFrame(DrawingSurface& draw) {
    draw.SetLineWidth(2);
    draw.Clear();
    const double w = draw.Width();
    const double h = draw.Height();
    Frame(draw, 700, 200, w - 700, h - 900);
    draw.SetLineWidth(1);
}

void DrawChartFurniture(DrawingSurface& chart) {
    const double w = chart.Width();
    const double h = chart.Height();
    chart.SetLineWidth(2);
    chart.Clear();
    Frame(chart, 700, 200, w - 200, h - 900);

    chart.SetLineWidth(1);
    chart.SetDotted(true);
    chart.Line(700, 200 + (h - 1100) / 4, w - 200, 200 + (h - 1100) / 4);
    chart.Line(700, 200 + 3 * (h - 1100) / 4, w - 200, 200 + 3 * (h - 1100) / 4);

    chart.SetLineWidth(1);
    for (int i = 1; i <= 12; ++i) {
        chart.SetDotted(true);
        const double x = 700 + i * (w - 900) / 12;
        chart.Line(x, 200, x, h - 900);
    }
    chart.Line(700, (h - 700) / 2, w - 200, (h - 700) / 2);

    chart.SetDotted(false);
    DrawMonthWord(chart, (w - 900) / 2, h - 500);
    DrawTwenty(chart, 280);
    DrawTwenty(chart, h - 1180);
    chart.Ellipse(445, (h - 700) / 2, 65, 1.44);
    chart.Line(120, 340, 230, 340);
    chart.Line(170, 300, 170, 400);
    chart.Line(125, h - 1120, 230, h - 1120);
}

}  // namespace sundial

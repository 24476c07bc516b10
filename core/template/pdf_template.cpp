#include "core/template/pdf_template.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "core/font/text_fonts.h"
#include "core/pdf/byte_sink.h"
#include "core/plan/clip.h"
#include "core/plan/text_metrics.h"
#include "core/plan/title_block.h"
#include "core/template/pdf_canvas.h"

namespace sundial::tmpl {

namespace {

using plan::Anchor;
using plan::Element;
using plan::Point;
using plan::Rect;
using plan::Shape;

constexpr double kMarkStrokeMm = 0.2;
constexpr double kCropGapMm = 1.5;  // between a window corner and its crop marks
constexpr double kCropLengthMm = 6;
constexpr double kAlignRadiusMm = 3;
constexpr std::uint32_t kMarkColour = 0xc000c0;
constexpr std::uint32_t kGridColour = 0xd02020;
constexpr double kFootTextMm = 3.5;
// Tile names on the overview: a name in each tile between the smallest and
// largest size, else the rows and columns numbered along the grid's edges.
constexpr double kTileName = 2.5;
constexpr double kSmallestTileName = 2;
constexpr double kLargestTileName = 6;
constexpr double kEdgeGapMm = 1.5;

// Crop marks: the window's edges carried on past each corner.
void DrawCropMarks(PageCanvas& canvas, const Rect& window) {
    for (const double x : {window.left, window.right}) {
        for (const double y : {window.top, window.bottom}) {
            const double sx = x == window.left ? -1 : 1, sy = y == window.top ? -1 : 1;
            canvas.Stroke({{x + sx * kCropGapMm, y}, {x + sx * (kCropGapMm + kCropLengthMm), y}},
                          false, kMarkStrokeMm, 0);
            canvas.Stroke({{x, y + sy * kCropGapMm}, {x, y + sy * (kCropGapMm + kCropLengthMm)}},
                          false, kMarkStrokeMm, 0);
        }
    }
}

// Alignment marks in the middle of every overlap strip, a quarter and three
// quarters along it: each appears at the same place on both tiles it joins.
std::vector<Element> AlignmentMarks(const TileGrid& grid, const plan::Drawing& drawing) {
    // Clear of the drawing's words, which a mark over them would hide.
    std::vector<Rect> words;
    for (const Element& e : drawing.elements) {
        if (e.shape == Shape::Text) words.push_back(plan::TextBox(e));
    }
    std::vector<Element> marks;
    for (const Point c : AlignmentMarkCentres(grid, words)) {
        Element ring =
            plan::MakePath(plan::Role::Title, Shape::Circle, {c}, kMarkStrokeMm, kMarkColour);
        ring.radiusMm = kAlignRadiusMm;
        marks.push_back(ring);
        const double arm = kAlignReachMm;
        marks.push_back(plan::MakeLine(plan::Role::Title, {c.x - arm, c.y}, {c.x + arm, c.y},
                                       kMarkStrokeMm, kMarkColour));
        marks.push_back(plan::MakeLine(plan::Role::Title, {c.x, c.y - arm}, {c.x, c.y + arm},
                                       kMarkStrokeMm, kMarkColour));
    }
    return marks;
}

// The foot of every page: the 100 mm bar and what to check with it, and the
// page's name.
void DrawFoot(PageCanvas& canvas, const Rect& window, const std::string& name, int page,
              int pages) {
    const double top = window.bottom + 6;
    const double barLeft = window.left + 12;
    canvas.Text({barLeft, top}, "Print at 100 %: this bar must measure 100 mm.", kFootTextMm,
                Anchor::Start, false, 0);
    const Placement none{{0, 0}, {0, 0}, 1};
    DrawElements(canvas, plan::ScaleBar({barLeft, top + 2}, kFootTextMm * 0.8, plan::Role::Title),
                 {-1e9, -1e9, 1e9, 1e9}, none);
    // Clear of the crop mark below the window's corner.
    const double right = window.right - kCropGapMm;
    canvas.Text({right, top}, name, kFootTextMm, Anchor::End, true, 0);
    canvas.Text({right, top + 6}, "page " + std::to_string(page) + " of " + std::to_string(pages),
                kFootTextMm, Anchor::End, false, 0);
}

// "R1" for the first row, "C2" for the second column. Built by appending:
// GCC 12 warns falsely (-Wrestrict) when a literal is joined to a temporary
// string.
std::string Numbered(char letter, int number) {
    std::string code(1, letter);
    code += std::to_string(number);
    return code;
}

// "R1 C2".
std::string TileCode(const Tile& t) {
    std::string code = Numbered('R', t.row + 1);
    code += ' ';
    code += Numbered('C', t.column + 1);
    return code;
}

bool OnePage(const TileGrid& grid) {
    return grid.rows * grid.columns == 1;
}

// "Dial tile R1 C2: row 1, column 2 of 2 x 4", or just `what` for one page.
// A tile keeps its grid name when tiles around it are left out.
std::string TileName(const char* what, const Tile& t, const TileGrid& grid) {
    if (OnePage(grid)) return what;
    const std::string r = std::to_string(t.row + 1), c = std::to_string(t.column + 1);
    return std::string(what) + " R" + r + " C" + c + ": row " + r + ", column " + c + " of " +
           std::to_string(grid.rows) + " \u00d7 " + std::to_string(grid.columns);
}

// The dial's elements the overview draws: all but the title strip's scale
// bar, which would measure far less than the 100 mm it is labelled with. The
// bar and its captions are the strip's only parts right of the title text
// (the plan puts them there), and its outline is the strip's only polygon.
std::vector<Element> WithoutScaleBar(const std::vector<Element>& elements) {
    double barLeft = std::numeric_limits<double>::infinity();
    for (const Element& e : elements) {
        if (e.role == plan::Role::Title && e.shape == Shape::Polygon) {
            for (const Point& p : e.points) barLeft = std::min(barLeft, p.x);
        }
    }
    std::vector<Element> kept;
    for (const Element& e : elements) {
        const bool bar = e.role == plan::Role::Title &&
                         (e.shape == Shape::Polygon ||
                          (e.shape == Shape::Text && plan::TextBox(e).left >= barLeft - 1e-6));
        if (!bar) kept.push_back(e);
    }
    return kept;
}

// The size at which the longest of `texts` fits `width` x `height` with room
// around it, at most `largest`.
double FittedSize(const std::vector<std::string>& texts, double width, double height,
                  double largest) {
    double size = std::min(largest, 0.6 * height / plan::kCapHeight);
    for (const std::string& text : texts) {
        size = std::min(size, 0.85 * width / plan::TextWidthMm(text, 1, true));
    }
    return size;
}

// "1:26" or "1:2.5": how far the overview shrinks the dial.
std::string ScaleText(double scale) {
    const double n = 1 / scale;
    return "1:" + (n >= 10 ? std::to_string(std::lround(n)) : plan::MmText(n));
}

void DrawOverview(PageCanvas& canvas, const plan::Plan& plan, const TemplatePdfLayout& layout,
                  const Rect& window) {
    const TileGrid& grid = layout.dial;
    const std::string tiles = std::to_string(grid.rows) + " \u00d7 " + std::to_string(grid.columns);
    const std::string gnomonPage = std::to_string((plan.settingOut.elements.empty() ? 2 : 3) +
                                                  static_cast<int>(grid.tiles.size()));
    double y = window.top + 6;
    canvas.Text({window.left, y}, "Full-size dial template", 6, Anchor::Start, true, 0);
    std::vector<std::string> lines = {
        "Print every page at 100 % (\"actual size\"), never \"fit to page\": the bar at the",
        "foot of each page must measure 100 mm. The dial is split over " + tiles + " tiles",
        "(rows \u00d7 columns) that overlap by 10 mm, named as in the grid below. Trim each",
        "tile along its crop marks on the left and top, lay it over its neighbours so that",
        "the round alignment marks meet, and tape it." +
            (plan.settingOut.elements.empty() ? std::string()
                                              : " Page 2 says how to set the dial up;"),
    };
    if (!plan.gnomon.elements.empty()) {
        lines.push_back("the gnomon starts on page " + gnomonPage + ".");
    } else {
        lines.push_back("This dial has no gnomon: a person standing on its date scale casts the");
        lines.push_back("shadow.");
    }
    y += 4;
    for (const std::string& line : lines) {
        y += 5;
        canvas.Text({window.left, y}, line, kFootTextMm, Anchor::Start, false, 0);
    }
    for (const std::string& note : plan.notes) {
        y += 5;
        canvas.Text({window.left, y}, note, kFootTextMm, Anchor::Start, true, 0);
    }
    y += 5;
    const double scaleLineY = y;

    // The whole dial, scaled to the space left, the printed tiles over it.
    // Where the grid is too fine for a name in every tile, the rows and
    // columns are numbered along its left and top edges instead.
    const double step = grid.window.Width() - kOverlapMm;
    const double stepDown = grid.window.Height() - kOverlapMm;
    const double coveredW = grid.columns * step + kOverlapMm;
    const double coveredH = grid.rows * stepDown + kOverlapMm;
    Rect room{window.left, y + 6, window.right, window.bottom};
    double scale = std::min(room.Width() / coveredW, room.Height() / coveredH);
    const std::string lastRow = Numbered('R', grid.rows);
    const std::string lastColumn = Numbered('C', grid.columns);
    const double cellSize = std::min(FittedSize({TileCode({grid.rows - 1, grid.columns - 1, {}})},
                                                step * scale, stepDown * scale, kLargestTileName),
                                     std::max(stepDown * scale / 8, kTileName));
    const bool inCells = cellSize >= kSmallestTileName || OnePage(grid);
    double edgeSize = 0;
    if (!inCells) {
        edgeSize = kTileName;
        room.left += plan::TextWidthMm(lastRow, edgeSize, true) + kEdgeGapMm;
        room.top += edgeSize * plan::kCapHeight + kEdgeGapMm;
        scale = std::min(room.Width() / coveredW, room.Height() / coveredH);
        edgeSize = FittedSize({lastRow, lastColumn}, step * scale, stepDown * scale, kTileName);
    }
    const size_t places = static_cast<size_t>(grid.rows * grid.columns);
    std::string scaleLine = "The grid below shows the dial at " + ScaleText(scale);
    if (grid.tiles.size() < places) {
        scaleLine += "; the " + std::to_string(places - grid.tiles.size()) +
                     " places left blank hold nothing of it and are not printed";
    }
    canvas.Text({window.left, scaleLineY}, scaleLine + ".", kFootTextMm, Anchor::Start, false, 0);

    const Placement place{{0, 0}, {room.left, room.top}, scale};
    DrawElements(canvas, WithoutScaleBar(plan.dial.elements),
                 {0, 0, plan.dial.widthMm, plan.dial.heightMm}, place, 0.05);
    for (const Tile& t : grid.tiles) {
        const Point a = place({t.area.left, t.area.top}), b = place({t.area.right, t.area.bottom});
        canvas.Stroke({a, {b.x, a.y}, b, {a.x, b.y}}, true, 0.25, kGridColour);
        if (!inCells) continue;
        canvas.Text({(a.x + b.x) / 2, (a.y + b.y) / 2 + cellSize * plan::kCapHeight / 2},
                    TileCode(t), cellSize, Anchor::Middle, true, kGridColour);
    }
    if (inCells) return;
    for (int c = 0; c < grid.columns; ++c) {
        const double x = place({c * step + grid.window.Width() / 2, 0}).x;
        canvas.Text({x, room.top - kEdgeGapMm}, Numbered('C', c + 1), edgeSize, Anchor::Middle,
                    true, kGridColour);
    }
    for (int r = 0; r < grid.rows; ++r) {
        const double middle = place({0, r * stepDown + grid.window.Height() / 2}).y;
        canvas.Text({room.left - kEdgeGapMm, middle + edgeSize * plan::kCapHeight / 2},
                    Numbered('R', r + 1), edgeSize, Anchor::End, true, kGridColour);
    }
}

// The setting-out page at full size, or shrunk to the window when a turned
// or small page is too short for it.
void DrawSettingOut(PageCanvas& canvas, const plan::Drawing& page, const Rect& window) {
    const double scale =
        std::min({1.0, window.Width() / page.widthMm, (window.Height() - 4) / page.heightMm});
    DrawElements(canvas, page.elements, {0, 0, page.widthMm, page.heightMm},
                 {{0, 0}, {window.left, window.top + 4}, scale});
}

void DrawTiles(pdf::clsPdfWriter& writer, PageSetup setup, const plan::Drawing& drawing,
               const TileGrid& grid, const char* what, const char* form, int& page, int pages) {
    if (grid.tiles.empty()) return;
    // The drawing is written once, as a form every tile shows its own part
    // of: a line crossing the tiles then keeps its dashes in step across them.
    Rect reach = grid.tiles.front().area;
    for (const Tile& t : grid.tiles) {
        reach = {std::min(reach.left, t.area.left), std::min(reach.top, t.area.top),
                 std::max(reach.right, t.area.right), std::max(reach.bottom, t.area.bottom)};
    }
    const PageSize frame{reach.right, reach.bottom};
    writer.StartPlacedObject(form, static_cast<float>(reach.left),
                             static_cast<float>(frame.heightMm - reach.bottom),
                             static_cast<float>(reach.Width()), static_cast<float>(reach.Height()));
    {
        // The marks that line the tiles up with each other go in with it.
        PageCanvas canvas(writer, frame);
        DrawElements(canvas, drawing.elements, reach, {{0, 0}, {0, 0}, 1});
        DrawElements(canvas, AlignmentMarks(grid, drawing), reach, {{0, 0}, {0, 0}, 1});
    }
    writer.EndObject();

    for (const Tile& t : grid.tiles) {
        writer.BeginPage();
        PageCanvas canvas(writer, setup);
        // A numeral across the tile's edge is cut there, not carried out
        // over the margin and the foot.
        canvas.Clipped(grid.window, [&] {
            canvas.Form(form, frame, {t.area.left, t.area.top},
                        {grid.window.left, grid.window.top});
        });
        DrawCropMarks(canvas, grid.window);
        const std::string name = TileName(what, t, grid);
        // Where the tile lies in the drawing, for placing it when tiles
        // around it were left out.
        const auto mm = [](double v) { return std::to_string(std::lround(v)); };
        const std::string where = OnePage(grid) ? name
                                                : name + "; x " + mm(t.area.left) + " to " +
                                                      mm(t.area.right) + ", y " + mm(t.area.top) +
                                                      " to " + mm(t.area.bottom) + " mm";
        canvas.Text({grid.window.left + 10, grid.window.top - 4}, where, kFootTextMm, Anchor::Start,
                    true, 0);
        DrawFoot(canvas, grid.window, name, ++page, pages);
        writer.EndPage();
    }
}

}  // namespace

TemplatePdfLayout LayoutTemplatePdf(const plan::Plan& plan, PageSetup setup) {
    TemplatePdfLayout layout;
    layout.dial = TileDrawing(plan.dial.widthMm, plan.dial.heightMm, setup);
    DropEmptyTiles(layout.dial, plan.dial);
    layout.gnomon = TileDrawing(plan.gnomon.widthMm, plan.gnomon.heightMm, setup);
    DropEmptyTiles(layout.gnomon, plan.gnomon);
    // The overview, the setting-out page (a ground dial carries its own
    // setting-out on the dial), the tiles.
    layout.pages = 1 + (plan.settingOut.elements.empty() ? 0 : 1) +
                   static_cast<int>(layout.dial.tiles.size() + layout.gnomon.tiles.size());
    return layout;
}

namespace {

// The whole document, into whatever `open` starts the writer on.
TemplatePdfLayout WriteDocument(const plan::Plan& plan, PageSetup setup,
                                const std::optional<pdf::PdfEnvironment>& environment,
                                const std::function<void(pdf::clsPdfWriter&)>& open) {
    const TemplatePdfLayout layout = LayoutTemplatePdf(plan, setup);
    pdf::clsPdfWriter writer;
    if (environment) writer.SetEnvironment(*environment);
    writer.Title("Sundial template");
    writer.ScaleMode(2);
    writer.PaperSize(WriterPaperCode(setup.paper));
    writer.Margin(0);
    writer.Orientation(setup.landscape ? 1 : 0);
    open(writer);
    // Embedded, so that every viewer prints the glyphs the layout measured.
    writer.LoadEmbeddedFont(kRegularFont, font::TextFace(false));
    writer.LoadEmbeddedFont(kBoldFont, font::TextFace(true));

    int page = 1;
    writer.BeginPage();
    {
        PageCanvas canvas(writer, setup);
        DrawOverview(canvas, plan, layout, layout.dial.window);
        DrawFoot(canvas, layout.dial.window, "Overview", page, layout.pages);
    }
    writer.EndPage();
    if (!plan.settingOut.elements.empty()) {
        writer.BeginPage();
        PageCanvas canvas(writer, setup);
        DrawSettingOut(canvas, plan.settingOut, layout.dial.window);
        DrawFoot(canvas, layout.dial.window, "Setting out", ++page, layout.pages);
        writer.EndPage();
    }
    DrawTiles(writer, setup, plan.dial, layout.dial, "Dial tile", "Dial", page, layout.pages);
    DrawTiles(writer, setup, plan.gnomon, layout.gnomon, "Gnomon plate", "Gnomon", page,
              layout.pages);
    writer.ClosePDFFile();
    return layout;
}

}  // namespace

TemplatePdfLayout WriteTemplatePdf(const plan::Plan& plan, PageSetup setup,
                                   const std::filesystem::path& file,
                                   const std::optional<pdf::PdfEnvironment>& environment) {
    return WriteDocument(plan, setup, environment, [&file](pdf::clsPdfWriter& writer) {
        std::string name = file.string();
        writer.InitPDFFile(name);
    });
}

TemplatePdfLayout TemplatePdfBytes(const plan::Plan& plan, PageSetup setup, std::string& bytes,
                                   const std::optional<pdf::PdfEnvironment>& environment) {
    return WriteDocument(plan, setup, environment, [&bytes](pdf::clsPdfWriter& writer) {
        writer.InitPDFSink(std::make_unique<pdf::MemorySink>(bytes), "memory");
    });
}

}  // namespace sundial::tmpl

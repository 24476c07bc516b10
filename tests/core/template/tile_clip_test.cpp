// A tile as pdftoppm paints it: a numeral across the tile's edge shows up to
// the window's edge and no further, so the margin round the window stays blank
// whatever the dial holds there.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/plan/text_metrics.h"
#include "core/template/pdf_template.h"
#include "tests/core/pdf/support/pdf_test_support.h"
#include "tests/core/template/raster.h"
#include "tests/core/template/template_plans.h"
#include "tests/support/row_name.h"

namespace sundial::tmpl {
namespace {

using plan::Rect;

constexpr double kPxPerMm = 5;
constexpr double kGapMm = 0.4;   // antialiasing and half a line's width at the edge
constexpr double kBandMm = 3;    // short of the page's own words and crop marks
constexpr int kTilesLooked = 3;  // per plate, to keep the rendering short

struct ClipRow {
    const char* name;
    PageSetup setup;
    bool ground;  // a 4 x 4 m analemmatic dial, else a 1.2 x 0.9 m wall dial
};

class TileClip : public ::testing::TestWithParam<ClipRow> {};

Rect Shifted(const Rect& r, double dx, double dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

Rect Common(const Rect& a, const Rect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

bool Empty(const Rect& r) {
    return r.Width() <= 0 || r.Height() <= 0;
}

// The four strips just outside `w`, their corners (where the crop marks are)
// left out.
std::vector<Rect> Band(const Rect& w) {
    constexpr double c = 1;  // clear of the crop marks on the window's edge lines
    return {{w.left + c, w.top - kBandMm, w.right - c, w.top - kGapMm},
            {w.left + c, w.bottom + kGapMm, w.right - c, w.bottom + kBandMm},
            {w.left - kBandMm, w.top + c, w.left - kGapMm, w.bottom - c},
            {w.right + kGapMm, w.top + c, w.right + kBandMm, w.bottom - c}};
}

TEST_P(TileClip, NumeralsAcrossTheEdgeStopAtTheWindow) {
    const ClipRow& row = GetParam();
    plan::PlanOptions o = testing::IssueOptions(1200, 900);
    if (row.ground) {
        o = {};
        o.analemmaticMajorMm = 1500;
        o.widthMm = o.heightMm = 4000;
        o.extras.year = 2027;
    }
    const plan::Plan p = testing::PlanFor(testing::London(), o);
    pdf::testing::TempFolder dir;
    const auto file = dir / "tiles.pdf";
    const TemplatePdfLayout layout =
        WriteTemplatePdf(p, row.setup, file, pdf::testing::FixedEnvironment());
    const Rect& window = layout.dial.window;
    const std::vector<Rect> band = Band(window);
    const int firstTile = p.settingOut.elements.empty() ? 2 : 3;

    int looked = 0;
    for (std::size_t i = 0; i < layout.dial.tiles.size() && looked < kTilesLooked; ++i) {
        const Rect& area = layout.dial.tiles[i].area;
        // The words of the dial that cross this tile's edge into the band.
        std::vector<Rect> across;
        for (const plan::Element& e : p.dial.elements) {
            if (e.shape != plan::Shape::Text) continue;
            const Rect box =
                Shifted(plan::TextBox(e), window.left - area.left, window.top - area.top);
            const Rect inside = Common(box, window);
            const bool out = std::any_of(band.begin(), band.end(),
                                         [&](const Rect& b) { return !Empty(Common(box, b)); });
            if (!Empty(inside) && out) across.push_back(inside);
        }
        if (across.empty()) continue;
        ++looked;
        const int page = firstTile + static_cast<int>(i);
        const testing::Gray g = testing::RenderPdfPage(file, page, kPxPerMm);
        for (const Rect& strip : band) {
            const Rect ink = g.InkBox(strip);
            EXPECT_TRUE(Empty(ink)) << "page " << page << ": ink outside the window at x "
                                    << ink.left << " y " << ink.top;
        }
        // What lies inside the window is still drawn.
        const bool shown = std::any_of(across.begin(), across.end(),
                                       [&](const Rect& r) { return !Empty(g.InkBox(r)); });
        EXPECT_TRUE(shown) << "page " << page << ": the numeral is gone inside the window too";
    }
    EXPECT_GT(looked, 0) << "no numeral crosses a tile's edge: the plate proves nothing";
}

INSTANTIATE_TEST_SUITE_P(Plates, TileClip,
                         ::testing::Values(ClipRow{"ground-a4", {Paper::A4, false}, true},
                                           ClipRow{"ground-a3-turned", {Paper::A3, true}, true},
                                           ClipRow{"wall-letter", {Paper::Letter, false}, false}),
                         sundial::testing::RowName());

}  // namespace
}  // namespace sundial::tmpl

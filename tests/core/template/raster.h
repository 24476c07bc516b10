// Pictures of what the renderers wrote, made by independent tools
// (pdftoppm for PDF; rsvg-convert reads the SVG and hands a PDF to pdftoppm),
// as grey pixels to compare positions with.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/plan/drawing.h"

namespace sundial::tmpl::testing {

struct Gray {
    int width = 0;
    int height = 0;
    double pxPerMm = 0;
    std::vector<std::uint8_t> px;

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    // Dark anywhere within `radius` pixels of the point (mm).
    bool DarkNear(plan::Point mm, int radius = 1) const;
    // The box (mm) round the dark pixels inside `area` (mm); empty Rect when none.
    plan::Rect InkBox(const plan::Rect& area) const;
};

// Where to look for a numeral's ink: round its box by a margin that stays
// nearer to it than the layout lets anything else come, within the plate (and
// so off the plate's outline).
plan::Rect AroundNumeral(const plan::Rect& box, double sizeMm, double plateW, double plateH);

// Page `page` (from 1) of a PDF, at `pxPerMm`.
Gray RenderPdfPage(const std::filesystem::path& pdf, int page, double pxPerMm);
// An SVG file at `pxPerMm`, read by rsvg-convert.
Gray RenderSvg(const std::filesystem::path& svg, double pxPerMm);

}  // namespace sundial::tmpl::testing

#include "tests/core/template/raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "tests/core/pdf/support/pdf_test_support.h"

namespace sundial::tmpl::testing {

namespace {

using pdf::testing::Quoted;
using pdf::testing::RunCommand;

constexpr int kDark = 128;

// A binary PGM (P5) with 8-bit samples.
Gray ReadPgm(const std::filesystem::path& file, double pxPerMm) {
    const std::string bytes = pdf::testing::ReadBytes(file);
    std::istringstream in(bytes);
    std::string magic;
    int maxValue = 0;
    Gray g;
    g.pxPerMm = pxPerMm;
    in >> magic >> g.width >> g.height >> maxValue;
    in.get();
    if (magic != "P5" || maxValue != 255 || g.width <= 0 || g.height <= 0) {
        ADD_FAILURE() << "not an 8-bit PGM: " << file;
        return {};
    }
    const auto offset = static_cast<size_t>(in.tellg());
    const auto size = static_cast<size_t>(g.width) * static_cast<size_t>(g.height);
    if (bytes.size() < offset + size) {
        ADD_FAILURE() << "short PGM: " << file;
        return {};
    }
    g.px.assign(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                bytes.begin() + static_cast<std::ptrdiff_t>(offset + size));
    return g;
}

}  // namespace

bool Gray::DarkNear(plan::Point mm, int radius) const {
    const int cx = static_cast<int>(std::lround(mm.x * pxPerMm));
    const int cy = static_cast<int>(std::lround(mm.y * pxPerMm));
    for (int y = cy - radius; y <= cy + radius; ++y) {
        for (int x = cx - radius; x <= cx + radius; ++x) {
            if (Inside(x, y) &&
                px[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] <
                    kDark) {
                return true;
            }
        }
    }
    return false;
}

plan::Rect Gray::InkBox(const plan::Rect& area) const {
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = static_cast<int>(area.top * pxPerMm); y <= static_cast<int>(area.bottom * pxPerMm);
         ++y) {
        for (int x = static_cast<int>(area.left * pxPerMm);
             x <= static_cast<int>(area.right * pxPerMm); ++x) {
            if (!Inside(x, y) ||
                px[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] >=
                    kDark) {
                continue;
            }
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0) return {};
    // Pixel edges: a pixel covers [x, x + 1).
    return {left / pxPerMm, top / pxPerMm, (right + 1) / pxPerMm, (bottom + 1) / pxPerMm};
}

plan::Rect AroundNumeral(const plan::Rect& box, double sizeMm, double plateW, double plateH) {
    // Numerals keep a quarter of their size and a millimetre from the rest.
    const plan::Rect around = box.Inset(-(0.2 * sizeMm + 0.5));
    return {std::max(around.left, 0.5), std::max(around.top, 0.5),
            std::min(around.right, plateW - 0.5), std::min(around.bottom, plateH - 0.5)};
}

Gray RenderPdfPage(const std::filesystem::path& pdf, int page, double pxPerMm) {
    if (!pdf::testing::HaveTool("pdftoppm")) return {};
    const std::filesystem::path stem = pdf.parent_path() / ("page" + std::to_string(page));
    const std::string dpi = std::to_string(pxPerMm * 25.4);
    const auto run =
        RunCommand("pdftoppm -gray -singlefile -r " + dpi + " -f " + std::to_string(page) + " -l " +
                   std::to_string(page) + " " + Quoted(pdf) + " " + Quoted(stem));
    EXPECT_EQ(run.status, 0) << run.output;
    return ReadPgm(stem.string() + ".pgm", pxPerMm);
}

Gray RenderSvg(const std::filesystem::path& svg, double pxPerMm) {
    if (!pdf::testing::HaveTool("rsvg-convert")) return {};
    const std::filesystem::path pdf = svg.parent_path() / (svg.stem().string() + "-rsvg.pdf");
    const auto run = RunCommand("rsvg-convert -f pdf -o " + Quoted(pdf) + " " + Quoted(svg));
    EXPECT_EQ(run.status, 0) << run.output;
    return RenderPdfPage(pdf, 1, pxPerMm);
}

}  // namespace sundial::tmpl::testing

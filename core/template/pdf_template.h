// The plan printed at full size through the program's PDF writer: a first
// page with the whole dial scaled to fit, the tile grid over it and how to
// print and join the tiles; then the dial at 1:1 split over pages that
// overlap by 10 mm, with crop and alignment marks; then the gnomon's plate at
// 1:1 (tiled too when it is larger than a page). Every page carries a 100 mm
// bar to check the printer's scale.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/pdf/pdf_writer.h"
#include "core/plan/plan.h"
#include "core/template/tiling.h"

namespace sundial::tmpl {

struct TemplatePdfLayout {
    int pages = 0;
    TileGrid dial;
    TileGrid gnomon;
};

// The pages the document will have, without writing it.
TemplatePdfLayout LayoutTemplatePdf(const plan::Plan& plan, PageSetup setup);

// Writes the document to `file` (replacing it). `environment` replaces the
// writer's clock and surroundings (tests). Throws pdf::PdfWriteError.
TemplatePdfLayout WriteTemplatePdf(const plan::Plan& plan, PageSetup setup,
                                   const std::filesystem::path& file,
                                   const std::optional<pdf::PdfEnvironment>& environment = {});

// The same document into `bytes` (replacing what they held), for a caller
// that writes the file itself.
TemplatePdfLayout TemplatePdfBytes(const plan::Plan& plan, PageSetup setup, std::string& bytes,
                                   const std::optional<pdf::PdfEnvironment>& environment = {});

}  // namespace sundial::tmpl

// The printable dial sheet that "Make PDF" writes: page 1 lists the
// calculations in a monospaced font, page 2 draws the dial's lines at full size
// inside a border on A4. The run drives it (Begin, one Row per hour row,
// Finish); the file is then handed to a viewer, not waited for.
//
// Sheet coordinates: centimetres on a portrait A4 page, origin at the bottom
// left, y up (y = 28 is near the top). Page 2 shows the dial turned a quarter
// turn: the gnomon's root is at (20, 15) on the border's right edge and the
// wall's downward vertical runs left from it to x = 2.4.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/dial/run.h"
#include "core/pdf/byte_sink.h"
#include "core/pdf/pdf_writer.h"

namespace sundial {

inline constexpr const char* kSheetFileName = "sundial.pdf";

// Border of page 2 and the gnomon's root, sheet centimetres.
inline constexpr float kSheetLeft = 2.4f;
inline constexpr float kSheetBottom = 2.4f;
inline constexpr float kSheetRight = 20.0f;
inline constexpr float kSheetTop = 27.4f;
inline constexpr float kSheetRootY = 15.0f;

struct SheetPoint {
    float x;
    float y;
};

// Where DrawPdfDialLine's ray from the root ends on the border. `angleDeg` is
// measured from the wall's downward vertical; `side` "right." turns it towards
// the bottom of the page for positive angles, "left." towards the top, and any
// other side gives the vertical itself. A ray that would leave through the top
// or bottom edge ends there, on its own line.
// Raises ArithmeticFault for an angle whose ray cannot be placed.
SheetPoint PdfDialLineEnd(float angleDeg, std::string_view side);

// Draws one ray of the dial on page 2 with `width` (centimetres) and strokes it.
void DrawPdfDialLine(pdf::clsPdfWriter& writer, float angleDeg, std::string_view side, float width);

// Where "Make PDF" puts the sheet, and what to tell the user about it.
struct SheetFolderChoice {
    std::filesystem::path folder;
    // One sentence naming the folder when it is not the program's own; empty
    // when it is (or when no folder could be written, and the write will say why).
    std::string note;
};

// The first folder a file can be created in, of: the program's own folder
// (the usual place), `documentsFolder` (a program installed system-wide
// cannot write beside itself), the working folder, the temporary folder. An
// empty or missing candidate is passed over: without a home there are no
// documents. When none can be written the program's folder is kept and the
// write reports the failure.
SheetFolderChoice ChooseSheetFolderWithNote(const std::filesystem::path& programFolder,
                                            const std::filesystem::path& documentsFolder,
                                            const std::filesystem::path& workingFolder,
                                            const std::filesystem::path& temporaryFolder);
// The same with the process's working folder and the system's temporary folder.
SheetFolderChoice ChooseSheetFolderWithNote(const std::filesystem::path& programFolder,
                                            const std::filesystem::path& documentsFolder);
// Only the folder, for callers that say nothing about it.
std::filesystem::path ChooseSheetFolder(const std::filesystem::path& programFolder,
                                        const std::filesystem::path& documentsFolder);

class PdfDialSheet final : public SheetOutput {
  public:
    // Called with PdfPath once the file is complete; must not wait for the viewer.
    using ViewerHook = std::function<void(const std::filesystem::path&)>;
    // Where the bytes go; the default creates the file at PdfPath.
    using SinkFactory = std::function<std::unique_ptr<pdf::ByteSink>(const std::filesystem::path&)>;

    explicit PdfDialSheet(std::filesystem::path folder, ViewerHook viewer = {},
                          std::string fileName = kSheetFileName);

    // Failures throw: pdf::PdfWriteError names the file and the system's reason.
    void Begin(const SiteState& site, const DialGeometry& dial) override;
    void Row(const HourRow& row) override;
    void Finish(const DialGeometry& dial) override;

    // The file of the latest sheet: folder joined with the file name.
    const std::filesystem::path& PdfPath() const { return pdfPath_; }
    void SetFolder(std::filesystem::path folder) { folder_ = std::move(folder); }
    void SetSinkFactory(SinkFactory factory) { sinkFactory_ = std::move(factory); }
    // Created by the first sheet and reused by every later one; null before.
    pdf::clsPdfWriter* PdfWriter() { return pdfWriter_.get(); }

  private:
    pdf::clsPdfWriter& OpenWriter();

    std::filesystem::path folder_;
    ViewerHook viewer_;
    std::string fileName_;
    SinkFactory sinkFactory_;
    std::filesystem::path pdfPath_;
    std::unique_ptr<pdf::clsPdfWriter> pdfWriter_;
    float rowY_ = 24.0f;  // next row's baseline; stepped in single precision
};

// A SheetOutput that forwards to `sheet`, for callers that hand the run a
// fresh object per "Make PDF" while one PdfDialSheet (and its writer) lives on.
std::unique_ptr<SheetOutput> BorrowSheet(SheetOutput& sheet);

}  // namespace sundial

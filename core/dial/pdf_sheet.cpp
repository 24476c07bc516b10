#include "core/dial/pdf_sheet.h"

#include <cmath>
#include <fstream>
#include <random>
#include <stdexcept>
#include <system_error>

#include "core/dial/report.h"
#include "core/site/number_text.h"

namespace sundial {

namespace {

constexpr const char* kFont = "Fnt1";
constexpr float kFontSize = 10;
constexpr float kTextX = 2.0f;

// The root's distances to the border: 17.6 to the left edge, 12.6 above the
// bottom edge, 12.4 below the top edge.
constexpr double kToLeft = 17.6;
constexpr double kToBottom = 12.6;
constexpr double kToTop = 12.4;

void Text(pdf::clsPdfWriter& w, float y, const std::string& text) {
    w.DrawText(kTextX, y, text, kFont, kFontSize, 0, 0);
}

}  // namespace

SheetPoint PdfDialLineEnd(float angleDeg, std::string_view side) {
    const double a = angleDeg;
    const auto tanDeg = [](double deg) { return Checked(std::tan(DegToRad(deg)), "sheet ray"); };
    SheetPoint end{kSheetLeft, kSheetRootY};
    // Each edge's x uses that edge's own distance from the root, so that a
    // clipped end still lies on the hour line.
    if (side == "left.") {
        end.y = CheckedSingle(kSheetRootY + kToLeft * tanDeg(a), "sheet ray");
        if (end.y < kSheetBottom) {
            end.y = kSheetBottom;
            end.x = CheckedSingle(kSheetRight - kToBottom * tanDeg(a - 90), "sheet ray");
        }
        if (end.y > kSheetTop) {
            end.y = kSheetTop;
            end.x = CheckedSingle(kSheetRight - kToTop * tanDeg(90 - a), "sheet ray");
        }
    } else if (side == "right.") {
        end.y = CheckedSingle(kSheetRootY - kToLeft * tanDeg(a), "sheet ray");
        if (end.y < kSheetBottom) {
            end.y = kSheetBottom;
            end.x = CheckedSingle(kSheetRight - kToBottom * tanDeg(90 - a), "sheet ray");
        }
        if (end.y > kSheetTop) {
            end.y = kSheetTop;
            end.x = CheckedSingle(kSheetRight - kToTop * tanDeg(a - 90), "sheet ray");
        }
    }
    return end;
}

void DrawPdfDialLine(pdf::clsPdfWriter& writer, float angleDeg, std::string_view side,
                     float width) {
    const SheetPoint end = PdfDialLineEnd(angleDeg, side);
    writer.SetLineWidth(width);
    writer.MoveTo(kSheetRight, kSheetRootY);
    writer.LineTo(end.x, end.y, pdf::kStroke);
}

namespace {

// True when a file can be created (and written) in `folder`; leaves nothing.
bool CanCreateFileIn(const std::filesystem::path& folder) {
    if (folder.empty()) return false;
    std::random_device random;
    const std::filesystem::path probe =
        folder / (".sundial-write-test-" + std::to_string(random()));
    bool writable = false;
    {
        std::ofstream file(probe, std::ios::binary);
        writable = file.good() && (file << 'x').flush().good();
    }
    std::error_code ec;
    std::filesystem::remove(probe, ec);
    return writable;
}

}  // namespace

SheetFolderChoice ChooseSheetFolderWithNote(const std::filesystem::path& programFolder,
                                            const std::filesystem::path& documentsFolder,
                                            const std::filesystem::path& workingFolder,
                                            const std::filesystem::path& temporaryFolder) {
    if (CanCreateFileIn(programFolder)) return {programFolder, ""};
    const struct {
        const std::filesystem::path& folder;
        const char* name;
        const char* passedOver;  // the folders tried before, for the note
    } fallbacks[] = {
        {documentsFolder, "the documents folder", "the program's folder"},
        {workingFolder, "the working folder", "the program's folder or a documents folder"},
        {temporaryFolder, "the temporary folder",
         "the program's folder, a documents folder or the working folder"},
    };
    for (const auto& fallback : fallbacks) {
        if (CanCreateFileIn(fallback.folder)) {
            return {fallback.folder, std::string("No file can be created in ") +
                                         fallback.passedOver + ", so the sheet goes to " +
                                         fallback.name + " \"" + fallback.folder.string() + "\"."};
        }
    }
    return {programFolder, ""};
}

SheetFolderChoice ChooseSheetFolderWithNote(const std::filesystem::path& programFolder,
                                            const std::filesystem::path& documentsFolder) {
    std::error_code ec;
    const std::filesystem::path working = std::filesystem::current_path(ec);
    const std::filesystem::path temporary = std::filesystem::temp_directory_path(ec);
    return ChooseSheetFolderWithNote(programFolder, documentsFolder, working, temporary);
}

std::filesystem::path ChooseSheetFolder(const std::filesystem::path& programFolder,
                                        const std::filesystem::path& documentsFolder) {
    return ChooseSheetFolderWithNote(programFolder, documentsFolder).folder;
}

PdfDialSheet::PdfDialSheet(std::filesystem::path folder, ViewerHook viewer, std::string fileName)
    : folder_(std::move(folder)), viewer_(std::move(viewer)), fileName_(std::move(fileName)) {}

void PdfDialSheet::Begin(const SiteState& site, const DialGeometry& dial) {
    pdfPath_ = folder_ / fileName_;
    if (!pdfWriter_) pdfWriter_ = std::make_unique<pdf::clsPdfWriter>();
    pdf::clsPdfWriter& w = *pdfWriter_;
    // Lengths are converted when set, so the unit comes before the margin.
    w.Title("Sundial Design");
    w.ScaleMode(3);
    w.PaperSize(0);
    w.Margin(0);
    w.Orientation(0);
    if (sinkFactory_) {
        w.InitPDFSink(sinkFactory_(pdfPath_), pdfPath_);
    } else {
        std::string name = pdfPath_.string();
        w.InitPDFFile(name);
    }
    w.LoadFont(kFont, "Courier New", 0);
    w.BeginPage();

    Text(w, 28.0f, "Sundial Calculation for:   " + site.PlaceName);
    Text(w, 27.5f, "Latitude: " + NumberText(site.Latitude));
    Text(w, 27.0f, "Longitude: " + NumberText(site.Longitude));
    Text(w, 26.5f, "Wall Bearing: " + site.WallBearing);
    Text(w, 26.0f,
         HasVisibleOffset(dial) ? "The offset of the Gnome from vertical is " +
                                      NumberText(FloorHundredths(dial.GnomonOffset)) +
                                      " degrees to the " + dial.OffsetSide
                                : "The offset of the Gnome from vertical is 0 degrees");
    Text(w, 25.5f,
         "Angle of the Gnome in front of the shadow-plane is " +
             NumberText(FloorHundredths(dial.GnomonAngle)) + " degrees. ");
    Text(w, 24.5f, "Hour    Shadow Angle (from vertical)");
    rowY_ = 24.0f;
}

pdf::clsPdfWriter& PdfDialSheet::OpenWriter() {
    if (!pdfWriter_ || !pdfWriter_->IsOpen()) throw std::logic_error("no dial sheet is open");
    return *pdfWriter_;
}

void PdfDialSheet::Row(const HourRow& row) {
    // Seven spaces after one digit, six after two: every angle starts in the
    // ninth column of the monospaced font.
    const std::string hour = std::to_string(row.hour);  // a small whole number
    const std::string gap(hour.size() == 1 ? 7 : 6, ' ');
    Text(OpenWriter(), rowY_, hour + gap + NumberText(row.angle));
    rowY_ = rowY_ - 0.5f;
}

void PdfDialSheet::Finish(const DialGeometry& dial) {
    pdf::clsPdfWriter& w = OpenWriter();
    w.EndPage();
    w.BeginPage();
    w.SetLineWidth(0.2f);
    w.SetColorStroke(0);
    w.Rectangle(kSheetLeft, kSheetBottom, 17.6f, 25.0f, pdf::kStroke, 0);
    DrawPdfDialLine(w, dial.GnomonOffset, dial.OffsetSide, 0.005f);
    // Every hour 6..18, listed or not; hours twelve apart share a ray.
    for (int hour = kFirstDialHour; hour <= kLastDialHour; ++hour) {
        DrawPdfDialLine(w, -dial.ShadowAngle[hour], "right.", 0.07f);
    }
    w.EndPage();
    w.ClosePDFFile();
    if (viewer_) viewer_(pdfPath_);
}

namespace {

class BorrowedSheet final : public SheetOutput {
  public:
    explicit BorrowedSheet(SheetOutput& sheet) : sheet_(sheet) {}
    void Begin(const SiteState& site, const DialGeometry& dial) override {
        sheet_.Begin(site, dial);
    }
    void Row(const HourRow& row) override { sheet_.Row(row); }
    void Finish(const DialGeometry& dial) override { sheet_.Finish(dial); }

  private:
    SheetOutput& sheet_;
};

}  // namespace

std::unique_ptr<SheetOutput> BorrowSheet(SheetOutput& sheet) {
    return std::make_unique<BorrowedSheet>(sheet);
}

}  // namespace sundial

// clsPdfWriter: writes PDF 1.3 documents as it goes. Properties are set first,
// InitPDFFile opens the document, pages are written between BeginPage and
// EndPage, fonts, images and forms between pages, and ClosePDFFile writes the
// shared resources, the page tree, the cross-reference table and the trailer.
// Nothing of a page is held in memory: every operator reaches the file at once.
//
// Units: every length the caller passes is in the unit chosen by ScaleMode
// (0 point, 1 inch, 2 millimetre, 3 centimetre); PDF user space: origin at the
// bottom left of the page, y up. Font sizes, word and character spacing are in
// points whatever the ScaleMode; angles in degrees, counter-clockwise.
//
// Text arguments are UTF-8; they are written in Windows-1252 (characters it
// cannot hold become "?"), which is also what Length measures.
//
// Errors: PdfWriteError (file system, or a value the format cannot hold) and
// PdfUsageError (a request the writer cannot carry out; nothing written for it).
// After a PdfWriteError the file stays as far as it was written.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/pdf/byte_sink.h"
#include "core/pdf/content_stream.h"
#include "core/pdf/embedded_font.h"
#include "core/pdf/font_metrics.h"
#include "core/pdf/line_writer.h"
#include "core/pdf/object_table.h"
#include "core/pdf/pdf_environment.h"
#include "core/pdf/resource_dictionary.h"

namespace sundial::pdf {

// Path-painting options of LineTo, Curve, Rectangle, DrawCircle and Arc.
inline constexpr std::int32_t kStroke = 1;
inline constexpr std::int32_t kClose = 2;
inline constexpr std::int32_t kFill = 4;

class clsPdfWriter {
  public:
    clsPdfWriter();
    ~clsPdfWriter();
    clsPdfWriter(const clsPdfWriter&) = delete;
    clsPdfWriter& operator=(const clsPdfWriter&) = delete;

    // ---- Properties (all but Pages are write-only). Lengths are converted to
    // points when set, so set ScaleMode first.
    void EncodeASCII85(bool value) { encodeASCII85_ = value; }
    void Margin(float value);
    void PaperWidth(float value);   // sets PaperSize to 255
    void PaperHeight(float value);  // sets PaperSize to 255
    std::int16_t Pages() const { return pageCount_; }
    void ScaleMode(std::int32_t value) { lines_.SetScaleMode(value); }
    // 0 A4 (595.2 x 842 points), 1 A3, 2 US Letter, 3 8.5 x 12 inches; any
    // other code keeps the paper as it is.
    void PaperSize(std::int32_t value);
    void Orientation(std::int32_t value) { orientation_ = value; }  // 0 portrait, 1 landscape
    void Title(std::string value) { title_ = std::move(value); }

    // ---- Document. InitPDFFile creates (replaces) the file and writes the
    // header, Info and Catalog; an empty name is replaced by a generated one in
    // the program's folder ("~" + hex digits + ".pdf"), returned in the same
    // argument. A document still open is abandoned without its trailer.
    void InitPDFFile(std::string& strFileName);
    // The same into any sink; `name` is what errors report.
    void InitPDFSink(std::unique_ptr<ByteSink> sink, std::filesystem::path name);
    void ClosePDFFile();
    bool IsOpen() const { return lines_.IsOpen(); }

    // Returns the new page's number (from 1).
    std::int16_t BeginPage();
    void EndPage();

    // ---- Page content (into the open page or form; see ContentStream).
    void SetWordSpacing(float W) { Content("SetWordSpacing").SetWordSpacing(W); }
    void SetCharSpacing(float W) { Content("SetCharSpacing").SetCharSpacing(W); }
    void SetTextHorizontalScaling(float W) {  // percent
        Content("SetTextHorizontalScaling").SetTextHorizontalScaling(W);
    }
    void SetTextRenderingMode(std::int32_t W) {
        Content("SetTextRenderingMode").SetTextRenderingMode(W);
    }
    // Align 0 left, 1 right (x is the end), 2 centred; Rotate in degrees.
    void DrawText(float x, float y, std::string_view strTemp, std::string_view FontName,
                  float Fontsize, std::int32_t Align, float Rotate);
    // -255..0: grey level (0 black, -255 white); otherwise red in the low byte,
    // then green, then blue. Below -255 is a PdfWriteError.
    void SetColorStroke(std::int32_t rgb) { Content("SetColorStroke").SetColorStroke(rgb); }
    void SetColorFill(std::int32_t rgb) { Content("SetColorFill").SetColorFill(rgb); }
    void SetDash(float dash_on, float dash_off) {  // both 0: solid
        Content("SetDash").SetDash(dash_on, dash_off);
    }
    void SetLineWidth(float W) { Content("SetLineWidth").SetLineWidth(W); }
    void SetLineCap(std::int16_t W) { Content("SetLineCap").SetLineCap(W); }
    void SetLineJoin(std::int16_t W) { Content("SetLineJoin").SetLineJoin(W); }
    void SetMiterLimit(float W) { Content("SetMiterLimit").SetMiterLimit(W); }
    void MoveTo(float x, float y) { Content("MoveTo").MoveTo(x, y); }
    void LineTo(float x, float y, std::int32_t Options) { Content("LineTo").LineTo(x, y, Options); }
    // (x, y) is the lower-left corner; Ray > 0 rounds the corners.
    void Rectangle(float x, float y, float xdim, float ydim, std::int32_t Options, float Ray) {
        Content("Rectangle").Rectangle(x, y, xdim, ydim, Options, Ray);
    }
    void Curve(float x1, float y1, float X2, float Y2, float X3, float Y3, std::int32_t Options) {
        Content("Curve").Curve(x1, y1, X2, Y2, X3, Y3, Options);
    }
    void DrawCircle(float x, float y, float Ray, std::int32_t Options) {
        Content("DrawCircle").Circle(x, y, Ray, Options);
    }
    // An elliptic arc as a polyline, one point every Quality degrees from
    // StartAngle to EndAngle. Ratio: vertical over horizontal semi-axis.
    // Quality 0 is a PdfUsageError.
    void Arc(float x, float y, float Ray, float StartAngle, float EndAngle, float Ratio, bool Pie,
             float Rotate, std::int16_t Quality, std::int32_t Options) {
        Content("Arc").Arc(x, y, Ray, StartAngle, EndAngle, Ratio, Pie, Rotate, Quality, Options);
    }

    // Drawing shows only inside the rectangle ((x, y) its lower-left corner)
    // until EndClip, which also ends the colours, widths and dashes set since;
    // the end of the page or form ends every clip still open.
    void BeginClip(float x, float y, float xdim, float ydim) {
        Content("BeginClip").BeginClip(x, y, xdim, ydim);
    }
    void EndClip() { Content("EndClip").EndClip(); }

    // ---- Images (between pages). Returns false, writing nothing, for a file
    // that is missing or not an uncompressed bottom-up BMP of 1, 4, 8 or 24 bits.
    bool LoadImgFromBMPFile(std::string_view Name, const std::filesystem::path& FileName,
                            std::int32_t ColorSpace);
    // Samples bottom row first (see BmpImage). ColorSpace 0 RGB, other grey.
    // Depths other than 1, 4, 8, 24, sizes below 1, and buffers too short for
    // the picture or palette are PdfUsageErrors.
    void LoadImgFromArray(std::string_view Name, std::span<const std::uint8_t> ImgBuf,
                          std::span<const std::uint8_t> ImgColor, std::int32_t ImgWidth,
                          std::int32_t ImgHeight, std::uint8_t ImgBPP, std::int32_t ColorSpace);
    // Top-left corner at (DestX, DestY); the picture extends ImgHeight down.
    void DrawImg(std::string_view Name, float DestX, float DestY, float ImgWidth, float ImgHeight) {
        Content("DrawImg").DrawImage(Name, DestX, DestY, ImgWidth, ImgHeight);
    }

    // ---- Fonts (between pages). Options: 0 regular, 1 bold, 2 italic, 3 both.
    void LoadFontStandard(std::string_view Name, std::string_view BaseFont, std::int32_t Options);
    void LoadFont(std::string_view Name, std::string_view BaseFont, std::int32_t Options);
    // `program` embedded as a subset of what the document shows in it (see
    // EmbeddedFont), so that every viewer prints the same glyphs: any
    // character the font has is shown, not just those of Windows-1252, and
    // word spacing does not apply to its blanks. `program` must outlive the
    // document; the subset is made at ClosePDFFile, which throws
    // PdfWriteError when it cannot be.
    void LoadEmbeddedFont(std::string_view Name, const FontProgram& program);

    // ---- Form objects. Options: 2 even pages, 4 odd pages, 4 + 8 odd pages
    // but the first, 7 every page; drawn automatically at BeginPage.
    void StartObject(std::string_view Name, std::int32_t Options);
    void EndObject();
    void DrawObject(std::string_view Name) { Content("DrawObject").DrawForm(Name); }
    // A form drawn only where DrawObjectAt puts it: whatever lies inside its
    // own box ((x, y) the lower-left corner, caller units), with the
    // document's fonts, images and forms. Ended by EndObject.
    void StartPlacedObject(std::string_view Name, float x, float y, float xdim, float ydim);
    // Form Name with its space mapped onto the page by x' = a x + c y + e,
    // y' = b x + d y + f: a, b, c, d whole numbers (a quarter turn at most),
    // e and f in caller units.
    void DrawObjectAt(std::string_view Name, std::int32_t a, std::int32_t b, std::int32_t c,
                      std::int32_t d, float e, float f) {
        Content("DrawObjectAt").DrawFormAt(Name, a, b, c, d, e, f);
    }

    // Width of Phrase in a font loaded with LoadFont, in caller units; 0 for
    // any other font.
    float Length(std::string_view Phrase, std::string_view FontName, float Fontsize) const;

    // Replaces the clock, random digit and program folder.
    void SetEnvironment(PdfEnvironment environment) { env_ = std::move(environment); }

  private:
    struct FormEntry {
        std::string Name;  // Windows-1252
        std::int32_t Options;
    };
    struct FontIndexEntry {
        std::string Name;  // Windows-1252, as given to LoadFont
        const FontMetrics* metrics;
        EmbeddedFont* embedded = nullptr;  // instead of metrics, for LoadEmbeddedFont
    };

    void RequireOpen(const char* operation) const;
    ContentStream& Content(const char* operation) {
        RequireOpen(operation);
        return content_;
    }
    void StartDocument();
    // A form's dictionary and the start of its stream: `box` in points
    // (left, bottom, right, top), `more` any further entries.
    void BeginForm(const std::string& name, const std::array<float, 4>& box, std::string_view more);
    void DrawAutoObjects();
    void EndStream();
    // Object bookkeeping: numbers come from objects_, offsets go into it.
    void ReserveObjects(std::int32_t count) const;
    std::int32_t AllocateObject();
    void BeginObject(std::int32_t n);  // "n 0 obj" at the current offset
    std::int32_t BeginNewObject();
    void WriteObjectEnd() { lines_.WriteLine("endobj"); }
    void WriteEmbeddedFonts();

    LineWriter lines_;  // the sink, the file name, ScaleMode
    ContentStream content_{lines_};
    ObjectTable objects_;
    ResourceDictionary resources_;
    std::string title_;
    std::int32_t paperSize_ = 0;
    float paperWidth_ = 595.2f;
    float paperHeight_ = 842.0f;
    std::int32_t orientation_ = 0;
    std::int16_t pageCount_ = 0;
    float margin_ = 0;
    bool encodeASCII85_ = false;
    std::vector<FontIndexEntry> fontIndex_;
    std::vector<std::unique_ptr<EmbeddedFont>> embedded_;
    std::vector<FormEntry> forms_;
    std::uint64_t streamStart_ = 0;
    PdfEnvironment env_;
};

}  // namespace sundial::pdf

// The operators of a page's or a form's content stream. Each call writes its
// lines at once through the document's LineWriter; nothing is held back.
// Lengths are in the caller's unit (ScaleMode) and written in points; font
// sizes, spacing, scaling and colours are written as they stand.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/pdf/line_writer.h"
#include "core/pdf/path_geometry.h"

namespace sundial::pdf {

class ContentStream {
  public:
    explicit ContentStream(LineWriter& lines) : lines_(lines) {}

    // Word and character spacing (points) and horizontal scaling (percent):
    // the last values set, back to PDF's 0, 0 and 100 at every page.
    void ResetTextState();
    float WordSpacing() const { return wordSpacing_; }
    float CharSpacing() const { return charSpacing_; }
    float HorizontalScaling() const { return horizontalScaling_; }

    void SetWordSpacing(float points);
    void SetCharSpacing(float points);
    void SetTextHorizontalScaling(float percent);
    void SetTextRenderingMode(std::int32_t mode);  // 0..2; others write nothing
    // `text` starting at (x, y) in `font` (a resource name) at `size` points,
    // turned `rotateDeg` about its start.
    void ShowText(float x, float y, std::string_view text, std::string_view font, float size,
                  float rotateDeg);
    // The same for a font of two-byte codes: `hexString` is the string
    // operand as it stands ("<00010002>").
    void ShowCodes(float x, float y, std::string_view hexString, std::string_view font, float size,
                   float rotateDeg);

    // -255..0 grey (0 black), else red in the low byte, green, then blue.
    void SetColorStroke(std::int32_t rgb);
    void SetColorFill(std::int32_t rgb);
    void SetDash(float on, float off);  // both 0: solid
    void SetLineWidth(float width);
    void SetLineCap(std::int16_t cap);    // 0..2; others write nothing
    void SetLineJoin(std::int16_t join);  // 0..2; others write nothing
    void SetMiterLimit(float limit);      // below 1 writes nothing

    // `options` of the path operators: kStroke, kClose and kFill of pdf_writer.h.
    void MoveTo(float x, float y);
    void LineTo(float x, float y, std::int32_t options);
    void Curve(float x1, float y1, float x2, float y2, float x3, float y3, std::int32_t options);
    void Rectangle(float x, float y, float width, float height, std::int32_t options, float radius);
    void Circle(float x, float y, float radius, std::int32_t options);
    void Arc(float x, float y, float ray, float startDeg, float endDeg, float ratio, bool pie,
             float rotateDeg, std::int16_t stepDeg, std::int32_t options);

    // An image resource with its top-left corner at (x, y), `height` down.
    void DrawImage(std::string_view name, float x, float y, float width, float height);
    void DrawForm(std::string_view name);
    // The form with its space mapped by [a b c d e f] (e and f caller units),
    // the page's state untouched after it.
    void DrawFormAt(std::string_view name, std::int32_t a, std::int32_t b, std::int32_t c,
                    std::int32_t d, float e, float f);

    // What is drawn until the matching EndClip shows only inside the
    // rectangle with its lower-left corner at (x, y). The graphics state set
    // meanwhile (colours, widths, dashes, text spacing) ends with it.
    void BeginClip(float x, float y, float width, float height);
    // Writes nothing when no clip is open.
    void EndClip();
    int OpenClips() const { return static_cast<int>(saved_.size()); }

  private:
    struct TextState {
        float wordSpacing, charSpacing, horizontalScaling;
    };

    // A text object's start, up to its string: the line under construction.
    void StartText(float x, float y, std::string_view font, float size, float rotateDeg);
    void PaintPath(std::int32_t options);
    void WritePath(std::span<const PathSegment> path);
    void WriteColor(std::int32_t rgb, const char* greyOperator, const char* rgbOperator);

    LineWriter& lines_;
    float wordSpacing_ = 0;
    float charSpacing_ = 0;
    float horizontalScaling_ = 100;
    std::vector<TextState> saved_;  // at each open clip
};

}  // namespace sundial::pdf

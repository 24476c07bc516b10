#include "core/template/text_outlines.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <memory>

#include "core/pdf/win1252.h"
#include "core/plan/text_metrics.h"
#include "core/template/template_error.h"

namespace sundial::tmpl {

namespace {

// Each curve becomes this many straight pieces: at a numeral's size the
// chords stay within a few micrometres of the curve.
constexpr int kCurvePieces = 8;

struct Library {
    FT_Library library = nullptr;
    Library() { FT_Init_FreeType(&library); }
    ~Library() { FT_Done_FreeType(library); }
};

// One face per font file, opened on first use and kept.
FT_Face Face(bool bold) {
    const char* file = bold ? kOutlineBoldFont : kOutlineFont;
    static Library fonts;
    struct Closer {
        void operator()(FT_Face face) const { FT_Done_Face(face); }
    };
    static std::unique_ptr<FT_FaceRec_, Closer> regularFace, boldFace;
    auto& face = bold ? boldFace : regularFace;
    if (!face) {
        FT_Face opened = nullptr;
        if (fonts.library == nullptr || FT_New_Face(fonts.library, file, 0, &opened) != 0) {
            throw TemplateWriteError(file, "the font for outlined text cannot be read");
        }
        face.reset(opened);
    }
    return face.get();
}

// Contours in font units, y up, the pen `penX` units along the baseline.
struct Flattener {
    std::vector<std::vector<plan::Point>> contours;
    double penX = 0;
    plan::Point last;

    plan::Point At(const FT_Vector* v) const {
        return {penX + static_cast<double>(v->x), static_cast<double>(v->y)};
    }
    void To(plan::Point p) {
        contours.back().push_back(p);
        last = p;
    }
    static Flattener& Of(void* user) { return *static_cast<Flattener*>(user); }
    static int Move(const FT_Vector* to, void* user) {
        Flattener& f = Of(user);
        f.contours.emplace_back();
        f.To(f.At(to));
        return 0;
    }
    static int Line(const FT_Vector* to, void* user) {
        Flattener& f = Of(user);
        f.To(f.At(to));
        return 0;
    }
    static int Conic(const FT_Vector* control, const FT_Vector* to, void* user) {
        Flattener& f = Of(user);
        const plan::Point p0 = f.last, c = f.At(control), p1 = f.At(to);
        for (int i = 1; i <= kCurvePieces; ++i) {
            const double t = static_cast<double>(i) / kCurvePieces, u = 1 - t;
            f.To({u * u * p0.x + 2 * u * t * c.x + t * t * p1.x,
                  u * u * p0.y + 2 * u * t * c.y + t * t * p1.y});
        }
        return 0;
    }
    static int Cubic(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
        Flattener& f = Of(user);
        const plan::Point p0 = f.last, a = f.At(c1), b = f.At(c2), p1 = f.At(to);
        for (int i = 1; i <= kCurvePieces; ++i) {
            const double t = static_cast<double>(i) / kCurvePieces, u = 1 - t;
            f.To({u * u * u * p0.x + 3 * u * u * t * a.x + 3 * u * t * t * b.x + t * t * t * p1.x,
                  u * u * u * p0.y + 3 * u * u * t * a.y + 3 * u * t * t * b.y + t * t * t * p1.y});
        }
        return 0;
    }
};

}  // namespace

std::vector<std::vector<plan::Point>> TextOutlines(const plan::Element& text) {
    const FT_Face face = Face(text.bold);
    static const FT_Outline_Funcs kFuncs = {
        Flattener::Move, Flattener::Line, Flattener::Conic, Flattener::Cubic, 0, 0};
    Flattener f;
    for (std::size_t i = 0; i < text.text.size();) {
        const char32_t cp = pdf::NextCodePoint(text.text, i);
        // The glyph the layout measured: "?" for a character the face lacks.
        const FT_UInt glyph = font::TextFace(text.bold).GlyphFor(cp).id;
        if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE) != 0) continue;
        if (face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
            FT_Outline_Decompose(&face->glyph->outline, &kFuncs, &f);
        }
        f.penX += static_cast<double>(face->glyph->advance.x);
    }
    if (f.penX <= 0) return {};
    // Fitted to the layout's width, as the SVG's textLength fits its text;
    // the height is the font size's.
    const double width = plan::TextWidthMm(text.text, text.textSizeMm, text.bold);
    const double scaleX = width / f.penX;
    const double scaleY = text.textSizeMm / face->units_per_EM;
    static constexpr double kAnchorShare[] = {0, 0.5, 1};
    const plan::Point base = text.points[0];
    const double left = base.x - width * kAnchorShare[static_cast<int>(text.anchor)];
    for (auto& contour : f.contours) {
        for (plan::Point& p : contour) p = {left + p.x * scaleX, base.y - p.y * scaleY};
    }
    return std::move(f.contours);
}

}  // namespace sundial::tmpl

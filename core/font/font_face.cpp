#include "core/font/font_face.h"

#include <hb-ot.h>
#include <hb-subset.h>
#include <hb.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "core/pdf/win1252.h"

namespace sundial::font {

namespace {

template <typename T, void (*Destroy)(T*)>
struct Handle {
    T* p = nullptr;
    Handle() = default;
    explicit Handle(T* value) : p(value) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (p) Destroy(p);
    }
};

using Blob = Handle<hb_blob_t, hb_blob_destroy>;
using Face = Handle<hb_face_t, hb_face_destroy>;
using Font = Handle<hb_font_t, hb_font_destroy>;
using SubsetInput = Handle<hb_subset_input_t, hb_subset_input_destroy>;
using SubsetPlan = Handle<hb_subset_plan_t, hb_subset_plan_destroy>;

// A big-endian signed 16-bit field of a font table.
int Int16At(const char* data, unsigned length, unsigned offset) {
    if (offset + 2 > length) return 0;
    const auto hi = static_cast<unsigned char>(data[offset]);
    const auto lo = static_cast<unsigned char>(data[offset + 1]);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(hi << 8 | lo));
}

constexpr char32_t kLookedUp = 256;

}  // namespace

struct FontFace::Library {
    Blob blob;
    Face face;
    Font font;  // scaled to font units
    double unitsPerEm = 1;
    hb_codepoint_t standIn = 0;
    // The first 256 code points' glyphs and advances, looked up once: nearly
    // every character a plate's text measures or writes is among them.
    std::array<pdf::FontGlyph, kLookedUp> glyphs{};
    std::array<hb_position_t, kLookedUp> advances{};

    pdf::FontGlyph Lookup(char32_t codePoint) const {
        hb_codepoint_t glyph = 0;
        if (codePoint == pdf::kBadUtf8 || !hb_font_get_nominal_glyph(font.p, codePoint, &glyph) ||
            glyph == 0) {
            return {static_cast<std::uint16_t>(standIn), U'?'};
        }
        return {static_cast<std::uint16_t>(glyph), codePoint};
    }
};

FontFace::FontFace(const std::filesystem::path& file) : file_(file), hb_(new Library) {
    // Mapped, not read: only the parts of the file a run uses (the character
    // map, the advances, the glyphs it shows) are ever brought in.
    hb_->blob.p = hb_blob_create_from_file_or_fail(file.c_str());
    if (hb_->blob.p == nullptr) {
        std::error_code error;
        const bool present = std::filesystem::exists(file, error);
        throw FontError(file, present ? std::string("cannot be read")
                                      : std::string("cannot be read: ") + std::strerror(ENOENT));
    }
    hb_->face.p = hb_face_create(hb_->blob.p, 0);
    if (hb_face_get_glyph_count(hb_->face.p) == 0) throw FontError(file, "holds no glyphs");
    hb_->font.p = hb_font_create(hb_->face.p);
    const unsigned upem = hb_face_get_upem(hb_->face.p);
    hb_font_set_scale(hb_->font.p, static_cast<int>(upem), static_cast<int>(upem));
    hb_->unitsPerEm = upem;
    if (!hb_font_get_nominal_glyph(hb_->font.p, '?', &hb_->standIn)) {
        throw FontError(file, "has no \"?\" to show the characters it lacks");
    }
    for (char32_t c = 0; c < kLookedUp; ++c) {
        hb_->glyphs[c] = hb_->Lookup(c);
        hb_->advances[c] = hb_font_get_glyph_h_advance(hb_->font.p, hb_->glyphs[c].id);
    }
}

FontFace::~FontFace() = default;

bool FontFace::Has(char32_t codePoint) const {
    hb_codepoint_t glyph = 0;
    return hb_font_get_nominal_glyph(hb_->font.p, codePoint, &glyph) && glyph != 0;
}

pdf::FontGlyph FontFace::GlyphFor(char32_t codePoint) const {
    return codePoint < kLookedUp ? hb_->glyphs[codePoint] : hb_->Lookup(codePoint);
}

double FontFace::AdvanceEm(std::string_view text) const {
    double units = 0;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = pdf::NextCodePoint(text, i);
        units += c < kLookedUp ? hb_->advances[c]
                               : hb_font_get_glyph_h_advance(hb_->font.p, GlyphFor(c).id);
    }
    return units / hb_->unitsPerEm;
}

GlyphInk FontFace::InkOf(char32_t codePoint) const {
    hb_glyph_extents_t extents{};
    hb_font_get_glyph_extents(hb_->font.p, GlyphFor(codePoint).id, &extents);
    return {extents.y_bearing / hb_->unitsPerEm,
            (extents.y_bearing + extents.height) / hb_->unitsPerEm};
}

std::string FontFace::PostScriptName() const {
    char name[128] = {};
    unsigned size = sizeof name;
    hb_ot_name_get_utf8(hb_->face.p, HB_OT_NAME_ID_POSTSCRIPT_NAME, HB_LANGUAGE_INVALID, &size,
                        name);
    // A PDF name holds no blanks or delimiters.
    std::string out;
    for (const char c : std::string(name)) {
        if (c > ' ' && c < 127 && !std::strchr("()<>[]{}/%#", c)) out += c;
    }
    return out.empty() ? "Font" : out;
}

double FontFace::AdvanceOf(std::uint16_t glyph) const {
    return hb_font_get_glyph_h_advance(hb_->font.p, glyph) * 1000.0 / hb_->unitsPerEm;
}

pdf::FontProgramMetrics FontFace::Metrics() const {
    const double k = 1000.0 / hb_->unitsPerEm;
    pdf::FontProgramMetrics m;
    Blob head(hb_face_reference_table(hb_->face.p, HB_TAG('h', 'e', 'a', 'd')));
    unsigned length = 0;
    const char* data = hb_blob_get_data(head.p, &length);
    for (unsigned i = 0; i < 4; ++i) m.bbox[i] = Int16At(data, length, 36 + 2 * i) * k;
    hb_position_t ascent = 0, descent = 0;
    hb_ot_metrics_get_position(hb_->font.p, HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER, &ascent);
    hb_ot_metrics_get_position(hb_->font.p, HB_OT_METRICS_TAG_HORIZONTAL_DESCENDER, &descent);
    m.ascent = ascent * k;
    m.descent = descent * k;
    // Older fonts state no cap height: a capital's ink says it.
    hb_position_t cap = 0;
    m.capHeight =
        hb_ot_metrics_get_position(hb_->font.p, HB_OT_METRICS_TAG_CAP_HEIGHT, &cap) && cap > 0
            ? cap * k
            : InkOf(U'H').topEm * 1000;
    // No table states the stems; this estimate from the weight is what
    // viewers use the figure for (synthesising a substitute), and no more.
    const float weight = hb_style_get_value(hb_->font.p, HB_STYLE_TAG_WEIGHT);
    m.stemV = 10 + 220 * (weight - 50) / 900;
    m.italicAngleDeg = hb_style_get_value(hb_->font.p, HB_STYLE_TAG_SLANT_ANGLE);
    return m;
}

pdf::FontSubset FontFace::Subset(std::span<const std::uint16_t> glyphs,
                                 std::span<const char32_t> shown) const {
    SubsetInput input(hb_subset_input_create_or_fail());
    if (!input.p) throw std::runtime_error("out of memory for the font subset");
    hb_set_t* unicodes = hb_subset_input_unicode_set(input.p);
    for (const char32_t c : shown) hb_set_add(unicodes, c);
    // Glyphs the characters shown map to are found from them one by one;
    // naming glyphs as well makes the subsetter walk the whole character map
    // (most of a subset's cost), so only a glyph that is no character's of
    // those is named.
    bool allMapped = glyphs.size() == shown.size();
    for (std::size_t i = 0; allMapped && i < glyphs.size(); ++i) {
        hb_codepoint_t nominal = 0;
        allMapped =
            hb_font_get_nominal_glyph(hb_->font.p, shown[i], &nominal) && nominal == glyphs[i];
    }
    if (!allMapped) {
        hb_set_t* glyphSet = hb_subset_input_glyph_set(input.p);
        for (const std::uint16_t g : glyphs) hb_set_add(glyphSet, g);
    }
    // A printed page needs neither the screen's hinting nor the shaping
    // tables: the PDF places every glyph itself.
    hb_subset_input_set_flags(input.p, HB_SUBSET_FLAGS_NO_HINTING);
    hb_set_t* dropped = hb_subset_input_set(input.p, HB_SUBSET_SETS_DROP_TABLE_TAG);
    for (const hb_tag_t tag :
         {HB_TAG('G', 'S', 'U', 'B'), HB_TAG('G', 'P', 'O', 'S'), HB_TAG('G', 'D', 'E', 'F'),
          HB_TAG('k', 'e', 'r', 'n'), HB_TAG('M', 'A', 'T', 'H'), HB_TAG('F', 'F', 'T', 'M')}) {
        hb_set_add(dropped, tag);
    }
    SubsetPlan plan(hb_subset_plan_create_or_fail(hb_->face.p, input.p));
    if (!plan.p) throw std::runtime_error("the font subset could not be planned");
    const hb_map_t* newIds = hb_subset_plan_old_to_new_glyph_mapping(plan.p);
    pdf::FontSubset subset;
    for (const std::uint16_t g : glyphs) {
        const hb_codepoint_t id = hb_map_get(newIds, g);
        if (id == HB_MAP_VALUE_INVALID) throw std::runtime_error("a glyph fell out of the subset");
        subset.newIds.push_back(static_cast<std::uint16_t>(id));
    }
    Face made(hb_subset_plan_execute_or_fail(plan.p));
    if (!made.p) throw std::runtime_error("the font subset could not be made");
    Blob blob(hb_face_reference_blob(made.p));
    unsigned length = 0;
    const char* data = hb_blob_get_data(blob.p, &length);
    if (length == 0) throw std::runtime_error("the font subset came out empty");
    subset.bytes.assign(data, length);
    return subset;
}

}  // namespace sundial::font

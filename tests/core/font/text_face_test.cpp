// The text face against FreeType reading the same files on its own: the
// advances the layout measures, the cap height and descent it assumes, and
// subsets that keep each glyph as it was.
#include <ft2build.h>
#include <gtest/gtest.h>

#include "core/font/text_fonts.h"
#include FT_FREETYPE_H

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/pdf/win1252.h"
#include "core/plan/text_metrics.h"
#include "tests/core/pdf/support/pdf_test_support.h"

namespace sundial::font {
namespace {

// Advances are whole font units (2048 to the em): sums of them are exact
// in double, so only the final division can round.
constexpr double kEmTol = 1e-12;

struct FreeType {
    FT_Library library = nullptr;
    FreeType() { FT_Init_FreeType(&library); }
    ~FreeType() { FT_Done_FreeType(library); }
};

struct FaceCloser {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using FtFace = std::unique_ptr<FT_FaceRec_, FaceCloser>;

FT_Library Library() {
    static FreeType ft;
    return ft.library;
}

FtFace Open(const char* file) {
    FT_Face face = nullptr;
    EXPECT_EQ(FT_New_Face(Library(), file, 0, &face), 0) << file;
    return FtFace(face);
}

FtFace OpenBytes(const std::string& bytes) {
    FT_Face face = nullptr;
    EXPECT_EQ(FT_New_Memory_Face(Library(), reinterpret_cast<const FT_Byte*>(bytes.data()),
                                 static_cast<FT_Long>(bytes.size()), 0, &face),
              0);
    return FtFace(face);
}

// FreeType's advance of `text`, lacking characters and bad bytes as "?".
double FreeTypeEm(FT_Face face, const std::string& text) {
    double units = 0;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = pdf::NextCodePoint(text, i);
        FT_UInt glyph = c == pdf::kBadUtf8 ? 0 : FT_Get_Char_Index(face, c);
        if (glyph == 0) glyph = FT_Get_Char_Index(face, '?');
        EXPECT_EQ(FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE), 0);
        units += static_cast<double>(face->glyph->advance.x);
    }
    return units / face->units_per_EM;
}

struct TextRow {
    const char* name;
    std::string text;
};

std::string FirstPlane() {
    std::string text;
    for (unsigned c = 1; c < 256; ++c)
        text += c < 0x80 ? std::string(1, static_cast<char>(c))
                         : std::string{static_cast<char>(0xC0 | c >> 6),
                                       static_cast<char>(0x80 | (c & 0x3F))};
    return text;
}

TEST(TextFace, AdvancesAreTheFontFilesOwn) {
    const std::vector<TextRow> rows = {
        {"latin-1-and-controls", FirstPlane()},
        {"numerals", "XII VI 12 6"},
        {"umlaut", "Z\u00fcrich"},
        {"greek-and-dash", "\u03a9 \u2013 \u00b0"},
        {"lacking-is-question-mark", "\u4e2d\u6587"},
        {"bad-bytes-are-question-marks",
         "a\xff\xfe"
         "b"},
    };
    for (const bool bold : {false, true}) {
        const FtFace reference = Open(bold ? kTextBoldFontFile : kTextFontFile);
        for (const TextRow& r : rows) {
            EXPECT_NEAR(TextFace(bold).AdvanceEm(r.text), FreeTypeEm(reference.get(), r.text),
                        kEmTol)
                << r.name << (bold ? " bold" : "");
            EXPECT_NEAR(plan::TextWidthMm(r.text, 7, bold), 7 * FreeTypeEm(reference.get(), r.text),
                        7 * kEmTol)
                << r.name;
        }
    }
    EXPECT_FALSE(TextFace(false).Has(U'\u4e2d'));
    EXPECT_EQ(TextFace(false).GlyphFor(U'\u4e2d').shown, U'?');
    EXPECT_EQ(TextFace(false).GlyphFor(U'\u00fc').shown, U'\u00fc');
}

// The layout's two constants are this face's: flat capitals reach the cap
// height exactly, and the deepest descender the descent, in both weights.
TEST(TextFace, CapHeightAndDescentAreTheInkOfBothWeights) {
    constexpr double kOvershoot = 30.0 / 2048;  // round figures rise past the cap line
    const std::u32string flat = U"EHIVXL147", round = U"0235689OC",
                         descenders = U"gjpqyQ,;()[]{}/|";
    for (const bool bold : {false, true}) {
        const FontFace& face = TextFace(bold);
        for (const char32_t c : flat) EXPECT_NEAR(face.InkOf(c).topEm, plan::kCapHeight, kEmTol);
        for (const char32_t c : round) {
            EXPECT_GE(face.InkOf(c).topEm, plan::kCapHeight - kEmTol);
            EXPECT_LE(face.InkOf(c).topEm, plan::kCapHeight + kOvershoot);
        }
        double deepest = 0;
        for (const char32_t c : descenders) deepest = std::min(deepest, face.InkOf(c).bottomEm);
        EXPECT_NEAR(-deepest, plan::kDescent, kEmTol) << (bold ? "bold" : "regular");
        EXPECT_NEAR(face.Metrics().capHeight, 1000 * plan::kCapHeight, 1e-9);
    }
}

// A subset made for embedding, read back by FreeType: each glyph asked for
// sits under its new index with the advance and outline it had.
TEST(TextFace, SubsetKeepsEveryGlyphAsItWas) {
    for (const bool bold : {false, true}) {
        const FontFace& face = TextFace(bold);
        const std::u32string text = U"XIV\u00fc\u03a9?";
        std::vector<std::uint16_t> ids;
        std::vector<char32_t> shown;
        for (const char32_t c : text) {
            ids.push_back(face.GlyphFor(c).id);
            shown.push_back(c);
        }
        const pdf::FontSubset subset = face.Subset(ids, shown);
        ASSERT_EQ(subset.newIds.size(), ids.size());
        const FtFace whole = Open(bold ? kTextBoldFontFile : kTextFontFile);
        const FtFace part = OpenBytes(subset.bytes);
        ASSERT_TRUE(part);
        // "ü" is built of "u" and the dieresis: a few glyphs more, not thousands.
        EXPECT_LT(part->num_glyphs, 16);
        EXPECT_LT(subset.bytes.size(), 20000u);
        for (std::size_t i = 0; i < ids.size(); ++i) {
            ASSERT_EQ(FT_Load_Glyph(whole.get(), ids[i], FT_LOAD_NO_SCALE), 0);
            const FT_Pos advance = whole->glyph->advance.x;
            const FT_Pos left = whole->glyph->metrics.horiBearingX;
            const FT_Pos top = whole->glyph->metrics.horiBearingY;
            ASSERT_EQ(FT_Load_Glyph(part.get(), subset.newIds[i], FT_LOAD_NO_SCALE), 0);
            EXPECT_EQ(part->glyph->advance.x, advance) << i;
            EXPECT_EQ(part->glyph->metrics.horiBearingX, left) << i;
            EXPECT_EQ(part->glyph->metrics.horiBearingY, top) << i;
            EXPECT_EQ(face.AdvanceOf(ids[i]), advance * 1000.0 / 2048) << i;
        }
    }
}

TEST(TextFace, AnUnreadableFileIsAnErrorNamingIt) {
    const pdf::testing::TempFolder dir;
    const struct {
        const char* name;
        std::filesystem::path file;
        const char* says;
    } rows[] = {
        {"missing", "/nonexistent/DejaVuSans.ttf", "cannot be read"},
        {"not-a-font", dir / "not-a-font.ttf", "holds no glyphs"},
        {"a-folder", dir.path(), "cannot be read"},
        {"empty", dir / "empty.ttf", "holds no glyphs"},
    };
    std::ofstream{rows[3].file};
    std::ofstream(rows[1].file) << "plain text, no tables";
    for (const auto& r : rows) {
        try {
            FontFace face(r.file);
            ADD_FAILURE() << r.name << ": no error";
        } catch (const FontError& e) {
            EXPECT_EQ(e.path(), r.file) << r.name;
            EXPECT_NE(std::string(e.what()).find(r.says), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(r.file.string()), std::string::npos) << r.name;
        }
    }
    EXPECT_EQ(TextFontProblem(), std::nullopt);
}

}  // namespace
}  // namespace sundial::font

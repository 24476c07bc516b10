#include "core/pdf/embedded_font.h"

#include <algorithm>

#include "core/pdf/pdf_syntax.h"
#include "core/pdf/win1252.h"

namespace sundial::pdf {

namespace {

// ToUnicode lists at most this many codes to a block.
constexpr std::size_t kCharsPerBlock = 100;

// Four upper-case hex digits, by hand: every glyph of every text goes
// through here, and a formatted print per glyph was a twentieth of a plate.
void AppendHex4(std::string& out, unsigned value) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const char digits[4] = {kHex[value >> 12 & 0xF], kHex[value >> 8 & 0xF], kHex[value >> 4 & 0xF],
                            kHex[value & 0xF]};
    out.append(digits, sizeof digits);
}

char32_t Shown(std::string_view text, std::size_t& i) {
    const char32_t c = NextCodePoint(text, i);
    return c == kBadUtf8 ? U'?' : c;
}

// A character as ToUnicode wants it: UTF-16, big-endian, in hex.
std::string Utf16Hex(char32_t c) {
    std::string out;
    if (c < 0x10000) {
        AppendHex4(out, static_cast<unsigned>(c));
    } else {
        const auto v = static_cast<unsigned>(c - 0x10000);
        AppendHex4(out, 0xD800u + (v >> 10));
        AppendHex4(out, 0xDC00u + (v & 0x3FFu));
    }
    return out;
}

std::string Number(double value) {
    return FormatNumber(static_cast<float>(value), 3);
}

}  // namespace

std::string EmbeddedFont::Encode(std::string_view text) {
    std::string hex = "<";
    for (std::size_t i = 0; i < text.size();) {
        const FontGlyph glyph = program_.GlyphFor(Shown(text, i));
        if (glyph.id >= cidOf_.size()) cidOf_.resize(glyph.id + std::size_t{1}, 0);
        std::uint16_t& cid = cidOf_[glyph.id];
        if (cid == 0) {
            glyphs_.push_back(glyph);
            cid = static_cast<std::uint16_t>(glyphs_.size());
        }
        AppendHex4(hex, cid);
    }
    return hex + ">";
}

double EmbeddedFont::Advance(std::string_view text) const {
    double sum = 0;
    for (std::size_t i = 0; i < text.size();) {
        sum += program_.AdvanceOf(program_.GlyphFor(Shown(text, i)).id);
    }
    return sum;
}

std::size_t EmbeddedFont::CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) NextCodePoint(text, i);
    return count;
}

// Six capitals that change with the glyphs held, so that two subsets of one
// font in different documents are told apart, and the same glyphs always
// give the same name (the output stays reproducible).
std::string EmbeddedFont::SubsetName() const {
    std::uint32_t hash = 2166136261u;
    for (const FontGlyph& g : glyphs_) {
        const unsigned id = g.id;
        for (const unsigned byte : {id & 0xFFu, id >> 8}) hash = (hash ^ byte) * 16777619u;
    }
    std::string tag;
    for (int i = 0; i < 6; ++i, hash /= 26) tag += static_cast<char>('A' + hash % 26);
    return tag + "+" + program_.PostScriptName();
}

// "[1 [w1 w2 ...]]": the CIDs run from 1 without a gap.
std::string EmbeddedFont::Widths() const {
    std::string w = "[1 [";
    for (std::size_t i = 0; i < glyphs_.size(); ++i) {
        if (i > 0) w += i % 16 == 0 ? "\r" : " ";
        w += Number(program_.AdvanceOf(glyphs_[i].id));
    }
    return w + "]]";
}

std::string EmbeddedFont::ToUnicode() const {
    std::string map =
        "/CIDInit /ProcSet findresource begin\r12 dict begin\rbegincmap\r"
        "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\r"
        "/CMapName /Adobe-Identity-UCS def\r/CMapType 2 def\r"
        "1 begincodespacerange\r<0000> <FFFF>\rendcodespacerange\r";
    for (std::size_t start = 0; start < glyphs_.size(); start += kCharsPerBlock) {
        const std::size_t end = std::min(glyphs_.size(), start + kCharsPerBlock);
        map += std::to_string(end - start) + " beginbfchar\r";
        for (std::size_t i = start; i < end; ++i) {
            map += '<';
            AppendHex4(map, static_cast<unsigned>(i + 1));
            map += "> <" + Utf16Hex(glyphs_[i].shown) + ">\r";
        }
        map += "endbfchar\r";
    }
    return map + "endcmap\rCMapName currentdict /CMap defineresource pop\rend\rend";
}

std::vector<EmbeddedFont::Object> EmbeddedFont::Objects(std::int32_t first) const {
    const std::int32_t descendant = first, descriptor = first + 1, file = first + 2,
                       toUnicode = first + 3, cidToGid = first + 4;
    const auto ref = [](std::int32_t n) {
        return std::string(" ").append(std::to_string(n)) + " 0 R";
    };
    std::vector<std::uint16_t> ids;
    std::vector<char32_t> shown;
    for (const FontGlyph& g : glyphs_) {
        ids.push_back(g.id);
        shown.push_back(g.shown);
    }
    const FontSubset subset = program_.Subset(ids, shown);
    const FontProgramMetrics m = program_.Metrics();
    const std::string name = SubsetName();

    std::vector<Object> objects;
    objects.push_back({fontObject_,
                       "<< /Type /Font /Subtype /Type0 /BaseFont /" + name +
                           " /Encoding /Identity-H\r/DescendantFonts [" + ref(descendant) +
                           " ] /ToUnicode" + ref(toUnicode) + " >>",
                       "", false});
    objects.push_back({descendant,
                       "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /" + name +
                           "\r/CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) "
                           "/Supplement 0 >>\r/FontDescriptor" +
                           ref(descriptor) + " /CIDToGIDMap" + ref(cidToGid) + "\r/W " + Widths() +
                           " >>",
                       "", false});
    // Flags 32: a font of the standard Latin characters (not symbolic).
    objects.push_back({descriptor,
                       "<< /Type /FontDescriptor /FontName /" + name + " /Flags 32\r/FontBBox [" +
                           Number(m.bbox[0]) + " " + Number(m.bbox[1]) + " " + Number(m.bbox[2]) +
                           " " + Number(m.bbox[3]) + "] /ItalicAngle " + Number(m.italicAngleDeg) +
                           "\r/Ascent " + Number(m.ascent) + " /Descent " + Number(m.descent) +
                           " /CapHeight " + Number(m.capHeight) + " /StemV " + Number(m.stemV) +
                           "\r/FontFile2" + ref(file) + " >>",
                       "", false});
    objects.push_back(
        {file, "/Length1 " + std::to_string(subset.bytes.size()), subset.bytes, true});
    objects.push_back({toUnicode, "", ToUnicode(), true});
    // Two bytes, big-endian, for each CID from 0: the subset's glyph index.
    std::string map(2, '\0');
    for (const std::uint16_t id : subset.newIds) {
        map += static_cast<char>(id >> 8);
        map += static_cast<char>(id & 0xFF);
    }
    objects.push_back({cidToGid, "", map, true});
    return objects;
}

}  // namespace sundial::pdf

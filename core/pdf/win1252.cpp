#include "core/pdf/win1252.h"

#include <array>
#include <cstdint>

namespace sundial::pdf {

namespace {

// Unicode code points of bytes 0x80..0x9F. The five codes the code page leaves
// undefined pass the C1 control of the same number through, as Windows does.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte for `cp`, or -1 when the code page has none.
int ByteFor(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp) return static_cast<int>(0x80 + i);
    }
    return -1;
}

void Question(char32_t, std::string& out) {
    out += '?';
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

}  // namespace

std::string ToWin1252(std::string_view utf8) {
    std::string out;
    AppendWin1252(out, utf8);
    return out;
}

void AppendWin1252(std::string& out, std::string_view utf8) {
    AppendWin1252(out, utf8, Question);
}

char32_t NextCodePoint(std::string_view utf8, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        length = 1, cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    }
    bool valid = length != 0 && i + length <= utf8.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
        const auto next = static_cast<unsigned char>(utf8[i + k]);
        valid = IsContinuation(next);
        cp = (cp << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    valid = valid && cp >= minimum && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
    if (!valid) {
        ++i;
        return kBadUtf8;
    }
    i += length;
    return cp;
}

void AppendWin1252(std::string& out, std::string_view utf8, Unmapped unmapped) {
    out.reserve(out.size() + utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        // ASCII stands as it is: copied a run at a time.
        std::size_t ascii = i;
        while (ascii < utf8.size() && static_cast<unsigned char>(utf8[ascii]) < 0x80) ++ascii;
        out.append(utf8.data() + i, ascii - i);
        i = ascii;
        if (i == utf8.size()) break;
        const char32_t cp = NextCodePoint(utf8, i);
        if (cp == kBadUtf8) {
            out += '?';
        } else if (const int byte = ByteFor(cp); byte >= 0) {
            out += static_cast<char>(byte);
        } else {
            unmapped(cp, out);
        }
    }
}

}  // namespace sundial::pdf

#include "core/io/clean_text.h"

namespace sundial::io {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

}  // namespace

std::size_t Utf8CharAt(std::string_view text, std::size_t at, char32_t& code) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    char32_t least = 0;  // the smallest code point its length may carry
    code = lead;
    if (lead >= 0x80) {
        if ((lead & 0xE0) == 0xC0) {
            length = 2, code = lead & 0x1F, least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, code = lead & 0x0F, least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, code = lead & 0x07, least = 0x10000;
        } else {
            return 0;
        }
    }
    if (text.size() - at < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

bool IsControl(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code < 0xA0);
}

bool IsNoncharacter(char32_t code) {
    return (code >= 0xFDD0 && code <= 0xFDEF) || (code & 0xFFFE) == 0xFFFE;
}

CleanedText CleanText(std::string_view text, bool keepLineBreaks) {
    CleanedText clean;
    clean.text.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t code = 0;
        const std::size_t length = Utf8CharAt(text, i, code);
        if (length == 0) {
            clean.text.append(kReplacement);
            clean.changed = true;
            ++i;
            continue;
        }
        const bool lineBreak = code == '\n' || code == '\r';
        if ((IsControl(code) && !(keepLineBreaks && lineBreak)) || IsNoncharacter(code)) {
            clean.changed = true;
        } else {
            clean.text.append(text.substr(i, length));
        }
        i += length;
    }
    return clean;
}

}  // namespace sundial::io

#include "core/batch/text.h"

namespace sundial {

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

bool PrintableText(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        char32_t code = 0;
        const std::size_t length = Utf8CharAt(text, i, code);
        if (length == 0 || IsControl(code)) return false;
        i += length;
    }
    return true;
}

std::string ShownText(std::string_view text) {
    std::string shown;
    for (std::size_t i = 0; i < text.size();) {
        char32_t code = 0;
        const std::size_t length = Utf8CharAt(text, i, code);
        if (length == 0 || IsControl(code)) {
            // One mark a control character, one a malformed byte.
            shown += '?';
            i += length == 0 ? 1 : length;
        } else {
            shown.append(text.substr(i, length));
            i += length;
        }
    }
    return shown;
}

}  // namespace sundial

#include "core/batch/text.h"

namespace sundial {

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

std::string ShortText(std::string_view text, std::size_t maxChars) {
    const std::string shown = ShownText(text);
    std::size_t chars = 0, at = 0;
    // Whole characters only: a cut never splits one.
    while (at < shown.size() && chars < maxChars) {
        char32_t code = 0;
        at += Utf8CharAt(shown, at, code);
        ++chars;
    }
    if (at == shown.size()) return shown;
    return shown.substr(0, at) + "...";
}

}  // namespace sundial

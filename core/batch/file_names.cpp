#include "core/batch/file_names.h"

namespace sundial {

namespace {

bool AsciiWordChar(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

// The length of the well-formed UTF-8 sequence at `at` that encodes a
// character outside ASCII, or 0.
size_t NonAsciiCharLength(std::string_view text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    } else {
        return 0;
    }
    if (text.size() - at < length) return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80) return 0;
    }
    // C1 controls (U+0080..U+009F) and the no-break space are not word characters.
    if (lead == 0xC2 && static_cast<unsigned char>(text[at + 1]) <= 0xA0) return 0;
    return length;
}

std::string LowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

}  // namespace

std::string SafeFileStem(std::string_view name) {
    std::string stem;
    bool gap = false;  // characters were dropped since the last one kept
    for (size_t i = 0; i < name.size();) {
        const auto c = static_cast<unsigned char>(name[i]);
        size_t length = AsciiWordChar(c) ? 1 : NonAsciiCharLength(name, i);
        if (length == 0) {
            gap = true;
            ++i;
            continue;
        }
        const size_t needed = length + (gap && !stem.empty() ? 1 : 0);
        if (stem.size() + needed > kMaxStemBytes) break;
        if (gap && !stem.empty()) stem += '_';
        gap = false;
        stem.append(name.substr(i, length));
        i += length;
    }
    // A leading "-" would read as an option to the next program given the file
    // (and a "_" left before it would stand alone).
    const size_t first = stem.find_first_not_of("-_");
    stem.erase(0, first == std::string::npos ? stem.size() : first);
    return stem.empty() ? "site" : stem;
}

std::string UniqueStems::Claim(std::string_view name) {
    const std::string base = SafeFileStem(name);
    std::string stem = base;
    for (int n = 2; !taken_.insert(LowerAscii(stem)).second; ++n) {
        stem = base + "-" + std::to_string(n);
    }
    return stem;
}

}  // namespace sundial

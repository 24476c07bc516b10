#include "core/batch/file_names.h"

#include "core/batch/text.h"

namespace sundial {

namespace {

bool AsciiWordChar(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

// Blanks, invisible characters and the controls that turn text right to left
// (which can make a name read differently from what it is).
bool BlankOrFormat(char32_t code) {
    return code == 0xA0 || code == 0x3000 || code == 0xFEFF || (code >= 0x2000 && code <= 0x206F);
}

// Letters and digits of scripts beyond ASCII are kept whole; so is every
// other visible character there (it cannot be told from a letter without
// Unicode's tables).
std::size_t KeptNonAsciiLength(std::string_view text, std::size_t at) {
    char32_t code = 0;
    const std::size_t length = Utf8CharAt(text, at, code);
    return length > 1 && !IsControl(code) && !BlankOrFormat(code) ? length : 0;
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
        size_t length = AsciiWordChar(c) ? 1 : KeptNonAsciiLength(name, i);
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

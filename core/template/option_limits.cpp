#include "core/template/option_limits.h"

#include <algorithm>
#include <unordered_set>

#include "core/io/clean_text.h"

namespace sundial::tmpl {

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) {
        char32_t code = 0;
        const std::size_t length = io::Utf8CharAt(text, at, code);
        at += length == 0 ? 1 : length;
    }
    return count;
}

std::optional<std::string> TextTooLong(std::string_view where, std::string_view text) {
    // Bytes bound characters from above: most texts are decided without a count.
    if (text.size() <= kOptionLimits.textCharacters ||
        CharacterCount(text) <= kOptionLimits.textCharacters) {
        return std::nullopt;
    }
    return std::string(where) + " is too long (more than " +
           std::to_string(kOptionLimits.textCharacters) + " characters)";
}

std::string TooManyDates(std::string_view where) {
    return std::string(where) + ": more than " + std::to_string(kOptionLimits.dates) +
           " different dates";
}

std::string ProjectTooLarge() {
    return "it is larger than a dial project can be (" +
           std::to_string(kOptionLimits.projectBytes / 1024) + " KiB)";
}

std::vector<std::string_view> UniqueItems(std::string_view list) {
    std::vector<std::string_view> items;
    std::unordered_set<std::string_view> seen;
    for (std::size_t from = 0; from <= list.size();) {
        const std::size_t comma = std::min(list.find(',', from), list.size());
        const std::string_view item = list.substr(from, comma - from);
        if (seen.insert(item).second) items.push_back(item);
        from = comma + 1;
    }
    return items;
}

}  // namespace sundial::tmpl

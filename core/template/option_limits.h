// How much a design's texts and lists may hold, wherever they come from. The
// template's options as a command line gives them, a dial project being
// opened and one being saved are all held to this one table, so that a
// project that saves is a project that opens, and a refusal reads the same
// wherever it is made.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sundial::tmpl {

struct OptionLimits {
    std::size_t textCharacters;  // any one text: --made, a place's name, a zone's name
    std::size_t dates;           // chosen --date-line dates, each counted once
    std::size_t projectBytes;    // a dial project's file
};
inline constexpr OptionLimits kOptionLimits{200, 24, 64 * 1024};

// The characters of UTF-8 text; a malformed byte counts as one, as the U+FFFD
// that replaces it does.
std::size_t CharacterCount(std::string_view text);

// "WHERE is too long (more than 200 characters)" for text beyond
// kOptionLimits.textCharacters; nothing for text that fits.
std::optional<std::string> TextTooLong(std::string_view where, std::string_view text);

// "WHERE: more than 24 different dates".
std::string TooManyDates(std::string_view where);

// "it is larger than a dial project can be (64 KiB)".
std::string ProjectTooLarge();

// The items of a comma-joined list ("06-01,12-25,06-01", an option given more
// than once), each once, in the order first given ("06-01", "12-25").
std::vector<std::string_view> UniqueItems(std::string_view list);

}  // namespace sundial::tmpl

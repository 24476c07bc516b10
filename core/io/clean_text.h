// Text from outside (a command line, a sites file, an old settings file) made
// fit for the files the program writes: well-formed UTF-8 without control
// characters. Each format's own escaping (XML entities, CSV quotes, JSON
// escapes) is its writer's business and comes after this.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sundial::io {

// The length in bytes of the well-formed UTF-8 character at `at` (1 to 4),
// with its code point in `code`; 0 when the bytes there are malformed
// (overlong, a surrogate, past U+10FFFF, cut short).
std::size_t Utf8CharAt(std::string_view text, std::size_t at, char32_t& code);

// A control character: C0, DEL or C1.
bool IsControl(char32_t code);

// A code point that is never text: U+FFFE, U+FFFF and the other
// noncharacters (U+FDD0 to U+FDEF, the last two of every plane).
bool IsNoncharacter(char32_t code);

struct CleanedText {
    std::string text;
    bool changed = false;  // something was replaced or removed
};

// `text` as well-formed UTF-8: each malformed byte (a Latin-1 "ä", half a
// character, an encoded surrogate) becomes U+FFFD; control characters and
// noncharacters are dropped, but for CR and LF when `keepLineBreaks` (a
// format that can quote them). Text that is already clean comes back as it was.
CleanedText CleanText(std::string_view text, bool keepLineBreaks = false);

}  // namespace sundial::io

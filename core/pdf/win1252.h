// The program keeps text in UTF-8; PDF strings and names are written in the
// single-byte Windows-1252 code page that every font declares (WinAnsiEncoding).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sundial::pdf {

// What NextCodePoint gives for a malformed byte: no character.
inline constexpr char32_t kBadUtf8 = 0xFFFFFFFF;
// The character starting at utf8[i] (i < size), advancing `i` past it; for a
// malformed or overlong sequence, a surrogate or a value past U+10FFFF,
// kBadUtf8 with one byte consumed.
char32_t NextCodePoint(std::string_view utf8, std::size_t& i);

// One byte per character. A character the code page cannot hold, and each byte
// of malformed UTF-8, becomes "?".
std::string ToWin1252(std::string_view utf8);
// The same appended to `out`.
void AppendWin1252(std::string& out, std::string_view utf8);
// The same, but a well-formed character the code page cannot hold is handed
// to `unmapped`, which appends what stands for it.
using Unmapped = void (*)(char32_t codePoint, std::string& out);
void AppendWin1252(std::string& out, std::string_view utf8, Unmapped unmapped);

}  // namespace sundial::pdf

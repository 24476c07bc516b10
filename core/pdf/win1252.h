// The program keeps text in UTF-8; PDF strings and names are written in the
// single-byte Windows-1252 code page that every font declares (WinAnsiEncoding).
#pragma once

#include <string>
#include <string_view>

namespace sundial::pdf {

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

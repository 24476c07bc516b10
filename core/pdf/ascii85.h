// ASCII85 as the PDF /ASCII85Decode filter reads it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace sundial::pdf {

// Groups of four bytes become five characters "!".."u" (an all-zero group "z");
// a final group of k bytes gives k + 1 characters. Ends with "~>"; no start
// marker and no line breaks, whatever the length.
std::string EncodeASCII85Bytes(std::span<const std::uint8_t> bytes);

}  // namespace sundial::pdf

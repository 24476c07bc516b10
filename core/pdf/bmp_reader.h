// Reads uncompressed, bottom-up Windows bitmaps (40-byte information header;
// 1, 4, 8 or 24 bits per pixel) into the sample and palette bytes an image
// object takes. Everything else is refused, and every field is checked against
// the bytes actually present before it is used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace sundial::pdf {

struct BmpImage {
    // Rows bottom first. 24 bits: red, green, blue per pixel, the buffer kept at
    // the size of the file's pixel data (tail zero) in colour, exactly
    // width x height grey bytes otherwise. 1, 4, 8 bits: each row's packed
    // palette indices, starting on a byte boundary, without the file's padding.
    std::vector<std::uint8_t> samples;
    // 2^bits entries: red, green, blue each in colour; one grey byte each otherwise.
    std::vector<std::uint8_t> palette;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint8_t bitsPerPixel = 0;
};

// `colorSpace` 0 keeps colour; any other value converts to grey as
// 0.33 red + 0.59 green + 0.11 blue, rounded (halves to even), at most 255.
std::optional<BmpImage> ParseBMP(std::span<const std::uint8_t> file, std::int32_t colorSpace);

// Reads the whole file (refusing files over kMaxBmpFileBytes) and parses it.
// Empty when the file cannot be read or is refused.
std::optional<BmpImage> ReadBMP(const std::filesystem::path& fileName, std::int32_t colorSpace);

inline constexpr std::uintmax_t kMaxBmpFileBytes = 256u * 1024u * 1024u;

}  // namespace sundial::pdf

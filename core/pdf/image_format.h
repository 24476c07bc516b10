// What an image XObject is made of, checked before anything is written.
#pragma once

#include <cstdint>
#include <span>

namespace sundial::pdf {

struct ImageFormat {
    bool indexed;                  // 1, 4 or 8 bits per pixel: samples index a palette
    std::uint64_t paletteEntries;  // 2^bits when indexed, else 1
    const char* colorSpace;        // "DeviceRGB" or "DeviceGray"
};

// The format of a picture of width × height pixels at `bitsPerPixel` (1, 4, 8
// or 24) in `colorSpace` (0 RGB, any other grey), whose samples are rows of
// whole bytes and whose palette holds one to three bytes per entry. Throws
// PdfUsageError for any other depth, a size below one pixel, or samples or a
// palette too short for the picture.
ImageFormat CheckImage(std::span<const std::uint8_t> samples, std::span<const std::uint8_t> palette,
                       std::int32_t width, std::int32_t height, std::uint8_t bitsPerPixel,
                       std::int32_t colorSpace);

}  // namespace sundial::pdf

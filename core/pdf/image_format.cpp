#include "core/pdf/image_format.h"

#include <string>

#include "core/pdf/pdf_error.h"

namespace sundial::pdf {

ImageFormat CheckImage(std::span<const std::uint8_t> samples, std::span<const std::uint8_t> palette,
                       std::int32_t width, std::int32_t height, std::uint8_t bitsPerPixel,
                       std::int32_t colorSpace) {
    const std::uint8_t bpp = bitsPerPixel;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24) {
        throw PdfUsageError("images take 1, 4, 8 or 24 bits per pixel, not " + std::to_string(bpp));
    }
    if (width < 1 || height < 1) throw PdfUsageError("an image needs at least one pixel");
    const ImageFormat format{bpp <= 8, std::uint64_t{1} << (bpp <= 8 ? bpp : 0),
                             colorSpace == 0 ? "DeviceRGB" : "DeviceGray"};
    const std::uint64_t components = colorSpace == 0 ? 3 : 1;
    const auto w = static_cast<std::uint64_t>(width);
    const auto h = static_cast<std::uint64_t>(height);
    const std::uint64_t needed = format.indexed ? (w * bpp + 7) / 8 * h : w * h * components;
    if (samples.size() < needed) throw PdfUsageError("the image's samples are too few");
    if (format.indexed && palette.size() < format.paletteEntries * components) {
        throw PdfUsageError("the image's palette needs " + std::to_string(format.paletteEntries) +
                            " entries");
    }
    return format;
}

}  // namespace sundial::pdf

#include "core/pdf/bmp_reader.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <system_error>

namespace sundial::pdf {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;

// Little-endian fields at fixed offsets; the caller has checked the length.
std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}
std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint8_t Grey(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    // The weights add up to 1.03, so white would be 263 without the limit.
    const double grey = std::nearbyint(0.33 * red + 0.59 * green + 0.11 * blue);
    return static_cast<std::uint8_t>(std::min(grey, 255.0));
}

}  // namespace

std::optional<BmpImage> ParseBMP(std::span<const std::uint8_t> file, std::int32_t colorSpace) {
    if (file.size() < kFileHeaderBytes + kInfoHeaderBytes) return std::nullopt;
    if (file[0] != 'B' || file[1] != 'M') return std::nullopt;
    const std::uint32_t dataOffset = U32(file, 10);
    if (U32(file, 14) != kInfoHeaderBytes) return std::nullopt;
    const auto width = static_cast<std::int32_t>(U32(file, 18));
    // A negative height marks top-down rows, which are not read.
    const auto height = static_cast<std::int32_t>(U32(file, 22));
    const std::uint16_t bpp = U16(file, 28);
    const std::uint32_t compression = U32(file, 30);
    if (width <= 0 || height <= 0 || compression != 0) return std::nullopt;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24) return std::nullopt;

    const bool colour = colorSpace == 0;
    BmpImage image;
    image.width = width;
    image.height = height;
    image.bitsPerPixel = static_cast<std::uint8_t>(bpp);

    // Everything below is at most 2^31 x 24 bits per row times 2^31 rows, which
    // fits 64 bits; the data must then be present in the file, which bounds
    // every buffer by the file's size.
    const std::uint64_t rowBytes = (std::uint64_t{bpp} * static_cast<std::uint64_t>(width) + 7) / 8;
    const std::uint64_t rowStride = (rowBytes + 3) / 4 * 4;
    const std::uint64_t rows = static_cast<std::uint64_t>(height);
    if (rowStride > file.size() || rows > file.size() / rowStride) return std::nullopt;
    const std::uint64_t dataBytes = rowStride * rows;
    if (dataOffset > file.size() || dataBytes > file.size() - dataOffset) return std::nullopt;

    if (bpp <= 8) {
        // The palette follows the headers and must end before the pixel data.
        const std::size_t entries = std::size_t{1} << bpp;
        const std::size_t paletteEnd = kFileHeaderBytes + kInfoHeaderBytes + entries * 4;
        if (paletteEnd > dataOffset) return std::nullopt;
        image.palette.reserve(entries * (colour ? 3 : 1));
        for (std::size_t i = 0; i < entries; ++i) {
            const std::size_t at = kFileHeaderBytes + kInfoHeaderBytes + i * 4;
            const std::uint8_t blue = file[at], green = file[at + 1], red = file[at + 2];
            if (colour) {
                image.palette.insert(image.palette.end(), {red, green, blue});
            } else {
                image.palette.push_back(Grey(red, green, blue));
            }
        }
    }

    const auto pixels = file.subspan(dataOffset, static_cast<std::size_t>(dataBytes));
    const auto w = static_cast<std::size_t>(width);
    if (bpp == 24) {
        image.samples.assign(colour ? static_cast<std::size_t>(dataBytes) : w * rows, 0);
        std::size_t out = 0;
        for (std::uint64_t r = 0; r < rows; ++r) {
            const auto row = pixels.subspan(static_cast<std::size_t>(r * rowStride));
            for (std::size_t x = 0; x < w; ++x) {
                const std::uint8_t blue = row[3 * x], green = row[3 * x + 1], red = row[3 * x + 2];
                if (colour) {
                    image.samples[out++] = red;
                    image.samples[out++] = green;
                    image.samples[out++] = blue;
                } else {
                    image.samples[out++] = Grey(red, green, blue);
                }
            }
        }
    } else {
        image.samples.reserve(static_cast<std::size_t>(rowBytes * rows));
        for (std::uint64_t r = 0; r < rows; ++r) {
            const auto row = pixels.subspan(static_cast<std::size_t>(r * rowStride),
                                            static_cast<std::size_t>(rowBytes));
            image.samples.insert(image.samples.end(), row.begin(), row.end());
        }
    }
    return image;
}

std::optional<BmpImage> ReadBMP(const std::filesystem::path& fileName, std::int32_t colorSpace) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(fileName, ec)) return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(fileName, ec);
    if (ec || size > kMaxBmpFileBytes) return std::nullopt;
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.gcount() != static_cast<std::streamsize>(bytes.size())) return std::nullopt;
    return ParseBMP(bytes, colorSpace);
}

}  // namespace sundial::pdf

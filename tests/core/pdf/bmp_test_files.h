// Builds BMP files byte by byte for the reader and image tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sundial::pdf::testing {

struct BmpLayout {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t infoHeaderSize = 40;
    std::uint32_t compression = 0;
    // Blue, green, red per entry; 2^bits entries are written for 8 bits or fewer.
    std::vector<std::uint8_t> paletteBgr;
    // Rows bottom first, each exactly as many bytes as the row holds before padding.
    std::vector<std::vector<std::uint8_t>> rows;
};

inline void PutU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}
inline void PutU16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

inline std::string MakeBmp(const BmpLayout& s) {
    const std::uint32_t entries = s.bitsPerPixel <= 8 ? (1u << s.bitsPerPixel) : 0;
    const std::uint32_t dataOffset = 14 + 40 + entries * 4;
    std::string pixels;
    for (const auto& row : s.rows) {
        pixels.append(row.begin(), row.end());
        pixels.append((4 - row.size() % 4) % 4, '\xEE');  // padding that must never show
    }
    std::string out = "BM";
    PutU32(out, dataOffset + static_cast<std::uint32_t>(pixels.size()));
    PutU32(out, 0);
    PutU32(out, dataOffset);
    PutU32(out, s.infoHeaderSize);
    PutU32(out, static_cast<std::uint32_t>(s.width));
    PutU32(out, static_cast<std::uint32_t>(s.height));
    PutU16(out, 1);
    PutU16(out, s.bitsPerPixel);
    PutU32(out, s.compression);
    for (int i = 0; i < 5; ++i) PutU32(out, 0);
    for (std::uint32_t i = 0; i < entries; ++i) {
        for (int k = 0; k < 3; ++k) {
            const std::size_t at = i * 3 + static_cast<std::size_t>(k);
            out += static_cast<char>(at < s.paletteBgr.size() ? s.paletteBgr[at] : 0);
        }
        out += '\0';
    }
    return out + pixels;
}

}  // namespace sundial::pdf::testing

#include "core/pdf/ascii85.h"

#include <algorithm>
#include <array>

namespace sundial::pdf {

std::string EncodeASCII85Bytes(std::span<const std::uint8_t> bytes) {
    std::string out;
    out.reserve(bytes.size() / 4 * 5 + 7);
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        const std::size_t count = std::min<std::size_t>(4, bytes.size() - i);
        std::uint32_t value = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            value = (value << 8) | (k < count ? bytes[i + k] : 0u);
        }
        if (count == 4 && value == 0) {
            out += 'z';
            continue;
        }
        std::array<char, 5> digits{};
        for (int k = 4; k >= 0; --k) {
            digits[static_cast<std::size_t>(k)] = static_cast<char>('!' + value % 85);
            value /= 85;
        }
        out.append(digits.data(), count + 1);
    }
    out += "~>";
    return out;
}

}  // namespace sundial::pdf

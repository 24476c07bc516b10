#include "pdf/ascii85.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace sundial::pdf {
namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

TEST(ASCII85Test, KnownVectors) {
    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* text;
    } rows[] = {
        {"empty", {}, "~>"},
        {"four-zeros", {0, 0, 0, 0}, "z~>"},
        {"one-zero", {0}, "!!~>"},
        {"xyz", Bytes("xyz"), "G^4T~>"},
        {"eight-zeros", std::vector<std::uint8_t>(8, 0), "zz~>"},
        {"short-zero-group-is-not-z", {0, 0, 0}, "!!!!~>"},
        {"all-ones", {255, 255, 255, 255}, "s8W-!~>"},
        {"word", Bytes("Man "), "9jqo^~>"},
    };
    for (const auto& row : rows) EXPECT_EQ(EncodeASCII85Bytes(row.bytes), row.text) << row.name;
}

// A decoder written from the format's definition, independent of the encoder.
std::vector<std::uint8_t> Decode(const std::string& text) {
    std::vector<std::uint8_t> out;
    std::uint64_t value = 0;
    int count = 0;
    const std::string body = text.substr(0, text.size() - 2);
    for (const char c : body) {
        if (c == 'z' && count == 0) {
            out.insert(out.end(), 4, 0);
            continue;
        }
        value = value * 85 + static_cast<std::uint64_t>(c - '!');
        if (++count == 5) {
            for (int k = 3; k >= 0; --k) out.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
            value = 0;
            count = 0;
        }
    }
    if (count > 0) {
        const int bytes = count - 1;
        for (int pad = count; pad < 5; ++pad) value = value * 85 + 84;
        for (int k = 3; k >= 4 - bytes; --k)
            out.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
    }
    return out;
}

TEST(ASCII85Test, RoundTripsEveryLengthAndStaysOnOneLine) {
    std::mt19937 random(85);
    for (std::size_t length = 0; length <= 64; ++length) {
        std::vector<std::uint8_t> bytes(length);
        for (auto& b : bytes) b = static_cast<std::uint8_t>(random() % 4 == 0 ? 0 : random());
        const std::string text = EncodeASCII85Bytes(bytes);
        EXPECT_EQ(Decode(text), bytes) << "length " << length;
        EXPECT_EQ(text.find_first_of("\r\n "), std::string::npos) << "length " << length;
        EXPECT_EQ(text.substr(text.size() - 2), "~>");
    }
}

}  // namespace
}  // namespace sundial::pdf

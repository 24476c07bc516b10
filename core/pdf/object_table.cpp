#include "core/pdf/object_table.h"

#include <charconv>
#include <stdexcept>

namespace sundial::pdf {

namespace {

constexpr std::string_view kEol = "\r\n";

void AppendInteger(std::string& out, std::uint64_t value) {
    char digits[20];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

}  // namespace

std::int32_t ObjectTable::Allocate() {
    if (!HasRoom(1)) throw std::length_error("a document holds at most 32767 objects");
    offsets_.push_back(kFree);
    return Count();
}

void ObjectTable::TakeThrough(std::int32_t n) {
    if (n > kMaxNumber) throw std::length_error("a document holds at most 32767 objects");
    if (n > Count()) offsets_.resize(static_cast<std::size_t>(n), kFree);
}

void ObjectTable::Place(std::int32_t n, std::uint64_t offset) {
    if (n < 1 || n > Count()) throw std::out_of_range("object number not taken");
    if (!OffsetFits(offset)) throw std::out_of_range("offset beyond ten digits");
    offsets_[static_cast<std::size_t>(n - 1)] = offset;
}

void ObjectTable::AppendCrossReference(std::string& out, std::uint64_t xrefOffset) const {
    const auto size = static_cast<std::uint64_t>(Count()) + 1;
    out.reserve(out.size() + 20 * size + 120);
    out += "xref\r\n0 ";
    AppendInteger(out, size);
    out += kEol;
    // Entry 0 heads the (empty) list of free objects; every entry is 20 bytes.
    out += "0000000000 65535 f\r\n";
    for (const std::uint64_t offset : offsets_) {
        if (offset == kFree) {
            out += "0000000000 65535 f\r\n";
            continue;
        }
        char entry[] = "0000000000 00000 n\r\n";
        for (std::uint64_t rest = offset, i = 10; rest != 0 && i > 0; rest /= 10) {
            entry[--i] = static_cast<char>('0' + rest % 10);
        }
        out.append(entry, sizeof entry - 1);
    }
    out += "trailer\r<<\r/Size ";
    AppendInteger(out, size);
    out += "\r/Info 1 0 R\r/Root 2 0 R\r>>\r\nstartxref\r";
    AppendInteger(out, xrefOffset);
    out += "\r\n%%EOF\r\r\n";
}

}  // namespace sundial::pdf

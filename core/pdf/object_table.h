// A document's numbered objects and where each starts: the cross-reference
// table, and the trailer that points into it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sundial::pdf {

class ObjectTable {
  public:
    static constexpr std::int32_t kMaxNumber = 32767;
    // A cross-reference entry holds an offset in ten decimal digits.
    static constexpr std::uint64_t kMaxOffset = 9'999'999'999;

    // Forgets every number: the next one allocated is 1.
    void Clear() { offsets_.clear(); }

    // The highest number taken so far, 0 for none.
    std::int32_t Count() const { return static_cast<std::int32_t>(offsets_.size()); }
    // Whether `count` more numbers can be allocated.
    bool HasRoom(std::int32_t count) const { return Count() <= kMaxNumber - count; }

    // Takes the next number (Count() + 1). Its entry stays free until Place;
    // throws std::length_error when no number is left (check HasRoom first).
    std::int32_t Allocate();
    // Takes every number up to `n` not taken yet, for objects written later.
    void TakeThrough(std::int32_t n);

    static bool OffsetFits(std::uint64_t offset) { return offset <= kMaxOffset; }
    // Object `n` (already taken) starts at byte `offset` of the file; a second
    // placement of the same number replaces the first. Throws
    // std::out_of_range for a number not taken or an offset that does not fit.
    void Place(std::int32_t n, std::uint64_t offset);

    // Appends the table, the trailer naming the Info (1) and Catalog (2)
    // objects, and the end of the file, for a table starting at byte
    // `xrefOffset`. Numbers taken but never placed are free entries.
    void AppendCrossReference(std::string& out, std::uint64_t xrefOffset) const;

  private:
    static constexpr std::uint64_t kFree = ~std::uint64_t{0};
    std::vector<std::uint64_t> offsets_;  // entry n - 1 for object n
};

}  // namespace sundial::pdf

// The "&TimeZone" menu as state: 25 zone items from UTC-12 to UTC+12 and a
// placeholder "U". Timeset narrows the visible items to a zone and its two
// neighbours (wrapping round at +-12). The desktop mirrors this state into its
// menu; the core decides it.
#pragma once

#include <array>
#include <optional>

namespace sundial {

struct ZoneItem {
    const char* name;     // control name, "mnuUTn12" .. "mnuUT12"
    const char* caption;  // "UTC-12" .. "UTC+12"
    int offset;           // hours
};

inline constexpr int kZoneCount = 25;
extern const std::array<ZoneItem, kZoneCount> kZoneItems;

// The whole number from -12 to 12 equal to `value`, or nothing (5.5, 13, NaN).
std::optional<int> MatchZone(double value);

class TimeZoneMenu {
  public:
    TimeZoneMenu();  // everything visible, "UTC+1 (BST)" checked

    // The choice of zone item `offset` (-12..12): clears every zone check and
    // checks that item. Visibility is not touched. The caller then sets
    // UtcOffset and runs.
    void Choose(int offset);
    // For a matching value: hide all (placeholder shown), show the neighbour
    // before, the zone and the neighbour after, hide the placeholder, Choose.
    // Returns the zone chosen, or nothing (and no change) for other values.
    std::optional<int> Timeset(double value);

    bool Visible(int offset) const { return visible_[Index(offset)]; }
    bool Checked(int offset) const { return checked_[Index(offset)]; }
    bool PlaceholderVisible() const { return placeholderVisible_; }

    static size_t Index(int offset) { return static_cast<size_t>(offset + 12); }

  private:
    std::array<bool, kZoneCount> visible_{};
    std::array<bool, kZoneCount> checked_{};
    bool placeholderVisible_ = true;
};

}  // namespace sundial

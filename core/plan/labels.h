// Finds room for a path's label: beside the path, inside an area, clear of
// boxes already taken and of paths it must not cross, crossing as few other
// lines as it can, and as near an end of the path as that allows.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/plan/drawing.h"

namespace sundial::plan {

using Segment = std::pair<Point, Point>;

class LabelPlacer {
  public:
    explicit LabelPlacer(Rect area) : area_(area) {}

    void AddBox(const Rect& box) { boxes_.push_back(box); }
    // Lines a label must not cross (other date lines, say).
    void AddBlocking(const std::vector<std::vector<Point>>& paths);
    // Lines a label may cross, though it would rather not (hour lines).
    void AddSoft(Point a, Point b) { soft_.push_back({a, b}); }

    // A Text element of `role` beside `path`, or nothing when the path is
    // empty or no place is clear of the blocking lines. The label's box is
    // then taken.
    std::optional<Element> Place(const std::vector<std::vector<Point>>& path, std::string text,
                                 double sizeMm, Role role, std::uint32_t colour);

  private:
    Rect area_;
    std::vector<Rect> boxes_;
    // Runs of consecutive segments with their bounds: a label's box meets few
    // of them, and the rest are passed over whole.
    struct Chunk {
        Rect bounds;
        std::vector<Segment> segments;
    };
    std::vector<Chunk> blocking_;
    std::vector<Segment> soft_;
};

}  // namespace sundial::plan

// Labels for the plate's curves and lines, placed by one rule once every
// line is known:
// - a label's box touches no line at all (its own included) and keeps clear
//   of the numerals and of the other labels;
// - a path is cut into arcs (runs that meet end to end are one arc), and
//   every arc gets its own label, at the same end of each: the first place
//   clear of everything, searched from the arc's start (a date line's
//   morning end, a figure-eight's December solstice);
// - an arc with no clear place stays unlabelled, and a note names it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/plan/drawing.h"
#include "core/plan/segment_grid.h"

namespace sundial::plan {

class LabelPlacer {
  public:
    // Labels keep within `area`.
    explicit LabelPlacer(Rect area) : area_(area), grid_(area) {}

    // A box labels keep off (a numeral's).
    void AddBox(const Rect& box) { grid_.AddBox(box); }
    // Lines no label may touch.
    void AddLines(const std::vector<std::vector<Point>>& paths);
    void AddLine(Point a, Point b) { grid_.AddSegment(a, b); }

    // Asks for `text` beside each arc of `path`; `what` names the path in a
    // note ("the 21 Dec line"). The labels are Text elements of `role`,
    // carrying `hour` when given.
    void Ask(const std::vector<std::vector<Point>>& path, std::string text, std::string what,
             double sizeMm, Role role, std::uint32_t colour,
             std::optional<double> hour = std::nullopt);

    struct Placed {
        std::vector<Element> labels;
        std::vector<std::string> notes;  // the arcs left unlabelled
    };
    // Places every label asked for, in the order asked.
    Placed PlaceAll();

  private:
    // An arc and the places along it labels are tried at, whatever their size.
    struct Arc {
        explicit Arc(std::vector<Point> arcPoints);
        std::vector<Point> points;
        std::vector<double> along;  // each point's distance from the start
        double total = 0;
        std::vector<Point> stations;
    };
    std::optional<Element> PlaceOnArc(const Arc& arc, const Element& label);

    Rect area_;
    SegmentGrid grid_;
    struct Request {
        std::vector<std::vector<Point>> path;
        Element label;
        std::string what;
    };
    std::vector<Request> requests_;
};

// The runs of `path` joined into arcs: a run that starts where another ends
// (or ends where it ends) continues it.
std::vector<std::vector<Point>> Arcs(const std::vector<std::vector<Point>>& path);

}  // namespace sundial::plan

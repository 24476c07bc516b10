// A drawing as plain data, in millimetres: origin at the top left, x to the
// right, y down. Every element carries the role it plays on the dial; the
// renderers (SVG, tiled PDF, the desktop preview) only draw what is here.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sundial::plan {

struct Point {
    double x = 0;
    double y = 0;
};

// An axis-aligned rectangle, y down: top <= bottom.
struct Rect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
    bool Contains(Point p, double tolerance = 0) const {
        return p.x >= left - tolerance && p.x <= right + tolerance && p.y >= top - tolerance &&
               p.y <= bottom + tolerance;
    }
    bool ContainsRect(const Rect& r, double tolerance = 0) const {
        return r.left >= left - tolerance && r.right <= right + tolerance &&
               r.top >= top - tolerance && r.bottom <= bottom + tolerance;
    }
    // Shrunk by `d` on every side (grown for negative d).
    Rect Inset(double d) const { return {left + d, top + d, right - d, bottom - d}; }
};

// What an element is on the dial. Each role is one group (layer) in the SVG.
enum class Role {
    Outline,           // the plate's edge
    HourLines,         // clock hours
    HalfHourLines,     // half past
    QuarterHourLines,  // quarter past and to
    Substyle,          // the gnomon's foot line and the mark at its root
    Numerals,          // hour numerals
    DateLines,         // the nodus's shadow on given days, and their labels
    NoonCurve,         // the nodus's shadow at 12:00 clock time through the year
    EquationTable,     // the equation of time by date
    Title,             // the title block and the 100 mm scale bar
    GnomonPlate,       // the gnomon's triangle, drawn apart from the dial
    ClockTimeCurves,   // the nodus's shadow at each clock hour through the year, and labels
    SummerNumerals,    // hour numerals an hour on, for summer time
    TenMinuteLines,    // ten, twenty, forty and fifty minutes past
    SignLines,         // the days the sun enters the zodiac's signs, and their labels
    Horizon,           // where the horizontal plane through the nodus meets the face
    Equinoctial,       // where the plane through the nodus square to the axis meets it
    Legend,            // what the extra lines' kinds mean, below the title strip
    ItalianHours,      // hours since sunset, and their numerals
    BabylonianHours,   // hours since sunrise, and their numerals
    TemporalHours,     // the twelfths of daylight, and their numerals
    Ellipse,           // an analemmatic dial's ellipse and the cross at its centre
    HourPoints,        // an analemmatic dial's clock hours, dots on the ellipse
    DateScale,         // where the person stands on an analemmatic dial, by date
    NorthArrow,        // true north on a dial laid on the ground
    SettingOut,        // how to set the dial up: its own page, or a ground dial's strip
};

inline constexpr std::array kAllRoles = {
    Role::Outline,        Role::HourLines,   Role::HalfHourLines, Role::QuarterHourLines,
    Role::TenMinuteLines, Role::Substyle,    Role::Numerals,      Role::SummerNumerals,
    Role::DateLines,      Role::SignLines,   Role::NoonCurve,     Role::ClockTimeCurves,
    Role::Horizon,        Role::Equinoctial, Role::EquationTable, Role::Title,
    Role::Legend,         Role::GnomonPlate, Role::ItalianHours,  Role::BabylonianHours,
    Role::TemporalHours,  Role::Ellipse,     Role::HourPoints,    Role::DateScale,
    Role::NorthArrow,     Role::SettingOut,
};

// The name a role goes by in files: the SVG group's id, the JSON "role".
std::string_view RoleName(Role role);

enum class Shape {
    Line,      // points: from, to
    Polyline,  // points: an open path
    Polygon,   // points: a closed path
    Circle,    // points: the centre; radiusMm
    Text,      // points: the baseline's anchor point
};

// Where a text's anchor point sits along its baseline.
enum class Anchor { Start, Middle, End };

struct Element {
    Role role = Role::Outline;
    Shape shape = Shape::Line;
    std::vector<Point> points;
    double radiusMm = 0;
    double strokeMm = 0;       // outline width; 0 draws no outline
    bool filled = false;       // polygons and circles: filled in `colour`
    double dashMm = 0;         // dash and gap length; 0 is a solid line
    std::uint32_t colour = 0;  // 0xRRGGBB
    // Clock hour in the site's zone of an hour line or numeral: 13 for one
    // o'clock, 13.5 for half past, 13.25 for a quarter past. Italian and
    // Babylonian lines: the hours since sunset or sunrise; temporal lines:
    // the temporal hour, 0 at sunrise to 12 at sunset.
    std::optional<double> hour;
    // Date lines: the sun's declination that day, degrees.
    std::optional<double> declinationDeg;
    // Text: what is written. Date lines and the noon curve: what they mark.
    std::string text;
    double textSizeMm = 0;  // the font's size (its em), mm
    Anchor anchor = Anchor::Start;
    bool bold = false;
    // Clock-time curves: each point's day of the year (1 = 1 January; a
    // fraction where the plate's edge cuts between two days).
    std::vector<double> days;
    // A chosen date's line: "06-14".
    std::string date;
};

struct Drawing {
    double widthMm = 0;  // every element lies within [0, width] x [0, height]
    double heightMm = 0;
    std::vector<Element> elements;
};

// Element makers, so that callers state only what varies.
Element MakeLine(Role role, Point from, Point to, double strokeMm, std::uint32_t colour = 0);
Element MakePath(Role role, Shape shape, std::vector<Point> points, double strokeMm,
                 std::uint32_t colour = 0);
Element MakeText(Role role, Point baseline, std::string text, double sizeMm, Anchor anchor,
                 bool bold = false, std::uint32_t colour = 0);

}  // namespace sundial::plan

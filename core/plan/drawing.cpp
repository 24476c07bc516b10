#include "core/plan/drawing.h"

#include <utility>

namespace sundial::plan {

std::string_view RoleName(Role role) {
    switch (role) {
        case Role::Outline:
            return "outline";
        case Role::HourLines:
            return "hour-lines";
        case Role::HalfHourLines:
            return "half-hour-lines";
        case Role::QuarterHourLines:
            return "quarter-hour-lines";
        case Role::Substyle:
            return "substyle";
        case Role::Numerals:
            return "numerals";
        case Role::DateLines:
            return "date-lines";
        case Role::NoonCurve:
            return "noon-curve";
        case Role::EquationTable:
            return "equation-of-time";
        case Role::Title:
            return "title";
        case Role::GnomonPlate:
            return "gnomon-plate";
        case Role::ClockTimeCurves:
            return "clock-time-curves";
        case Role::SummerNumerals:
            return "summer-numerals";
        case Role::TenMinuteLines:
            return "ten-minute-lines";
        case Role::SignLines:
            return "sign-lines";
        case Role::Horizon:
            return "horizon";
        case Role::Equinoctial:
            return "equinoctial";
        case Role::Legend:
            return "legend";
        case Role::SettingOut:
            return "setting-out";
    }
    return "unknown";
}

Element MakeLine(Role role, Point from, Point to, double strokeMm, std::uint32_t colour) {
    return MakePath(role, Shape::Line, {from, to}, strokeMm, colour);
}

Element MakePath(Role role, Shape shape, std::vector<Point> points, double strokeMm,
                 std::uint32_t colour) {
    Element e;
    e.role = role;
    e.shape = shape;
    e.points = std::move(points);
    e.strokeMm = strokeMm;
    e.colour = colour;
    return e;
}

Element MakeText(Role role, Point baseline, std::string text, double sizeMm, Anchor anchor,
                 bool bold, std::uint32_t colour) {
    Element e;
    e.role = role;
    e.shape = Shape::Text;
    e.points = {baseline};
    e.text = std::move(text);
    e.textSizeMm = sizeMm;
    e.anchor = anchor;
    e.bold = bold;
    e.colour = colour;
    return e;
}

}  // namespace sundial::plan

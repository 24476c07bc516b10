// The dial plan: everything a person needs to paint or cut the dial at full
// size, as a drawing in the plate frame (millimetres, origin at the plate's
// top left, x to the right, y down, as seen facing the dial face; see
// core/engine/plane.h), plus the gnomon's triangle as a drawing of its own.
//
// Any flat dial: the plate lies in a plane of any bearing and recline, at a
// site north or south. The plate holds the hour lines the sun can light
// (from the dial engine), optionally the half and quarter hours, the
// substyle, the numerals,
// the nodus's date lines and the noon figure-eight; below the plate a strip
// holds the title block, the 100 mm scale bar and the equation-of-time table.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/engine/dial.h"
#include "core/plan/drawing.h"
#include "core/plan/extra_line_options.h"
#include "core/site/site_state.h"
#include "core/sun/zone_year.h"

namespace sundial::plan {

enum class NumeralStyle { Roman, Arabic, None };

// The sun on one day of the year, from a solar-position source. Gives the
// noon figure-eight and the equation-of-time table; without samples the plan
// has neither.
struct SunSample {
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    double declinationDeg = 0;
    double equationOfTimeMin = 0;  // minutes the sun runs ahead of mean time
};

struct PlanOptions {
    double widthMm = 600;  // the plate, 50..5000 mm each way
    double heightMm = 450;
    // The dial's plane; unset: a vertical wall facing the site's bearing.
    std::optional<engine::Plane> plane;
    // The gnomon, by its root (which may lie off the plate) and the nodus's
    // distance along the style, or by the nodus's foot and height above the
    // plate. Neither: a root on the plate's edge opposite the noon line (the
    // centre of the top edge for a wall facing the equator), or for a root at
    // infinity a foot at the plate's centre.
    std::optional<Point> root;
    std::optional<Point> foot;
    double nodusHeightMm = 0;  // with `foot`
    bool toSolstices = false;  // hour lines only between the solstices' shadows (with dateLines)
    bool halfHours = false;
    bool quarterHours = false;
    NumeralStyle numerals = NumeralStyle::Roman;
    bool dateLines = false;   // solstices and equinoxes; needs nodusMm
    bool monthLines = false;  // also the first of every month (with dateLines)
    bool noonCurve = false;   // figure-eight and equation table; needs nodusMm and samples
    double nodusMm = 0;       // the nodus's distance along the style from the root (with root)
    double styleMm = 0;       // the style's length; 0 chooses (the nodus distance, if any)
    std::string madeOn;       // the date written in the title block
    ExtraLineOptions extras;  // what a dial maker adds on request
    // The named zone whose clock the dial keeps, read for extras.year: its
    // standard time is the site's UtcOffset, its summer time (if any) the
    // summer numerals'. Nothing for a fixed offset.
    std::optional<ZoneYear> zone;
    // An analemmatic dial on level ground instead of a dial with a gnomon:
    // the ellipse's semi-major axis, mm. Its plate may be left at 0 x 0 for
    // the dial to choose. See core/plan/analemmatic.h.
    std::optional<double> analemmaticMajorMm;
};

inline constexpr double kMinPlateMm = 50;
inline constexpr double kMaxPlateMm = 5000;
inline constexpr double kMinGnomonMm = 5;
inline constexpr double kMaxGnomonMm = 5000;

// The first thing wrong with the options, as a message for the user, or
// nothing. Samples are checked apart (the command line and dialog say when
// they have none).
std::optional<std::string> CheckPlanOptions(const PlanOptions& options);

// The gnomon's triangle for a style of length h at style height g: along the
// wall h cos g, out from the wall h sin g, the sides the gnomon dialog gives
// for a measured length h cos g.
struct GnomonSize {
    double styleMm = 0;      // the sloping edge that casts the shadow (hypotenuse)
    double alongWallMm = 0;  // the edge on the substyle (adjacent to the angle)
    double outMm = 0;        // the edge standing out from the wall (opposite)
    double angleDeg = 0;     // style height: between the style and the wall
};
GnomonSize SizeGnomon(double styleMm, double gnomonAngleDeg);

// The engine's site for a stored one (its longitude is west positive).
engine::Site EngineSite(const SiteState& site);

// The dial the options describe at `site`, with the plate's default gnomon
// when none is given. Nothing when the options place it by a root the style
// never meets (a style parallel to the plane: give the foot instead).
std::optional<engine::Dial> DialFor(const SiteState& site, const PlanOptions& options);

// An analemmatic dial's ellipse: its centre on the plate and its semi-axes,
// mm, the major one east-west.
struct AnalemmaticFrame {
    Point centre;
    double majorMm = 0;
    double minorMm = 0;
};

struct Plan {
    double plateWidthMm = 0;
    double plateHeightMm = 0;
    engine::Plane plane;
    Point root;  // meaningless with rootAtInfinity
    bool rootAtInfinity = false;
    Point foot;  // the nodus's foot, and its height above the plate
    double nodusHeightMm = 0;
    Drawing dial;        // the plate and the strip below it
    Drawing gnomon;      // the gnomon's triangle, full size
    Drawing settingOut;  // how to set the dial up (setting_out.h)
    GnomonSize gnomonSize;
    double numeralSizeMm = 0;  // the largest numeral; 0 without numerals
    int year = 0;  // the sun's year of the clock-time curves, sign and date lines; 0 without
    // Things the user should know: what could not be fitted, a date line that
    // never reaches the plate.
    std::vector<std::string> notes;
    // Only for an analemmatic dial, which has no gnomon: `gnomon` is then
    // empty and the root, foot and nodus mean nothing.
    std::optional<AnalemmaticFrame> analemmatic;
};

enum class PlanStatus {
    Built,
    BadOptions,       // `message` says which
    ArithmeticFault,  // the site gave no dial
    NoLines,          // no hour line falls on the plate (`plan` is still given)
    FontMissing,      // the text face cannot be read; `message` names its file
};

struct PlanResult {
    PlanStatus status = PlanStatus::Built;
    std::string message;
    std::optional<Plan> plan;
};

// The plan for `site` (latitude south negative, longitude west positive as
// stored, any zone). Samples are used only with options.noonCurve.
PlanResult BuildPlan(const SiteState& site, const PlanOptions& options,
                     const std::vector<SunSample>& samples = {});

// The numeral written for a clock hour 0..23: the screen drawing's Roman
// numerals (13 -> "I", 16 -> "IV", 18 -> "VI", 0 -> "XII"), or the hour itself.
std::string NumeralText(int hour, NumeralStyle style);

}  // namespace sundial::plan

#include "core/plan/extra_lines.h"

#include <algorithm>
#include <cmath>

#include "core/lines/clock_time_curves.h"
#include "core/lines/date_marks.h"
#include "core/lines/reference_lines.h"
#include "core/plan/clip.h"
#include "core/plan/date_lines.h"
#include "core/plan/dial_face.h"
#include "core/plan/hour_lines.h"
#include "core/plan/hour_system_lines.h"
#include "core/plan/summer_ring.h"
#include "core/plan/text_metrics.h"

namespace sundial::plan {

namespace {

constexpr double kCurveStrokeMm = 0.35;
constexpr double kCurveDashMm = 2.5;  // the falling half
constexpr std::uint32_t kCurveColour = 0x8b3a00;
constexpr double kSignStrokeMm = 0.3;
constexpr std::uint32_t kSignColour = 0x2e7d32;
constexpr double kChosenStrokeMm = 0.35;
constexpr std::uint32_t kChosenColour = 0x7b1fa2;
constexpr double kReferenceStrokeMm = 0.3;
constexpr double kReferenceDashMm = 4;
constexpr std::uint32_t kReferenceColour = 0x505050;
constexpr double kLegendSampleMm = 12;  // the sample line's length

// A run of curve vertices cut to `area`: the pieces inside, with each
// vertex's day of the year, fractional where the edge cuts between two days.
// A cut vertex's day lies between its neighbours' and is counted from the
// one kept beside it, so that a piece's days only ever rise, but for the
// step from the year's last day to its first: a cut between 31 December and
// 1 January is 365.4 at a piece's end and 0.6 at its start.
struct DayRun {
    std::vector<Point> points;
    std::vector<double> days;
};

std::vector<DayRun> ClipRun(const lines::CurveRun& run, const Rect& area) {
    std::vector<DayRun> out;
    bool open = false;
    for (std::size_t i = 1; i < run.size(); ++i) {
        const Point a = ToPoint(run[i - 1].at), b = ToPoint(run[i].at);
        const auto piece = ClipSegment(a, b, area);
        if (!piece) {
            open = false;
            continue;
        }
        // A run's vertices are successive days; only at the year's end is
        // the later one's number the smaller (365 -> 1).
        const double da = run[i - 1].day, db = run[i].day;
        const double len = Distance(a, b);
        const auto dayAt = [&](Point p) {
            const double f = len > 0 ? Distance(a, p) / len : 0;
            if (f >= 1) return db;
            if (f <= 0) return da;
            // A piece that starts here and keeps `b` counts back from it.
            const bool startKeepsB = !open && Distance(piece->second, b) <= 1e-9;
            return startKeepsB ? db - (1 - f) : da + f;
        };
        if (!open) {
            out.push_back({{piece->first}, {dayAt(piece->first)}});
            open = true;
        }
        out.back().points.push_back(piece->second);
        out.back().days.push_back(dayAt(piece->second));
        // Leaving the area ends the piece.
        if (Distance(piece->second, b) > 1e-9) open = false;
    }
    std::erase_if(out, [](const DayRun& r) { return r.points.size() < 2; });
    return out;
}

Element CurveElement(const DayRun& run, double hour, bool falling) {
    Element e =
        MakePath(Role::ClockTimeCurves, Shape::Polyline, run.points, kCurveStrokeMm, kCurveColour);
    e.hour = hour;
    e.days = run.days;
    e.dashMm = falling ? kCurveDashMm : 0;
    e.text = falling ? "falling" : "rising";
    return e;
}

std::string TwoDigits(int v) {
    return std::string(1, static_cast<char>('0' + v / 10)) + static_cast<char>('0' + v % 10);
}

// Dated lines of one kind (signs, chosen dates): paths, elements and labels.
void AddDateMarks(const ExtraLinesInput& in, const std::vector<lines::DateMark>& marks, Role role,
                  double stroke, std::uint32_t colour, LabelPlacer& placer, ExtraLines& out) {
    for (const lines::DateMark& m : marks) {
        const auto path = DayPath(in.dial, m.declinationDeg, in.area);
        if (path.empty()) {
            out.notes.push_back("The nodus's shadow on the line of " + m.label +
                                " does not fall on the plate.");
            continue;
        }
        for (const auto& run : path) {
            Element e = MakePath(role, Shape::Polyline, run, stroke, colour);
            e.text = m.label;
            e.declinationDeg = m.declinationDeg;
            if (m.date) e.date = TwoDigits(m.date->month) + "-" + TwoDigits(m.date->day);
            out.elements.push_back(std::move(e));
        }
        placer.AddLines(path);
        placer.Ask(path, m.label, "the " + m.label + " line", in.labelSizeMm, role, colour);
    }
}

void AddStraight(const ExtraLinesInput& in, const std::optional<lines::PlateLine>& line, Role role,
                 const char* name, LabelPlacer& placer, ExtraLines& out) {
    if (!line) return;
    const Point through = ToPoint(line->through), dir = ToPoint(line->direction);
    const double reach =
        10 * (std::fabs(through.x) + std::fabs(through.y) + in.area.right + in.area.bottom);
    const auto piece = ClipSegment({through.x - reach * dir.x, through.y - reach * dir.y},
                                   {through.x + reach * dir.x, through.y + reach * dir.y}, in.area);
    if (!piece) {
        out.notes.push_back(std::string("The ") + name + " line does not cross the plate.");
        return;
    }
    Element e = MakeLine(role, piece->first, piece->second, kReferenceStrokeMm, kReferenceColour);
    e.dashMm = kReferenceDashMm;
    e.text = name;
    out.elements.push_back(e);
    placer.AddLine(piece->first, piece->second);
    placer.Ask({{piece->first, piece->second}}, name, std::string("the ") + name + " line",
               in.labelSizeMm, role, kReferenceColour);
}

}  // namespace

std::string ClockTimeLabel(double hour, NumeralStyle style) {
    const int whole = static_cast<int>(std::floor(hour));
    const int minutes = static_cast<int>(std::lround((hour - whole) * 60));
    if (minutes == 0 && style != NumeralStyle::None) return NumeralText(whole, style);
    return std::to_string(whole) + ":" + TwoDigits(minutes);
}

ExtraLines BuildExtraLines(const ExtraLinesInput& in, LabelPlacer& placer) {
    ExtraLines out;
    const ExtraLineOptions& o = in.options.extras;
    if (o.clockTime && in.sun) {
        const auto curves = lines::ClockTimeCurves(in.dial, *in.sun, o.clockTimeHalves);
        std::vector<std::vector<std::vector<Point>>> paths;
        for (const lines::ClockTimeCurve& c : curves) {
            std::vector<std::vector<Point>> path;
            for (const bool falling : {false, true}) {
                for (const lines::CurveRun& run : falling ? c.falling : c.rising) {
                    for (const DayRun& piece : ClipRun(run, in.area)) {
                        out.elements.push_back(CurveElement(piece, c.hour, falling));
                        path.push_back(piece.points);
                    }
                }
            }
            paths.push_back(std::move(path));
        }
        const bool anyOnPlate =
            std::any_of(paths.begin(), paths.end(), [](const auto& p) { return !p.empty(); });
        for (std::size_t i = 0; i < curves.size(); ++i) {
            const std::string label = ClockTimeLabel(curves[i].hour, in.numerals);
            // The sun reaches the face at this hour, but its shadow stays
            // off the plate all year.
            if (paths[i].empty()) {
                if (anyOnPlate) {
                    out.notes.push_back("The " +
                                        ClockTimeLabel(curves[i].hour, NumeralStyle::None) +
                                        " clock-time curve does not fall on the plate.");
                }
                continue;
            }
            placer.AddLines(paths[i]);
            placer.Ask(
                paths[i], label,
                "the " + ClockTimeLabel(curves[i].hour, NumeralStyle::None) + " clock-time curve",
                in.labelSizeMm, Role::ClockTimeCurves, kCurveColour, curves[i].hour);
        }
        if (!anyOnPlate) {
            out.notes.push_back("No clock-time curve falls on the plate.");
        }
        const std::string year = std::to_string(in.sun->year());
        Element rising = MakeLine(Role::ClockTimeCurves, {}, {}, kCurveStrokeMm, kCurveColour);
        Element falling = rising;
        falling.dashMm = kCurveDashMm;
        out.legend.push_back(
            {rising, "Clock time, " + year + ": December solstice to June solstice"});
        out.legend.push_back(
            {falling, "Clock time, " + year + ": June solstice to December solstice"});
    }
    const SummerRing summer = SummerRingFor(in.options);
    if (summer.hoursOn && in.numerals != NumeralStyle::None && !o.clockTimeOnly) {
        out.legend.push_back(
            {MakeText(Role::Legend, {}, NumeralText(12 + *summer.hoursOn, in.numerals), 0,
                      Anchor::Middle, false, kSummerColour),
             summer.legend});
    }
    if (o.signs && in.sun) {
        AddDateMarks(in, lines::SignLines(in.sun->obliquityDeg()), Role::SignLines, kSignStrokeMm,
                     kSignColour, placer, out);
    }
    if (!o.dates.empty() && in.sun) {
        std::vector<lines::DateMark> marks;
        for (const MonthDay& d : o.dates) {
            if (auto m = lines::ChosenDateLine(*in.sun, d, in.dial.site().zoneHours)) {
                marks.push_back(std::move(*m));
            }
        }
        AddDateMarks(in, marks, Role::DateLines, kChosenStrokeMm, kChosenColour, placer, out);
    }
    if (o.horizon)
        AddStraight(in, lines::HorizonLine(in.dial), Role::Horizon, "horizon", placer, out);
    if (o.equinoctial) {
        AddStraight(in, lines::EquinoctialLine(in.dial), Role::Equinoctial, "equinoctial", placer,
                    out);
    }
    AddHourSystemLines(in, placer, out);
    return out;
}

void AddLegend(const std::vector<LegendEntry>& legend, double textSizeMm, Drawing& drawing) {
    if (legend.empty()) return;
    const double row = 1.8 * textSizeMm;
    double y = drawing.heightMm + row;
    for (const LegendEntry& entry : legend) {
        Element sample = entry.sample;
        sample.role = Role::Legend;
        const double mid = y - 0.35 * textSizeMm;
        if (sample.shape == Shape::Text) {
            sample.points = {{kLegendSampleMm / 2, y}};
            sample.anchor = Anchor::Middle;
            sample.textSizeMm = textSizeMm;
        } else {
            sample.points = {{0, mid}, {kLegendSampleMm, mid}};
        }
        drawing.elements.push_back(std::move(sample));
        drawing.elements.push_back(MakeText(Role::Legend, {kLegendSampleMm + 3, y}, entry.text,
                                            textSizeMm, Anchor::Start));
        drawing.widthMm = std::max(
            drawing.widthMm, kLegendSampleMm + 3 + TextWidthMm(entry.text, textSizeMm, false));
        y += row;
    }
    drawing.heightMm = y - row + kDescent * textSizeMm + 1;
}

}  // namespace sundial::plan

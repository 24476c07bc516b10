#include "core/plan/title_block.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/plan/clip.h"
#include "core/plan/text_metrics.h"
#include "core/site/number_text.h"

namespace sundial::plan {

namespace {

constexpr double kBarHeightMm = 5;
constexpr double kBarStrokeMm = 0.25;
constexpr const char* kDegree = "\u00b0";
constexpr const char* kTimes = " \u00d7 ";
constexpr const char* kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Two decimals always, whatever the locale: "51.50".
std::string Fixed2(double value) {
    return FixedText(value, 2);
}

std::string Angle(double value) {
    return AngleTitleText(value);
}

// The plane in words: "a horizontal dial, its top edge toward 0°".
std::string PlaneText(const engine::Plane& plane) {
    const double b = plane.bearingDeg, r = plane.reclineDeg;
    if (r == 90) return "a horizontal dial, its top edge toward " + Angle(std::fmod(b + 180, 360));
    if (r == -90) return "a dial facing straight down, its top edge toward " + Angle(b);
    if (r == 0) return "a vertical face looking " + Angle(b);
    const std::string text = "a face looking " + Angle(b);
    return text + (r > 0 ? ", reclined " + Angle(r) : ", inclined " + Angle(-r) + " forward");
}

// Where the substyle runs on the plate, from the downward vertical.
std::string GnomonText(const engine::Dial& dial) {
    std::string text = "Style height " + Angle(dial.StyleHeightDeg());
    if (dial.StyleHeightDeg() >= 89.9) return text + ", square to the plate";
    const engine::PlatePoint d = dial.SubstyleDirection();
    const double angle = engine::Deg(std::atan2(-d.x, d.y));
    text += "; its foot line (substyle) ";
    if (std::fabs(angle) < 0.005) return text + "runs straight down the plate";
    if (std::fabs(std::fabs(angle) - 180) < 0.005) return text + "runs straight up the plate";
    return text + Angle(std::fabs(angle)) + (angle > 0 ? " left" : " right") + " of straight down";
}

// The clock the dial keeps: its named zone, or the fixed offset.
std::string ClockZoneText(const SiteState& site, const PlanOptions& options) {
    return options.zone ? ZoneTitle(*options.zone) : ZoneText(site.UtcOffset);
}

std::string SignedMinutes(double minutes) {
    const long rounded = std::lround(minutes);
    std::string text = rounded > 0 ? "+" : "";
    text += std::to_string(rounded);
    return text;
}

}  // namespace

std::string MmText(double mm) {
    return DecimalText(std::round(mm * 10) / 10, 7);
}

std::string AngleTitleText(double deg) {
    // A tiny negative remainder would print as "-0.00".
    if (std::fabs(deg) < 0.005) deg = 0;
    return Fixed2(deg) + kDegree;
}

std::string LongitudeText(double westDeg) {
    const std::string text = AngleTitleText(std::fabs(westDeg));
    // What rounds to the meridian is on neither side of it.
    if (text == AngleTitleText(0)) return text;
    return text + (westDeg < 0 ? " E" : " W");
}

double TitleTextMm(double widthMm) {
    return std::clamp(0.008 * widthMm, 3.5, 7.0);
}

std::string TitlePlace(const SiteState& site) {
    if (!site.PlaceName.empty() && site.PlaceName != "Unknown") return site.PlaceName;
    return AngleTitleText(std::fabs(site.Latitude)) + (site.Latitude < 0 ? " S, " : " N, ") +
           LongitudeText(site.Longitude);
}

std::string ZoneText(float utcOffset) {
    if (utcOffset == 0) return "UTC";
    return std::string("UTC") + (utcOffset > 0 ? "+" : "") + NumberText(utcOffset);
}

std::vector<Element> ScaleBar(Point topLeft, double textSizeMm, Role role) {
    std::vector<Element> out;
    const double x0 = topLeft.x, y0 = topLeft.y, y1 = topLeft.y + kBarHeightMm;
    for (int cm = 0; cm < 10; cm += 2) {
        Element block = MakePath(role, Shape::Polygon,
                                 {{x0 + cm * 10, y0},
                                  {x0 + cm * 10 + 10, y0},
                                  {x0 + cm * 10 + 10, y1},
                                  {x0 + cm * 10, y1}},
                                 0);
        block.filled = true;
        out.push_back(block);
    }
    out.push_back(MakePath(role, Shape::Polygon,
                           {{x0, y0}, {x0 + kScaleBarMm, y0}, {x0 + kScaleBarMm, y1}, {x0, y1}},
                           kBarStrokeMm));
    const double baseline = y1 + 1 + kCapHeight * textSizeMm;
    out.push_back(MakeText(role, {x0, baseline}, "0", textSizeMm, Anchor::Start));
    out.push_back(MakeText(role, {x0 + 50, baseline}, "50", textSizeMm, Anchor::Middle));
    out.push_back(MakeText(role, {x0 + kScaleBarMm, baseline}, "100 mm", textSizeMm, Anchor::End));
    return out;
}

void AddTitleStrip(const StripInput& in, double topMm, Drawing& drawing) {
    const SiteState& site = in.site;
    const PlanOptions& o = in.options;
    const double size = TitleTextMm(o.widthMm);
    const double leading = 1.6 * size;

    const engine::Dial& dial = in.dial;
    const auto root = dial.Root();
    const bool south = site.Latitude < 0;
    const engine::PlatePoint foot = dial.gnomon().foot;
    std::string where = root ? "root " + MmText(root->x) + " mm from the left edge, " +
                                   MmText(root->y) + " mm from the top"
                             : std::string("the style parallel to the plate, hour lines parallel");
    std::vector<std::string> lines = {
        "Latitude " + Angle(std::fabs(site.Latitude)) + (south ? " S" : " N") + ", longitude " +
            LongitudeText(site.Longitude) + "; " + PlaneText(dial.plane()) + ".",
        "Clock time of zone " + ClockZoneText(site, o) + ". " + GnomonText(dial) +
            ", pointing to the " + (south ? "south" : "north") + " celestial pole.",
        "Style " + MmText(in.gnomon.styleMm) + " mm" + (root ? " from the root" : "") + "; nodus " +
            MmText(dial.gnomon().heightMm) + " mm above the plate at " + MmText(foot.x) + ", " +
            MmText(foot.y) + " mm.",
        "Plate " + MmText(o.widthMm) + kTimes + MmText(o.heightMm) + " mm, seen facing it; " +
            where + "." + (o.madeOn.empty() ? "" : " Made " + o.madeOn + "."),
    };

    std::vector<Element> out;
    double y = topMm + kCapHeight * size * 1.25;
    // Clock-time curves hold for the year they were drawn for (and the
    // decade round it): the title says which.
    const std::string curvesYear =
        o.extras.clockTime ? ", clock time for " + std::to_string(o.extras.year) : "";
    out.push_back(MakeText(Role::Title, {0, y}, "Sundial for " + TitlePlace(site) + curvesYear,
                           size * 1.25, Anchor::Start, true));
    for (const std::string& line : lines) {
        y += leading;
        out.push_back(MakeText(Role::Title, {0, y}, line, size, Anchor::Start));
    }
    double textRight = 0;
    for (const Element& e : out) textRight = std::max(textRight, TextBox(e).right);

    // The bar to the right of the text, flush with the plate's right edge
    // when there is room.
    const double barLeft = std::max(o.widthMm - kScaleBarMm, textRight + 3 * size);
    out.push_back(MakeText(Role::Title, {barLeft, topMm + kCapHeight * size},
                           "Scale 1:1, the bar is 100 mm", size * 0.8, Anchor::Start));
    for (Element& e : ScaleBar({barLeft, topMm + 1.5 * size}, size * 0.8, Role::Title)) {
        out.push_back(std::move(e));
    }

    // Equation of time: clock time = dial time - (sun ahead of mean time).
    const auto sample = [&in](int month, int day) -> std::optional<double> {
        const auto it = std::find_if(in.samples.begin(), in.samples.end(), [&](const SunSample& s) {
            return s.month == month && s.day == day;
        });
        if (it == in.samples.end()) return std::nullopt;
        return it->equationOfTimeMin;
    };
    bool known = false;
    for (int m = 1; m <= 12; ++m) known = known || sample(m, 1).has_value();
    if (o.noonCurve && known) {
        y += leading * 1.5;
        AppendEquationTable(sample, size, leading, y, out);
    }
    AppendGrowing(out, drawing);
}

void AppendEquationTable(
    const std::function<std::optional<double>(int month, int day)>& equationOfTimeMin, double size,
    double leading, double& y, std::vector<Element>& out) {
    out.push_back(MakeText(Role::EquationTable, {0, y},
                           "To read clock time, add to the dial's time (minutes):", size,
                           Anchor::Start, true));
    const double column = TextWidthMm("-14 ", size, false) + size;
    const double firstColumn = TextWidthMm("Day 15 ", size, false);
    y += leading;
    for (int m = 0; m < 12; ++m) {
        out.push_back(MakeText(Role::EquationTable, {firstColumn + (m + 1) * column, y},
                               kMonthNames[m], size, Anchor::End, true));
    }
    for (const int day : {1, 15}) {
        y += leading;
        out.push_back(MakeText(Role::EquationTable, {0, y}, "Day " + std::to_string(day), size,
                               Anchor::Start, true));
        for (int m = 0; m < 12; ++m) {
            const std::optional<double> eot = equationOfTimeMin(m + 1, day);
            if (!eot) continue;
            out.push_back(MakeText(Role::EquationTable, {firstColumn + (m + 1) * column, y},
                                   SignedMinutes(-*eot), size, Anchor::End));
        }
    }
}

void AppendGrowing(std::vector<Element>& elements, Drawing& drawing) {
    for (const Element& e : elements) {
        std::vector<Point> corners = e.points;
        if (e.shape == Shape::Text) {
            const Rect box = TextBox(e);
            corners = {{box.left, box.top}, {box.right, box.bottom + kDescent * e.textSizeMm}};
        }
        const Rect b = Bounds(corners);
        drawing.widthMm = std::max(drawing.widthMm, b.right);
        drawing.heightMm = std::max(drawing.heightMm, b.bottom + 1);
    }
    for (Element& e : elements) drawing.elements.push_back(std::move(e));
}

}  // namespace sundial::plan

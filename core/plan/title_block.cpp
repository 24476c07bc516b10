#include "core/plan/title_block.h"

#include <algorithm>
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

std::string Degrees(float value) {
    return NumberText(value) + kDegree;
}

std::string WallText(const SiteState& site) {
    std::string text = "the wall faces " + site.WallBearing + kDegree;
    if (site.DeclinationSide == "West" || site.DeclinationSide == "East") {
        text += " (" + Degrees(site.WallDeclination) + " " +
                (site.DeclinationSide == "West" ? "west" : "east") + " of south)";
    } else {
        text += " (due south)";
    }
    return text;
}

std::string GnomonText(const DialGeometry& dial) {
    std::string text = "Gnomon " + Degrees(FloorHundredths(dial.GnomonAngle)) +
                       " from the wall; its foot line (substyle) ";
    if (dial.OffsetSide.empty() || FloorHundredths(dial.GnomonOffset) == 0) {
        return text + "vertical";
    }
    return text + Degrees(FloorHundredths(dial.GnomonOffset)) + " " +
           (dial.OffsetSide == "right." ? "right" : "left") + " of the vertical";
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
    const double size = std::clamp(0.008 * o.widthMm, 3.5, 7.0);
    const double leading = 1.6 * size;

    std::vector<std::string> lines = {
        "Latitude " + Degrees(site.Latitude) + " N, longitude " +
            Degrees(std::fabs(site.Longitude)) + (site.Longitude < 0 ? " E" : " W") + "; " +
            WallText(site),
        "Clock time of zone " + ZoneText(site.UtcOffset) + ". " + GnomonText(in.dial) + ".",
        "Style " + MmText(in.gnomon.styleMm) + " mm from the root" +
            (o.nodusMm > 0 ? "; nodus " + MmText(o.nodusMm) + " mm along it from the root" : "") +
            ".",
        "Plate " + MmText(o.widthMm) + kTimes + MmText(o.heightMm) + " mm; root " +
            MmText(in.root.x) + " mm from the left edge, " + MmText(in.root.y) +
            " mm from the top." + (o.madeOn.empty() ? "" : " Made " + o.madeOn + "."),
    };

    std::vector<Element> out;
    double y = topMm + kCapHeight * size * 1.25;
    out.push_back(MakeText(Role::Title, {0, y}, "Sundial for " + site.PlaceName, size * 1.25,
                           Anchor::Start, true));
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
    std::vector<const SunSample*> rows[2];
    for (int m = 1; m <= 12; ++m) {
        for (int r = 0; r < 2; ++r) {
            const int day = r == 0 ? 1 : 15;
            const auto it =
                std::find_if(in.samples.begin(), in.samples.end(),
                             [&](const SunSample& s) { return s.month == m && s.day == day; });
            rows[r].push_back(it == in.samples.end() ? nullptr : &*it);
        }
    }
    const bool table = o.noonCurve && std::any_of(rows[0].begin(), rows[0].end(),
                                                  [](const SunSample* s) { return s != nullptr; });
    if (table) {
        y += leading * 1.5;
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
        for (int r = 0; r < 2; ++r) {
            y += leading;
            out.push_back(MakeText(Role::EquationTable, {0, y}, r == 0 ? "Day 1" : "Day 15", size,
                                   Anchor::Start, true));
            for (int m = 0; m < 12; ++m) {
                if (!rows[r][static_cast<size_t>(m)]) continue;
                out.push_back(
                    MakeText(Role::EquationTable, {firstColumn + (m + 1) * column, y},
                             SignedMinutes(-rows[r][static_cast<size_t>(m)]->equationOfTimeMin),
                             size, Anchor::End));
            }
        }
    }

    for (const Element& e : out) {
        std::vector<Point> corners = e.points;
        if (e.shape == Shape::Text) {
            const Rect box = TextBox(e);
            corners = {{box.left, box.top}, {box.right, box.bottom + kDescent * e.textSizeMm}};
        }
        const Rect b = Bounds(corners);
        drawing.widthMm = std::max(drawing.widthMm, b.right);
        drawing.heightMm = std::max(drawing.heightMm, b.bottom + 1);
    }
    for (Element& e : out) drawing.elements.push_back(std::move(e));
}

}  // namespace sundial::plan

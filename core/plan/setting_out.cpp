#include "core/plan/setting_out.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/plan/gnomon_plate.h"
#include "core/plan/sun_samples.h"
#include "core/plan/text_metrics.h"
#include "core/plan/title_block.h"
#include "core/site/number_text.h"
#include "core/sun/sun_year.h"

namespace sundial::plan {

namespace {

constexpr Role kRole = Role::SettingOut;
constexpr double kBodyMm = 3.5;
constexpr double kHeadMm = 4.2;
constexpr double kTitleMm = 5.5;
constexpr double kLeading = 1.5;
constexpr const char* kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// "12:04": hours on a clock, to the nearest minute.
std::string ClockText(double hours) {
    long minutes = std::lround(hours * 60);
    minutes = ((minutes % 1440) + 1440) % 1440;
    const auto two = [](long v) {
        std::string digits = std::to_string(v);
        if (v < 10) digits.insert(digits.begin(), '0');
        return digits;
    };
    return two(minutes / 60) + ":" + two(minutes % 60);
}

// The lines of `text` at `sizeMm` within `widthMm`, broken between words.
std::vector<std::string> Wrap(const std::string& text, double sizeMm, double widthMm) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        const std::string word = text.substr(at, end - at);
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidthMm(longer, sizeMm, false) > widthMm) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
        at = end + 1;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

class Page {
  public:
    double y() const { return y_; }
    void Skip(double mm) { y_ += mm; }
    void Title(const std::string& text) { Line(text, kTitleMm, true); }
    void Heading(const std::string& text) {
        y_ += 0.6 * kHeadMm;
        Line(text, kHeadMm, true);
    }
    void Para(const std::string& text, double indentMm = 0) {
        for (const std::string& line : Wrap(text, kBodyMm, kSettingOutWidthMm - indentMm)) {
            Line(line, kBodyMm, false, indentMm);
        }
    }
    void Add(Element e) { out_.push_back(std::move(e)); }
    Drawing Finish() {
        Drawing d;
        d.widthMm = kSettingOutWidthMm;
        d.heightMm = y_ + kDescent * kBodyMm + 1;
        d.elements = std::move(out_);
        return d;
    }

  private:
    void Line(const std::string& text, double size, bool bold, double x = 0) {
        y_ += kLeading * size;
        out_.push_back(MakeText(kRole, {x, y_}, text, size, Anchor::Start, bold));
    }
    double y_ = 0;
    std::vector<Element> out_;
};

// A stored single as typed: "51.5", "0.12".
std::string Hundredths(double value) {
    return DecimalText(std::round(value * 100) / 100, 7);
}

std::string Pole(bool south) {
    return south ? "south" : "north";
}

// The plate seen from above, its outline to scale, and an arrow to true
// north.
void NorthSketch(Page& page, const engine::Dial& dial, double w, double h) {
    constexpr double kSketchMm = 40;
    const double s = kSketchMm / std::max(w, h);
    const double top = page.y() + 4, left = 2;
    const Point c{left + w * s / 2, top + h * s / 2};
    page.Add(MakePath(
        kRole, Shape::Polygon,
        {{left, top}, {left + w * s, top}, {left + w * s, top + h * s}, {left, top + h * s}},
        0.35));
    const engine::PlatePoint n = dial.frame().OnPlate({0, 1, 0});
    const double len = std::hypot(n.x, n.y);
    const Point d{n.x / len, n.y / len}, side{-d.y, d.x};
    // Short enough that the "N" beyond its tip stays inside the outline.
    const double arm = 0.28 * std::min(w, h) * s;
    const Point tip{c.x + arm * d.x, c.y + arm * d.y};
    page.Add(MakeLine(kRole, {c.x - arm * d.x, c.y - arm * d.y}, tip, 0.5));
    Element head = MakePath(kRole, Shape::Polygon,
                            {tip,
                             {tip.x - 4 * d.x + 2 * side.x, tip.y - 4 * d.y + 2 * side.y},
                             {tip.x - 4 * d.x - 2 * side.x, tip.y - 4 * d.y - 2 * side.y}},
                            0);
    head.filled = true;
    page.Add(std::move(head));
    page.Add(MakeText(kRole, CentredBaseline({tip.x + 3.5 * d.x, tip.y + 3.5 * d.y}, kHeadMm), "N",
                      kHeadMm, Anchor::Middle, true));
    const double right = left + w * s + 8;
    page.Add(MakeText(kRole, {right, c.y}, "The plate seen from above, its top edge up:", kBodyMm,
                      Anchor::Start));
    page.Add(MakeText(kRole, {right, c.y + kLeading * kBodyMm}, "the arrow points to true north.",
                      kBodyMm, Anchor::Start));
    page.Skip(h * s + 10);
}

void Orientation(Page& page, const SettingOutInput& in) {
    const engine::Plane& plane = in.dial.plane();
    const bool south = in.site.Latitude < 0;
    const std::string plumbNoon =
        "True north by the sun: at the time of true noon in the table below, the shadow of a "
        "plumb line (or of anything upright) points due " +
        std::string(south ? "south" : "north") + "; mark it on the ground.";
    page.Heading("1. Which way it faces");
    if (plane.reclineDeg == 90) {
        page.Para(
            "Lay the plate with its substyle line (the gnomon's foot) running true "
            "north and south, the root end toward the " +
            Pole(!south) + " and the gnomon's tip toward the " + Pole(south) + ". " + plumbNoon +
            " A compass points to magnetic north, which differs from true "
            "north by the local magnetic declination.");
        NorthSketch(page, in.dial, in.options.widthMm, in.options.heightMm);
        return;
    }
    const std::string bearing = AngleTitleText(plane.bearingDeg);
    std::string face = "The face looks " + bearing +
                       " from true north, clockwise (a compass needs the local magnetic "
                       "declination added)";
    if (plane.reclineDeg > 0) face += ", tilted back " + AngleTitleText(plane.reclineDeg);
    if (plane.reclineDeg < 0) face += ", leaning forward " + AngleTitleText(-plane.reclineDeg);
    page.Para(face + ".");
    if (FormOf(in.gnomon) == GnomonForm::Rod) {
        page.Para("Its upper (summer) face looks toward the " + Pole(south) +
                  " celestial pole; the rod points at it, " +
                  AngleTitleText(std::fabs(in.site.Latitude)) + " above the " + Pole(south) +
                  " horizon.");
    }
    const double b = plane.bearingDeg, lat = in.site.Latitude;
    if (plane.reclineDeg == 0 && lat >= 15 && lat <= 70 && b >= 110 && b <= 250) {
        page.Para("Check the wall's bearing by the sun: sundial-cli bearing --lat " +
                  Hundredths(lat) + " --lon " + Hundredths(std::fabs(in.site.Longitude)) +
                  (in.site.Longitude < 0 ? " --east" : " --west") + " --utc " +
                  NumberText(in.site.UtcOffset) + " --plan " + Hundredths(b) +
                  " --date YYYY-MM-DD gives the clock times the sun comes onto the wall, stands "
                  "square to it and leaves it that day. Time one of them on the wall and give "
                  "it back (--enters, --leaves or --shadow) to read the wall's true bearing; "
                  "the program's Tools menu measures it the same way.");
    }
    page.Para(plumbNoon);
}

void LevelAndStyle(Page& page, const SettingOutInput& in) {
    const engine::Plane& plane = in.dial.plane();
    const double r = plane.reclineDeg;
    page.Heading("2. Level and plumb");
    if (r == 90) {
        page.Para("Level the plate both ways with a spirit level, across and along.");
    } else if (r == 0) {
        page.Para(
            "Hang the plate plumb: a spirit level along its top edge reads level, and a "
            "plumb line hangs along its side edges.");
    } else {
        page.Para(
            "Keep the top edge level. Its side edges run down the slope: set a "
            "protractor against one with a plumb line from its centre; the side edge "
            "stands " +
            AngleTitleText(std::fabs(r)) + " from the plumb line, the face " +
            (r > 0 ? "looking up." : "looking down."));
    }
    page.Heading("3. The style");
    const engine::Gnomon& g = in.dial.gnomon();
    const std::string nodus = "The nodus stands " + MmText(g.heightMm) +
                              " mm off the face, over the point " + MmText(g.foot.x) +
                              " mm from the plate's left edge and " + MmText(g.foot.y) +
                              " mm from its top.";
    switch (FormOf(in.gnomon)) {
        case GnomonForm::Triangle:
            page.Para("The style meets the face at " + AngleTitleText(in.gnomon.angleDeg) +
                      " along the substyle line: check it with a protractor standing on the "
                      "face along that line. " +
                      nodus);
            break;
        case GnomonForm::Rectangle:
            page.Para(
                "The style runs parallel to the face: measure its height at both ends "
                "of the plate, " +
                MmText(g.heightMm) + " mm each. " + nodus);
            break;
        case GnomonForm::Rod:
            page.Para(
                "The rod stands square to the plate: check it with a set square on both "
                "faces, the summer face above and the winter face below.");
            break;
    }
}

void NoonTable(Page& page, const SettingOutInput& in) {
    const SiteState& site = in.site;
    const std::vector<NoonTime> times = TrueNoonTimes(site.Longitude, site.UtcOffset, kSampleYear);
    const std::string zone =
        in.options.zone ? ZoneTitle(*in.options.zone) : ZoneText(site.UtcOffset);
    page.Heading("4. True noon by the clock");
    page.Para("The clock time (zone " + zone + ", standard time) at which the sun stands due " +
              Pole(site.Latitude >= 0) +
              ", from the equation of time at this longitude; it changes by less than a "
              "minute from year to year.");
    if (times.size() != 24) return;
    const double first = TextWidthMm("Day 15  ", kBodyMm, true);
    const double column = (kSettingOutWidthMm - first) / 12;
    page.Skip(kLeading * kBodyMm);
    for (int m = 0; m < 12; ++m) {
        page.Add(MakeText(kRole, {first + (m + 1) * column, page.y()}, kMonthNames[m], kBodyMm,
                          Anchor::End, true));
    }
    for (int r = 0; r < 2; ++r) {
        page.Skip(kLeading * kBodyMm);
        page.Add(MakeText(kRole, {0, page.y()}, r == 0 ? "Day 1" : "Day 15", kBodyMm, Anchor::Start,
                          true));
        for (int m = 0; m < 12; ++m) {
            page.Add(MakeText(kRole, {first + (m + 1) * column, page.y()},
                              ClockText(times[static_cast<size_t>(2 * m + r)].clockHours), kBodyMm,
                              Anchor::End));
        }
    }
    if (in.options.zone && in.options.zone->summerHours) {
        page.Para("While the clocks keep summer time, add " +
                  NumberText(static_cast<float>(*in.options.zone->summerHours -
                                                in.options.zone->standardHours)) +
                  " h.");
    }
}

void DayCheck(Page& page, const SettingOutInput& in) {
    const SiteState& site = in.site;
    // The clock-twelve line is where the shadow falls when the sun's hour
    // angle is the zone meridian's less the site's: that many minutes from
    // true noon, whatever the date.
    const double minutes = 4 * (-site.Longitude - 15.0 * site.UtcOffset);
    const long rounded = std::lround(minutes);
    std::string when = "at true noon";
    if (rounded != 0) {
        when = std::to_string(std::labs(rounded)) +
               (std::labs(rounded) == 1 ? " minute " : " minutes ") +
               (rounded > 0 ? "after" : "before") + " true noon";
    }
    page.Heading("5. Checking it on the day it is set");
    page.Para(
        "Read the day's time of true noon from the table (between its dates, in "
        "proportion). On this dial the style's shadow lies on the XII line " +
        when +
        (in.options.extras.clockTime ? ", and on the 12 o'clock figure-eight at 12:00 by the clock"
                                     : "") +
        ". A shadow some minutes early or late means the dial is turned off its bearing: " +
        std::string(in.dial.plane().reclineDeg == 0
                        ? "recheck the wall's bearing and the style's angle."
                        : "turn it until it agrees, then recheck its tilt and the style's angle.") +
        " Check again a few hours either side: every hour line should agree.");
}

}  // namespace

std::vector<NoonTime> TrueNoonTimes(double longitudeWestDeg, double zoneHours, int year) {
    // The year's table, which the plan's curves have already worked out.
    const std::optional<SunYear> sun = SunYear::For(year);
    if (!sun) return {};
    std::vector<NoonTime> out;
    for (int m = 1; m <= 12; ++m) {
        for (const int day : {1, 15}) {
            // Mean noon at the longitude, in UTC; the sun runs ahead of it by
            // the equation of time, read again at the better instant.
            const double dayStart = *DayOfYear(year, {m, day}) - 1;
            double utc = 12 + longitudeWestDeg / 15;
            for (int pass = 0; pass < 2; ++pass) {
                utc = 12 + longitudeWestDeg / 15 -
                      sun->At(dayStart + utc / 24).equationOfTimeMin / 60;
            }
            out.push_back({m, day, utc + zoneHours});
        }
    }
    return out;
}

Drawing SettingOutDrawing(const SettingOutInput& in) {
    Page page;
    page.Title("Setting out the dial for " + TitlePlace(in.site));
    Orientation(page, in);
    LevelAndStyle(page, in);
    NoonTable(page, in);
    DayCheck(page, in);
    return page.Finish();
}

}  // namespace sundial::plan

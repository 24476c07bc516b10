#include "core/template/template_options.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <utility>

#include "core/io/clean_text.h"
#include "core/lines/date_marks.h"
#include "core/pdf/creation_time.h"
#include "core/template/option_limits.h"

namespace sundial::tmpl {

namespace {

constexpr std::array<TemplateOptionEntry, 36> kOptions = {{
    {"width", "The plate's width, mm (50 to 5000).", "mm", nullptr},
    {"height", "The plate's height, mm (50 to 5000).", "mm", nullptr},
    {"dial",
     "The dial's plane: vertical (facing --bearing), horizontal (its top edge away from "
     "--bearing, default 180), polar, equatorial or analemmatic (on level ground, with --major; "
     "default vertical).",
     "type", "vertical"},
    {"recline",
     "With a vertical dial, tilt its face back by this much, degrees (-90 to 90; 90 faces up, "
     "negative leans forward).",
     "degrees", nullptr},
    {"root-x",
     "The gnomon's root, mm from the plate's left edge (default: the plate's edge behind the "
     "noon line); it may lie off the plate.",
     "mm", nullptr},
    {"root-y", "The gnomon's root, mm down from the plate's top edge.", "mm", nullptr},
    {"nodus", "The nodus's distance along the style from the root, mm.", "mm", nullptr},
    {"foot-x",
     "Instead of the root: the nodus's foot (the plate point under it), mm from the left edge.",
     "mm", nullptr},
    {"foot-y", "The nodus's foot, mm down from the top edge.", "mm", nullptr},
    {"nodus-height", "With the foot: the nodus's height above the plate, mm.", "mm", nullptr},
    {"half", "Draw the half hours.", nullptr, nullptr},
    {"quarter", "Draw the quarter hours.", nullptr, nullptr},
    {"numerals", "Hour numerals: roman, arabic or none (default roman).", "style", "roman"},
    {"date-lines",
     "Draw the nodus's shadow at the solstices and equinoxes (needs --nodus or the foot).", nullptr,
     nullptr},
    {"months", "With --date-lines, also the first of every month.", nullptr, nullptr},
    {"to-solstices", "With --date-lines, end the hour lines at the solstices' lines.", nullptr,
     nullptr},
    {"noon-curve", "The nodus's shadow at 12:00 through the year and the equation-of-time table.",
     nullptr, nullptr},
    {"clock-time",
     "Draw each clock hour's figure-eight: the nodus's shadow at that clock time on every day of "
     "the year, so that the dial reads the clock (needs the nodus).",
     nullptr, nullptr},
    {"clock-time-halves", "With --clock-time, the half hours' figure-eights too.", nullptr,
     nullptr},
    {"clock-time-only", "With --clock-time, leave out the straight hour lines.", nullptr, nullptr},
    {"year",
     "The year whose sun draws the clock-time curves, sign and date lines (default: this year).",
     "year", nullptr},
    {"summer-numerals", "A second ring of numerals an hour on, for summer time.", nullptr, nullptr},
    {"ten-minutes", "Draw lines every ten minutes.", nullptr, nullptr},
    {"signs",
     "Draw the lines of the days the sun enters each sign of the zodiac (needs the nodus).",
     nullptr, nullptr},
    {"date-line",
     "Draw the nodus's shadow on a chosen date, MM-DD (a birthday, a founding day); give it again "
     "for more dates (up to 24).",
     "MM-DD", nullptr},
    {"horizon", "Draw the horizon line (needs the nodus).", nullptr, nullptr},
    {"equinoctial", "Draw the equinoctial line (needs the nodus).", nullptr, nullptr},
    {"style-thickness",
     "The style plate's thickness, mm: the hour lines either side of the substyle move apart by "
     "it (less than the nodus's height).",
     "mm", nullptr},
    {"style", "The style's length for the gnomon plate, mm (default: the nodus distance).", "mm",
     nullptr},
    {"made", "The date written in the title block (default: today).", "text", nullptr},
    {"paper", "PDF paper: a4, letter or a3 (default a4).", "paper", "a4"},
    {"landscape", "PDF pages in landscape.", nullptr, nullptr},
    {"italian",
     "Draw the Italian hours, counted from sunset (13 to 23 on most dials; needs the nodus).",
     nullptr, nullptr},
    {"babylonian", "Draw the Babylonian hours, counted from sunrise (needs the nodus).", nullptr,
     nullptr},
    {"temporal",
     "Draw the temporal hours, daylight divided into twelve from sunrise (needs the nodus).",
     nullptr, nullptr},
    {"major",
     "With --dial analemmatic: the ellipse's semi-major axis, mm (100 to 2000); the plate may "
     "then be left out for the dial to choose.",
     "mm", nullptr},
}};

// What an analemmatic dial, whose shadow a person casts, has no use for.
constexpr const char* kNotOnAnalemmatic[] = {
    "recline",         "root-x",          "root-y",      "nodus",      "foot-x",
    "foot-y",          "nodus-height",    "half",        "quarter",    "date-lines",
    "months",          "to-solstices",    "noon-curve",  "clock-time", "clock-time-halves",
    "clock-time-only", "summer-numerals", "ten-minutes", "signs",      "horizon",
    "equinoctial",     "style-thickness", "style",       "italian",    "babylonian",
    "temporal",
};

// Words are compared without regard to case; the message quotes them as
// compared.
std::string LowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// Reads the options in the order the messages should come: the first thing
// wrong is the one reported.
class Reader {
  public:
    Reader(const OptionLookup& given, const NumberReader& readNumber)
        : given_(given), readNumber_(readNumber) {}

    bool Set(std::string_view name) const { return given_(name).has_value(); }
    std::string Text(std::string_view name, const char* fallback) const {
        return given_(name).value_or(fallback);
    }
    // Nothing when the text is no number; `message` then says why.
    std::optional<double> Number(std::string_view name) {
        return readNumber_(given_(name).value_or(""), name, message);
    }

    std::string message;

  private:
    const OptionLookup& given_;
    const NumberReader& readNumber_;
};

// Reads "MM-DD", or several joined by commas (an option given more than once),
// each date once in the order first given: a date repeated draws nothing more.
std::optional<std::vector<MonthDay>> ReadDates(const std::string& text, std::string& message) {
    std::vector<MonthDay> dates;
    for (const std::string_view item : UniqueItems(text)) {
        if (auto tooLong = TextTooLong("--date-line", item)) {
            message = *tooLong + ".";
            return std::nullopt;
        }
        const auto date = lines::ParseMonthDay(item);
        if (!date) {
            message = "--date-line: \"" + std::string(item) + "\" is not a date as MM-DD (06-14).";
            return std::nullopt;
        }
        if (dates.size() == kOptionLimits.dates) {
            message = TooManyDates("--date-line") + ".";
            return std::nullopt;
        }
        dates.push_back(*date);
    }
    return dates;
}

// Every value given, but the dates (read one by one), measured as it will be
// written: cleaned, in characters.
std::optional<std::string> LongText(const OptionLookup& given) {
    for (const TemplateOptionEntry& entry : kOptions) {
        if (entry.valueName == nullptr || std::string_view(entry.name) == "date-line") continue;
        const std::optional<std::string> value = given(entry.name);
        if (!value) continue;
        if (auto tooLong = TextTooLong("--" + std::string(entry.name), io::CleanText(*value).text))
            return *tooLong + ".";
    }
    return std::nullopt;
}

std::optional<plan::ExtraLineOptions> ReadExtraLines(Reader& in, const std::string& today) {
    plan::ExtraLineOptions o;
    o.clockTime = in.Set("clock-time");
    o.clockTimeHalves = in.Set("clock-time-halves");
    o.clockTimeOnly = in.Set("clock-time-only");
    o.summerNumerals = in.Set("summer-numerals");
    o.tenMinutes = in.Set("ten-minutes");
    o.signs = in.Set("signs");
    o.horizon = in.Set("horizon");
    o.equinoctial = in.Set("equinoctial");
    for (const plan::HourSystemSwitch& s : plan::kHourSystemSwitches) o.*s.on = in.Set(s.name);
    // This year, from today's date as the title block writes it.
    o.year = std::atoi(today.substr(0, 4).c_str());
    if (in.Set("year")) {
        const auto year = in.Number("year");
        if (!year) return std::nullopt;
        if (*year != std::floor(*year)) {
            in.message = "--year: give a whole year (2026).";
            return std::nullopt;
        }
        o.year = static_cast<int>(std::clamp(*year, -1e6, 1e6));
    }
    if (in.Set("date-line")) {
        auto dates = ReadDates(in.Text("date-line", ""), in.message);
        if (!dates) return std::nullopt;
        o.dates = std::move(*dates);
    }
    if (in.Set("style-thickness")) {
        const auto thickness = in.Number("style-thickness");
        if (!thickness) return std::nullopt;
        o.styleThicknessMm = *thickness;
    }
    return o;
}

// An analemmatic dial's own options, and the refusal of those it has no
// use for; the plate's size may be left to it.
bool ReadAnalemmatic(Reader& in, plan::PlanOptions& o) {
    for (const char* name : kNotOnAnalemmatic) {
        if (in.Set(name)) {
            in.message = std::string("--") + name +
                         " does not apply to --dial analemmatic: it has no gnomon, a person "
                         "standing on its date scale casts the shadow.";
            return false;
        }
    }
    if (!in.Set("major")) {
        in.message = "--dial analemmatic needs --major MM, the ellipse's semi-major axis.";
        return false;
    }
    const auto major = in.Number("major");
    if (!major) return false;
    o.analemmaticMajorMm = *major;
    if (in.Set("width") != in.Set("height")) {
        in.message = "Give the plate's size as --width MM --height MM, or neither.";
        return false;
    }
    o.widthMm = o.heightMm = 0;
    return true;
}

std::optional<plan::PlanOptions> ReadPlan(Reader& in, const std::string& today) {
    plan::PlanOptions o;
    const bool analemmatic = DialTypeNamed(in.Text("dial", "vertical")) == DialType::Analemmatic;
    if (analemmatic && !ReadAnalemmatic(in, o)) return std::nullopt;
    if (!analemmatic && in.Set("major")) {
        in.message = "--major goes with --dial analemmatic.";
        return std::nullopt;
    }
    if (!analemmatic && (!in.Set("width") || !in.Set("height"))) {
        in.message = "Give the plate's size: --width MM --height MM.";
        return std::nullopt;
    }
    if (in.Set("width")) {
        const auto width = in.Number("width");
        if (!width) return std::nullopt;
        o.widthMm = *width;
        const auto height = in.Number("height");
        if (!height) return std::nullopt;
        o.heightMm = *height;
    }
    const bool byFoot = in.Set("foot-x") || in.Set("foot-y") || in.Set("nodus-height");
    if (byFoot && (in.Set("root-x") || in.Set("root-y") || in.Set("nodus"))) {
        in.message =
            "Place the gnomon either by its root (--root-x, --root-y, --nodus) or by the nodus's "
            "foot (--foot-x, --foot-y, --nodus-height), not both.";
        return std::nullopt;
    }
    if (byFoot) {
        if (!in.Set("foot-x") || !in.Set("foot-y") || !in.Set("nodus-height")) {
            in.message = "--foot-x, --foot-y and --nodus-height go together.";
            return std::nullopt;
        }
        const auto x = in.Number("foot-x");
        if (!x) return std::nullopt;
        const auto y = in.Number("foot-y");
        if (!y) return std::nullopt;
        const auto height = in.Number("nodus-height");
        if (!height) return std::nullopt;
        o.foot = plan::Point{*x, *y};
        o.nodusHeightMm = *height;
    }
    if (in.Set("root-x") || in.Set("root-y")) {
        plan::Point root{o.widthMm / 2, 0.0};
        if (in.Set("root-x")) {
            const auto x = in.Number("root-x");
            if (!x) return std::nullopt;
            root.x = *x;
        }
        if (in.Set("root-y")) {
            const auto y = in.Number("root-y");
            if (!y) return std::nullopt;
            root.y = *y;
        }
        o.root = root;
    }
    o.halfHours = in.Set("half");
    o.quarterHours = in.Set("quarter");
    const std::string numerals = LowerAscii(in.Text("numerals", "roman"));
    if (numerals == "roman") {
        o.numerals = plan::NumeralStyle::Roman;
    } else if (numerals == "arabic") {
        o.numerals = plan::NumeralStyle::Arabic;
    } else if (numerals == "none") {
        o.numerals = plan::NumeralStyle::None;
    } else {
        in.message = "--numerals: \"" + numerals + "\" is not roman, arabic or none.";
        return std::nullopt;
    }
    o.dateLines = in.Set("date-lines");
    o.monthLines = in.Set("months");
    o.noonCurve = in.Set("noon-curve");
    o.toSolstices = in.Set("to-solstices");
    const auto extras = ReadExtraLines(in, today);
    if (!extras) return std::nullopt;
    o.extras = *extras;
    const bool hasNodus = in.Set("nodus") || byFoot;
    if ((o.dateLines || o.noonCurve) && !hasNodus) {
        in.message =
            "--date-lines and --noon-curve need the nodus: --nodus MM along the style from the "
            "root, or --foot-x, --foot-y and --nodus-height.";
        return std::nullopt;
    }
    if (o.extras.NeedsNodus() && !hasNodus && !analemmatic) {
        in.message =
            "--clock-time, --signs, --date-line, --horizon, --equinoctial, --italian, "
            "--babylonian and --temporal need the nodus: "
            "--nodus MM along the style from the root, or --foot-x, --foot-y and --nodus-height.";
        return std::nullopt;
    }
    if (in.Set("nodus")) {
        const auto nodus = in.Number("nodus");
        if (!nodus) return std::nullopt;
        o.nodusMm = *nodus;
    }
    if (in.Set("style")) {
        const auto style = in.Number("style");
        if (!style) return std::nullopt;
        o.styleMm = *style;
    }
    // Typed on a terminal that may not speak UTF-8; it goes into every file.
    o.madeOn = io::CleanText(in.Text("made", today.c_str())).text;
    if (auto message = plan::CheckPlanOptions(o)) {
        in.message = std::move(*message);
        return std::nullopt;
    }
    return o;
}

std::optional<PlaneChoice> ReadPlane(Reader& in) {
    PlaneChoice choice;
    const std::string type = LowerAscii(in.Text("dial", "vertical"));
    const std::optional<DialType> found = DialTypeNamed(type);
    if (!found) {
        in.message = "--dial: \"" + type +
                     "\" is not vertical, horizontal, polar, equatorial or analemmatic.";
        return std::nullopt;
    }
    choice.type = *found;
    if (in.Set("recline")) {
        if (choice.type != DialType::Vertical) {
            in.message = "--recline goes with --dial vertical.";
            return std::nullopt;
        }
        const auto recline = in.Number("recline");
        if (!recline) return std::nullopt;
        if (!(*recline >= -90 && *recline <= 90)) {
            in.message = "--recline: the recline must be from -90 to 90 degrees.";
            return std::nullopt;
        }
        choice.reclineDeg = *recline;
    }
    return choice;
}

std::optional<PageSetup> ReadPage(Reader& in) {
    PageSetup setup;
    setup.landscape = in.Set("landscape");
    const std::string paper = LowerAscii(in.Text("paper", "a4"));
    if (paper == "a4") {
        setup.paper = Paper::A4;
    } else if (paper == "letter") {
        setup.paper = Paper::Letter;
    } else if (paper == "a3") {
        setup.paper = Paper::A3;
    } else {
        in.message = "--paper: \"" + paper + "\" is not a4, letter or a3.";
        return std::nullopt;
    }
    return setup;
}

}  // namespace

std::optional<DialType> DialTypeNamed(std::string_view name) {
    static constexpr std::pair<const char*, DialType> kTypes[] = {
        {"vertical", DialType::Vertical},
        {"horizontal", DialType::Horizontal},
        {"polar", DialType::Polar},
        {"equatorial", DialType::Equatorial},
        {"analemmatic", DialType::Analemmatic},
    };
    const std::string lower = LowerAscii(std::string(name));
    for (const auto& [typeName, type] : kTypes) {
        if (lower == typeName) return type;
    }
    return std::nullopt;
}

engine::Plane PlaneFor(const PlaneChoice& choice, const SiteState& site) {
    double bearing = 180;
    if (!ParseBearing(site.WallBearing, bearing)) bearing = 180;
    const engine::Site at = plan::EngineSite(site);
    switch (choice.type) {
        case DialType::Vertical:
            return {bearing, choice.reclineDeg};
        case DialType::Horizontal:
            return {choice.bearingGiven ? bearing : 180, 90};
        case DialType::Polar:
            return engine::PolarPlane(at);
        case DialType::Equatorial:
            return engine::EquatorialPlane(at);
        case DialType::Analemmatic:
            return engine::HorizontalPlane();
    }
    return engine::VerticalPlane(bearing);
}

std::span<const char* const> OptionsNotOnAnalemmatic() {
    return kNotOnAnalemmatic;
}

std::span<const TemplateOptionEntry> TemplateOptionTable() {
    return kOptions;
}

const TemplateOptionEntry* TemplateOptionNamed(std::string_view name) {
    for (const TemplateOptionEntry& entry : kOptions) {
        if (name == entry.name) return &entry;
    }
    return nullptr;
}

std::optional<PlaneChoice> ReadPlaneChoice(const OptionLookup& given,
                                           const NumberReader& readNumber, std::string& message) {
    Reader in(given, readNumber);
    std::optional<PlaneChoice> choice = ReadPlane(in);
    message = std::move(in.message);
    return choice;
}

TemplateOptionsRead ReadTemplateOptions(const OptionLookup& given, const NumberReader& readNumber,
                                        const std::string& today) {
    if (auto tooLong = LongText(given)) return {std::nullopt, std::move(*tooLong)};
    Reader in(given, readNumber);
    const std::optional<plan::PlanOptions> plan = ReadPlan(in, today);
    if (!plan) return {std::nullopt, std::move(in.message)};
    const std::optional<PlaneChoice> plane = ReadPlane(in);
    if (!plane) return {std::nullopt, std::move(in.message)};
    const std::optional<PageSetup> page = ReadPage(in);
    if (!page) return {std::nullopt, std::move(in.message)};
    return {TemplateOptions{*plan, *plane, *page}, {}};
}

std::string DateLineText(std::string_view dates) {
    std::string text;
    for (const std::string_view item : UniqueItems(dates)) {
        if (!text.empty()) text += ',';
        text += item;
    }
    return text;
}

std::string TodayText() {
    const pdf::LocalTimestamp now = pdf::LocalTimeNow();
    char text[40];  // room for any int, as the compiler counts
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", now.year, now.month, now.day);
    return text;
}

}  // namespace sundial::tmpl

#include "core/template/template_options.h"

#include <array>
#include <cstdio>

#include "core/io/clean_text.h"
#include "core/pdf/creation_time.h"

namespace sundial::tmpl {

namespace {

constexpr std::array<TemplateOptionEntry, 15> kSpecs = {{
    {"width", "The plate's width, mm (50 to 5000).", "mm", nullptr},
    {"height", "The plate's height, mm (50 to 5000).", "mm", nullptr},
    {"root-x", "The gnomon's root, mm from the plate's left edge (default: the middle).", "mm",
     nullptr},
    {"root-y", "The gnomon's root, mm down from the plate's top edge (default: 0).", "mm", nullptr},
    {"half", "Draw the half hours.", nullptr, nullptr},
    {"quarter", "Draw the quarter hours.", nullptr, nullptr},
    {"numerals", "Hour numerals: roman, arabic or none (default roman).", "style", "roman"},
    {"date-lines", "Draw the nodus's shadow at the solstices and equinoxes (needs --nodus).",
     nullptr, nullptr},
    {"nodus", "The nodus's distance along the style from the root, mm.", "mm", nullptr},
    {"months", "With --date-lines, also the first of every month.", nullptr, nullptr},
    {"noon-curve", "The nodus's shadow at 12:00 through the year and the equation-of-time table.",
     nullptr, nullptr},
    {"style", "The style's length for the gnomon plate, mm (default: the nodus distance).", "mm",
     nullptr},
    {"made", "The date written in the title block (default: today).", "text", nullptr},
    {"paper", "PDF paper: a4, letter or a3 (default a4).", "paper", "a4"},
    {"landscape", "PDF pages in landscape.", nullptr, nullptr},
}};

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

std::optional<plan::PlanOptions> ReadPlan(Reader& in, const std::string& today) {
    if (!in.Set("width") || !in.Set("height")) {
        in.message = "Give the plate's size: --width MM --height MM.";
        return std::nullopt;
    }
    plan::PlanOptions o;
    const auto width = in.Number("width");
    if (!width) return std::nullopt;
    o.widthMm = *width;
    const auto height = in.Number("height");
    if (!height) return std::nullopt;
    o.heightMm = *height;
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
    if ((o.dateLines || o.noonCurve) && !in.Set("nodus")) {
        in.message =
            "--date-lines and --noon-curve need --nodus MM, the nodus's distance along the style "
            "from the root.";
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

std::span<const TemplateOptionEntry> TemplateOptionTable() {
    return kSpecs;
}

TemplateOptionsRead ReadTemplateOptions(const OptionLookup& given, const NumberReader& readNumber,
                                        const std::string& today) {
    Reader in(given, readNumber);
    const std::optional<plan::PlanOptions> plan = ReadPlan(in, today);
    if (!plan) return {std::nullopt, std::move(in.message)};
    const std::optional<PageSetup> page = ReadPage(in);
    if (!page) return {std::nullopt, std::move(in.message)};
    return {TemplateOptions{*plan, *page}, {}};
}

std::string TodayText() {
    const pdf::LocalTimestamp now = pdf::LocalTimeNow();
    char text[40];  // room for any int, as the compiler counts
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", now.year, now.month, now.day);
    return text;
}

}  // namespace sundial::tmpl

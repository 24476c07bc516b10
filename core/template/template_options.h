// The template's plate, line and paper options as a command line gives them:
// one table of names and help texts, and one reading of what was typed into
// plan options and a page setup, with the messages for what is wrong. Every
// command that writes templates (one plate, or one per site of a batch) reads
// them here, so that the rules and their messages are the same everywhere.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/plan/plan.h"
#include "core/template/tiling.h"

namespace sundial::tmpl {

struct TemplateOptionEntry {
    const char* name;          // without the leading "--"
    const char* description;   // for the command's help
    const char* valueName;     // nullptr for a switch
    const char* defaultValue;  // nullptr when none is shown
};

// --width, --height, --dial, --recline, --root-x, --root-y, --nodus,
// --foot-x, --foot-y, --nodus-height, --half, --quarter, --numerals,
// --date-lines, --months, --to-solstices, --noon-curve, --clock-time,
// --clock-time-halves, --clock-time-only, --year, --summer-numerals,
// --ten-minutes, --signs, --date-line, --horizon, --equinoctial,
// --style-thickness, --style, --made,
// --paper, --landscape, --italian, --babylonian, --temporal and --major, in
// the order a command's help lists them.
std::span<const TemplateOptionEntry> TemplateOptionTable();

enum class DialType { Vertical, Horizontal, Polar, Equatorial, Analemmatic };

// The template options an analemmatic dial, whose shadow a person casts,
// has no use for (its --dial refuses them): the gnomon's and the lines'.
std::span<const char* const> OptionsNotOnAnalemmatic();

// The type a --dial value names ("vertical", "horizontal", "polar",
// "equatorial", "analemmatic"; ASCII case ignored), or nothing.
std::optional<DialType> DialTypeNamed(std::string_view name);

// The dial's plane as asked for: a type, and for a vertical (or reclining)
// dial its recline; the bearing is the site's.
struct PlaneChoice {
    DialType type = DialType::Vertical;
    double reclineDeg = 0;
    // The site's bearing was asked for (the reader leaves this to the
    // command, which knows the site's options): a horizontal dial takes 180
    // without one; polar and equatorial dials take none.
    bool bearingGiven = false;
};

// The plane the choice makes at `site` (whose WallBearing is the bearing).
engine::Plane PlaneFor(const PlaneChoice& choice, const SiteState& site);

struct TemplateOptions {
    plan::PlanOptions plan;  // plan.plane unset: see PlaneFor
    PlaneChoice plane;
    PageSetup page;
};

// What the command line holds for an option: its text ("" for a switch), or
// nothing when it was not given.
using OptionLookup = std::function<std::optional<std::string>(std::string_view name)>;

// The caller's reading of a number typed for `option` (its locale rules): the
// value, or nothing with `message` set to say why.
using NumberReader = std::function<std::optional<double>(
    const std::string& text, std::string_view option, std::string& message)>;

// --dial and --recline alone, for the commands that work on a plane without
// drawing it (shadow, bearing): the choice, or nothing with `message` set.
std::optional<PlaneChoice> ReadPlaneChoice(const OptionLookup& given,
                                           const NumberReader& readNumber, std::string& message);

// The table's row for `name`, or nullptr: for a command taking a few of them.
const TemplateOptionEntry* TemplateOptionNamed(std::string_view name);

struct TemplateOptionsRead {
    std::optional<TemplateOptions> options;  // nothing when something is wrong
    std::string message;                     // the first thing wrong, for the user
};

// Reads the options of TemplateOptionTable(). The plate's size must be given;
// --made defaults to `today`. Every text is held to kOptionLimits
// (option_limits.h), and the dates are taken each once. Checks them as BuildPlan would, so that a
// command can refuse them before it writes anything.
TemplateOptionsRead ReadTemplateOptions(const OptionLookup& given, const NumberReader& readNumber,
                                        const std::string& today);

// The --date-line text (dates joined by commas) as a design keeps it: each
// date once, in the order first given ("06-01,12-25,06-01" keeps
// "06-01,12-25").
std::string DateLineText(std::string_view dates);

// The computer's date today, as the title block writes it ("2026-12-08").
std::string TodayText();

}  // namespace sundial::tmpl

// The options that name a site, shared by every command that designs for one:
// --place, or --lat/--lon with --east/--west, then --bearing, --utc and
// --settings. The values go through the same input rules as the dialogs, and
// out-of-range values are refused with the dialogs' own messages.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "cli/number_option.h"
#include "cli/option_parser.h"
#include "core/places/places.h"
#include "core/site/site_state.h"

namespace sundial {

struct SiteOptions {
    SiteState site;
    // --settings: where the site was loaded from and a run saves it.
    std::optional<std::filesystem::path> settingsFile;
    // Why the settings file gave no site (the default site was used); empty
    // when it did, or there was no file. For stderr, before the run.
    std::string settingsNotice;
};

// The ranges a command takes: the dialogs' (a wall at 15 to 70 N facing 110
// to 250, whole-hour zones), or any flat dial's (latitude -89 to 89, also
// with --south; bearing 0 to 360; zones -12 to 14 in fractions of an hour).
enum class SiteRanges { Dialogs, AnyDial };

void AddSiteOptions(OptionParser& parser, SiteRanges ranges = SiteRanges::Dialogs);

// Builds the site from the options: the settings file (or the default site),
// then the place or typed coordinates, then bearing and zone. Throws BadInput.
SiteOptions ReadSiteOptions(const OptionParser& parser, SiteRanges ranges = SiteRanges::Dialogs);

// The one gazetteer place `text` names (caption or place name). Throws BadInput.
const Place& ResolvePlace(const std::string& text);

}  // namespace sundial

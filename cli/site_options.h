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
    // --settings: where the site was loaded from (and, for a command that
    // saves, where the run saves it).
    std::optional<std::filesystem::path> settingsFile;
};

// What a command does with its --settings file. A file the user names is
// theirs: one that is there but is no settings file (or a link to nothing) is
// bad input and left untouched, never replaced by the default site.
enum class SettingsUse {
    Read,         // the site comes from the file, which must exist
    ReadAndSave,  // as Read, and the run saves the site to it (a missing file is made)
};

// The ranges a command takes: the dialogs' (a wall at 15 to 70 N facing 110
// to 250, whole-hour zones), or any flat dial's (latitude -89 to 89, also
// with --south; bearing 0 to 360; zones -12 to 14 in fractions of an hour).
enum class SiteRanges { Dialogs, AnyDial };

void AddSiteOptions(OptionParser& parser, SettingsUse use = SettingsUse::Read,
                    SiteRanges ranges = SiteRanges::Dialogs);

// Builds the site from the options: `base` (a project's site) or else the
// settings file (or the default site), then the place or typed coordinates,
// then bearing and zone. Throws BadInput. With `zoneReadByCaller`, --utc is
// left to the caller (see clock_site.h).
SiteOptions ReadSiteOptions(const OptionParser& parser, SettingsUse use = SettingsUse::Read,
                            SiteRanges ranges = SiteRanges::Dialogs,
                            const SiteState* base = nullptr, bool zoneReadByCaller = false);

// The one gazetteer place `text` names (caption or place name). Throws BadInput.
const Place& ResolvePlace(const std::string& text);

}  // namespace sundial

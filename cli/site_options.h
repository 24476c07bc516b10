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

void AddSiteOptions(OptionParser& parser);

// Builds the site from the options: `base` (a project's site) or else the
// settings file (or the default site), then the place or typed coordinates,
// then bearing and zone. Throws BadInput. With `zoneReadByCaller`, --utc is
// left to the caller (see clock_site.h).
SiteOptions ReadSiteOptions(const OptionParser& parser, const SiteState* base = nullptr,
                            bool zoneReadByCaller = false);

// The one gazetteer place `text` names (caption or place name). Throws BadInput.
const Place& ResolvePlace(const std::string& text);

}  // namespace sundial

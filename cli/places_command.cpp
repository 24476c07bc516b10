// sundial-cli places: the built-in gazetteer, one tab-separated row a place.
#include "cli/cli_app.h"
#include "cli/cli_command.h"
#include "core/places/places.h"
#include "core/site/number_text.h"

namespace sundial {

void AddPlacesOptions(OptionParser&) {}

int RunPlacesCommand(const OptionParser&, std::ostream& out, std::ostream&) {
    for (const Place& p : Places()) {
        out << RegionCaption(p.region) << '\t' << p.subMenu << '\t' << p.caption << '\t'
            << p.placeName << '\t' << NumberText(p.latitude) << '\t' << NumberText(p.longitude)
            << '\t' << p.utcOffset << '\n';
    }
    return kCliOk;
}

}  // namespace sundial

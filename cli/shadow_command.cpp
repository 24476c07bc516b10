// sundial-cli shadow: where the style's shadow falls on the site's wall at a
// clock time, as an angle from the downward vertical like the report's hour
// table's, and in words which side of the root it lies.
#include "cli/cli_app.h"
#include "cli/cli_command.h"
#include "cli/clock_site.h"
#include "cli/facing_angle.h"
#include "cli/output_text.h"
#include "cli/site_options.h"
#include "core/sun/style_shadow.h"

namespace sundial {

void AddShadowOptions(OptionParser& parser) {
    AddSiteOptions(parser);
    AddClockZoneOptions(parser);
    parser.AddOptions({
        {"at", "Clock time in the site's zone, e.g. 2026-06-21T15:30:00.", "time"},
        {"json", "Print the shadow's angle as JSON."},
    });
    parser.Required("at");
}

int RunShadowCommand(const OptionParser& parser, std::ostream& out, std::ostream& err) {
    const ClockSite where = ReadClockSite(parser);
    const ClockTime clock = ReadClockOption(parser.Value("at"), "at");
    const double offset = ClockOffset(where, clock, "at");
    const ShadowAtResult r = ShadowAt(where.options.site, clock, offset);
    if (!r.error.empty()) {
        throw BadInput{"--at " + parser.Value("at") + ": " + r.error};
    }
    if (!where.notice.empty()) err << where.notice << '\n';
    if (r.shadow.state != ShadowState::OnWall) {
        err << SiteEcho(where, offset, clock) << ": " << r.message << '\n';
        return kCliRunFailed;
    }
    const double angle = FacingAngle(r.shadow.angleDeg);
    if (parser.IsSet("json")) {
        nlohmann::json json{
            {"shadowAngle", RoundedJson(angle, 6)},
            {"side", SideOfRoot(angle, 6)},
            {"sunAzimuth", RoundedJson(r.sun.azimuthDeg, 6)},
            {"sunAltitude", RoundedJson(r.sun.apparentAltitudeDeg, 6)},
        };
        AddSiteJson(json, where, offset);
        out << JsonText(json);
    } else {
        out << "Site: " << SiteEcho(where, offset, clock) << '\n';
        const std::string side = SideOfRoot(angle, 2);
        out << "Shadow angle: " << FixedText(side == "vertical" ? 0.0 : angle, 2)
            << " degrees from the vertical, "
            << (side == "vertical" ? "straight down from the root"
                                   : "to the " + side + " of the root")
            << '\n';
    }
    return kCliOk;
}

}  // namespace sundial

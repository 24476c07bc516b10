// sundial-cli shadow: where the style's shadow falls on the site's wall at a
// clock time, as an angle from the downward vertical like the report's hour
// table's, and in words which side of the root it lies.
#include "cli/cli_app.h"
#include "cli/cli_command.h"
#include "cli/facing_angle.h"
#include "cli/output_text.h"
#include "cli/site_options.h"
#include "core/sun/style_shadow.h"

namespace sundial {

void AddShadowOptions(OptionParser& parser) {
    AddSiteOptions(parser);
    parser.AddOptions({
        {"at", "Clock time in the site's zone, e.g. 2026-06-21T15:30:00.", "time"},
        {"json", "Print the shadow's angle as JSON."},
    });
    parser.Required("at");
}

int RunShadowCommand(const OptionParser& parser, std::ostream& out, std::ostream& err) {
    const SiteOptions options = ReadSiteOptions(parser);
    const ClockTime clock = ReadClockOption(parser.Value("at"), "at");
    const ShadowAtResult r = ShadowAt(options.site, clock, options.site.UtcOffset);
    if (!r.error.empty()) {
        throw BadInput{"--at " + parser.Value("at") + ": " + r.error};
    }
    if (r.shadow.state != ShadowState::OnWall) {
        err << r.message << '\n';
        return kCliRunFailed;
    }
    const double angle = FacingAngle(r.shadow.angleDeg);
    if (parser.IsSet("json")) {
        const nlohmann::json json{
            {"shadowAngle", RoundedJson(angle, 6)},
            {"side", SideOfRoot(angle, 6)},
            {"sunAzimuth", RoundedJson(r.sun.azimuthDeg, 6)},
            {"sunAltitude", RoundedJson(r.sun.apparentAltitudeDeg, 6)},
        };
        out << JsonText(json);
    } else {
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

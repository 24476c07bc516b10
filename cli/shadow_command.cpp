// sundial-cli shadow: where the style's shadow falls on the dial's face at a
// clock time: on the site's wall by default, or on any plane the template
// draws (--dial, --recline), as an angle from the plate's down line through
// the root like the template's hour lines, and in words which side it lies.
#include "cli/cli_app.h"
#include "cli/cli_command.h"
#include "cli/clock_site.h"
#include "cli/facing_angle.h"
#include "cli/output_text.h"
#include "cli/plane_options.h"
#include "cli/site_options.h"
#include "core/sun/plane_shadow.h"

namespace sundial {

void AddShadowOptions(OptionParser& parser) {
    AddSiteOptions(parser, SettingsUse::Read, SiteRanges::AnyDial);
    AddClockZoneOptions(parser);
    AddPlaneOptions(parser);
    parser.AddOptions({
        {"at",
         "Clock time in the site's zone, e.g. 2026-06-21T15:30:00; an offset after it "
         "(2026-11-01T01:30:00-05:00) says which of a repeated hour.",
         "time"},
        {"json", "Print the shadow's angle as JSON."},
    });
    parser.Required("at");
}

int RunShadowCommand(const OptionParser& parser, std::ostream& out, std::ostream& err) {
    const ClockSite where = ReadClockSite(parser);
    const FieldPlane face = ReadFieldPlane(parser, where.options.site);
    const StampedClock at = ReadStampedOption(parser.Value("at"), "at");
    const double offset = ClockOffset(where, at, "at");
    const PlaneShadowAt r =
        ShadowOnPlaneAt(where.options.site, face.plane, face.face, at.clock, offset);
    if (!r.error.empty()) {
        throw BadInput{"--at " + parser.Value("at") + ": " + r.error};
    }
    if (!where.notice.empty()) err << where.notice << '\n';
    if (r.shadow.state != ShadowState::OnWall) {
        err << SiteEcho(where, offset, at.clock) << ": " << r.message << '\n';
        return kCliRunFailed;
    }
    const bool wall = face.face == "wall";
    const std::optional<double> apart = r.shadow.offsetPerHeight;
    const double angle = apart ? 0.0 : r.shadow.angleDeg;
    if (parser.IsSet("json")) {
        nlohmann::json json{
            {"sunAzimuth", RoundedJson(r.sun.azimuthDeg, 6)},
            {"sunAltitude", RoundedJson(r.sun.apparentAltitudeDeg, 6)},
            {"plane",
             {{"bearing", RoundedJson(face.plane.bearingDeg, 6)},
              {"recline", RoundedJson(face.plane.reclineDeg, 6)}}},
        };
        if (apart) {
            json["shadowOffset"] = RoundedJson(*apart, 6);
        } else {
            json["shadowAngle"] = RoundedJson(angle, 6);
            json["side"] = SideOfRoot(angle, 6);
        }
        AddSiteJson(json, where, offset);
        out << JsonText(json);
        return kCliOk;
    }
    out << "Site: " << SiteEcho(where, offset, at.clock) << '\n';
    if (apart) {
        // The root is at infinity: the shadow is placed by its distance.
        out << "Shadow: parallel to the substyle, " << FixedText(std::abs(*apart), 3)
            << " mm to the " << (*apart < 0 ? "left" : "right")
            << " of it for each mm of the style's height\n";
        return kCliOk;
    }
    const std::string side = SideOfRoot(angle, 2);
    const bool up = FixedText(std::abs(angle), 2) == "180.00";
    out << "Shadow angle: " << FixedText(side == "vertical" ? 0.0 : angle, 2) << " degrees from "
        << (wall ? "the vertical, " : "the plate's down line, ")
        << (side == "vertical" ? (wall ? "straight down from the root" : "along it from the root")
            : up               ? "straight up the plate from the root"
                               : "to the " + side + " of the root")
        << '\n';
    return kCliOk;
}

}  // namespace sundial

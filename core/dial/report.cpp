#include "core/dial/report.h"

#include "core/dial/recording_surface.h"
#include "core/site/number_text.h"

namespace sundial {

bool HasVisibleOffset(const DialGeometry& dial) {
    return FloorTenths(dial.GnomonOffset) != 0.0f;
}

void PrintReportHeading(DrawingSurface& surface, const SiteState& site, const DialGeometry& dial) {
    surface.Clear();
    surface.PrintLine({{"  Sundial Calculation for:   "}, {site.PlaceName}});
    surface.PrintLine({{"  Latitude: "},
                       {PrintedNumber(site.Latitude)},
                       {",  Longitude: "},
                       {PrintedNumber(site.Longitude)},
                       {",  Wall Bearing: "},
                       {site.WallBearing}});
    surface.PrintLine({});
    if (HasVisibleOffset(dial)) {
        surface.PrintLine({{"  The offset of the Gnome from vertical is "},
                           {PrintedNumber(FloorHundredths(dial.GnomonOffset))},
                           {" degrees to the "},
                           {dial.OffsetSide}});
    } else {
        surface.PrintLine(
            {{"  The offset of the Gnome from vertical is 0 degrees.                        "}});
    }
    surface.PrintLine({{"  Angle of the Gnome in front of the shadow-plane is "},
                       {PrintedNumber(FloorHundredths(dial.GnomonAngle))},
                       {" degrees. "}});
    surface.PrintLine({});
    surface.PrintLine({{"  Hour", true}, {"Shadow Angle (from Vertical)"}});
    surface.PrintLine({});
}

void PrintReportRow(DrawingSurface& surface, const HourRow& row) {
    // An hour label is a small whole number: its NumberText is its digits.
    surface.PrintLine(
        {{"   " + std::to_string(row.hour) + "  ", true}, {NumberText(row.angle) + "    "}});
}

std::string ReportText(const SiteState& site, const DialGeometry& dial) {
    RecordingSurface surface(0, 0);
    PrintReportHeading(surface, site, dial);
    for (const HourRow& row : dial.HourList) PrintReportRow(surface, row);
    return surface.Text();
}

}  // namespace sundial

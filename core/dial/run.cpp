#include "core/dial/run.h"

#include <exception>

#include "core/dial/dial_drawing.h"
#include "core/dial/equation_of_time.h"
#include "core/dial/report.h"
#include "core/dial/window_furniture.h"

namespace sundial {

namespace {

// Runs one sheet step; a failure there ends the run with SheetFailed.
template <typename Step>
bool SheetStep(RunResult& result, Step&& step) {
    try {
        step();
        return true;
    } catch (const ArithmeticFault&) {
        throw;
    } catch (const std::exception& e) {
        result.status = RunStatus::SheetFailed;
        result.message = e.what();
        return false;
    }
}

}  // namespace

RunResult RunDial(const SiteState& site, const std::filesystem::path& settingsFile,
                  const RunTargets& targets, DialGeometry& dial) {
    RunResult result;
    if (!settingsFile.empty()) {
        result.settingsSaved = SaveSiteSettings(site, settingsFile, &result.settingsError);
    }
    try {
        ComputeGnomon(site, dial);
        if (targets.cascade) targets.cascade();
        dial.OffsetSide = OffsetSideFor(site.DeclinationSide);
        dial.FirstPositiveHour.reset();
        dial.LastNegativeHour.reset();
        dial.HourList.clear();

        PrintReportHeading(targets.number, site, dial);
        if (targets.sheet && !SheetStep(result, [&] { targets.sheet->Begin(site, dial); })) {
            return result;
        }

        const DialRoot root = PrepareDialDrawing(targets.draw);
        for (int hour = kFirstDialHour; hour <= kLastDialHour; ++hour) {
            ComputeHour(site, dial, hour);
            DrawHourLine(targets.draw, root, hour, dial.RawShadowAngle[hour]);
        }

        dial.HourList = BuildHourList(dial);
        for (const HourRow& row : dial.HourList) {
            PrintReportRow(targets.number, row);
            if (targets.sheet && !SheetStep(result, [&] { targets.sheet->Row(row); })) {
                return result;
            }
        }
        if (targets.sheet && !SheetStep(result, [&] { targets.sheet->Finish(dial); })) {
            return result;
        }

        DrawFootLine(targets.draw, root, dial);
        DrawEquationOfTime(targets.chart);
    } catch (const ArithmeticFault& fault) {
        result.status = RunStatus::ArithmeticFault;
        result.message = std::string("This site gives no dial (") + fault.what() +
                         "). Check the latitude, longitude and wall bearing.";
    }
    return result;
}

void DrawCascadeFurniture(DrawingSurface& draw, DrawingSurface& chart) {
    DrawDialFrame(draw);
    DrawChartFurniture(chart);
}

}  // namespace sundial

// The run: turns the site into the dial's geometry and produces every output
// from it, always from scratch and always in the same order (save settings,
// gnomon, cascade, report heading, sheet heading, dial preparation, hour lines,
// hour rows, sheet page 2, foot line, equation-of-time curve).
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "core/dial/drawing_surface.h"
#include "core/dial/geometry.h"
#include "core/site/site_state.h"

namespace sundial {

// The printable dial sheet, written only by runs started by "Make PDF".
// Implementations may throw std::exception on I/O failure; the run reports it.
class SheetOutput {
  public:
    virtual ~SheetOutput() = default;
    // Set-up and page 1 heading (after the report heading).
    virtual void Begin(const SiteState& site, const DialGeometry& dial) = 0;
    // One HourList row for page 1 (right after the same row went to the report).
    virtual void Row(const HourRow& row) = 0;
    // Page 2, closing the file and handing it to a viewer.
    virtual void Finish(const DialGeometry& dial) = 0;
};

struct RunTargets {
    DrawingSurface& draw;    // "Sundial Drawing"
    DrawingSurface& number;  // "Calculations"
    DrawingSurface& chart;   // "The Equation of Time"
    // Sizes the child windows, clears the drawing and chart, draws their fixed
    // furniture. Called once, after the gnomon quantities, before any output.
    std::function<void()> cascade;
    SheetOutput* sheet = nullptr;  // set only while "Make PDF" runs
};

enum class RunStatus {
    Completed,
    ArithmeticFault,  // the site gave no dial; outputs made before the fault stay
    SheetFailed,      // the sheet could not be written; screen outputs stay
};

struct RunResult {
    RunStatus status = RunStatus::Completed;
    bool settingsSaved = false;
    std::string settingsError;  // why the settings file was not saved; the old one is kept
    std::string message;        // for the user when status is not Completed
};

// Runs once. `dial` receives the geometry (kept by the caller between runs).
// `settingsFile` is rewritten first (localdata.txt in the working directory);
// an empty path saves nothing (the command line without --settings).
RunResult RunDial(const SiteState& site, const std::filesystem::path& settingsFile,
                  const RunTargets& targets, DialGeometry& dial);

// Cascade's drawing on the two drawing windows, for callers without windows.
void DrawCascadeFurniture(DrawingSurface& draw, DrawingSurface& chart);

}  // namespace sundial

// Creates the tools' windows the first time they are asked for, and afresh
// after they were closed (closing destroys a window, so a new one reads the
// current site). Owned by whoever wires the main window's "Tools" menu.
#pragma once

#include <QPointer>

#include "ui/tools/measure_bearing_dialog.h"

namespace sundial {

class ToolWindows {
  public:
    // `warn` shows the tools' warnings; empty means the real message box.
    explicit ToolWindows(MainWindowApi& main, frmMeasureBearing::WarnFunction warn = {});
    ~ToolWindows();
    ToolWindows(const ToolWindows&) = delete;
    ToolWindows& operator=(const ToolWindows&) = delete;

    // "Measure Wall Bearing…"
    frmMeasureBearing& MeasureBearing();
    frmMeasureBearing* ExistingMeasureBearing() const { return measureBearing_.data(); }

  private:
    MainWindowApi& main_;
    frmMeasureBearing::WarnFunction warn_;
    QPointer<frmMeasureBearing> measureBearing_;
};

}  // namespace sundial

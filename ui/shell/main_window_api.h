// What the other windows (gazetteer windows, dialogs) call on the main window
// by name. The main window implements it; tests use a double.
#pragma once

#include "core/dial/geometry.h"
#include "core/site/site_state.h"

class QWidget;

namespace sundial {

class MainWindowApi {
  public:
    virtual ~MainWindowApi() = default;
    // The one SiteState of the program.
    virtual SiteState& Site() = 0;
    // The last run's geometry (GnomonAngle for the gnomon dialog).
    virtual const DialGeometry& Dial() const = 0;
    // The run: saves the settings, recomputes and redraws everything.
    virtual void mnuRun_Click() = 0;
    // Selects zone `value` when it is a whole number -12..12 (and runs).
    virtual void Timeset(double value) = 0;
    // The main window itself, for placing windows over or beside it.
    virtual QWidget* MainWidget() = 0;
};

}  // namespace sundial

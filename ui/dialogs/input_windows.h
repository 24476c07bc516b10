// The gazetteer windows and the three input dialogs of one main window,
// plugged into its Location, "Wall &Bearing" and "Gnome" menu items and into
// start-up's default place. Create it after the main window and before
// start-up; it may go before or after the main window.
#pragma once

#include "ui/dialogs/dialog_windows.h"
#include "ui/gazetteer/gazetteer_window.h"

namespace sundial {

class frmMain;

class InputWindows {
  public:
    // `warn` shows the dialogs' warnings; empty means the real message box.
    explicit InputWindows(frmMain& main, WarnFunction warn = {});

    GazetteerWindows& Gazetteers() { return gazetteers_; }
    DialogWindows& Dialogs() { return dialogs_; }

  private:
    GazetteerWindows gazetteers_;
    DialogWindows dialogs_;
};

}  // namespace sundial

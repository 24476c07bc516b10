// Creates each input dialog the first time it is asked for, and afresh after
// it was closed (closing destroys a dialog, so a new one reads the current
// site). Owned by the main window.
#pragma once

#include <QPointer>

#include "ui/dialogs/bearing_dialog.h"
#include "ui/dialogs/gnome_dialog.h"
#include "ui/dialogs/lat_long_dialog.h"

namespace sundial {

class GazetteerWindows;

class DialogWindows {
  public:
    // `warn` shows the dialogs' warnings; empty means the real message box.
    DialogWindows(MainWindowApi& main, GazetteerWindows& gazetteers, WarnFunction warn = {});
    ~DialogWindows();
    DialogWindows(const DialogWindows&) = delete;
    DialogWindows& operator=(const DialogWindows&) = delete;

    frmLatLong& LatLong();
    frmBearing& Bearing();
    frmGnome& Gnome();

    // The dialog if it is open, without creating it.
    frmLatLong* ExistingLatLong() const { return latLong_.data(); }
    frmBearing* ExistingBearing() const { return bearing_.data(); }
    frmGnome* ExistingGnome() const { return gnome_.data(); }

  private:
    MainWindowApi& main_;
    GazetteerWindows& gazetteers_;
    WarnFunction warn_;
    QPointer<frmLatLong> latLong_;
    QPointer<frmBearing> bearing_;
    QPointer<frmGnome> gnome_;
};

}  // namespace sundial

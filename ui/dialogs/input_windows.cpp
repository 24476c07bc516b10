#include "ui/dialogs/input_windows.h"

#include "ui/shell/main_window.h"

namespace sundial {

InputWindows::InputWindows(frmMain& main, WarnFunction warn)
    : gazetteers_(main), dialogs_(main, gazetteers_, std::move(warn)) {
    SecondaryWindows windows;
    windows.gazetteer = [this](Region region) -> QWidget* { return &gazetteers_.Window(region); };
    windows.latLong = [this]() -> QWidget* { return &dialogs_.LatLong(); };
    windows.bearing = [this]() -> QWidget* { return &dialogs_.Bearing(); };
    windows.gnome = [this]() -> QWidget* { return &dialogs_.Gnome(); };
    windows.selectExeter = [this] { gazetteers_.Window(DefaultPlace().region).mnuExeter_Click(); };
    main.setSecondaryWindows(std::move(windows));
}

}  // namespace sundial

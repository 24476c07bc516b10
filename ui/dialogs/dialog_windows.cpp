#include "ui/dialogs/dialog_windows.h"

#include "ui/shell/main_window_api.h"

namespace sundial {

DialogWindows::DialogWindows(MainWindowApi& main, GazetteerWindows& gazetteers, WarnFunction warn)
    : main_(main), gazetteers_(gazetteers), warn_(std::move(warn)) {}

DialogWindows::~DialogWindows() {
    delete latLong_.data();
    delete bearing_.data();
    delete gnome_.data();
}

frmLatLong& DialogWindows::LatLong() {
    if (!latLong_) latLong_ = new frmLatLong(main_, gazetteers_, warn_, main_.MainWidget());
    return *latLong_;
}

frmBearing& DialogWindows::Bearing() {
    if (!bearing_) bearing_ = new frmBearing(main_, warn_, main_.MainWidget());
    return *bearing_;
}

frmGnome& DialogWindows::Gnome() {
    if (!gnome_) gnome_ = new frmGnome(main_, warn_, main_.MainWidget());
    return *gnome_;
}

}  // namespace sundial

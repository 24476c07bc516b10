#include "ui/tools/tool_windows.h"

#include "ui/shell/main_window_api.h"

namespace sundial {

ToolWindows::ToolWindows(MainWindowApi& main, frmMeasureBearing::WarnFunction warn)
    : main_(main), warn_(std::move(warn)) {}

ToolWindows::~ToolWindows() {
    delete measureBearing_.data();
}

frmMeasureBearing& ToolWindows::MeasureBearing() {
    if (!measureBearing_) measureBearing_ = new frmMeasureBearing(main_, warn_, main_.MainWidget());
    return *measureBearing_;
}

}  // namespace sundial

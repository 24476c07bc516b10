// The end of the program: every window it opened goes with the main window,
// so that nothing keeps it alive.
#pragma once

class QWidget;

namespace sundial {

// Closes every visible top-level window except `main`: the splash, the
// location dialog, the West Europe, East Europe and North America windows and
// the bearing dialog in that order, then the gnomon dialog, then any other.
void CloseOtherWindows(const QWidget& main);

}  // namespace sundial

// Boxes under a scrolling pane change only by the user's intent: the wheel
// scrolls the pane, and turns a box's value only while that box has the
// keyboard focus (clicked or tabbed into), never because the pointer passed
// over it on the way down.
#pragma once

class QScrollArea;

namespace sundial {

// Guards every combo and spin box on `pane`'s page as it stands now (guard
// again after adding boxes): they take the focus by click or tab only, and
// an unfocused box hands the wheel to the pane.
void GuardWheel(QScrollArea* pane);

}  // namespace sundial

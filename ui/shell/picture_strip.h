// The picture strip docked along the top of the main window: light yellow,
// 135 twips high across the full width, holding the thin strip of a sundial
// photograph (picClock) 2040 twips from the left, 5055 wide.
#pragma once

class QWidget;

namespace sundial {

QWidget* NewPictureStrip(QWidget* parent);

}  // namespace sundial

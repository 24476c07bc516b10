// "Tools" › "Show Shadow Now": while it is on, every run also draws the
// style's shadow at the computer's clock time over the dial, and a run is
// repeated at each whole minute so the line follows the sun. Off, the drawing
// is exactly what the run alone makes.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "core/dial/drawing_surface.h"
#include "core/site/site_state.h"

namespace sundial {

class ShadowNow final : public QObject {
    Q_OBJECT
  public:
    // `rerun` redraws everything (the main window's run).
    explicit ShadowNow(std::function<void()> rerun, QObject* parent = nullptr);

    bool isOn() const { return on_; }
    // Switches the line on or off and redraws at once.
    void setOn(bool on);
    // After a run: the shadow line for this moment, when on and the wall is lit.
    void drawOn(DrawingSurface& surface, const SiteState& site) const;

  private:
    void scheduleNextMinute();

    std::function<void()> rerun_;
    QTimer timer_;
    bool on_ = false;
};

}  // namespace sundial

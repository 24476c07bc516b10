// The three gazetteer windows: small top-level windows that are nothing but a
// menu bar "Location" > region > town. Every town item is checkable and all of
// them share one handler, driven by the place table.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/places/places.h"

class QAction;

namespace sundial {

class MainWindowApi;
class GazetteerWindows;

class GazetteerWindow final : public QMainWindow {
    Q_OBJECT
  public:
    // objectName is RegionWindowName(region) ("frmWestEurope", ...).
    GazetteerWindow(Region region, MainWindowApi& main, GazetteerWindows& all,
                    QWidget* parent = nullptr);

    Region region() const { return region_; }

    // Clears the check mark of every town item of this window, in menu order.
    void Uncheck();
    // Picks "Exeter" exactly as a click on it would (start-up's default place).
    // Only the West Europe window holds Exeter; elsewhere it does nothing.
    void mnuExeter_Click();
    // The handler of every town item: place, coordinates, check marks, zone,
    // and the run.
    void Pick(const Place& place);

    // The town item whose control name is `itemName` ("mnuLondon"), or null.
    QAction* Item(const char* itemName) const;
    // Control names of the checked town items, in menu order.
    std::vector<std::string> CheckedItems() const;

  protected:
    bool event(QEvent* event) override;

  private:
    // Uncheck on all three windows, this one first, in the window's own order.
    void UncheckAll();

    Region region_;
    MainWindowApi& main_;
    GazetteerWindows& all_;
    std::vector<std::pair<const Place*, QAction*>> items_;  // menu order
};

// Creates each gazetteer window the first time anything refers to it, and
// again (with no check mark) after the user closed it. Owned by the main
// window; the windows are deleted when they are closed or when this goes.
class GazetteerWindows {
  public:
    explicit GazetteerWindows(MainWindowApi& main);
    ~GazetteerWindows();
    GazetteerWindows(const GazetteerWindows&) = delete;
    GazetteerWindows& operator=(const GazetteerWindows&) = delete;

    // The window, created hidden if it does not exist.
    GazetteerWindow& Window(Region region);
    // The window if it exists, without creating it.
    GazetteerWindow* Existing(Region region) const;

  private:
    static size_t Index(Region region) { return static_cast<size_t>(region); }

    MainWindowApi& main_;
    std::array<QPointer<GazetteerWindow>, 3> windows_;
};

}  // namespace sundial

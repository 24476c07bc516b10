// frmMain: the main window. A multiple-document window holding the three
// child windows, the menu bar, the time-zone menu and the start-up sequence.
// It carries the procedures the other windows call by name (mnuRun_Click,
// Timeset, Cascade) and decides nothing the core can decide: the site, the
// run, the zone menu, the child sizes, the placements and what "Make PDF"
// says all come from there.
//
// The gazetteer windows and the three dialogs live in a layer above this one,
// so they are reached through factories: fill a SecondaryWindows and hand it
// to setSecondaryWindows() before Startup() (ui/dialogs/input_windows.h does).
// A factory returns its window, creating it when it has none; without one the
// menu item only moves its check mark.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <bitset>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/dial/run.h"
#include "core/dial/run_notes.h"
#include "core/places/places.h"
#include "core/site/site_state.h"
#include "core/site/time_zone_menu.h"
#include "ui/shell/child_window.h"
#include "ui/shell/desktop_hooks.h"
#include "ui/shell/main_window_api.h"
#include "ui/shell/run_guard.h"
#include "ui/shell/shadow_now.h"
#include "ui/shell/splash_window.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;

namespace sundial {

class PdfDialSheet;

struct SecondaryWindows {
    std::function<QWidget*(Region region)> gazetteer;  // frmWestEurope, ...
    std::function<QWidget*()> latLong;                 // frmLatLong
    std::function<QWidget*()> bearing;                 // frmBearing
    std::function<QWidget*()> gnome;                   // frmGnome
    // Picks "Exeter" in the West Europe window exactly as a click would: the
    // default site at start-up. Empty: the main window applies the row itself.
    std::function<void()> selectExeter;
};

// The "Tools" menu's windows, also from the layer above.
struct ToolWindowFactories {
    std::function<QWidget*()> measureBearing;  // "Measure Wall Bearing…"
    std::function<QWidget*()> dialTemplate;    // "Dial Template…"
};

// Makes the printable sheet for one "Make PDF" run, writing to `pdfFile`.
using SheetFactory = std::function<std::unique_ptr<SheetOutput>(const std::filesystem::path&)>;

class frmMain final : public QMainWindow, public MainWindowApi, public StartupHost {
    Q_OBJECT
  public:
    struct Options {
        // Where localdata.txt is read and written; empty: the working
        // directory at the moment of each read or write.
        std::filesystem::path settingsFolder;
        // Where "Make PDF" writes sundial.pdf; empty: the program's own folder
        // (or the user's documents when that cannot be written).
        std::filesystem::path pdfFolder;
        DesktopHooks hooks;
    };

    explicit frmMain(Options options = {});
    ~frmMain() override;

    // Start-up: restore the site, centre, lay out the children, show, splash
    // for about two seconds, close the splash.
    void Startup();
    // True once the main window has been asked to close: the program is ending.
    bool IsClosing() const { return guard_.closing(); }

    void setSecondaryWindows(SecondaryWindows windows) { windows_ = std::move(windows); }
    void setToolWindows(ToolWindowFactories tools) { tools_ = std::move(tools); }
    // The printable sheet; PdfDialSheet unless replaced. An empty factory
    // makes "Make PDF" run without a sheet and say so.
    void setSheetFactory(SheetFactory factory) { sheetFactory_ = std::move(factory); }

    // MainWindowApi
    SiteState& Site() override { return site_; }
    const DialGeometry& Dial() const override { return dial_; }
    void mnuRun_Click() override;
    void Timeset(double value) override;
    QWidget* MainWidget() override { return this; }

    // StartupHost
    void ClearLocationChecks() override;
    void CheckLocationItem(LocationItem item) override;
    void SelectExeter() override;

    // Sizes the children to the main window and draws their fixed furniture.
    void Cascade();
    // Waits `seconds` by the calendar clock while window events go on.
    void PauseSeconds(int seconds);

    // Placement of another window, by its outer size and position.
    void CenterOverMainWindow(QWidget* window) const;
    void PlaceBesideMainWindow(QWidget* window) const;
    static void CenterOnScreen(QWidget* window);

    // The windows this one owns or opened.
    ChildWindow* frmDraw() const { return draw_; }
    ChildWindow* frmNumber() const { return number_; }
    ChildWindow* frmEquationoftime() const { return chart_; }
    frmSplash* splash() const { return splash_; }
    // The gazetteer window of a region, created on first use; null when no
    // factory was given.
    QWidget* gazetteerWindow(Region region);

    bool PdfRequested() const { return pdfRequested_; }
    // Runs made so far and how the last one ended.
    int runCount() const { return runCount_; }
    // The sheet every "Make PDF" reuses; null before the first.
    PdfDialSheet* pdfSheet() { return pdfSheet_.get(); }
    const RunResult& lastRun() const { return lastRun_; }
    const TimeZoneMenu& zoneMenu() const { return zoneMenu_; }

  public slots:
    void mnuHelp_Click();
    void mnuPrint_Click();
    void mnuBearing_Click();
    void mnuLatLong_Click();
    void mnuGnome_Click();
    void openGazetteer(Region region);
    void mnuMeasureBearing_Click();
    void mnuDialTemplate_Click();
    void mnuShadowNow_Click(bool checked);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void createMenus();
    void createToolsMenu();
    void createCentralArea();
    void createChildWindows();
    void createSheetFactory();
    // Check marks and visible items of the Location and TimeZone menus, from
    // the state they show.
    void updateMenus();
    void chooseZone(int offset);
    void applyZone(int offset);
    void chooseLocation(LocationItem item);
    void arrangeCascade();
    void onSubWindowActivated(QMdiSubWindow* window);
    void showCenteredOver(QWidget* window);
    frmSplash* ensureSplash();
    RunResult run(SheetOutput* sheet);

    Options options_;
    DesktopHooks hooks_;
    SecondaryWindows windows_;
    ToolWindowFactories tools_;
    ShadowNow* shadowNow_ = nullptr;
    SheetFactory sheetFactory_;
    std::unique_ptr<PdfDialSheet> pdfSheet_;  // created by the first "Make PDF"

    SiteState site_;
    DialGeometry dial_;
    TimeZoneMenu zoneMenu_;
    std::bitset<4> locationChecks_;  // by LocationItem
    bool pdfRequested_ = false;
    RunGuard guard_;

    QMdiArea* mdiArea_ = nullptr;
    ChildWindow* draw_ = nullptr;
    ChildWindow* number_ = nullptr;
    ChildWindow* chart_ = nullptr;
    QPointer<frmSplash> splash_;
    std::vector<QAction*> mnuLocations_;  // by LocationItem
    std::vector<QAction*> mnuZones_;      // the 25 zones, then mnuUTCtemp

    QMdiSubWindow* lastActive_ = nullptr;  // focus handling follows changes only
    bool toldPdfFolder_ = false;           // about a sheet kept outside the program's folder
    // Why start-up could not use the settings file; said after every run
    // while the site is still the one start-up fell back to.
    StartupSettingsNote settingsNote_;
    int runCount_ = 0;
    RunResult lastRun_;
};

}  // namespace sundial

// "Measure Wall Bearing": readings taken against the wall in sunlight (a
// pin's shadow on a level board, or the moment the sun comes onto or leaves
// the face), each turned into a bearing from the sun's true position, their
// mean and spread; "Use this bearing" stores the mean in the site exactly as
// the Wall Bearing dialog would and runs once. Pin readings on a level dial
// plate give the plate's bearing and its true north line instead, for the
// template; they are not a wall's and are never used as one.
//
// Modeless, destroyed when closed. Unlike the input dialogs it stays open
// when it loses the focus: a measurement takes a while, and a person goes
// back and forth between the wall and the program. Its site starts as the
// main window's and follows it when that changes, but may be typed over
// anywhere the field tools reach (the main window's own site is left as it
// is); when the site changes, the readings are worked out again for the new
// one and the dialog says so. The clock runs with the computer's
// until the person changes the date or time ("Now" starts it again).
#pragma once

#include <QDialog>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/site/site_state.h"
#include "core/sun/reading_file.h"
#include "core/sun/wall_bearing.h"
#include "ui/tools/readings_table.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimeEdit;

namespace sundial {

class BoardPicture;
class MainWindowApi;
class ReadingEntry;
class SiteEntry;

class frmMeasureBearing final : public QDialog {
    Q_OBJECT
  public:
    // Shows a warning message box; tests replace it to capture texts.
    using WarnFunction = std::function<void(QWidget* parent, const QString& text)>;
    // Asks a yes/no question; true for yes.
    using AskFunction = std::function<bool(QWidget* parent, const QString& text)>;

    explicit frmMeasureBearing(MainWindowApi& main, WarnFunction warn = {},
                               QWidget* parent = nullptr);
    void SetAsk(AskFunction ask) { ask_ = std::move(ask); }

    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdUse_Click();
    void cmdNow_Click();
    // What Save and Load do with the file chosen. False (and said) on failure.
    bool SaveReadingsTo(const std::filesystem::path& file);
    bool LoadReadingsFrom(const std::filesystem::path& file);
    // Checks the main window's site and the clock; the dialog's timer calls it
    // every second.
    void Tick();

    // One row of the table: the reading as taken, in its own zone.
    using Entry = MeasuredReading;
    const std::vector<Entry>& Entries() const { return entries_; }
    // The summary shown, when there are readings.
    const std::optional<WallBearingMeasurement>& Measurement() const { return measurement_; }

    QLabel* lblSite;
    SiteEntry* fraSite;
    ReadingEntry* fraReading;
    // The reading group's boxes, as the window's own.
    QDateEdit* dtpDate;
    QTimeEdit* dtpTime;
    QPushButton* cmdNow;
    QComboBox* cboZone;
    QComboBox* cboMethod;
    QComboBox* cboLight;
    QLineEdit* txtAngle;
    QPushButton* cmdAdd;
    QLabel* lblPlan;
    QTableWidget* grdReadings;
    QPushButton* cmdRemove;
    QPushButton* cmdSave;
    QPushButton* cmdLoad;
    QLabel* lblMean;
    QLabel* lblWarning;
    QLabel* lblStatus;
    QPushButton* cmdUse;
    QPushButton* cmdClose;
    BoardPicture* picBoard;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Connect();
    Observer ObserverFor(const ClockZone& zone) const;
    void ShowSite();
    void SiteTyped();
    // The readings worked out again for `site`, and said so.
    void MoveTo(const SiteState& site);
    void ShowPlan();
    void Recompute();
    void Say(const QString& text);

    MainWindowApi& main_;
    WarnFunction warn_;
    AskFunction ask_;
    std::vector<Entry> entries_;
    std::optional<WallBearingMeasurement> measurement_;
    SiteState site_;        // the site the readings are worked out for
    SiteState mainSite_;    // the main window's, when last looked at
    bool unsaved_ = false;  // readings added or changed since the last save
    bool used_ = false;     // the result went to the dial: nothing to lose
    QTimer ticker_;
};

}  // namespace sundial

// "Measure Wall Bearing": readings taken against the wall in sunlight (a
// pin's shadow on a level board, or the moment the sun comes onto or leaves
// the face), each turned into a bearing from the sun's true position, their
// mean and spread; "Use this bearing" stores the mean in the site exactly as
// the Wall Bearing dialog would and runs once.
//
// Modeless, destroyed when closed. Unlike the input dialogs it stays open
// when it loses the focus: a measurement takes a while, and a person goes
// back and forth between the wall and the program.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "core/sun/wall_bearing.h"

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

class frmMeasureBearing final : public QDialog {
    Q_OBJECT
  public:
    // Shows a warning message box; tests replace it to capture texts.
    using WarnFunction = std::function<void(QWidget* parent, const QString& text)>;

    explicit frmMeasureBearing(MainWindowApi& main, WarnFunction warn = {},
                               QWidget* parent = nullptr);

    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdUse_Click();

    // One row of the table: the reading as taken, in its own zone.
    struct Entry {
        WallReading reading;
        double utcOffsetHours = 0;
        ReadingBearing result;
    };
    const std::vector<Entry>& Entries() const { return entries_; }
    // The summary shown, when there are readings.
    const std::optional<WallBearingMeasurement>& Measurement() const { return measurement_; }

    QDateEdit* dtpDate;
    QTimeEdit* dtpTime;
    QComboBox* cboZone;
    QComboBox* cboMethod;
    QLineEdit* txtAngle;
    QPushButton* cmdAdd;
    QTableWidget* grdReadings;
    QPushButton* cmdRemove;
    QLabel* lblMean;
    QLabel* lblWarning;
    QLabel* lblStatus;
    QPushButton* cmdUse;
    QPushButton* cmdClose;
    BoardPicture* picBoard;

  private:
    void MethodChanged();
    void Recompute();
    void Say(const QString& text);

    MainWindowApi& main_;
    WarnFunction warn_;
    std::vector<Entry> entries_;
    std::optional<WallBearingMeasurement> measurement_;
};

}  // namespace sundial

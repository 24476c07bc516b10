// The "Reading" group of the Measure Wall Bearing window: when the reading
// was taken and on which zone's clock, how (a shadow on a board against the
// wall, the sun coming onto or leaving the wall, a pin on a level plate), the
// moment timed or the shadow's angle, and a picture of it. It turns the boxes
// into one WallReading and its zone.
#pragma once

#include <QGroupBox>
#include <optional>

#include "core/site/site_state.h"
#include "core/sun/clock_zone.h"
#include "core/sun/wall_bearing.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;

namespace sundial {

class BoardPicture;

class ReadingEntry final : public QGroupBox {
    Q_OBJECT
  public:
    explicit ReadingEntry(QWidget* parent = nullptr);

    // The zones offered for `site`: its place's own zone with its summer time
    // first, then every fixed offset clocks keep (-12 to 14 hours), and the
    // site's own offset if it is none of them.
    void FillZones(const SiteState& site);
    ClockZone ChosenZone() const;
    ReadingMethod Method() const;
    // The date and time follow the computer's clock, read in the chosen
    // zone, until the user sets one; "Now" starts them again. True when the
    // day shown changed.
    bool Tick();
    // The reading typed, or nothing with `problem` saying what to type.
    std::optional<WallReading> Reading(QString& problem) const;

    QDateEdit* dtpDate;
    QTimeEdit* dtpTime;
    QPushButton* cmdNow;
    QComboBox* cboZone;
    QComboBox* cboMethod;
    QComboBox* cboLight;
    QLineEdit* txtAngle;
    QLabel* lblAngleUnit;
    QPushButton* cmdAdd;
    BoardPicture* picBoard;

  signals:
    // The day or the zone the readings are planned for, or the method, changed.
    void planChanged();

  private:
    void MethodChanged();

    bool clockRunning_ = true;
};

}  // namespace sundial

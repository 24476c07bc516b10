// The Dial Template window's lines: the hour lines and numerals, the nodus's
// date lines and noon curve, the clock-time figure-eights and the other lines
// the nodus draws, and the old hour systems, each in a group of its own.
#pragma once

#include <QWidget>

#include "core/plan/plan.h"
#include "ui/template/number_box.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace sundial {

class LinesPanel final : public QWidget {
    Q_OBJECT
  public:
    explicit LinesPanel(QWidget* parent = nullptr);

    // The lines into `o`; false, with `message`, for a box that does not read.
    bool Read(plan::PlanOptions& o, QString& message) const;
    // Some line ticked needs the nodus (its distance or its foot).
    bool NeedsNodus() const;

    // What `read` (the plan's options as read) takes from here.
    void Store(const plan::PlanOptions& read, ProjectOptions& options) const;
    void Show(const ProjectOptions& options);

    QCheckBox* chkHalf;
    QCheckBox* chkQuarter;
    QComboBox* cboNumerals;
    QCheckBox* chkDateLines;
    QCheckBox* chkMonths;
    QCheckBox* chkNoonCurve;
    QCheckBox* chkClockTime;
    QCheckBox* chkClockTimeHalves;
    QCheckBox* chkClockTimeOnly;
    QLineEdit* txtYear;
    QCheckBox* chkSummerNumerals;
    QCheckBox* chkTenMinutes;
    QCheckBox* chkSigns;
    QLineEdit* txtDateLines;  // "06-14, 09-02"
    QCheckBox* chkHorizon;
    QCheckBox* chkEquinoctial;
    QCheckBox* chkItalian;
    QCheckBox* chkBabylonian;
    QCheckBox* chkTemporal;

  signals:
    void Changed();

  private:
    // The switches by the names the template's options give them.
    struct Switch {
        const char* option;
        QCheckBox* box;
    };
    std::vector<Switch> Switches() const;
    bool ReadExtraLines(plan::ExtraLineOptions& o, QString& message) const;
    // Only the boxes the plan reads can be typed in.
    void EnableForChoices();
};

}  // namespace sundial

// The gnomon sizing dialog: for a length measured along the side next to the
// gnomon's angle, the lengths of the sloping and the level side of the plate.
// It reads GnomonAngle from the last run and changes nothing else.
//
// The diagram is laid out in 1/1440 inch from the client area's top left: the
// measured side runs down from (1320, 600) to (1320, 2040), the level side
// from (840, 2040) to it, and the sloping side joins (1320, 600) to (840, 2040).
#pragma once

#include "ui/dialogs/input_dialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace sundial {

class frmGnome final : public InputDialog {
    Q_OBJECT
  public:
    explicit frmGnome(MainWindowApi& main, WarnFunction warn = {}, QWidget* parent = nullptr);

    void cmdCalculate_Click();
    void cmdCancel_Click();

    // The text printed on the window when it opened ("" then the angle line).
    const QStringList& PrintedLines() const { return printed_; }

    QLineEdit* txtAdjacent;
    QLabel* lblAdjacent;
    QLabel* lblHypothenuse;
    QLabel* lblOpposite;
    QPushButton* cmdCalculate;
    QPushButton* cmdCancel;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Form_Load();

    QStringList printed_;
};

}  // namespace sundial

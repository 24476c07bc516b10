// The wall bearing dialog: a true bearing from 110 to 250 degrees. An accepted
// bearing is stored as its shortest text, the declination derived from it,
// the dialog closed and the run started.
#pragma once

#include "ui/dialogs/input_dialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace sundial {

class frmBearing final : public InputDialog {
    Q_OBJECT
  public:
    explicit frmBearing(MainWindowApi& main, WarnFunction warn = {}, QWidget* parent = nullptr);

    void cmdAccept_Click();
    void cmdCancel_Click();

    QLabel* lblPrompt;
    QLineEdit* txtBearing;
    QPushButton* cmdAccept;
    QPushButton* cmdCancel;

  private:
    void Form_Load();
    void Restore();
};

}  // namespace sundial

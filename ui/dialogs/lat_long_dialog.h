// The location dialog: a typed latitude (north) and longitude magnitude with
// its side chosen by two option buttons. "Go" stores them under the place name
// "Unknown", with a zone worked out from the longitude, and runs; the dialog
// stays open for another try.
#pragma once

#include "ui/dialogs/input_dialog.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace sundial {

class GazetteerWindows;

class frmLatLong final : public InputDialog {
    Q_OBJECT
  public:
    frmLatLong(MainWindowApi& main, GazetteerWindows& gazetteers, WarnFunction warn = {},
               QWidget* parent = nullptr);

    void cmdAccept_Click();
    void cmdCancel_Click();

    QLineEdit* txtLatitude;
    QLineEdit* txtLongitude;
    QRadioButton* optEast;
    QRadioButton* optWest;
    QPushButton* cmdAccept;
    QPushButton* cmdCancel;

  private:
    void Form_Load();
    // Both boxes from the site again; the East/West choice is left alone.
    void Restore();

    GazetteerWindows& gazetteers_;
};

}  // namespace sundial

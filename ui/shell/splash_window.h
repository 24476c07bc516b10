// frmSplash: the start-up splash, which is also the help window. A picture,
// the title, a credit line and a button that opens the help page (a local
// copy shipped with the program) in the desktop's browser. It hides itself
// when it loses the focus.
#pragma once

#include <QDialog>

#include "ui/shell/desktop_hooks.h"

class QPushButton;

namespace sundial {

class frmSplash final : public QDialog {
    Q_OBJECT
  public:
    frmSplash(DesktopHooks hooks, QWidget* parent = nullptr);

    // The credit line under the title.
    static QString CreditLine();

  public slots:
    void cmdLaunch_Click();

  protected:
    void changeEvent(QEvent* event) override;

  private:
    DesktopHooks hooks_;
    QPushButton* cmdLaunch_;
};

// Where the help page is on disk: the copy beside the program when there is
// one, otherwise the copy built into the program, written out to the user's
// data folder (or the temporary folder). Empty when neither can be had.
QString HelpPagePath();

}  // namespace sundial

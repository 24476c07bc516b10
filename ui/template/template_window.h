// Keeps the one "Dial Template" window: made the first time it is asked for,
// and afresh after it was closed (closing destroys it). For the main window's
// "Tools" menu factory.
#pragma once

#include <QPointer>

#include "ui/template/template_dialog.h"

namespace sundial {

class TemplateWindow {
  public:
    explicit TemplateWindow(MainWindowApi& main) : main_(main) {}
    ~TemplateWindow();
    TemplateWindow(const TemplateWindow&) = delete;
    TemplateWindow& operator=(const TemplateWindow&) = delete;

    // The open window, or a new one over the main window.
    TemplateDialog& Dialog();
    TemplateDialog* Existing() const { return dialog_.data(); }

  private:
    MainWindowApi& main_;
    QPointer<TemplateDialog> dialog_;
};

}  // namespace sundial

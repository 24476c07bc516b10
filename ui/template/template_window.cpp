#include "ui/template/template_window.h"

#include "ui/shell/main_window_api.h"

namespace sundial {

TemplateWindow::~TemplateWindow() {
    delete dialog_.data();
}

TemplateDialog& TemplateWindow::Dialog() {
    if (!dialog_) dialog_ = new TemplateDialog(main_, {}, {}, main_.MainWidget());
    return *dialog_;
}

}  // namespace sundial

// The desktop program: one main window with its three child windows.
#include <QApplication>

#include "ui/dialogs/input_windows.h"
#include "ui/shell/desktop_hooks.h"
#include "ui/shell/main_window.h"
#include "ui/template/template_window.h"
#include "ui/tools/tool_windows.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(sundial::ApplicationTitle());
    QApplication::setOrganizationName(QStringLiteral("wall-sundial"));

    sundial::frmMain main;
    sundial::InputWindows inputs(main);
    sundial::ToolWindows tools(main);
    sundial::TemplateWindow dialTemplate(main);
    main.setToolWindows(
        {[&] { return &tools.MeasureBearing(); }, [&] { return &dialTemplate.Dialog(); }});
    main.Startup();
    // Closing the main window during the start-up pause ends the program there.
    if (main.IsClosing()) return 0;
    return QApplication::exec();
}

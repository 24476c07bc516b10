// The desktop program: one main window with its three child windows.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

#include "ui/dialogs/input_windows.h"
#include "ui/shell/desktop_hooks.h"
#include "ui/shell/main_window.h"
#include "ui/template/template_window.h"
#include "ui/tools/tool_windows.h"

namespace {

// --user-data-folder: the desktop menu's start. The settings file is read from
// and written to the working folder, so the program moves into its own data
// folder (made on the first start) before anything reads it: every start from
// the menu finds the same site, and nothing lands in the root of the home.
void EnterUserDataFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder) || !QDir::setCurrent(folder)) {
        std::fprintf(stderr, "sundial: cannot use the data folder %s; the site is kept in %s\n",
                     qPrintable(QDir::toNativeSeparators(folder)),
                     qPrintable(QDir::toNativeSeparators(QDir::currentPath())));
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(sundial::ApplicationTitle());
    QApplication::setOrganizationName(QStringLiteral("wall-sundial"));
    QApplication::setApplicationVersion(QStringLiteral(SUNDIAL_VERSION));
    // Lets the desktop match the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.wallsundial.Designer"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Designs sundials: a vertical wall at latitude 15 to 70 degrees north in the main "
        "window, and any flat dial anywhere on Earth in the Dial Template window."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption userDataFolder(
        QStringLiteral("user-data-folder"),
        QStringLiteral("Start in the user's data folder for the program, so that the site is "
                       "kept there."));
    parser.addOption(userDataFolder);
    parser.addPositionalArgument(
        QStringLiteral("project"),
        QStringLiteral("A dial project to open in the Dial Template window."),
        QStringLiteral("[project]"));
    parser.process(app);
    // Named from where the program was started, before it moves to its folder.
    const QStringList projects = parser.positionalArguments();
    const QString project =
        projects.isEmpty() ? QString() : QFileInfo(projects.front()).absoluteFilePath();
    if (parser.isSet(userDataFolder)) EnterUserDataFolder();

    sundial::frmMain main;
    sundial::InputWindows inputs(main);
    sundial::ToolWindows tools(main);
    sundial::TemplateWindow dialTemplate(main);
    main.setToolWindows(
        {[&] { return &tools.MeasureBearing(); }, [&] { return &dialTemplate.Dialog(); }});
    main.Startup();
    // Closing the main window during the start-up pause ends the program there.
    if (main.IsClosing()) return 0;
    if (!project.isEmpty()) {
        sundial::TemplateDialog& dialog = dialTemplate.Dialog();
        dialog.show();
        dialog.OpenProject(project);
    }
    return QApplication::exec();
}

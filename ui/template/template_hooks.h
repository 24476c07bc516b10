// How the Dial Template window asks the user for a file and tells of a
// failure: the desktop's dialogs, or a test's stand-ins.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace sundial {

// Asks where to save (or what to open): returns the chosen path, or an empty
// text when the user cancels. `suggested` is a full path in the documents
// folder.
using SaveFileChooser = std::function<QString(QWidget* parent, const QString& caption,
                                              const QString& suggested, const QString& filter)>;
// Tells the user something went wrong (a file that could not be written).
using TemplateWarning = std::function<void(QWidget* parent, const QString& text)>;

// The desktop's file dialog for saving, and for opening.
SaveFileChooser DesktopSaveChooser();
SaveFileChooser DesktopOpenChooser();
// A warning message box over `parent`, captioned with its title.
TemplateWarning WarningMessageBox();

// `name` ("dial-template.pdf") in the user's documents folder.
QString DocumentsPath(const QString& name);

}  // namespace sundial

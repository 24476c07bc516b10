// How the desktop program reaches the world outside its windows: handing a
// file to the default viewer or browser, warning the user, waiting, ending.
// Each can be replaced so tests run without opening anything or waiting.
#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace sundial {

struct DesktopHooks {
    // Opens a file or page in the desktop's default application without
    // waiting for it. False when nothing could be started.
    std::function<bool(const QUrl& url)> openUrl;
    // A message box with a warning icon and an OK button.
    std::function<void(QWidget* parent, const QString& title, const QString& text)> warn;
    // The start-up pause; empty means the real wait (frmMain::PauseSeconds).
    std::function<void(int seconds)> pause;
    // Ends the program.
    std::function<void()> quit;
};

// The hooks with every empty member filled with the real desktop behaviour.
DesktopHooks CompleteHooks(DesktopHooks hooks);

// The application title shown in captions and on the splash window.
QString ApplicationTitle();

}  // namespace sundial

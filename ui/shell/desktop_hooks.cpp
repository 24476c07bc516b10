#include "ui/shell/desktop_hooks.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>

namespace sundial {

DesktopHooks CompleteHooks(DesktopHooks hooks) {
    if (!hooks.openUrl)
        hooks.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    if (!hooks.warn) {
        hooks.warn = [](QWidget* parent, const QString& title, const QString& text) {
            QMessageBox::warning(parent, title, text);
        };
    }
    if (!hooks.quit) hooks.quit = [] { QCoreApplication::quit(); };
    return hooks;
}

QString ApplicationTitle() {
    return QStringLiteral("Wall Sundial Designer");
}

}  // namespace sundial

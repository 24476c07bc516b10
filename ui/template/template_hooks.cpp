#include "ui/template/template_hooks.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

namespace sundial {

SaveFileChooser DesktopSaveChooser() {
    return [](QWidget* parent, const QString& caption, const QString& suggested,
              const QString& filter) {
        return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
    };
}

SaveFileChooser DesktopOpenChooser() {
    return [](QWidget* parent, const QString& caption, const QString& suggested,
              const QString& filter) {
        return QFileDialog::getOpenFileName(parent, caption, QFileInfo(suggested).absolutePath(),
                                            filter);
    };
}

TemplateWarning WarningMessageBox() {
    return [](QWidget* parent, const QString& text) {
        QMessageBox::warning(parent, parent ? parent->windowTitle() : QString(), text,
                             QMessageBox::Ok);
    };
}

QString DocumentsPath(const QString& name) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(folder).filePath(name);
}

}  // namespace sundial

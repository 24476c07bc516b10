#include "ui/template/project_menu.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QWidget>

namespace sundial {

namespace {

constexpr int kRecentProjects = 8;
const char* const kRecentKey = "template/recentProjects";

std::filesystem::path LocalPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

}  // namespace

ProjectMenu::ProjectMenu(QWidget* window, QMenuBar* bar, CurrentDesign current, ShowDesign show,
                         SaveFileChooser saveChooser, SaveFileChooser openChooser,
                         TemplateWarning warn)
    : QObject(window),
      window_(window),
      current_(std::move(current)),
      show_(std::move(show)),
      saveChooser_(std::move(saveChooser)),
      openChooser_(std::move(openChooser)),
      warn_(std::move(warn)) {
    mnuProject = bar->addMenu(tr("&Project"));
    mnuProject->setObjectName("mnuProject");
    mnuProject->addAction(tr("&Open..."), QKeySequence::Open, this, &ProjectMenu::ChooseAndOpen);
    mnuRecent = mnuProject->addMenu(tr("Open &Recent"));
    mnuRecent->setObjectName("mnuRecent");
    connect(mnuRecent, &QMenu::aboutToShow, this, &ProjectMenu::FillRecentMenu);
    mnuProject->addAction(tr("&Save"), QKeySequence::Save, this, &ProjectMenu::Save);
    mnuProject->addAction(tr("Save &As..."), QKeySequence::SaveAs, this, &ProjectMenu::SaveAs);
}

bool ProjectMenu::Open(const QString& path) {
    const project::ProjectRead read = project::ReadProject(LocalPath(path));
    if (!read.project) {
        warn_(window_, QString::fromStdString(read.message));
        return false;
    }
    path_ = path;
    Remember(path);
    ShowName();
    show_(*read.project);
    return true;
}

void ProjectMenu::ChooseAndOpen() {
    const QString path =
        openChooser_(window_, tr("Open Dial Project"), DocumentsPath("dial-template.sundial"),
                     tr("Dial projects (*.sundial)"));
    if (!path.isEmpty()) Open(path);
}

bool ProjectMenu::Save() {
    return path_.isEmpty() ? SaveAs() : WriteTo(path_);
}

bool ProjectMenu::SaveAs() {
    QString path = saveChooser_(window_, tr("Save Dial Project"),
                                path_.isEmpty() ? DocumentsPath("dial-template.sundial") : path_,
                                tr("Dial projects (*.sundial)"));
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += project::kProjectExtension;
    return WriteTo(path);
}

bool ProjectMenu::WriteTo(const QString& path) {
    QString message;
    const std::optional<project::DialProject> p = current_(message);
    if (!p) {
        warn_(window_, message);
        return false;
    }
    std::string error;
    if (!project::WriteProject(*p, LocalPath(path), error)) {
        warn_(window_, QDir::toNativeSeparators(path) + ": " + QString::fromStdString(error));
        return false;
    }
    path_ = path;
    Remember(path);
    ShowName();
    emit Saved(path);
    return true;
}

QStringList ProjectMenu::Recent() {
    return QSettings().value(kRecentKey).toStringList();
}

void ProjectMenu::Remember(const QString& path) {
    QStringList recent = Recent();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    while (recent.size() > kRecentProjects) recent.removeLast();
    QSettings().setValue(kRecentKey, recent);
}

void ProjectMenu::FillRecentMenu() {
    mnuRecent->clear();
    const QStringList recent = Recent();
    for (const QString& path : recent) {
        mnuRecent->addAction(QDir::toNativeSeparators(path), this, [this, path] { Open(path); });
    }
    if (recent.isEmpty()) mnuRecent->addAction(tr("(none)"))->setEnabled(false);
}

void ProjectMenu::ShowName() {
    window_->setWindowTitle(path_.isEmpty()
                                ? tr("Dial Template")
                                : tr("Dial Template - %1").arg(QFileInfo(path_).fileName()));
}

}  // namespace sundial

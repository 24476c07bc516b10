// The Dial Template window's Project menu: Open..., Open Recent, Save and
// Save As... of a dial project file, the window's title naming the open one.
// What a project holds, and how it is shown, is the window's: the menu asks
// for the design to save and hands over the design it opened.
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>

#include "core/project/dial_project.h"
#include "ui/template/template_hooks.h"

class QMenu;
class QMenuBar;
class QWidget;

namespace sundial {

class ProjectMenu final : public QObject {
    Q_OBJECT
  public:
    // The design as it stands, or nothing (and `message` says why).
    using CurrentDesign = std::function<std::optional<project::DialProject>(QString& message)>;
    // Puts an opened design into the window.
    using ShowDesign = std::function<void(const project::DialProject&)>;

    ProjectMenu(QWidget* window, QMenuBar* bar, CurrentDesign current, ShowDesign show,
                SaveFileChooser saveChooser, SaveFileChooser openChooser, TemplateWarning warn);

    // Opens a dial project: the whole design from it, or, when the file cannot
    // be used, a warning and nothing changed.
    bool Open(const QString& path);
    // Save writes the open project's file (asking where when there is none).
    bool Save();
    bool SaveAs();
    void SetOpenChooser(SaveFileChooser chooser) { openChooser_ = std::move(chooser); }
    // The project files opened or saved lately, newest first.
    static QStringList Recent();

    QMenu* mnuProject;
    QMenu* mnuRecent;

  signals:
    // A project was written to `path`.
    void Saved(const QString& path);

  private:
    void ChooseAndOpen();
    bool WriteTo(const QString& path);
    void Remember(const QString& path);
    void FillRecentMenu();
    void ShowName();

    QWidget* window_;
    CurrentDesign current_;
    ShowDesign show_;
    SaveFileChooser saveChooser_;
    SaveFileChooser openChooser_;
    TemplateWarning warn_;
    QString path_;  // the open project's file; empty for none
};

}  // namespace sundial

// "Dial Template": the full-size dial for the current site, with the plate's
// size, the gnomon's root, the lines and numerals, the nodus and the paper
// chosen here; a live preview; "Save PDF..." (tiles to print at 100 %) and
// "Save SVG..." (for a drawing program) and "Save DXF..." (for a cutter or a
// CAD program).
//
// The boxes sit in panels, each turning its group into one part of the
// design: the site, the dial's plane and plate, the gnomon, the lines and the
// outputs. The window arranges them, builds the plan from what they give and
// keeps the design as a dial project through its Project menu (Open...,
// Open Recent, Save and Save As...). Opening one puts its site into the boxes
// here, and into the main window when its dialogs take it.
//
// Modeless, destroyed when closed. The plan is rebuilt from the main window's
// site whenever an input changes and whenever the dialog is activated.
#pragma once

#include <QDialog>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <optional>

#include "core/plan/plan.h"
#include "core/project/dial_project.h"
#include "core/site/site_state.h"
#include "ui/template/gnomon_panel.h"
#include "ui/template/lines_panel.h"
#include "ui/template/outputs_panel.h"
#include "ui/template/plan_preview.h"
#include "ui/template/plane_panel.h"
#include "ui/template/project_menu.h"
#include "ui/template/site_panel.h"
#include "ui/template/template_hooks.h"

class QLabel;
class QPushButton;
class QScrollArea;

namespace sundial {

class MainWindowApi;

class TemplateDialog final : public QDialog {
    Q_OBJECT
  public:
    // Empty hooks use the desktop's file dialogs and a warning message box;
    // a chooser given here answers both Save and Open until SetOpenChooser.
    explicit TemplateDialog(MainWindowApi& main, SaveFileChooser chooser = {},
                            TemplateWarning warn = {}, QWidget* parent = nullptr);

    // The plan the inputs give now, or nothing (and Message() says why).
    const std::optional<plan::Plan>& Plan() const { return plan_; }
    QString Message() const;

    // Rebuilds the plan from the inputs and the current site.
    void Rebuild();
    void SavePdf();
    void SaveSvg();
    void SaveDxf();

    // The design as a project: the site as the boxes here give it (over the
    // main window's longitude and place) and the inputs here.
    // Nothing (and `message` says why) while an input is not usable.
    std::optional<project::DialProject> Project(QString& message) const;
    bool OpenProject(const QString& path) { return projectMenu->Open(path); }
    bool SaveProject() { return projectMenu->Save(); }
    bool SaveProjectAs() { return projectMenu->SaveAs(); }
    void SetOpenChooser(SaveFileChooser chooser) {
        projectMenu->SetOpenChooser(std::move(chooser));
    }
    static QStringList RecentProjects() { return ProjectMenu::Recent(); }

    SitePanel* site;
    PlanePanel* plane;
    GnomonPanel* gnomon;
    LinesPanel* lines;
    OutputsPanel* outputs;
    ProjectMenu* projectMenu;
    QScrollArea* inputsScroll;
    QLabel* lblMessage;
    PlanPreview* preview;
    QPushButton* cmdSavePdf;
    QPushButton* cmdSaveSvg;
    QPushButton* cmdSaveDxf;
    QPushButton* cmdClose;

  protected:
    bool event(QEvent* event) override;

  private:
    // The options as typed, or the message for the first one that is not.
    std::optional<plan::PlanOptions> ReadOptions(QString& message) const;
    // The main window's site (or the open project's) with the latitude and
    // zone typed here, or the options' named zone's standard time.
    std::optional<SiteState> ReadSite(const plan::PlanOptions& options, QString& message) const;
    // Puts an opened project into the panels, and its site into the main
    // window when its dialogs take it.
    void ShowProject(const project::DialProject& p);
    // Puts the main window's latitude, zone and bearing into the boxes when
    // its site has changed since they were last filled from it.
    void FollowMainSite();
    void SetMessage(const QString& text, bool problem);
    // Asks where, then writes the plan there at full size with `write`.
    using DrawingWriter = std::function<void(const plan::Plan&, const std::filesystem::path&)>;
    void SaveDrawing(const QString& caption, const char* suffix, const QString& filter,
                     const DrawingWriter& write);

    MainWindowApi& main_;
    SaveFileChooser chooser_;
    TemplateWarning warn_;
    bool loading_ = false;  // a project is being put into the inputs
    // The sun through the year for the figure-eight, worked out when first
    // asked for and again when the site's place or zone changes.
    const std::vector<plan::SunSample>& Samples(const SiteState& site);
    std::vector<plan::SunSample> samples_;
    std::optional<SiteState> samplesSite_;
    std::optional<plan::Plan> plan_;
    std::optional<SiteState> followedSite_;
    // The site of the project opened, until the main window's site changes:
    // the boxes' latitude and zone over it, its longitude and place kept.
    std::optional<SiteState> projectSite_;
};

}  // namespace sundial

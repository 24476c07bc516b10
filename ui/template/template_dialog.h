// "Dial Template": the full-size dial for the current site, with the plate's
// size, the gnomon's root, the lines and numerals, the nodus and the paper
// chosen here; a live preview; "Save PDF..." (tiles to print at 100 %) and
// "Save SVG..." (for a drawing program) and "Save DXF..." (for a cutter or a
// CAD program).
//
// Its Project menu keeps the whole design (the site and every input here) as
// a dial project file: Open..., Open Recent, Save and Save As.... Opening one
// puts its site into the boxes here, and into the main window when its
// dialogs take it.
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
#include "core/template/tiling.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace sundial {

class MainWindowApi;

// Asks where to save: returns the chosen path, or an empty text when the user
// cancels. `suggested` is a full path in the documents folder.
using SaveFileChooser = std::function<QString(QWidget* parent, const QString& caption,
                                              const QString& suggested, const QString& filter)>;
// Tells the user something went wrong (a file that could not be written).
using TemplateWarning = std::function<void(QWidget* parent, const QString& text)>;

// Paints the current plan, scaled to fit.
class PlanPreview final : public QWidget {
    Q_OBJECT
  public:
    explicit PlanPreview(QWidget* parent = nullptr);
    void SetPlan(const plan::Plan* plan);
    QSize sizeHint() const override { return {560, 480}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const plan::Plan* plan_ = nullptr;
};

class TemplateDialog final : public QDialog {
    Q_OBJECT
  public:
    // Empty hooks use the desktop's file dialog and a warning message box.
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
    // Opens a dial project: the site and every input from it, or, when the
    // file cannot be used, a warning and nothing changed.
    bool OpenProject(const QString& path);
    // Save writes the open project's file (asking where when there is none).
    bool SaveProject();
    bool SaveProjectAs();
    // How the desktop's file dialog asks which file to open.
    void SetOpenChooser(SaveFileChooser chooser) { openChooser_ = std::move(chooser); }
    // The project files opened or saved lately, newest first.
    static QStringList RecentProjects();

    QComboBox* cboDialType;  // vertical, horizontal, polar, equatorial
    QLineEdit* txtBearing;
    QLineEdit* txtRecline;
    QLineEdit* txtLatitude;  // degrees, south negative
    QLineEdit* txtZone;      // hours from UTC, quarter hours allowed
    QLineEdit* txtWidth;
    QLineEdit* txtHeight;
    QRadioButton* optRootTop;
    QRadioButton* optRootAt;
    QLineEdit* txtRootX;
    QLineEdit* txtRootY;
    QRadioButton* optFootAt;
    QLineEdit* txtFootX;
    QLineEdit* txtFootY;
    QLineEdit* txtNodusHeight;
    QCheckBox* chkHalf;
    QCheckBox* chkQuarter;
    QComboBox* cboNumerals;
    QCheckBox* chkOutlines;
    QCheckBox* chkDateLines;
    QLineEdit* txtNodus;
    QCheckBox* chkMonths;
    QCheckBox* chkNoonCurve;
    QLineEdit* txtStyle;
    QCheckBox* chkClockTime;
    QCheckBox* chkClockTimeHalves;
    QCheckBox* chkClockTimeOnly;
    QLineEdit* txtYear;
    QCheckBox* chkSummerNumerals;
    QCheckBox* chkTenMinutes;
    QCheckBox* chkSigns;
    QLineEdit* txtDateLines;  // "06-14, 09-02"
    QCheckBox* chkHorizon;
    QCheckBox* chkEquinoctial;
    QLineEdit* txtThickness;
    QComboBox* cboPaper;
    QCheckBox* chkLandscape;
    QLabel* lblMessage;
    PlanPreview* preview;
    QPushButton* cmdSavePdf;
    QPushButton* cmdSaveSvg;
    QPushButton* cmdSaveDxf;
    QPushButton* cmdClose;
    QMenu* mnuProject;
    QMenu* mnuRecent;

  protected:
    bool event(QEvent* event) override;

  private:
    // The options as typed, or the message for the first one that is not.
    std::optional<plan::PlanOptions> ReadOptions(QString& message) const;
    // The extra lines' boxes into `o`; false, with `message`, for one that
    // does not read.
    bool ReadExtraLines(plan::ExtraLineOptions& o, QString& message) const;
    // The main window's site with the latitude and zone typed here, and the
    // plane the dial type, bearing and recline give; nothing (and `message`)
    // when one of them is not usable.
    std::optional<SiteState> ReadSite(QString& message) const;
    std::optional<engine::Plane> ReadPlane(const SiteState& site, QString& message) const;
    // Puts the main window's latitude, zone and bearing into the boxes when
    // its site has changed since they were last filled from it.
    void FollowMainSite();
    tmpl::PageSetup ReadPage() const;
    QString SuggestedPath(const char* suffix) const;
    void SetMessage(const QString& text, bool problem);
    // Asks where, then writes the plan there at full size with `write`.
    using DrawingWriter = std::function<void(const plan::Plan&, const std::filesystem::path&)>;
    void SaveDrawing(const QString& caption, const char* suffix, const QString& filter,
                     const DrawingWriter& write);

    void ChooseAndOpenProject();
    bool WriteProjectTo(const QString& path);
    void RememberProject(const QString& path);
    void FillRecentMenu();
    void ShowProjectName();

    MainWindowApi& main_;
    SaveFileChooser chooser_;
    SaveFileChooser openChooser_;
    QString projectPath_;   // the open project's file; empty for none
    bool loading_ = false;  // a project is being put into the inputs
    TemplateWarning warn_;
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

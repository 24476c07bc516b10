#include "ui/shell/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QEventLoop>
#include <QMdiArea>
#include <QMenuBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <ctime>

#include "core/dial/pdf_sheet.h"
#include "core/dial/run_notes.h"
#include "core/dial/sheet_outcome.h"
#include "core/dial/window_furniture.h"
#include "ui/shell/menu_builder.h"
#include "ui/shell/picture_strip.h"
#include "ui/shell/program_files.h"
#include "ui/shell/shutdown.h"
#include "ui/shell/window_geometry.h"

// Resources of a static library are registered by hand.
static void InitSundialResources() {
    Q_INIT_RESOURCE(sundial);
}

namespace sundial {

namespace {

const QColor kLightYellow(255, 255, 192);
constexpr double kClientWidth = 8910;  // twips: the main window's first client area
constexpr double kClientHeight = 6300;
constexpr double kGazetteerWidth = 2010;  // outer size of a gazetteer window
constexpr double kGazetteerHeight = 780;

// The gazetteer items of the Location menu, in menu order, which is also the
// order of Region, with the check mark each carries.
struct RegionItem {
    LocationItem item;
    Region region;
    const char* name;
};
constexpr std::array<RegionItem, 3> kRegionItems = {{
    {LocationItem::WestEurope, Region::WestEurope, "mnuWestEurope"},
    {LocationItem::EastEurope, Region::EastEurope, "mnuEastEurope"},
    {LocationItem::NorthAmerica, Region::NorthAmerica, "mnuNorthAmerica"},
}};

void ShowOnTop(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

frmMain::frmMain(Options options)
    : options_(std::move(options)), hooks_(CompleteHooks(options_.hooks)) {
    if (!hooks_.pause) hooks_.pause = [this](int seconds) { PauseSeconds(seconds); };
    InitSundialResources();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(ApplicationTitle());
    setWindowIcon(QIcon(QStringLiteral(":/sundial/icon.png")));
    setAttribute(Qt::WA_QuitOnClose, true);

    createMenus();
    createToolsMenu();
    createCentralArea();
    createChildWindows();
    createSheetFactory();
    updateMenus();
    // The first client area is given below the menu bar.
    resize(TwipScale(*this).size(kClientWidth, kClientHeight) +
           QSize(0, menuBar()->sizeHint().height()));
}

frmMain::~frmMain() {
    // The children go after this object's own part: their last activation
    // signals must not reach it.
    disconnect(mdiArea_, nullptr, this, nullptr);
}

void frmMain::createMenus() {
    QMenuBar& bar = *menuBar();
    AddMenuItem(bar, {"mnuHelp", QStringLiteral("Help"), [this] { mnuHelp_Click(); }});
    AddMenuItem(bar, {"mnuPrint", QStringLiteral("Make PDF"), [this] { mnuPrint_Click(); }});
    AddMenuItem(bar,
                {"mnuBearing", QStringLiteral("Wall &Bearing"), [this] { mnuBearing_Click(); }});

    std::vector<MenuItem> locations = {
        {"mnuLatLong", QStringLiteral("User set Lat and Long"), [this] { mnuLatLong_Click(); },
         true},
        {"mnuSep1", QStringLiteral("-"), {}},
    };
    for (const RegionItem& r : kRegionItems) {
        locations.push_back({r.name, QString::fromLatin1(RegionCaption(r.region)),
                             [this, region = r.region] { openGazetteer(region); }, true});
    }
    mnuLocations_ = MenuItems(*AddMenu(bar, "mnuLocation", QStringLiteral("&Location"), locations));

    std::vector<MenuItem> zones;
    for (const ZoneItem& zone : kZoneItems) {
        zones.push_back({zone.name, QString::fromLatin1(zone.caption),
                         [this, offset = zone.offset] { chooseZone(offset); }, true});
    }
    // Keeps the submenu from ever having every item hidden; it does nothing.
    zones.push_back({"mnuUTCtemp", QStringLiteral("U"), {}});
    mnuZones_ = MenuItems(*AddMenu(bar, "mnuTimezone", QStringLiteral("&TimeZone"), zones));

    AddMenuItem(bar, {"mnuGnome", QStringLiteral("Gnome"), [this] { mnuGnome_Click(); }});
}

void frmMain::createToolsMenu() {
    shadowNow_ = new ShadowNow([this] { mnuRun_Click(); }, this);
    AddMenu(*menuBar(), "mnuTools", QStringLiteral("T&ools"),
            {{"mnuMeasureBearing", QStringLiteral("&Measure Wall Bearing\u2026"),
              [this] { mnuMeasureBearing_Click(); }},
             {"mnuShadowNow", QStringLiteral("Show &Shadow Now"),
              [this] { mnuShadowNow_Click(!shadowNow_->isOn()); }, true},
             {"mnuSep3", QStringLiteral("-"), {}},
             {"mnuDialTemplate", QStringLiteral("&Dial Template\u2026"),
              [this] { mnuDialTemplate_Click(); }}});
}

void frmMain::createCentralArea() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(NewPictureStrip(central));
    mdiArea_ = new QMdiArea(central);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    mdiArea_->setBackground(kLightYellow);
    layout->addWidget(mdiArea_, 1);
    setCentralWidget(central);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &frmMain::onSubWindowActivated);
}

void frmMain::createChildWindows() {
    const RunGuard::Hold hold = guard_.hold();
    draw_ =
        new ChildWindow(QStringLiteral("frmDraw"), QStringLiteral("Sundial Drawing"), 4365, 2220);
    number_ =
        new ChildWindow(QStringLiteral("frmNumber"), QStringLiteral("Calculations"), 5055, 2115);
    chart_ = new ChildWindow(QStringLiteral("frmEquationoftime"),
                             QStringLiteral("The Equation of Time"), 3930, 1755);
    for (ChildWindow* child : {chart_, number_, draw_}) {
        mdiArea_->addSubWindow(child);
        child->show();
    }
}

void frmMain::createSheetFactory() {
    // One sheet, and so one PDF writer, for the program's life; each "Make PDF"
    // borrows it and points it at the folder chosen for that sheet.
    sheetFactory_ = [this](const std::filesystem::path& file) {
        if (!pdfSheet_) {
            pdfSheet_ = std::make_unique<PdfDialSheet>(
                file.parent_path(), PdfDialSheet::ViewerHook{}, file.filename().string());
        }
        pdfSheet_->SetFolder(file.parent_path());
        return BorrowSheet(*pdfSheet_);
    };
}

void frmMain::updateMenus() {
    for (size_t i = 0; i < kZoneItems.size(); ++i) {
        mnuZones_[i]->setVisible(zoneMenu_.Visible(kZoneItems[i].offset));
        mnuZones_[i]->setChecked(zoneMenu_.Checked(kZoneItems[i].offset));
    }
    mnuZones_.back()->setVisible(zoneMenu_.PlaceholderVisible());
    for (size_t i = 0; i < mnuLocations_.size(); ++i) {
        mnuLocations_[i]->setChecked(locationChecks_[i]);
    }
}

void frmMain::chooseZone(int offset) {
    zoneMenu_.Choose(offset);
    applyZone(offset);
}

void frmMain::Timeset(double value) {
    if (const std::optional<int> zone = zoneMenu_.Timeset(value)) applyZone(*zone);
}

void frmMain::applyZone(int offset) {
    site_.UtcOffset = static_cast<float>(offset);
    updateMenus();
    mnuRun_Click();
}

void frmMain::ClearLocationChecks() {
    locationChecks_.reset();
    updateMenus();
}

void frmMain::CheckLocationItem(LocationItem item) {
    locationChecks_.set(static_cast<size_t>(item));
    updateMenus();
}

void frmMain::chooseLocation(LocationItem item) {
    ClearLocationChecks();
    CheckLocationItem(item);
}

void frmMain::SelectExeter() {
    if (windows_.selectExeter) {
        windows_.selectExeter();
        return;
    }
    ApplyPlace(site_, DefaultPlace());
    Timeset(DefaultPlace().utcOffset);
    mnuRun_Click();
}

RunResult frmMain::run(SheetOutput* sheet) {
    const RunGuard::Hold hold = guard_.hold();
    RunTargets targets{draw_->surface(), number_->surface(), chart_->surface(),
                       [this] { Cascade(); }, sheet};
    RunResult result = RunDial(site_, SettingsFileIn(options_.settingsFolder), targets, dial_);
    if (result.status == RunStatus::Completed) shadowNow_->drawOn(draw_->surface(), site_);
    for (const std::string& note : RunNotes(result, site_, settingsNote_)) {
        number_->surface().PrintLine({});
        number_->surface().PrintLine({{"  " + note}});
    }
    ++runCount_;
    lastRun_ = result;
    return result;
}

void frmMain::mnuRun_Click() {
    // Nothing a run does may start another run.
    if (!guard_.mayRun()) return;
    run(nullptr);
}

void frmMain::mnuPrint_Click() {
    if (!guard_.mayRun()) return;
    MakePdfEvents events;
    events.sheetFile = SheetFileIn(options_.pdfFolder);
    const std::unique_ptr<SheetOutput> sheet =
        sheetFactory_ ? sheetFactory_(events.sheetFile) : nullptr;
    pdfRequested_ = true;
    const RunResult result = run(sheet.get());
    pdfRequested_ = false;
    if (sheet && ScreenNeedsRerun(result.status)) mnuRun_Click();

    events.status = result.status;
    events.runMessage = result.message;
    events.sheetWritten = sheet && result.status == RunStatus::Completed;
    events.viewerStarted =
        events.sheetWritten &&
        hooks_.openUrl(QUrl::fromLocalFile(QString::fromStdString(events.sheetFile.string())));
    events.folderMoved =
        !toldPdfFolder_ && SheetMovedFromProgramFolder(options_.pdfFolder, events.sheetFile);

    const MakePdfMessage message = ChooseMakePdfMessage(events);
    if (message.notice == MakePdfNotice::None) return;
    if (message.notice == MakePdfNotice::FolderMoved) toldPdfFolder_ = true;
    hooks_.warn(this, ApplicationTitle(), QString::fromStdString(message.text));
}

void frmMain::Cascade() {
    const RunGuard::Hold hold = guard_.hold();
    const TwipRect outer = OuterRectTwips(*this);
    if (const std::optional<OuterSize> size = CascadeChildSize({outer.width, outer.height})) {
        for (ChildWindow* child : {chart_, draw_, number_}) {
            child->setOuterSizeTwips(size->width, size->height);
        }
    }
    DrawDialFrame(draw_->surface());
    DrawChartFurniture(chart_->surface());
}

void frmMain::arrangeCascade() {
    const RunGuard::Hold hold = guard_.hold();
    // Back to front, so the active window ends up in front, furthest in.
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList(QMdiArea::StackingOrder);
    const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, draw_);
    const std::vector<TwipPoint> corners =
        CascadePositions(static_cast<int>(windows.size()), step > 0 ? step : 20);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        const TwipPoint corner = corners[static_cast<size_t>(i)];
        windows[i]->move(static_cast<int>(corner.left), static_cast<int>(corner.top));
    }
}

void frmMain::onSubWindowActivated(QMdiSubWindow* window) {
    // The main window losing and regaining the focus (a dialog, a message box)
    // is not a change between children: reacting to it could loop.
    if (!window || window == lastActive_) return;
    lastActive_ = window;
    if (!guard_.mayFollowFocus()) return;
    // One child stopped being active (cascade, Cascade) and another became
    // active (cascade, Cascade, run): the second repeats the first, so once.
    arrangeCascade();
    Cascade();
    mnuRun_Click();
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (!guard_.mayRun()) return;
    Cascade();
    mnuRun_Click();
}

void frmMain::Startup() {
    pdfRequested_ = false;
    const std::filesystem::path settingsFile = SettingsFileIn(options_.settingsFolder);
    const SettingsFile read = LoadSiteSettings(site_, *this, settingsFile);
    settingsNote_ = {SettingsProblemMessage(settingsFile, read), site_};
    if (!settingsNote_.text.empty()) mnuRun_Click();

    CenterOnScreen(this);
    CenterOnScreen(ensureSplash());

    guard_.armFocusHandling();
    mdiArea_->setActiveSubWindow(draw_);
    draw_->widget()->setFocus();
    Cascade();
    show();

    if (splash_) {
        splash_->show();
        CenterOnScreen(splash_);
        ShowOnTop(splash_);
    }
    hooks_.pause(2);
    if (splash_) splash_->close();
}

void frmMain::PauseSeconds(int seconds) {
    const std::time_t target = std::time(nullptr) + seconds;
    while (target > std::time(nullptr) && !guard_.closing()) {
        // A short slice of the event loop rather than a busy loop.
        QEventLoop slice;
        QTimer::singleShot(50, &slice, &QEventLoop::quit);
        slice.exec();
    }
}

void frmMain::closeEvent(QCloseEvent* event) {
    guard_.close();
    CloseOtherWindows(*this);
    event->accept();
    hooks_.quit();
}

void frmMain::CenterOverMainWindow(QWidget* window) const {
    if (window) MoveCenteredOver(*window, *this);
}

void frmMain::PlaceBesideMainWindow(QWidget* window) const {
    if (window) MoveBeside(*window, *this);
}

void frmMain::CenterOnScreen(QWidget* window) {
    if (window) MoveCenteredOnScreen(*window);
}

QWidget* frmMain::gazetteerWindow(Region region) {
    return windows_.gazetteer ? windows_.gazetteer(region) : nullptr;
}

void frmMain::openGazetteer(Region region) {
    chooseLocation(kRegionItems[static_cast<size_t>(region)].item);
    QWidget* window = gazetteerWindow(region);
    if (!window) return;
    PlaceBesideMainWindow(window);
    window->show();
    SetOuterSizeTwips(*window, kGazetteerWidth, kGazetteerHeight);
    window->raise();
    window->activateWindow();
}

void frmMain::showCenteredOver(QWidget* window) {
    if (!window) return;
    CenterOverMainWindow(window);
    ShowOnTop(window);
}

void frmMain::mnuLatLong_Click() {
    chooseLocation(LocationItem::UserLatLong);
    showCenteredOver(windows_.latLong ? windows_.latLong() : nullptr);
}

void frmMain::mnuBearing_Click() {
    showCenteredOver(windows_.bearing ? windows_.bearing() : nullptr);
}

void frmMain::mnuGnome_Click() {
    showCenteredOver(windows_.gnome ? windows_.gnome() : nullptr);
}

void frmMain::mnuMeasureBearing_Click() {
    showCenteredOver(tools_.measureBearing ? tools_.measureBearing() : nullptr);
}

void frmMain::mnuDialTemplate_Click() {
    showCenteredOver(tools_.dialTemplate ? tools_.dialTemplate() : nullptr);
}

void frmMain::mnuShadowNow_Click(bool checked) {
    shadowNow_->setOn(checked);
}

frmSplash* frmMain::ensureSplash() {
    if (!splash_) {
        splash_ = new frmSplash(options_.hooks, this);
        splash_->setAttribute(Qt::WA_DeleteOnClose);
    }
    return splash_;
}

void frmMain::mnuHelp_Click() {
    // Shown first: its frame is known only once it is on the screen.
    ensureSplash()->show();
    CenterOverMainWindow(splash_);
    ShowOnTop(splash_);
}

}  // namespace sundial

#include "ui/shell/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <ctime>
#include <system_error>

#include "core/dial/pdf_sheet.h"
#include "core/dial/window_furniture.h"

// Resources of a static library are registered by hand.
static void InitSundialResources() {
    Q_INIT_RESOURCE(sundial);
}

namespace sundial {

namespace {

const QColor kLightYellow(255, 255, 192);
constexpr double kClientWidth = 8910;  // twips: the main window's first client area
constexpr double kClientHeight = 6300;
constexpr double kStripHeight = 135;  // the picture strip along the top
constexpr double kClockLeft = 2040;   // picClock inside the strip
constexpr double kClockWidth = 5055;
constexpr double kGazetteerWidth = 2010;  // outer size of a gazetteer window
constexpr double kGazetteerHeight = 780;

constexpr std::array<Region, 3> kRegions = {Region::WestEurope, Region::EastEurope,
                                            Region::NorthAmerica};
constexpr std::array<const char*, 3> kRegionItemNames = {"mnuWestEurope", "mnuEastEurope",
                                                         "mnuNorthAmerica"};

size_t RegionIndex(Region region) {
    return static_cast<size_t>(region);
}

const Place* ExeterRow() {
    for (const Place& place : Places()) {
        if (std::string_view(place.itemName) == "mnuExeter") return &place;
    }
    return nullptr;
}

// Holds a counter up for the lifetime of a scope.
class BusyScope {
  public:
    explicit BusyScope(int& counter) : counter_(counter) { ++counter_; }
    ~BusyScope() { --counter_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    int& counter_;
};

}  // namespace

frmMain::frmMain(Options options)
    : options_(std::move(options)), hooks_(CompleteHooks(options_.hooks)) {
    InitSundialResources();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(ApplicationTitle());
    setWindowIcon(QIcon(QStringLiteral(":/sundial/icon.png")));
    setAttribute(Qt::WA_QuitOnClose, true);

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

    createActions();
    createMenus();
    createCentralArea();
    createChildWindows();
    syncTimeZoneMenu();

    // The first client area is given below the menu bar.
    resize(TwipsToPixels(kClientWidth, logicalDpiX()),
           TwipsToPixels(kClientHeight, logicalDpiY()) + menuBar()->sizeHint().height());
}

frmMain::~frmMain() {
    // The children go after this object's own part: their last activation
    // signals must not reach it.
    disconnect(mdiArea_, nullptr, this, nullptr);
}

void frmMain::createActions() {
    auto make = [this](const char* name, const QString& caption) {
        auto* action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    mnuHelp_ = make("mnuHelp", QStringLiteral("Help"));
    mnuPrint_ = make("mnuPrint", QStringLiteral("Make PDF"));
    mnuBearing_ = make("mnuBearing", QStringLiteral("Wall &Bearing"));
    mnuGnome_ = make("mnuGnome", QStringLiteral("Gnome"));
    connect(mnuHelp_, &QAction::triggered, this, &frmMain::mnuHelp_Click);
    connect(mnuPrint_, &QAction::triggered, this, &frmMain::mnuPrint_Click);
    connect(mnuBearing_, &QAction::triggered, this, &frmMain::mnuBearing_Click);
    connect(mnuGnome_, &QAction::triggered, this, &frmMain::mnuGnome_Click);

    mnuLatLong_ = make("mnuLatLong", QStringLiteral("User set Lat and Long"));
    mnuLatLong_->setCheckable(true);
    connect(mnuLatLong_, &QAction::triggered, this, &frmMain::mnuLatLong_Click);
    for (size_t i = 0; i < kRegions.size(); ++i) {
        QAction* item = make(kRegionItemNames[i], QString::fromLatin1(RegionCaption(kRegions[i])));
        item->setCheckable(true);
        const Region region = kRegions[i];
        connect(item, &QAction::triggered, this, [this, region] { openGazetteer(region); });
        mnuRegions_[i] = item;
    }

    for (size_t i = 0; i < kZoneItems.size(); ++i) {
        const ZoneItem& zone = kZoneItems[i];
        QAction* item = make(zone.name, QString::fromLatin1(zone.caption));
        item->setCheckable(true);
        const int offset = zone.offset;
        connect(item, &QAction::triggered, this, [this, offset] { chooseZone(offset); });
        mnuZones_[i] = item;
    }
    // Keeps the submenu from ever having every item hidden; it does nothing.
    mnuUTCtemp_ = make("mnuUTCtemp", QStringLiteral("U"));
}

void frmMain::createMenus() {
    QMenuBar* bar = menuBar();
    bar->addAction(mnuHelp_);
    bar->addAction(mnuPrint_);
    bar->addAction(mnuBearing_);

    mnuLocation_ = bar->addMenu(QStringLiteral("&Location"));
    mnuLocation_->setObjectName(QStringLiteral("mnuLocation"));
    mnuLocation_->addAction(mnuLatLong_);
    mnuLocation_->addSeparator()->setObjectName(QStringLiteral("mnuSep1"));
    for (QAction* item : mnuRegions_) mnuLocation_->addAction(item);

    mnuTimezone_ = bar->addMenu(QStringLiteral("&TimeZone"));
    mnuTimezone_->setObjectName(QStringLiteral("mnuTimezone"));
    for (QAction* item : mnuZones_) mnuTimezone_->addAction(item);
    mnuTimezone_->addAction(mnuUTCtemp_);

    bar->addAction(mnuGnome_);
}

void frmMain::createCentralArea() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    const double dx = logicalDpiX();
    const double dy = logicalDpiY();
    auto* strip = new QWidget(central);
    strip->setObjectName(QStringLiteral("Picture1"));
    strip->setFixedHeight(TwipsToPixels(kStripHeight, dy));
    QPalette stripPalette = strip->palette();
    stripPalette.setColor(QPalette::Window, kLightYellow);
    strip->setPalette(stripPalette);
    strip->setAutoFillBackground(true);
    auto* clock = new QLabel(strip);
    clock->setObjectName(QStringLiteral("picClock"));
    clock->setPixmap(QPixmap(QStringLiteral(":/sundial/strip.png")));
    clock->setScaledContents(true);
    clock->setGeometry(TwipsToPixels(kClockLeft, dx), 0, TwipsToPixels(kClockWidth, dx),
                       TwipsToPixels(kStripHeight, dy));
    layout->addWidget(strip);

    mdiArea_ = new QMdiArea(central);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    mdiArea_->setBackground(kLightYellow);
    layout->addWidget(mdiArea_, 1);
    setCentralWidget(central);

    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &frmMain::onSubWindowActivated);
}

void frmMain::createChildWindows() {
    BusyScope busy(busy_);
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

// ---- Site, zones and the run ----

std::filesystem::path frmMain::settingsFile() const {
    if (!options_.settingsFolder.empty()) return SettingsPathIn(options_.settingsFolder);
    std::error_code error;
    const std::filesystem::path cwd = std::filesystem::current_path(error);
    return SettingsPathIn(error ? std::filesystem::path(".") : cwd);
}

std::filesystem::path frmMain::pdfFile() const {
    if (!options_.pdfFolder.empty()) return options_.pdfFolder / kSheetFileName;
    // The program's own folder; a program installed where it cannot write
    // puts the sheet in the user's documents instead.
    const std::filesystem::path program = QCoreApplication::applicationDirPath().toStdString();
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty()) documents = QDir::homePath();
    return ChooseSheetFolder(program, documents.toStdString()) / kSheetFileName;
}

void frmMain::syncTimeZoneMenu() {
    for (size_t i = 0; i < mnuZones_.size(); ++i) {
        const int offset = kZoneItems[i].offset;
        mnuZones_[i]->setVisible(zoneMenu_.Visible(offset));
        mnuZones_[i]->setChecked(zoneMenu_.Checked(offset));
    }
    mnuUTCtemp_->setVisible(zoneMenu_.PlaceholderVisible());
}

void frmMain::chooseZone(int offset) {
    site_.UtcOffset = static_cast<float>(offset);
    zoneMenu_.Choose(offset);
    syncTimeZoneMenu();
    mnuRun_Click();
}

void frmMain::Timeset(double value) {
    const std::optional<int> zone = zoneMenu_.Timeset(value);
    if (!zone) return;
    site_.UtcOffset = static_cast<float>(*zone);
    syncTimeZoneMenu();
    mnuRun_Click();
}

RunResult frmMain::run(SheetOutput* sheet) {
    BusyScope busy(busy_);
    RunTargets targets{draw_->surface(), number_->surface(), chart_->surface(),
                       [this] { Cascade(); }, sheet};
    RunResult result = RunDial(site_, settingsFile(), targets, dial_);
    if (result.status == RunStatus::ArithmeticFault) {
        // The run stopped part way; say why where the numbers would have been.
        QtSurface& report = number_->surface();
        report.PrintLine({});
        report.PrintLine({{"  " + result.message}});
    }
    ++runCount_;
    lastRun_ = result;
    return result;
}

void frmMain::mnuRun_Click() {
    // Nothing a run does may start another run.
    if (running_) return;
    running_ = true;
    run(nullptr);
    running_ = false;
}

void frmMain::mnuPrint_Click() {
    const std::filesystem::path file = pdfFile();
    std::unique_ptr<SheetOutput> sheet = sheetFactory_ ? sheetFactory_(file) : nullptr;
    pdfRequested_ = true;
    const RunResult result = run(sheet.get());
    pdfRequested_ = false;
    const QString path = QString::fromStdString(file.string());
    if (!sheet) {
        hooks_.warn(
            this, ApplicationTitle(),
            QStringLiteral("This version of the program cannot make the PDF sheet.\n"
                           "The drawing and the calculations on the screen are up to date."));
        return;
    }
    if (result.status == RunStatus::SheetFailed) {
        // The failed sheet stopped the run before the foot line and the curve:
        // complete the screen before telling the user.
        mnuRun_Click();
        hooks_.warn(this, ApplicationTitle(),
                    QStringLiteral("The PDF sheet could not be written to %1:\n%2")
                        .arg(path, QString::fromStdString(result.message)));
        return;
    }
    if (result.status != RunStatus::Completed) {
        hooks_.warn(this, ApplicationTitle(), QString::fromStdString(result.message));
        return;
    }
    if (!hooks_.openUrl(QUrl::fromLocalFile(path))) {
        hooks_.warn(this, ApplicationTitle(),
                    QStringLiteral("The PDF sheet was written to %1, but no program could be "
                                   "started to show it.")
                        .arg(path));
        return;
    }
    const std::filesystem::path program = QCoreApplication::applicationDirPath().toStdString();
    if (options_.pdfFolder.empty() && file.parent_path() != program && !toldPdfFolder_) {
        toldPdfFolder_ = true;
        hooks_.warn(this, ApplicationTitle(),
                    QStringLiteral("The program's folder cannot be written to, so the PDF sheet "
                                   "is kept in %1.")
                        .arg(QString::fromStdString(file.parent_path().string())));
    }
}

// ---- Location checks, start-up host ----

void frmMain::ClearLocationChecks() {
    mnuLatLong_->setChecked(false);
    for (QAction* item : mnuRegions_) item->setChecked(false);
}

void frmMain::CheckLocationItem(LocationItem item) {
    switch (item) {
        case LocationItem::UserLatLong:
            mnuLatLong_->setChecked(true);
            break;
        case LocationItem::WestEurope:
            mnuRegions_[RegionIndex(Region::WestEurope)]->setChecked(true);
            break;
        case LocationItem::EastEurope:
            mnuRegions_[RegionIndex(Region::EastEurope)]->setChecked(true);
            break;
        case LocationItem::NorthAmerica:
            mnuRegions_[RegionIndex(Region::NorthAmerica)]->setChecked(true);
            break;
    }
}

void frmMain::SelectExeter() {
    if (windows_.selectExeter) {
        windows_.selectExeter();
        return;
    }
    if (const Place* exeter = ExeterRow()) ApplyPlace(site_, *exeter);
    Timeset(0);
    mnuRun_Click();
}

// ---- Children: sizing, furniture, focus ----

TwipRect frmMain::outerRectTwips() const {
    const QRect frame = frameGeometry();
    const double dx = logicalDpiX();
    const double dy = logicalDpiY();
    return {PixelsToTwips(frame.x(), dx), PixelsToTwips(frame.y(), dy),
            PixelsToTwips(frame.width(), dx), PixelsToTwips(frame.height(), dy)};
}

void frmMain::Cascade() {
    BusyScope busy(busy_);
    const TwipRect outer = outerRectTwips();
    if (const std::optional<OuterSize> size = CascadeChildSize({outer.width, outer.height})) {
        for (ChildWindow* child : {chart_, draw_, number_}) {
            child->setOuterSizeTwips(size->width, size->height);
        }
    }
    DrawDialFrame(draw_->surface());
    DrawChartFurniture(chart_->surface());
}

void frmMain::arrangeCascade() {
    BusyScope busy(busy_);
    // Back to front, so the active window ends up in front, furthest in.
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList(QMdiArea::StackingOrder);
    const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, draw_);
    const std::vector<TwipPoint> corners =
        CascadePositions(static_cast<int>(windows.size()), step > 0 ? step : 20);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        windows[i]->move(static_cast<int>(corners[static_cast<size_t>(i)].left),
                         static_cast<int>(corners[static_cast<size_t>(i)].top));
    }
}

void frmMain::onSubWindowActivated(QMdiSubWindow* window) {
    // The main window losing and regaining the focus (a dialog, a message box)
    // is not a change between children: reacting to it could loop.
    if (!window || window == lastActive_) return;
    lastActive_ = window;
    if (!focusHandling_ || busy_ > 0) return;
    // One child stopped being active (cascade, Cascade) and another became
    // active (cascade, Cascade, run): the second repeats the first, so once.
    arrangeCascade();
    Cascade();
    mnuRun_Click();
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (busy_ > 0) return;
    Cascade();
    mnuRun_Click();
}

// ---- Start-up, pause, shutdown ----

void frmMain::Startup() {
    pdfRequested_ = false;
    LoadSiteSettings(site_, *this, settingsFile());

    CenterOnScreen(this);
    splash_ = new frmSplash(options_.hooks, this);
    splash_->setAttribute(Qt::WA_DeleteOnClose);
    CenterOnScreen(splash_);

    focusHandling_ = true;
    mdiArea_->setActiveSubWindow(draw_);
    draw_->widget()->setFocus();
    Cascade();
    show();

    if (splash_) {
        splash_->show();
        CenterOnScreen(splash_);
        splash_->raise();
        splash_->activateWindow();
    }
    if (hooks_.pause) {
        hooks_.pause(2);
    } else {
        PauseSeconds(2);
    }
    if (splash_) splash_->close();
}

void frmMain::PauseSeconds(int seconds) {
    const std::time_t target = std::time(nullptr) + seconds;
    while (target > std::time(nullptr) && !closing_) {
        // A short slice of the event loop rather than a busy loop.
        QEventLoop slice;
        QTimer::singleShot(50, &slice, &QEventLoop::quit);
        slice.exec();
    }
}

void frmMain::closeEvent(QCloseEvent* event) {
    closing_ = true;
    // Every window the program opened goes with the main window, the gnomon
    // dialog included, so that nothing keeps the program alive.
    QList<QPointer<QWidget>> others = {splash_.data(), latLong_, gazetteers_[0], gazetteers_[1],
                                       gazetteers_[2], bearing_, gnome_};
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top != this) others.append(top);
    }
    for (const QPointer<QWidget>& window : others) {
        if (window && window->isVisible()) window->close();
    }
    event->accept();
    hooks_.quit();
}

// ---- Placement ----

void frmMain::CenterOverMainWindow(QWidget* window) const {
    if (!window) return;
    const double dx = logicalDpiX();
    const double dy = logicalDpiY();
    const QRect frame = window->frameGeometry();
    const TwipPoint p = sundial::CenterOverMainWindow(
        outerRectTwips(), PixelsToTwips(frame.width(), dx), PixelsToTwips(frame.height(), dy));
    window->move(TwipsToPixels(p.left, dx), TwipsToPixels(p.top, dy));
}

void frmMain::PlaceBesideMainWindow(QWidget* window) const {
    if (!window) return;
    const TwipPoint p = sundial::PlaceBesideMainWindow(outerRectTwips());
    window->move(TwipsToPixels(p.left, logicalDpiX()), TwipsToPixels(p.top, logicalDpiY()));
}

void frmMain::CenterOnScreen(QWidget* window) {
    if (!window) return;
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const double dx = window->logicalDpiX();
    const double dy = window->logicalDpiY();
    const QRect area = screen->geometry();
    const QRect frame = window->frameGeometry();
    const TwipPoint p = sundial::CenterOnScreen(
        PixelsToTwips(area.width(), dx), PixelsToTwips(area.height(), dy),
        PixelsToTwips(frame.width(), dx), PixelsToTwips(frame.height(), dy));
    window->move(area.x() + TwipsToPixels(p.left, dx), area.y() + TwipsToPixels(p.top, dy));
}

void frmMain::setOuterSizeTwips(QWidget* window, double width, double height) const {
    const QSize frameExtra = window->frameGeometry().size() - window->size();
    window->resize(TwipsToPixels(width, logicalDpiX()) - frameExtra.width(),
                   TwipsToPixels(height, logicalDpiY()) - frameExtra.height());
}

// ---- Other windows: the seams ----

QWidget* frmMain::placeholder(QPointer<QWidget>& slot, const QString& name, const QString& caption,
                              double widthTwips, double heightTwips) {
    if (!slot) {
        auto* window = new QWidget(this, Qt::Window);
        window->setObjectName(name);
        window->setWindowTitle(caption);
        window->resize(TwipsToPixels(widthTwips, logicalDpiX()),
                       TwipsToPixels(heightTwips, logicalDpiY()));
        slot = window;
    }
    return slot;
}

QWidget* frmMain::gazetteerWindow(Region region) {
    QPointer<QWidget>& slot = gazetteers_[RegionIndex(region)];
    if (!slot && windows_.gazetteer) slot = windows_.gazetteer(region);
    return placeholder(slot, QString::fromLatin1(RegionWindowName(region)),
                       QString::fromLatin1(RegionCaption(region)), kGazetteerWidth,
                       kGazetteerHeight);
}

QWidget* frmMain::latLongWindow() {
    if (!latLong_ && windows_.latLong) latLong_ = windows_.latLong();
    return placeholder(latLong_, QStringLiteral("frmLatLong"),
                       QStringLiteral("User set Lat and Long"), 4500, 3000);
}

QWidget* frmMain::bearingWindow() {
    if (!bearing_ && windows_.bearing) bearing_ = windows_.bearing();
    return placeholder(bearing_, QStringLiteral("frmBearing"), QStringLiteral("Wall Bearing"), 4500,
                       2500);
}

QWidget* frmMain::gnomeWindow() {
    if (!gnome_ && windows_.gnome) gnome_ = windows_.gnome();
    return placeholder(gnome_, QStringLiteral("frmGnome"), QStringLiteral("Gnome"), 4500, 3000);
}

void frmMain::openGazetteer(Region region) {
    ClearLocationChecks();
    mnuRegions_[RegionIndex(region)]->setChecked(true);
    QWidget* window = gazetteerWindow(region);
    PlaceBesideMainWindow(window);
    window->show();
    setOuterSizeTwips(window, kGazetteerWidth, kGazetteerHeight);
    window->raise();
    window->activateWindow();
}

void frmMain::mnuLatLong_Click() {
    ClearLocationChecks();
    mnuLatLong_->setChecked(true);
    QWidget* window = latLongWindow();
    CenterOverMainWindow(window);
    window->show();
    window->raise();
    window->activateWindow();
}

void frmMain::mnuBearing_Click() {
    QWidget* window = bearingWindow();
    CenterOverMainWindow(window);
    window->show();
    window->raise();
    window->activateWindow();
}

void frmMain::mnuGnome_Click() {
    QWidget* window = gnomeWindow();
    CenterOverMainWindow(window);
    window->show();
    window->raise();
    window->activateWindow();
}

void frmMain::mnuHelp_Click() {
    if (!splash_) {
        splash_ = new frmSplash(options_.hooks, this);
        splash_->setAttribute(Qt::WA_DeleteOnClose);
    }
    // Shown first: its frame is known only once it is on the screen.
    splash_->show();
    CenterOverMainWindow(splash_);
    splash_->raise();
    splash_->activateWindow();
}

}  // namespace sundial

#include "ui/gazetteer/gazetteer_window.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <cstring>
#include <string_view>

#include "ui/shell/main_window_api.h"

namespace sundial {

namespace {

// The order in which a window's pick clears the check marks of all three:
// its own window first.
std::array<Region, 3> UncheckOrder(Region own) {
    switch (own) {
        case Region::WestEurope:
            return {Region::WestEurope, Region::EastEurope, Region::NorthAmerica};
        case Region::EastEurope:
            return {Region::EastEurope, Region::WestEurope, Region::NorthAmerica};
        case Region::NorthAmerica:
            return {Region::NorthAmerica, Region::EastEurope, Region::WestEurope};
    }
    return {Region::WestEurope, Region::EastEurope, Region::NorthAmerica};
}

// The one town whose pick also puts its window away.
constexpr std::string_view kHidingItem = "mnuStockton";

}  // namespace

GazetteerWindow::GazetteerWindow(Region region, MainWindowApi& main, GazetteerWindows& all,
                                 QWidget* parent)
    : QMainWindow(parent, Qt::Window), region_(region), main_(main), all_(all) {
    setObjectName(RegionWindowName(region));
    setWindowTitle(RegionCaption(region));
    setAttribute(Qt::WA_DeleteOnClose);

    // The thin line along the top of the client area, the window's only content.
    auto* line = new QFrame(this);
    line->setObjectName(region == Region::WestEurope ? "Line4" : "Line1");
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setFixedHeight(1);
    setCentralWidget(line);

    QMenu* top = menuBar()->addMenu(QStringLiteral("Location"));
    top->setObjectName(region == Region::WestEurope ? "mnuWestEurope" : "mnuLocation");
    QMenu* sub = nullptr;
    for (const Place* place : PlacesIn(region)) {
        if (!sub || sub->objectName() != QLatin1String(place->subMenuName)) {
            sub = top->addMenu(QString::fromUtf8(place->subMenu));
            sub->setObjectName(place->subMenuName);
        }
        QAction* item = sub->addAction(QString::fromUtf8(place->caption));
        item->setObjectName(place->itemName);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, place] { Pick(*place); });
        items_.emplace_back(place, item);
    }
}

void GazetteerWindow::Uncheck() {
    for (auto& [place, item] : items_) item->setChecked(false);
}

void GazetteerWindow::UncheckAll() {
    for (Region r : UncheckOrder(region_)) {
        if (r == region_) {
            Uncheck();
        } else {
            all_.Window(r).Uncheck();
        }
    }
}

void GazetteerWindow::mnuExeter_Click() {
    for (auto& [place, item] : items_) {
        if (place == &DefaultPlace()) {
            Pick(*place);
            return;
        }
    }
}

void GazetteerWindow::Pick(const Place& place) {
    ApplyPlace(main_.Site(), place);
    UncheckAll();
    if (QAction* item = Item(place.itemName)) item->setChecked(true);
    main_.Timeset(place.utcOffset);
    if (place.itemName == kHidingItem) hide();
    main_.mnuRun_Click();
}

QAction* GazetteerWindow::Item(const char* itemName) const {
    for (auto& [place, item] : items_) {
        if (std::strcmp(place->itemName, itemName) == 0) return item;
    }
    return nullptr;
}

std::vector<std::string> GazetteerWindow::CheckedItems() const {
    std::vector<std::string> names;
    for (auto& [place, item] : items_) {
        if (item->isChecked()) names.push_back(place->itemName);
    }
    return names;
}

bool GazetteerWindow::event(QEvent* event) {
    // East Europe and North America step out of the way once the user works
    // elsewhere; West Europe, the one used most, stays up.
    if (event->type() == QEvent::WindowDeactivate && region_ != Region::WestEurope) hide();
    return QMainWindow::event(event);
}

GazetteerWindows::GazetteerWindows(MainWindowApi& main) : main_(main) {}

GazetteerWindows::~GazetteerWindows() {
    for (auto& window : windows_) delete window.data();
}

GazetteerWindow& GazetteerWindows::Window(Region region) {
    QPointer<GazetteerWindow>& slot = windows_[Index(region)];
    if (!slot) slot = new GazetteerWindow(region, main_, *this, main_.MainWidget());
    return *slot;
}

GazetteerWindow* GazetteerWindows::Existing(Region region) const {
    return windows_[Index(region)].data();
}

}  // namespace sundial

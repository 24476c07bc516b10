#include "ui/shell/shutdown.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <array>

namespace sundial {

namespace {

constexpr std::array<const char*, 7> kCloseOrder = {
    "frmSplash",       "frmLatLong", "frmWestEurope", "frmEastEurope",
    "frmNorthAmerica", "frmBearing", "frmGnome"};

// Windows not in the list come last, in the order the application lists them.
long CloseRank(const QWidget* window) {
    return std::find(kCloseOrder.begin(), kCloseOrder.end(), window->objectName()) -
           kCloseOrder.begin();
}

}  // namespace

void CloseOtherWindows(const QWidget& main) {
    QWidgetList tops = QApplication::topLevelWidgets();
    tops.removeAll(const_cast<QWidget*>(&main));
    std::stable_sort(tops.begin(), tops.end(), [](const QWidget* a, const QWidget* b) {
        return CloseRank(a) < CloseRank(b);
    });
    // Closing one window may take others with it.
    const QList<QPointer<QWidget>> others(tops.begin(), tops.end());
    for (const QPointer<QWidget>& window : others) {
        if (window && window->isVisible()) window->close();
    }
}

}  // namespace sundial

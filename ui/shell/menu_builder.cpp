#include "ui/shell/menu_builder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace sundial {

QAction* AddMenuItem(QWidget& menu, const MenuItem& item) {
    auto* action = new QAction(item.caption, &menu);
    action->setObjectName(QString::fromLatin1(item.name));
    if (item.caption == QLatin1String("-")) {
        action->setText(QString());
        action->setSeparator(true);
    }
    action->setCheckable(item.checkable);
    if (item.choose) QObject::connect(action, &QAction::triggered, &menu, item.choose);
    menu.addAction(action);
    return action;
}

QMenu* AddMenu(QMenuBar& bar, const char* name, const QString& caption,
               const std::vector<MenuItem>& items) {
    QMenu* menu = bar.addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    for (const MenuItem& item : items) AddMenuItem(*menu, item);
    return menu;
}

std::vector<QAction*> MenuItems(const QMenu& menu) {
    std::vector<QAction*> items;
    for (QAction* action : menu.actions()) {
        if (!action->isSeparator()) items.push_back(action);
    }
    return items;
}

}  // namespace sundial

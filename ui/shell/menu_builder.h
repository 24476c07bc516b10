// Menus as data: an item is a control name, a caption and what choosing it
// does, so a new menu is one table handed to AddMenu, e.g. after "Gnome":
//
//     AddMenu(*menuBar(), "mnuExtras", "E&xtras",
//             {{"mnuFirst", "First…", [this] { first(); }},
//              {"mnuSep2", "-", {}},
//              {"mnuSecond", "Second", [this] { second(); }, true}});
#pragma once

#include <QString>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace sundial {

struct MenuItem {
    const char* name;  // the control name ("mnuHelp"), separators included
    // "&" marks the access key (the next letter is underlined and reached
    // with Alt); "-" makes a separator line.
    QString caption;
    std::function<void()> choose;  // empty: choosing it does nothing
    bool checkable = false;
};

// Adds `item` to the end of a menu bar or a menu and returns its action.
QAction* AddMenuItem(QWidget& menu, const MenuItem& item);

// Adds a submenu named `name` to the end of the menu bar, holding `items` in
// order from top to bottom.
QMenu* AddMenu(QMenuBar& bar, const char* name, const QString& caption,
               const std::vector<MenuItem>& items);

// The items of `menu` in order, separators left out.
std::vector<QAction*> MenuItems(const QMenu& menu);

}  // namespace sundial

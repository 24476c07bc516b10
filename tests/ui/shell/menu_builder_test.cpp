#include "ui/shell/menu_builder.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "tests/ui/support/fake_main_window.h"

namespace sundial {
namespace {

TEST(MenuBuilder, BuildsAMenuFromItsTable) {
    testing::EnsureApplication();
    QMenuBar bar;
    std::vector<std::string> chosen;
    const auto choose = [&](const char* what) {
        return [&chosen, what] { chosen.push_back(what); };
    };
    QAction* command = AddMenuItem(bar, {"mnuCommand", "&Command", choose("command")});
    QMenu* menu = AddMenu(bar, "mnuSub", "&Sub",
                          {{"mnuFirst", "First", choose("first"), true},
                           {"mnuSep", "-", {}},
                           {"mnuSecond", "Second…", choose("second")},
                           {"mnuIdle", "U", {}}});

    ASSERT_EQ(bar.actions().size(), 2);
    EXPECT_EQ(bar.actions()[0], command);
    EXPECT_EQ(bar.actions()[1], menu->menuAction());
    EXPECT_EQ(menu->objectName(), "mnuSub");
    EXPECT_EQ(menu->title(), "&Sub");

    struct Expected {
        const char* name;
        const char* caption;
        bool separator;
        bool checkable;
    };
    const Expected expected[] = {{"mnuFirst", "First", false, true},
                                 {"mnuSep", "", true, false},
                                 {"mnuSecond", "Second…", false, false},
                                 {"mnuIdle", "U", false, false}};
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), std::size(expected));
    for (qsizetype i = 0; i < actions.size(); ++i) {
        const Expected& e = expected[i];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(actions[i]->objectName(), e.name);
        EXPECT_EQ(actions[i]->text(), QString::fromUtf8(e.caption));
        EXPECT_EQ(actions[i]->isSeparator(), e.separator);
        EXPECT_EQ(actions[i]->isCheckable(), e.checkable);
        EXPECT_EQ(bar.findChild<QAction*>(e.name), actions[i]) << "found by its control name";
    }
    EXPECT_EQ(MenuItems(*menu), (std::vector<QAction*>{actions[0], actions[2], actions[3]}));

    // Each item does its own thing once per choice; an item without one does nothing.
    for (QAction* a : {command, actions[2], actions[0], actions[3]}) a->trigger();
    EXPECT_EQ(chosen, (std::vector<std::string>{"command", "second", "first"}));
}

}  // namespace
}  // namespace sundial

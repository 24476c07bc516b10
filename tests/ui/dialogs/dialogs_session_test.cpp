// One whole session through the main window's menus: start with no settings
// file, pick a town, type a wall bearing, make the PDF. After each step the
// settings file and the Calculations report must show the new site.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "tests/ui/support/fake_main_window.h"
#include "ui/dialogs/input_windows.h"
#include "ui/shell/main_window.h"

namespace sundial {
namespace {

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(WholeSession, MenusToSettingsReportAndPdf) {
    testing::EnsureApplication();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::filesystem::path dir = folder.path().toStdString();

    std::vector<QUrl> opened;
    std::vector<QString> warnings;
    DesktopHooks hooks;
    hooks.openUrl = [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    };
    hooks.warn = [&](QWidget*, const QString&, const QString& text) { warnings.push_back(text); };
    hooks.pause = [](int) {};
    hooks.quit = [] {};
    frmMain main(frmMain::Options{dir, dir, hooks});
    InputWindows inputs(main, [&](QWidget*, const QString& text) { warnings.push_back(text); });

    const auto settings = [&] { return ReadFile(SettingsPathIn(dir)); };
    const auto report = [&] { return main.frmNumber()->surface().printedLines().join('\n'); };
    const auto menu = [&](const char* name) {
        QAction* action = main.findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    };

    // Start-up without a settings file: Exeter through the West Europe window.
    main.Startup();
    EXPECT_EQ(settings(), "3.5\r\n50.7\r\n185.2\r\n0\r\n");
    EXPECT_TRUE(report().contains("Exeter, Britain")) << report().toStdString();
    GazetteerWindow* west = inputs.Gazetteers().Existing(Region::WestEurope);
    ASSERT_NE(west, nullptr);
    EXPECT_EQ(west->CheckedItems(), std::vector<std::string>{"mnuExeter"});
    EXPECT_FALSE(west->isVisible());

    // Location > West Europe > Britain > London.
    menu("mnuWestEurope")->trigger();
    EXPECT_TRUE(west->isVisible());
    EXPECT_TRUE(menu("mnuWestEurope")->isChecked());
    west->Item("mnuLondon")->trigger();
    EXPECT_EQ(settings(), "0.1\r\n51.5\r\n185.2\r\n0\r\n");
    EXPECT_TRUE(report().contains("London, Britain")) << report().toStdString();

    // "Wall Bearing": 200.0 is stored as 200 and the dialog goes away.
    menu("mnuBearing")->trigger();
    frmBearing* bearing = inputs.Dialogs().ExistingBearing();
    ASSERT_NE(bearing, nullptr);
    EXPECT_TRUE(bearing->isVisible());
    // Typed as the user's locale writes it ("200,0" in German).
    bearing->txtBearing->setText(QLocale().toString(200.0, 'f', 1));
    bearing->cmdAccept->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(inputs.Dialogs().ExistingBearing(), nullptr);
    EXPECT_EQ(settings(), "0.1\r\n51.5\r\n200\r\n0\r\n");
    EXPECT_TRUE(report().contains("Wall Bearing: 200")) << report().toStdString();
    EXPECT_TRUE(warnings.empty());

    // "Make PDF": the same site again, and the program's own sheet, written
    // into the test's folder, handed to the (captured) viewer.
    menu("mnuPrint")->trigger();
    EXPECT_EQ(settings(), "0.1\r\n51.5\r\n200\r\n0\r\n");
    EXPECT_TRUE(report().contains("London, Britain"));
    ASSERT_EQ(opened.size(), 1u) << (warnings.empty() ? "" : warnings[0].toStdString());
    EXPECT_EQ(opened[0].toLocalFile().toStdString(), (dir / "sundial.pdf").string());
    EXPECT_EQ(ReadFile(dir / "sundial.pdf").substr(0, 5), "%PDF-");
}

}  // namespace
}  // namespace sundial

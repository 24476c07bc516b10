// The help page is found beside the program in the build folder, in the shared
// data folder of an installed (or unpacked) copy, and otherwise written out
// from the copy built into the program.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "tests/ui/support/fake_main_window.h"
#include "ui/shell/splash_window.h"

namespace sundial {
namespace {

QByteArray BuiltInPage() {
    QFile page(QStringLiteral(":/sundial/design.html"));
    return page.open(QIODevice::ReadOnly) ? page.readAll() : QByteArray();
}

bool Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

TEST(HelpPage, FoundWhereverTheProgramWasPut) {
    testing::EnsureApplication();
    // Written-out copies go to a test folder, not the user's.
    QStandardPaths::setTestModeEnabled(true);
    const QDir program(QCoreApplication::applicationDirPath());
    const QString beside = program.filePath("design.html");
    const QString installed = QDir::cleanPath(program.filePath("../share/sundial/design.html"));

    struct Row {
        const char* name;
        bool besideExists;
        bool installedExists;
        const QString* expected;  // null: the built-in copy, written out
    } rows[] = {
        {"build folder", true, false, &beside},
        {"installed or unpacked", false, true, &installed},
        {"both: the build folder's", true, true, &beside},
        {"neither: the built-in copy", false, false, nullptr},
    };
    for (const Row& row : rows) {
        QFile::remove(beside);
        QFile::remove(installed);
        if (row.besideExists) {
            ASSERT_TRUE(Write(beside, "beside")) << row.name;
        }
        if (row.installedExists) {
            ASSERT_TRUE(Write(installed, "installed")) << row.name;
        }

        const QString found = HelpPagePath();
        if (row.expected) {
            EXPECT_EQ(found, *row.expected) << row.name;
        } else {
            EXPECT_NE(found, beside) << row.name;
            EXPECT_NE(found, installed) << row.name;
            QFile page(found);
            ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << row.name << ": " << found.toStdString();
            EXPECT_EQ(page.readAll(), BuiltInPage()) << row.name;
        }
    }
    QFile::remove(beside);
    QFile::remove(installed);
    QDir().rmpath(QFileInfo(installed).absolutePath());
}

}  // namespace
}  // namespace sundial

// What the command line says about itself: --help, --version, each command's
// own help, and the manual page that must keep up with them.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "cli/cli_app.h"
#include "cli/cli_command.h"

namespace sundial {
namespace {

struct Outcome {
    int status;
    QString out;
    QString err;
};

Outcome Cli(QStringList args) {
    args.prepend("/some/folder/sundial-cli");
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const int status = RunCli(args, outStream, errStream);
    outStream.flush();
    errStream.flush();
    return {status, out, err};
}

TEST(CliHelp, TopLevelAnswers) {
    struct Row {
        const char* name;
        QStringList args;
        int status;
        const char* pattern;  // the whole of stdout, or stderr when the status is not 0
    } rows[] = {
        {"help",
         {"--help"},
         kCliOk,
         "^Designs a vertical wall sundial\\.\\n\\nUsage: sundial-cli "},
        {"short help", {"-h"}, kCliOk, "^Designs"},
        {"version", {"--version"}, kCliOk, "^sundial-cli \\d+\\.\\d+\\.\\d+\\n$"},
        {"nothing", {}, kCliBadInput, "^Usage: sundial-cli COMMAND"},
        {"unknown", {"--verbose"}, kCliBadInput, "^Usage: sundial-cli COMMAND"},
    };
    for (const Row& row : rows) {
        const Outcome o = Cli(row.args);
        EXPECT_EQ(o.status, row.status) << row.name;
        const QString& text = row.status == kCliOk ? o.out : o.err;
        EXPECT_TRUE(QRegularExpression(row.pattern).match(text).hasMatch())
            << row.name << ": " << text.toStdString();
    }
    EXPECT_TRUE(Cli({"--version"}).out.contains(CliVersion()));
}

// Each command's help names the program and the command, not the path it was
// started from.
TEST(CliHelp, EachCommandsHelpListsItsOptions) {
    for (const CliCommand& c : CliCommands()) {
        const Outcome o = Cli({c.name, "--help"});
        EXPECT_EQ(o.status, kCliOk) << c.name;
        EXPECT_TRUE(
            o.out.startsWith(QStringLiteral("Usage: sundial-cli %1 [options]\n").arg(c.name)))
            << o.out.toStdString();
        EXPECT_FALSE(o.out.contains("/some/folder")) << c.name;
        EXPECT_FALSE(o.out.contains("--help-all")) << c.name;
    }
}

// The manual page keeps up with the program: every command and every option a
// command's help lists is described there.
TEST(CliHelp, TheManualPageDescribesEveryCommandAndOption) {
    QFile file(QStringLiteral(SUNDIAL_SOURCE_DIR "/packaging/man/sundial-cli.1"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString manual = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(manual.contains("\\-\\-version"));
    const QRegularExpression option(QStringLiteral("--([a-z][a-z-]*)"));
    for (const CliCommand& c : CliCommands()) {
        EXPECT_TRUE(manual.contains(QStringLiteral("\n.B %1\n").arg(c.name))) << c.name;
        const QString help = Cli({c.name, "--help"}).out;
        for (const QRegularExpressionMatch& m : option.globalMatch(help)) {
            QString name = m.captured(1);
            if (name == "help") continue;
            EXPECT_TRUE(manual.contains("\\-\\-" + name.replace("-", "\\-")))
                << c.name << " --" << m.captured(1).toStdString();
        }
    }
}

}  // namespace
}  // namespace sundial

// sundial-cli batch as a user runs it: options, exit statuses and messages.
// What the files hold is the batch's own test's affair.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "cli/cli_app.h"

namespace sundial {
namespace {

struct Outcome {
    int status;
    QString out;
    QString err;
};

Outcome Cli(QStringList args) {
    args.prepend("sundial-cli");
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const int status = RunCli(args, outStream, errStream);
    outStream.flush();
    errStream.flush();
    return {status, out, err};
}

class BatchCommand : public testing::Test {
  protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QString WriteSites(const std::string& body) const {
        const QString file = Path("sites.csv");
        std::ofstream(file.toStdString(), std::ios::binary)
            << "name,latitude,longitude,bearing,utc\n"
            << body;
        return file;
    }
    QStringList Files(const QString& folder) const {
        return QDir(Path(folder)).entryList(QDir::Files, QDir::Name);
    }

    QTemporaryDir dir_;
};

TEST_F(BatchCommand, BadOptionsExitWithTwoAndWriteNothing) {
    const QString sites = WriteSites("A,50,0,200,0\n");
    const QString out = Path("out");
    struct Row {
        const char* name;
        QStringList args;
        const char* message;
    } rows[] = {
        {"no sites", {"--out", out}, "either --places or --sites"},
        {"both sources", {"--places", "--sites", sites, "--out", out}, "either --places"},
        {"no folder", {"--places"}, "--out"},
        {"match with a file",
         {"--sites", sites, "--match", "L*", "--out", out},
         "go with --places"},
        {"bearing with a file", {"--sites", sites, "--bearing", "200", "--out", out}, "--places"},
        {"nothing matches", {"--places", "--match", "Atlantis*", "--out", out}, "no place"},
        {"bearing out of range", {"--places", "--bearing", "300", "--out", out}, "Bearing value"},
        {"missing file", {"--sites", Path("none.csv"), "--out", out}, "cannot read"},
        {"pdf takes no file", {"--places", "--pdf", "x.pdf", "--out", out}, "unexpected argument"},
        {"template takes no file",
         {"--places", "--template-svg", "x.svg", "--out", out},
         "unexpected argument"},
        {"plate without a template",
         {"--places", "--width", "600", "--out", out},
         "--width shapes the template: give --template-pdf or --template-svg."},
        {"template without its plate",
         {"--places", "--template-pdf", "--out", out},
         "Give the plate's size: --width MM --height MM."},
    };
    for (const Row& row : rows) {
        const Outcome o = Cli(QStringList{"batch"} + row.args);
        EXPECT_EQ(o.status, kCliBadInput) << row.name;
        EXPECT_TRUE(o.err.contains(row.message)) << row.name << ": " << o.err.toStdString();
        EXPECT_FALSE(QDir(out).exists()) << row.name;
    }
}

TEST_F(BatchCommand, ABadHeaderIsBadInput) {
    const QString sites = Path("sites.csv");
    std::ofstream(sites.toStdString()) << "town,lat,lon\nA,50,0\n";
    const Outcome o = Cli({"batch", "--sites", sites, "--out", Path("out")});
    EXPECT_EQ(o.status, kCliBadInput);
    EXPECT_TRUE(o.err.contains("the header must be name,latitude,longitude,bearing,utc"))
        << o.err.toStdString();
}

TEST_F(BatchCommand, MatchingPlacesAreMadeWithTheirSheets) {
    const Outcome o =
        Cli({"batch", "--places", "--match", "*, Ireland", "--pdf", "--json", "--out", Path("ie")});
    ASSERT_EQ(o.status, kCliOk) << o.err.toStdString();
    EXPECT_TRUE(o.out.startsWith("13 of 13 sites made in ")) << o.out.toStdString();
    EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();  // no terminal, no progress line
    const QStringList files = Files("ie");
    EXPECT_EQ(files.size(), 3 * 13 + 1);
    EXPECT_TRUE(files.contains("Dublin_Ireland.pdf"));
    EXPECT_TRUE(files.contains("Dublin_Ireland.json"));
}

TEST_F(BatchCommand, TemplatesAreMadeForEachSiteAndTheirNotesShown) {
    const QString sites = WriteSites("Church,50.7,3.5,185.2,0\n");
    const Outcome o = Cli({"batch", "--sites", sites, "--template-pdf", "--template-svg", "--width",
                           "600", "--height", "60", "--date-lines", "--nodus", "150", "--paper",
                           "letter", "--out", Path("out")});
    ASSERT_EQ(o.status, kCliOk) << o.err.toStdString();
    EXPECT_EQ(Files("out"),
              (QStringList{"Church.svg", "Church.template.pdf", "Church.txt", "index.csv"}));
    // The plate is too low for the winter's shadow: said, not fatal.
    EXPECT_TRUE(o.err.contains(sites + ": line 2 (Church): note: The nodus's shadow on "))
        << o.err.toStdString();
}

TEST_F(BatchCommand, BadRowsAreNamedByLineAndTheExitIsOne) {
    const QString sites = WriteSites(
        "Church,50.7,3.5,185.2,0\n"
        "Tower,50.7,3.5,185.2,14\n"
        "Chapel,,3.5,185.2,0\n");
    const Outcome o = Cli({"batch", "--sites", sites, "--out", Path("out")});
    EXPECT_EQ(o.status, kCliRunFailed);
    EXPECT_TRUE(o.out.startsWith("1 of 3 sites made")) << o.out.toStdString();
    EXPECT_TRUE(o.err.contains(sites + ": line 3 (Tower): the zone 14 is unknown"))
        << o.err.toStdString();
    EXPECT_TRUE(o.err.contains(sites + ": line 4 (Chapel): the latitude is missing"));
    EXPECT_EQ(Files("out"), (QStringList{"Church.txt", "index.csv"}));
}

TEST_F(BatchCommand, ASecondRunNeedsForce) {
    const QStringList args = {"batch", "--places", "--match", "London", "--out", Path("out")};
    ASSERT_EQ(Cli(args).status, kCliOk);
    const Outcome again = Cli(args);
    EXPECT_EQ(again.status, kCliBadInput);
    EXPECT_TRUE(again.err.contains("exists")) << again.err.toStdString();
    EXPECT_TRUE(again.err.contains("--force")) << again.err.toStdString();
    EXPECT_EQ(Cli(args + QStringList{"--force"}).status, kCliOk);
}

TEST_F(BatchCommand, ClashesAreListedAFewAtATime) {
    const QStringList args = {"batch", "--places", "--match", "*, Britain", "--out", Path("out")};
    ASSERT_EQ(Cli(args).status, kCliOk);
    const Outcome again = Cli(args);
    EXPECT_EQ(again.err.count("exists"), 5);
    EXPECT_TRUE(again.err.contains("... and 20 more")) << again.err.toStdString();
}

}  // namespace
}  // namespace sundial

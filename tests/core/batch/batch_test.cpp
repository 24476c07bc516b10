#include "core/batch/batch.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <optional>
#include <set>

#include "core/batch/csv.h"
#include "core/batch/site_outputs.h"
#include "core/io/atomic_file.h"
#include "core/places/places.h"
#include "core/project/dial_project.h"
#include "core/site/number_text.h"
#include "tests/core/pdf/support/pdf_test_support.h"

namespace sundial {
namespace {

namespace fs = std::filesystem;
using pdf::testing::QpdfAccepts;
using pdf::testing::ReadBytes;
using pdf::testing::TempFolder;
using pdf::testing::WriteBytes;

std::vector<SiteRow> RowsOf(const std::string& csvBody) {
    return ReadSitesCsv(std::string(kSitesHeader) + "\n" + csvBody).rows;
}

// A PDF's bytes without the second it was made in.
std::string Undated(std::string bytes) {
    const std::size_t at = bytes.find("/CreationDate (");
    return at == std::string::npos ? bytes : bytes.erase(at, bytes.find(')', at) - at);
}

std::set<std::string> FilesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// index.csv read back: one record a site after the header.
std::vector<CsvRecord> IndexRecords(const fs::path& folder) {
    std::vector<CsvRecord> records = ParseCsv(ReadBytes(folder / kIndexFileName));
    EXPECT_FALSE(records.empty());
    if (!records.empty()) {
        EXPECT_EQ(CsvLine(records.front().fields), IndexHeader());
        records.erase(records.begin());
    }
    return records;
}

enum IndexColumn {
    kName,
    kGnomonAngle = 5,
    kGnomonOffset,
    kOffsetSide,
    kReport,
    kPdf,
    kJson,
    kStatus,
    kProblem,
    kTemplatePdf,
    kTemplateSvg,
    kTemplateDxf,
    kColumns
};

// The report command and the batch make one site's text in the same way: the
// worked example's report is the golden file.
TEST(SiteOutputs, ReportIsTheCalculationsText) {
    SiteState site;
    site.PlaceName = "P";
    site.Latitude = 51.5f;
    site.Longitude = 0.12f;
    site.WallBearing = "185.2";
    DeriveDeclination(site);
    const SiteOutputs outputs = MakeSiteOutputs(site, {}, nullptr);
    EXPECT_EQ(outputs.result.status, RunStatus::Completed);
    EXPECT_EQ(outputs.report,
              ReadBytes(fs::path(SUNDIAL_TEST_DATA_DIR).parent_path().parent_path() / "dial" /
                        "data" / "report_london_185.2.txt"));
}

TEST(Batch, EveryPlaceGetsItsFilesAndALineInTheIndex) {
    TempFolder temp;
    BatchRequest request;
    for (const Place& place : Places()) request.rows.push_back(PlaceRow(place, "185.2"));
    request.folder = temp / "dials";  // made by the batch
    request.pdf = true;
    request.json = [](const SiteState& site, const DialGeometry&) {
        return "{\"PlaceName\": \"" + site.PlaceName + "\"}\n";
    };
    std::size_t lastDone = 0;
    request.progress = [&](std::size_t done, std::size_t total, const std::string&) {
        EXPECT_EQ(done, lastDone + 1);
        EXPECT_EQ(total, Places().size());
        lastDone = done;
    };

    const BatchResult result = RunBatch(request);
    EXPECT_FALSE(result.refused);
    EXPECT_EQ(result.made, Places().size());
    EXPECT_TRUE(result.problems.empty());
    EXPECT_EQ(lastDone, Places().size());
    EXPECT_EQ(FilesIn(request.folder).size(), 3 * Places().size() + 1);

    const std::vector<CsvRecord> index = IndexRecords(request.folder);
    ASSERT_EQ(index.size(), Places().size());
    for (const CsvRecord& line : index) {
        ASSERT_EQ(line.fields.size(), std::size_t{kColumns});
        EXPECT_EQ(line.fields[kStatus], "made");
        for (const int c : {kReport, kPdf, kJson}) {
            EXPECT_TRUE(fs::exists(request.folder / line.fields[c])) << line.fields[c];
        }
    }
    // London's line carries its run's angles and its own files.
    const auto london = std::find_if(index.begin(), index.end(), [](const CsvRecord& r) {
        return r.fields[kName] == "London, Britain";
    });
    ASSERT_NE(london, index.end());
    const DialGeometry dial =
        ComputeDial(PlaceRow(*FindPlaces("London, Britain").front(), "185.2").site);
    EXPECT_EQ(london->fields[kGnomonAngle], NumberText(dial.GnomonAngle));
    EXPECT_EQ(london->fields[kGnomonOffset], NumberText(dial.GnomonOffset));
    EXPECT_EQ(london->fields[kOffsetSide], "right");
    EXPECT_EQ(london->fields[kPdf], "London_Britain.pdf");
    EXPECT_TRUE(ReadBytes(request.folder / "London_Britain.txt")
                    .starts_with("  Sundial Calculation for:   London, Britain\n"));
    EXPECT_EQ(ReadBytes(request.folder / "London_Britain.json"),
              "{\"PlaceName\": \"London, Britain\"}\n");
    EXPECT_TRUE(QpdfAccepts(request.folder / "London_Britain.pdf"));
}

TEST(Batch, BadRowsAreSkippedWithTheirLineAndTheRestMade) {
    TempFolder temp;
    BatchRequest request;
    request.rows = RowsOf(
        "Good,50,0,200,0\n"
        "High,80,0,200,0\n"
        "Good,51,0,200,0\n"  // the same name again
        ",51,0,200,0\n"
        "\"\x1B]0;owned\x07\",51,0,200,0\n"  // sets a terminal's title
        "Tower,\"5\x1B[2J\",0,200,0\n");     // clears a terminal
    request.folder = temp.path();
    const BatchResult result = RunBatch(request);
    EXPECT_EQ(result.made, 2u);
    EXPECT_EQ(result.skipped, 4u);
    ASSERT_EQ(result.problems.size(), 4u);
    EXPECT_NE(result.problems[0].find("line 3 (High): the latitude 80 is outside"),
              std::string::npos)
        << result.problems[0];
    EXPECT_NE(result.problems[1].find("line 5 (no name)"), std::string::npos);
    // A name is quoted with its control characters made harmless.
    EXPECT_NE(result.problems[2].find("line 6 (?]0;owned?): the name is not printable"),
              std::string::npos)
        << result.problems[2];
    EXPECT_NE(result.problems[3].find("line 7 (Tower): the latitude \"5?[2J\" is not a number"),
              std::string::npos)
        << result.problems[3];
    EXPECT_EQ(FilesIn(temp.path()),
              (std::set<std::string>{"Good.txt", "Good-2.txt", kIndexFileName}));

    const std::vector<CsvRecord> index = IndexRecords(temp.path());
    ASSERT_EQ(index.size(), 6u);
    EXPECT_EQ(index[4].fields[kName], "?]0;owned?");
    EXPECT_EQ(index[1].fields[kStatus], "skipped");
    EXPECT_EQ(index[1].fields[kReport], "");
    EXPECT_NE(index[1].fields[kProblem].find("latitude"), std::string::npos);
    EXPECT_EQ(index[2].fields[kReport], "Good-2.txt");
}

TEST(Batch, ExistingFilesStopItBeforeAnythingIsWrittenUnlessForced) {
    struct Row {
        const char* name;
        const char* existing;
        bool force;
        bool refused;
    } rows[] = {
        {"an output", "A.txt", false, true},
        {"the index", "index.csv", false, true},
        {"an output, forced", "A.txt", true, false},
        {"an unrelated file", "notes.txt", false, false},
    };
    for (const Row& row : rows) {
        TempFolder temp;
        WriteBytes(temp / row.existing, "old");
        BatchRequest request;
        request.rows = RowsOf("A,50,0,200,0\nB,50,0,200,0\n");
        request.folder = temp.path();
        request.force = row.force;
        const BatchResult result = RunBatch(request);
        EXPECT_EQ(result.refused, row.refused) << row.name;
        if (row.refused) {
            EXPECT_EQ(FilesIn(temp.path()), std::set<std::string>{row.existing}) << row.name;
            EXPECT_EQ(ReadBytes(temp / row.existing), "old") << row.name;
            ASSERT_EQ(result.problems.size(), 1u) << row.name;
            EXPECT_NE(result.problems[0].find(row.existing), std::string::npos) << row.name;
        } else {
            EXPECT_EQ(result.made, 2u) << row.name;
            EXPECT_NE(ReadBytes(temp / "A.txt"), "old") << row.name;
        }
    }
}

// A site whose sheet cannot be written leaves none of its files, and the
// others are still made.
TEST(Batch, ASiteIsMadeWholeOrNotAtAll) {
    TempFolder temp;
    // A folder full of something: a forced batch must not clear it away.
    fs::create_directory(temp / "B.pdf");
    WriteBytes(temp / "B.pdf" / "keep", "x");
    BatchRequest request;
    request.rows = RowsOf("A,50,0,200,0\nB,50,0,200,0\nC,50,0,200,0\n");
    request.folder = temp.path();
    request.pdf = true;
    request.force = true;
    const BatchResult result = RunBatch(request);
    EXPECT_FALSE(result.refused);
    EXPECT_EQ(result.made, 2u);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_NE(result.problems[0].find("B.pdf"), std::string::npos) << result.problems[0];
    EXPECT_EQ(FilesIn(temp.path()),
              (std::set<std::string>{"A.txt", "A.pdf", "B.pdf", "C.txt", "C.pdf", kIndexFileName}));
    EXPECT_EQ(IndexRecords(temp.path())[1].fields[kStatus], "skipped");
}

// Durability is paid once for many files, not once a file: one flush of the
// disk per group of files the process may hold open, and one for the index.
TEST(Batch, ManySheetsAreStoredWithAFewFlushes) {
    // 64 open files allow 16 staged: eight sites of two files a group.
    for (const auto& [openFiles, expected] : {std::pair<rlim_t, int>{0, 2}, {64, 6}}) {
        TempFolder temp;
        BatchRequest request;
        const std::vector<const Place*> places = PlacesMatching("*");
        for (std::size_t i = 0; i < 40; ++i) {
            request.rows.push_back(PlaceRow(*places[i], kDefaultBearing));
        }
        request.folder = temp.path();
        request.pdf = true;
        rlimit before{};
        ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &before), 0);
        rlimit lower = before;
        lower.rlim_cur = openFiles != 0 ? openFiles : before.rlim_cur;
        ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &lower), 0);
        int flushes = 0;
        io::SetFileFaultHook([&](io::FileStep step) {
            flushes += step == io::FileStep::Sync;
            return 0;
        });
        const BatchResult result = RunBatch(request);
        io::SetFileFaultHook({});
        ::setrlimit(RLIMIT_NOFILE, &before);
        EXPECT_EQ(result.made, 40u);
        EXPECT_EQ(FilesIn(temp.path()).size(), 81u);
        EXPECT_EQ(flushes, expected) << openFiles << " open files";
    }
}

// A link where an output goes is never written through: without --force even
// a dangling one stops the batch, and --force puts a file in its place.
TEST(Batch, LinksAreReplacedNeverWrittenThrough) {
    struct Row {
        const char* name;
        bool targetExists;
        bool force;
        bool refused;
    } rows[] = {
        {"link to a file", true, false, true},
        {"dangling link", false, false, true},
        {"link to a file, forced", true, true, false},
        {"dangling link, forced", false, true, false},
    };
    for (const Row& row : rows) {
        TempFolder temp;
        fs::create_directory(temp / "out");
        if (row.targetExists) WriteBytes(temp / "precious", "old");
        fs::create_symlink(temp / "precious", temp / "out" / "A.txt");
        BatchRequest request;
        request.rows = RowsOf("A,50,0,200,0\n");
        request.folder = temp / "out";
        request.force = row.force;
        const BatchResult result = RunBatch(request);
        EXPECT_EQ(result.refused, row.refused) << row.name;
        EXPECT_EQ(fs::exists(temp / "precious"), row.targetExists) << row.name;
        if (row.targetExists) {
            EXPECT_EQ(ReadBytes(temp / "precious"), "old") << row.name;
        }
        EXPECT_EQ(fs::is_symlink(temp / "out" / "A.txt"), row.refused) << row.name;
    }
}

// The example plate of the template command, with its date lines.
tmpl::TemplateOptions ExamplePlate(double heightMm = 450) {
    tmpl::TemplateOptions o;
    o.plan.widthMm = 600;
    o.plan.heightMm = heightMm;
    o.plan.dateLines = true;
    o.plan.nodusMm = 150;
    o.plan.madeOn = "2026-12-08";
    return o;
}

TEST(Batch, TemplatesAreMadeForEverySiteAndListedLast) {
    TempFolder temp;
    BatchRequest request;
    request.rows = RowsOf("A,50,0,200,0\nHigh,80,0,200,0\nB,45,-10,170,1\n");
    request.folder = temp.path();
    request.templatePdf = true;
    request.templateSvg = true;
    request.templateOptions = ExamplePlate();
    request.templateOptions.plan.noonCurve = true;
    const BatchResult result = RunBatch(request);
    EXPECT_EQ(result.made, 2u);
    EXPECT_EQ(result.problems.size(), 1u);  // High
    EXPECT_EQ(FilesIn(temp.path()),
              (std::set<std::string>{"A.txt", "A.template.pdf", "A.svg", "B.txt", "B.template.pdf",
                                     "B.svg", kIndexFileName}));
    EXPECT_TRUE(QpdfAccepts(temp / "B.template.pdf"));
    // Each site's own plan: its name in the title, its noon curve drawn.
    const std::string svg = ReadBytes(temp / "B.svg");
    EXPECT_NE(svg.find("Sundial for B"), std::string::npos);
    EXPECT_NE(svg.find("noon-curve"), std::string::npos);
    EXPECT_NE(svg, ReadBytes(temp / "A.svg"));

    const std::vector<CsvRecord> index = IndexRecords(temp.path());
    ASSERT_EQ(index.size(), 3u);
    EXPECT_EQ(index[0].fields[kTemplatePdf], "A.template.pdf");
    EXPECT_EQ(index[0].fields[kTemplateSvg], "A.svg");
    EXPECT_EQ(index[0].fields[kStatus], "made");
    EXPECT_EQ(index[1].fields.size(), std::size_t{kColumns});
    EXPECT_EQ(index[1].fields[kStatus], "skipped");
    EXPECT_EQ(index[1].fields[kTemplatePdf], "");
    EXPECT_EQ(index[2].fields[kTemplateSvg], "B.svg");
}

// What a plan could not show reaches the user, naming the site; the site is
// still made.
TEST(Batch, TemplateNotesNameTheirSite) {
    TempFolder temp;
    BatchRequest request;
    request.rows = RowsOf("A,50,0,200,0\n");
    request.folder = temp.path();
    request.templateSvg = true;
    request.templateOptions = ExamplePlate(60);  // too low for the winter's shadow
    const BatchResult result = RunBatch(request);
    EXPECT_EQ(result.made, 1u);
    EXPECT_TRUE(result.problems.empty());
    ASSERT_FALSE(result.notes.empty());
    EXPECT_EQ(result.notes[0].rfind("line 2 (A): note: The nodus's shadow on ", 0), 0u)
        << result.notes[0];
}

// The template's files count like the others: a name taken stops the batch,
// and a site whose template cannot be written leaves none of its files.
TEST(Batch, TemplateFilesAreCheckedAndMadeWholeLikeTheRest) {
    struct Row {
        const char* name;
        const char* existing;  // a folder when it ends in "/"
        bool force;
        bool refused;
        std::set<std::string> files;  // in the folder afterwards, besides what existed
    } rows[] = {
        {"a template PDF exists", "B.template.pdf", false, true, {}},
        {"an SVG exists", "B.svg", false, true, {}},
        {"forced over a folder where the SVG goes",
         "B.svg/",
         true,
         false,
         {"A.txt", "A.template.pdf", "A.svg", "C.txt", "C.template.pdf", "C.svg", kIndexFileName}},
    };
    for (const Row& row : rows) {
        TempFolder temp;
        const std::string existing = row.existing;
        if (existing.ends_with('/')) {
            fs::create_directory(temp / existing);
            WriteBytes(temp / existing / "keep", "x");
        } else {
            WriteBytes(temp / existing, "old");
        }
        BatchRequest request;
        request.rows = RowsOf("A,50,0,200,0\nB,50,0,200,0\nC,50,0,200,0\n");
        request.folder = temp.path();
        request.templatePdf = true;
        request.templateSvg = true;
        request.templateOptions = ExamplePlate();
        request.force = row.force;
        const BatchResult result = RunBatch(request);
        EXPECT_EQ(result.refused, row.refused) << row.name;
        std::set<std::string> expected = row.files;
        expected.insert(existing.substr(0, existing.find('/')));
        EXPECT_EQ(FilesIn(temp.path()), expected) << row.name;
        if (!row.refused) {
            EXPECT_EQ(result.made, 2u) << row.name;
            ASSERT_EQ(result.problems.size(), 1u) << row.name;
            EXPECT_NE(result.problems[0].find("B.svg"), std::string::npos) << result.problems[0];
        }
    }
}

struct TemplateOptionsCase {
    const char* name;
    std::map<std::string, std::string, std::less<>> given;
    std::optional<std::string> message;
    bool pdf, svg;
};

void PrintTo(const TemplateOptionsCase& c, std::ostream* os) {
    *os << c.name;
}

class BatchTemplateOptions : public ::testing::TestWithParam<TemplateOptionsCase> {};

TEST_P(BatchTemplateOptions, AreReadOnlyWithATemplateToMake) {
    const TemplateOptionsCase& c = GetParam();
    const tmpl::OptionLookup given = [&c](std::string_view name) -> std::optional<std::string> {
        const auto found = c.given.find(name);
        if (found == c.given.end()) return std::nullopt;
        return found->second;
    };
    const tmpl::NumberReader number = [](const std::string& text, std::string_view,
                                         std::string&) -> std::optional<double> {
        return std::stod(text);
    };
    BatchRequest request;
    EXPECT_EQ(ReadBatchTemplateOptions(given, number, "2026-12-08", request), c.message);
    if (c.message) return;
    EXPECT_EQ(request.templatePdf, c.pdf);
    EXPECT_EQ(request.templateSvg, c.svg);
    if (c.pdf || c.svg) {
        EXPECT_EQ(request.templateOptions.plan.widthMm, 600);
        EXPECT_EQ(request.templateOptions.plan.madeOn, "2026-12-08");
        EXPECT_EQ(request.templateOptions.page.paper, tmpl::Paper::A3);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BatchTemplateOptions,
    ::testing::Values(
        TemplateOptionsCase{"NoTemplate", {{"pdf", ""}}, std::nullopt, false, false},
        TemplateOptionsCase{
            "PdfWithItsPlate",
            {{"template-pdf", ""}, {"width", "600"}, {"height", "450"}, {"paper", "a3"}},
            std::nullopt,
            true,
            false},
        TemplateOptionsCase{
            "APlateOptionWithNoTemplate",
            {{"json", ""}, {"nodus", "150"}},
            "--nodus shapes the template: give --template-pdf, --template-svg or --template-dxf.",
            false,
            false},
        TemplateOptionsCase{"ATemplateWithoutItsSize",
                            {{"template-svg", ""}},
                            "Give the plate's size: --width MM --height MM.",
                            false,
                            false}),
    [](const auto& info) { return std::string(info.param.name); });

// A row's project gives its site's design, the options given over it; a row
// without one takes the given options; a project that cannot be used skips
// its row alone.
TEST(Batch, ARowsProjectShapesItsTemplate) {
    TempFolder temp;
    project::DialProject small;
    small.site = RowsOf("P,50,0,200,0\n").front().site;
    small.options = {{"width", "300"}, {"height", "200"}, {"half", ""}, {"paper", "letter"}};
    std::string error;
    ASSERT_TRUE(project::WriteProject(small, temp / "small.sundial", error)) << error;
    BatchRequest request;
    request.rows = ReadSitesCsv(
                       "name,latitude,longitude,bearing,utc,project\n"
                       "A,50,0,200,0,small.sundial\n"
                       "B,50,0,200,0,\n"
                       "C,50,0,200,0,missing.sundial\n")
                       .rows;
    // The command line's options, looked up as a project's are.
    const tmpl::OptionLookup lookup = project::ProjectLookup(
        {{}, {{"template-dxf", ""}, {"width", "600"}, {"height", "450"}, {"landscape", ""}}});
    ASSERT_EQ(ReadBatchTemplateOptions(lookup, project::ProjectNumberReader(), "2026-12-08",
                                       request, temp.path()),
              std::nullopt);
    ASSERT_TRUE(request.rows[0].templateOptions);
    // The command line's plate is over the project's; the rest is the project's.
    EXPECT_EQ(request.rows[0].templateOptions->plan.widthMm, 600);
    EXPECT_EQ(request.rows[0].templateOptions->page.paper, tmpl::Paper::Letter);
    EXPECT_TRUE(request.rows[0].templateOptions->page.landscape);
    EXPECT_FALSE(request.rows[1].templateOptions);
    EXPECT_FALSE(request.templateOptions.plan.halfHours);
    EXPECT_EQ(request.rows[2].error.rfind("project " + (temp / "missing.sundial").string(), 0), 0u)
        << request.rows[2].error;
}

// A row naming its dial's plane takes the template's ranges; its report and
// sheet are made only where the wall's would be, and the index says why not.
TEST(Batch, RowsNamingTheirPlaneMakeThatDialsTemplate) {
    struct Case {
        const char* row;  // after the header, with dial and recline
        const char* status;
        bool report;
        const char* problem;  // fragment; "" for none
    } cases[] = {
        {"Sydney,-33.87,-151.21,180,10,horizontal,", "made", false, "template only: the report"},
        {"Roof,50,-15,180,1,,30", "made", false, "template only: the report"},
        {"Kathmandu,27.7,-85.3,180,5.75,vertical,", "made", false, "template only: the zone 5.75"},
        {"Wall,50,-15,180,1,VERTICAL,", "made", true, ""},
        {"Sloped,50,0,180,0,sloped,", "skipped", false, "the dial \"sloped\" is not"},
        {"PolarRecline,50,0,180,0,polar,10", "skipped", false, "recline goes with"},
        {"Steep,50,0,180,0,,90.5", "skipped", false, "recline 90.5 is outside -90 to 90"},
        {"Round,50,0,360.5,0,polar,", "skipped", false, "bearing 360.5 is outside 0 to 360"},
        {"Pole,-89.5,0,180,0,polar,", "skipped", false, "latitude -89.5 is outside -89 to 89"},
        {"Odd,50,0,180,5.3,equatorial,", "skipped", false, "zone 5.3 is not a quarter hour"},
        {"School,51.5,0.12,180,0,analemmatic,", "skipped", false,
         "needs the batch's --dial analemmatic"},
    };
    std::string csv = std::string(kSitesHeader) + ",dial,recline\n";
    for (const Case& c : cases) csv += std::string(c.row) + "\n";
    TempFolder temp, plain;
    BatchRequest request;
    request.rows = ReadSitesCsv(csv).rows;
    request.folder = temp.path();
    request.pdf = request.templateSvg = true;
    request.templateOptions = ExamplePlate();
    RunBatch(request);
    const std::vector<CsvRecord> index = IndexRecords(temp.path());
    ASSERT_EQ(index.size(), std::size(cases));
    for (std::size_t i = 0; i < index.size(); ++i) {
        const std::vector<std::string>& field = index[i].fields;
        const std::string name = field[kName];
        EXPECT_EQ(field[kStatus], cases[i].status) << name;
        EXPECT_NE(field[kProblem].find(cases[i].problem), std::string::npos) << field[kProblem];
        EXPECT_EQ(fs::exists(temp / (name + ".txt")), cases[i].report) << name;
        EXPECT_EQ(fs::exists(temp / (name + ".pdf")), cases[i].report) << name;
        EXPECT_EQ(fs::exists(temp / (name + ".svg")), field[kStatus] == "made") << name;
    }
    // A plain vertical wall named in the columns is the row without them.
    request.rows = RowsOf("Wall,50,-15,180,1\n");
    request.folder = plain.path();
    RunBatch(request);
    // (The two batches may be made in different seconds.)
    for (const char* file : {"Wall.txt", "Wall.pdf", "Wall.svg"}) {
        EXPECT_EQ(Undated(ReadBytes(temp / file)), Undated(ReadBytes(plain / file))) << file;
    }
    EXPECT_NE(ReadBytes(temp / "Roof.svg"), ReadBytes(plain / "Wall.svg"));
}

// A row's hours column adds those hour systems to its template alone.
TEST(Batch, ARowsHoursColumnAddsItsHourSystems) {
    const std::pair<const char*, std::string> cases[] = {
        // the row after the header; the SVG groups that hold lines, or the problem
        {"Plain,50,0,190,0,", ""},
        {"Rome,41.9,-12.5,190,1,italian", "italian-hours "},
        {"Both,50,0,190,0,Temporal  italian", "italian-hours temporal-hours "},
        {"Bad,50,0,190,0,italic", "the hours \"italic\" are not italian, babylonian or temporal"},
    };
    std::string csv = std::string(kSitesHeader) + ",hours\n";
    for (const auto& c : cases) csv += std::string(c.first) + "\n";
    TempFolder temp;
    BatchRequest request;
    request.rows = ReadSitesCsv(csv).rows;
    request.folder = temp.path();
    request.templateSvg = true;
    request.templateOptions = ExamplePlate();
    RunBatch(request);
    const std::vector<CsvRecord> index = IndexRecords(temp.path());
    ASSERT_EQ(index.size(), std::size(cases));
    for (std::size_t i = 0; i < index.size(); ++i) {
        const std::string svg = ReadBytes(temp / (index[i].fields[kName] + ".svg"));
        std::string drawn = index[i].fields[kProblem];
        for (const char* group : {"italian-hours", "babylonian-hours", "temporal-hours"}) {
            const auto at = svg.find(std::string("<g id=\"") + group + "\"");
            if (at != std::string::npos && svg.compare(svg.find('\n', at) + 1, 4, "</g>") != 0) {
                drawn += std::string(group) + " ";
            }
        }
        EXPECT_EQ(drawn, cases[i].second) << cases[i].first;
    }
}

TEST(Batch, AFolderThatCannotBeMadeIsRefused) {
    TempFolder temp;
    WriteBytes(temp / "file", "x");
    BatchRequest request;
    request.rows = RowsOf("A,50,0,200,0\n");
    request.folder = temp / "file" / "dials";
    const BatchResult result = RunBatch(request);
    EXPECT_TRUE(result.refused);
    EXPECT_EQ(result.made, 0u);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_NE(result.problems[0].find("cannot make the folder"), std::string::npos);
}

// A forced batch over an earlier one's files, stopped part way by a full disk
// or a kill: every file is the old one or the whole new one (the same bytes as
// an uninterrupted batch's, but for the sheet's clock), none is lost or added.
struct Interruption {
    const char* name;
    io::FileStep step;
    int after;  // steps of that kind that succeed first
    bool kill;  // else every later step fails with "No space left on device"
};

class InterruptedBatch : public ::testing::TestWithParam<Interruption> {};

TEST_P(InterruptedBatch, KeepsEveryOldFileOrAWholeNewOne) {
    const Interruption& stop = GetParam();
    TempFolder temp;
    BatchRequest request;
    request.rows = RowsOf("A,50,0,200,0\nB,51,0,200,0\nC,52,0,200,0\n");
    request.pdf = request.templateSvg = request.force = true;
    request.templateOptions = ExamplePlate();
    for (const char* folder : {"new", "old"}) {
        request.folder = temp / folder;
        ASSERT_EQ(RunBatch(request).made, 3u);
    }
    const std::set<std::string> names = FilesIn(temp / "old");
    for (const std::string& name : names) WriteBytes(temp / "old" / name, "old");
    int seen = 0;
    io::SetFileFaultHook([&](io::FileStep step) {
        if (step != stop.step || seen++ < stop.after) return 0;
        if (stop.kill) ::kill(::getpid(), SIGKILL);
        return ENOSPC;
    });
    if (stop.kill) {
        EXPECT_EXIT(RunBatch(request), ::testing::KilledBySignal(SIGKILL), "");
    } else {
        const BatchResult result = RunBatch(request);
        EXPECT_EQ(result.made + result.skipped, 3u);
        EXPECT_FALSE(result.indexWritten);
    }
    io::SetFileFaultHook({});
    EXPECT_EQ(FilesIn(temp / "old"), names);
    for (const std::string& name : names) {
        const std::string bytes = ReadBytes(temp / "old" / name);
        EXPECT_TRUE(bytes == "old" || Undated(bytes) == Undated(ReadBytes(temp / "new" / name)))
            << name;
    }
    EXPECT_EQ(ReadBytes(temp / "old" / kIndexFileName), "old");
}

INSTANTIATE_TEST_SUITE_P(
    FullDiskOrKill, InterruptedBatch,
    ::testing::Values(Interruption{"DiskFullAtOnce", io::FileStep::Write, 0, false},
                      Interruption{"DiskFullInTheSecondSite", io::FileStep::Write, 4, false},
                      Interruption{"KilledWritingTheSecondSite", io::FileStep::Write, 4, true},
                      Interruption{"KilledBetweenRenames", io::FileStep::Rename, 4, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sundial

#include "core/dial/run_notes.h"

#include <gtest/gtest.h>

#include "tests/core/dial/test_sites.h"
#include "tests/support/row_name.h"

namespace sundial {
namespace {

struct NotesRow {
    const char* name;
    RunStatus status;
    bool saved;
    bool siteChanged;  // the user picked another site after start-up
    std::vector<std::string> expected;
};

class RunNotesTest : public ::testing::TestWithParam<NotesRow> {};

TEST_P(RunNotesTest, SaysWhatMattersInOrder) {
    const NotesRow& row = GetParam();
    const StartupSettingsNote startup{"unusable file", testing::SiteAt(50.7f, 3.5f, "185.2")};
    RunResult result;
    result.status = row.status;
    result.message = "fault";
    result.settingsSaved = row.saved;
    result.settingsError = row.saved ? "" : "not saved";
    const SiteState site = testing::SiteAt(50.7f, 3.5f, row.siteChanged ? "200" : "185.2");
    EXPECT_EQ(RunNotes(result, site, startup), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RunNotesTest,
    ::testing::Values(
        NotesRow{"start-up site kept", RunStatus::Completed, true, false, {"unusable file"}},
        NotesRow{"another site chosen", RunStatus::Completed, true, true, {}},
        NotesRow{"fault first",
                 RunStatus::ArithmeticFault,
                 false,
                 false,
                 {"fault", "unusable file", "not saved"}},
        NotesRow{"sheet failure is Make PDF's to say", RunStatus::SheetFailed, true, true, {}}),
    testing::RowName());

}  // namespace
}  // namespace sundial

#include "core/dial/sheet_outcome.h"

#include <gtest/gtest.h>

namespace sundial {
namespace {

const std::filesystem::path kSheet = "/home/user/Documents/sundial.pdf";

struct OutcomeRow {
    const char* name;
    MakePdfEvents events;
    MakePdfNotice notice;
    const char* text;  // the whole warning, exactly as shown
};

MakePdfEvents Events(RunStatus status, bool written, bool viewer, bool moved,
                     std::string runMessage = {}) {
    return {status, std::move(runMessage), written, viewer, moved, kSheet};
}

void PrintTo(const OutcomeRow& row, std::ostream* out) {
    *out << row.name;
}

class MakePdfMessageTest : public ::testing::TestWithParam<OutcomeRow> {};

TEST_P(MakePdfMessageTest, SaysWhatHappenedAndNothingElse) {
    const OutcomeRow& row = GetParam();
    const MakePdfMessage message = ChooseMakePdfMessage(row.events);
    EXPECT_EQ(message.notice, row.notice);
    EXPECT_EQ(message.text, row.text);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, MakePdfMessageTest,
    ::testing::Values(
        OutcomeRow{"WrittenAndShown", Events(RunStatus::Completed, true, true, false),
                   MakePdfNotice::None, ""},
        OutcomeRow{"NoViewer", Events(RunStatus::Completed, true, false, false),
                   MakePdfNotice::NoViewer,
                   "The PDF sheet was written to /home/user/Documents/sundial.pdf, but no "
                   "program could be started to show it."},
        // Nothing to show, so nothing said about where it is kept either.
        OutcomeRow{"NoViewerInAMovedFolder", Events(RunStatus::Completed, true, false, true),
                   MakePdfNotice::NoViewer,
                   "The PDF sheet was written to /home/user/Documents/sundial.pdf, but no "
                   "program could be started to show it."},
        OutcomeRow{"ShownFromAMovedFolder", Events(RunStatus::Completed, true, true, true),
                   MakePdfNotice::FolderMoved,
                   "The program's folder cannot be written to, so the PDF sheet is kept in "
                   "/home/user/Documents."},
        OutcomeRow{"NoSheetToWrite", Events(RunStatus::Completed, false, false, true),
                   MakePdfNotice::CannotMakeSheet,
                   "This version of the program cannot make the PDF sheet.\n"
                   "The drawing and the calculations on the screen are up to date."},
        OutcomeRow{"WritingFailed", Events(RunStatus::SheetFailed, false, false, true, "disk full"),
                   MakePdfNotice::SheetNotWritten,
                   "The PDF sheet could not be written to "
                   "/home/user/Documents/sundial.pdf:\ndisk full"},
        // A site that gives no dial is the news, whatever became of the sheet.
        OutcomeRow{"RunFault",
                   Events(RunStatus::ArithmeticFault, false, false, false, "no dial here"),
                   MakePdfNotice::RunFault, "no dial here"},
        OutcomeRow{"RunFaultInAMovedFolder",
                   Events(RunStatus::ArithmeticFault, false, false, true, "no dial here"),
                   MakePdfNotice::RunFault, "no dial here"}),
    [](const ::testing::TestParamInfo<OutcomeRow>& info) { return std::string(info.param.name); });

TEST(MakePdfMessage, OnlyAFailedSheetLeavesTheScreenToRedo) {
    EXPECT_TRUE(ScreenNeedsRerun(RunStatus::SheetFailed));
    EXPECT_FALSE(ScreenNeedsRerun(RunStatus::Completed));
    // A fault stops every later output, screen and sheet alike: a second run
    // would stop at the same place.
    EXPECT_FALSE(ScreenNeedsRerun(RunStatus::ArithmeticFault));
}

}  // namespace
}  // namespace sundial

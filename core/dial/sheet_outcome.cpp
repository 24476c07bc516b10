#include "core/dial/sheet_outcome.h"

namespace sundial {

bool ScreenNeedsRerun(RunStatus status) {
    return status == RunStatus::SheetFailed;
}

MakePdfMessage ChooseMakePdfMessage(const MakePdfEvents& events) {
    const std::string path = events.sheetFile.string();
    switch (events.status) {
        case RunStatus::ArithmeticFault:
            return {MakePdfNotice::RunFault, events.runMessage};
        case RunStatus::SheetFailed:
            return {MakePdfNotice::SheetNotWritten,
                    "The PDF sheet could not be written to " + path + ":\n" + events.runMessage};
        case RunStatus::Completed:
            break;
    }
    if (!events.sheetWritten) {
        return {MakePdfNotice::CannotMakeSheet,
                "This version of the program cannot make the PDF sheet.\n"
                "The drawing and the calculations on the screen are up to date."};
    }
    if (!events.viewerStarted) {
        return {MakePdfNotice::NoViewer, "The PDF sheet was written to " + path +
                                             ", but no program could be started to show it."};
    }
    if (events.folderMoved) {
        return {MakePdfNotice::FolderMoved,
                "The program's folder cannot be written to, so the PDF sheet is kept in " +
                    events.sheetFile.parent_path().string() + "."};
    }
    return {};
}

}  // namespace sundial

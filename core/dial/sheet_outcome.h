// What "Make PDF" tells the user once its run is over. The choice depends on
// nothing but what happened, so it is made here, away from any window.
#pragma once

#include <filesystem>
#include <string>

#include "core/dial/run.h"

namespace sundial {

struct MakePdfEvents {
    RunStatus status = RunStatus::Completed;
    std::string runMessage;  // the run's own words when it did not complete
    // The run had a sheet to write and wrote it. False when the program could
    // not make a sheet at all, or when writing it failed.
    bool sheetWritten = false;
    bool viewerStarted = false;  // a program was started to show the sheet
    // The sheet went to another folder than the program's own, and the user
    // has not been told so before.
    bool folderMoved = false;
    std::filesystem::path sheetFile;  // where the sheet was to be written
};

enum class MakePdfNotice {
    None,             // the sheet is on its way to the viewer; nothing to say
    RunFault,         // the site gave no dial
    SheetNotWritten,  // writing the sheet failed
    CannotMakeSheet,  // this build has no sheet to write
    NoViewer,         // written, but nothing could show it
    FolderMoved,      // written and shown, but kept outside the program's folder
};

struct MakePdfMessage {
    MakePdfNotice notice = MakePdfNotice::None;
    std::string text;  // the warning to show; empty for None
};

// A failed sheet stops its run before the foot line and the curve: the screen
// needs a plain run to be complete again.
bool ScreenNeedsRerun(RunStatus status);

// The warning for what happened, at most one. A fault of the run comes
// first, then the sheet, then the viewer, then the folder.
MakePdfMessage ChooseMakePdfMessage(const MakePdfEvents& events);

}  // namespace sundial

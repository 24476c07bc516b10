// Where the desktop program keeps its two files: the settings file in the
// working directory, and the PDF sheet in the program's own folder, or in the
// user's documents when a program installed where it cannot write makes one.
#pragma once

#include <filesystem>

namespace sundial {

// The installed data folder (../share/sundial beside the program's own
// folder), or nothing when the program runs from its build folder. Found from
// the program's place, so a copy unpacked anywhere finds its own.
std::filesystem::path InstalledDataFolder();

// localdata.txt in `folder`; an empty folder means the working directory at
// the moment of asking.
std::filesystem::path SettingsFileIn(const std::filesystem::path& folder);

// sundial.pdf in `folder`; an empty folder means the program's own folder, or
// the documents folder when that cannot be written or belongs to an installed
// copy (the system's folder, which even root should not fill with sheets).
std::filesystem::path SheetFileIn(const std::filesystem::path& folder);

// Whether the program chose (an empty `folder`) to keep `sheetFile` somewhere
// other than its own folder, something the user should hear once.
bool SheetMovedFromProgramFolder(const std::filesystem::path& folder,
                                 const std::filesystem::path& sheetFile);

}  // namespace sundial

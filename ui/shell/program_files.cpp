#include "ui/shell/program_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <system_error>

#include "core/dial/pdf_sheet.h"
#include "core/site/site_state.h"

namespace sundial {

namespace {
std::filesystem::path ProgramFolder() {
    return QCoreApplication::applicationDirPath().toStdString();
}
}  // namespace

std::filesystem::path SettingsFileIn(const std::filesystem::path& folder) {
    if (!folder.empty()) return SettingsPathIn(folder);
    std::error_code error;
    const std::filesystem::path cwd = std::filesystem::current_path(error);
    return SettingsPathIn(error ? std::filesystem::path(".") : cwd);
}

std::filesystem::path SheetFileIn(const std::filesystem::path& folder) {
    if (!folder.empty()) return folder / kSheetFileName;
    // Without a home folder Qt would offer "//Documents" under the root; there
    // is no documents folder then, and the working or temporary folder follows.
    QString documents;
    if (!qEnvironmentVariableIsEmpty("HOME")) {
        documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    }
    return ChooseSheetFolder(ProgramFolder(), documents.toStdString()) / kSheetFileName;
}

bool SheetMovedFromProgramFolder(const std::filesystem::path& folder,
                                 const std::filesystem::path& sheetFile) {
    return folder.empty() && sheetFile.parent_path() != ProgramFolder();
}

}  // namespace sundial

#include "ui/shell/program_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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

std::filesystem::path InstalledDataFolder() {
    const QString folder =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/sundial"));
    if (!QFileInfo::exists(folder + QStringLiteral("/design.html"))) return {};
    return QDir::cleanPath(folder).toStdString();
}

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
    const std::filesystem::path program =
        InstalledDataFolder().empty() ? ProgramFolder() : std::filesystem::path();
    return ChooseSheetFolder(program, documents.toStdString()) / kSheetFileName;
}

bool SheetMovedFromProgramFolder(const std::filesystem::path& folder,
                                 const std::filesystem::path& sheetFile) {
    return folder.empty() && sheetFile.parent_path() != ProgramFolder();
}

}  // namespace sundial

// sundial-cli report: one run for a site, printed as the Calculations report
// or as JSON, and on request the printable sheet.
#include <filesystem>
#include <optional>

#include "cli/cli_app.h"
#include "cli/cli_command.h"
#include "cli/run_json.h"
#include "cli/site_options.h"
#include "core/batch/site_outputs.h"
#include "core/dial/pdf_sheet.h"

namespace sundial {

void AddReportOptions(OptionParser& parser) {
    AddSiteOptions(parser, SettingsUse::ReadAndSave);
    parser.AddOptions({
        {"json", "Print the site and the run's results as JSON."},
        {"pdf", "Also write the two-page printable dial sheet to FILE.", "file"},
    });
}

int RunReportCommand(const OptionParser& parser, std::ostream& out, std::ostream& err) {
    SiteOptions options = ReadSiteOptions(parser, SettingsUse::ReadAndSave);
    std::optional<std::filesystem::path> pdfFile;
    if (parser.IsSet("pdf")) pdfFile = std::filesystem::path(parser.Value("pdf"));

    // --pdf: the printable sheet, written where asked; no viewer is started.
    std::optional<PdfDialSheet> sheet;
    if (pdfFile) {
        sheet.emplace(pdfFile->parent_path(), PdfDialSheet::ViewerHook(),
                      pdfFile->filename().string());
    }
    // Without --settings nothing is saved: the run writes to no file.
    const std::filesystem::path settings = options.settingsFile.value_or(std::filesystem::path());
    const SiteOutputs outputs = MakeSiteOutputs(options.site, settings, sheet ? &*sheet : nullptr);
    const RunResult& result = outputs.result;
    // The report is still right, but what was asked for was not all done.
    const bool unsaved = options.settingsFile && !result.settingsSaved;
    if (unsaved) {
        err << "error: the site could not be saved to " << settings.string() << " ("
            << result.settingsError << "); the file is unchanged.\n";
    }
    if (result.status != RunStatus::Completed) {
        out << outputs.report;
        err << result.message << '\n';
        return kCliRunFailed;
    }
    if (parser.IsSet("json")) {
        out << RunJson(options.site, outputs.dial);
    } else {
        out << outputs.report;
    }
    return unsaved ? kCliRunFailed : kCliOk;
}

}  // namespace sundial

#include "core/dial/run_notes.h"

namespace sundial {

std::vector<std::string> RunNotes(const RunResult& result, const SiteState& site,
                                  const StartupSettingsNote& startup) {
    std::vector<std::string> notes;
    // The run stopped part way: say why where the numbers would have been.
    if (result.status == RunStatus::ArithmeticFault) notes.push_back(result.message);
    if (!startup.text.empty() && site == startup.site) notes.push_back(startup.text);
    if (!result.settingsSaved && !result.settingsError.empty()) {
        notes.push_back(result.settingsError);
    }
    return notes;
}

}  // namespace sundial

#include "core/batch/batch_plan.h"

#include <system_error>
#include <utility>

#include "core/batch/file_names.h"
#include "core/io/file_identity.h"

namespace sundial {

namespace {

namespace fs = std::filesystem;

// Whatever has the name: a file, a folder, a link (even one to nothing).
bool NameTaken(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

}  // namespace

std::vector<PlannedSite> Plan(const BatchRequest& request) {
    std::vector<PlannedSite> plan;
    UniqueStems stems;
    for (const SiteRow& row : request.rows) {
        PlannedSite planned{&row, {}, {}, {}, {}, {}, {}};
        if (row.error.empty()) {
            const std::string stem = stems.Claim(row.name);
            if (row.templateOnly.empty()) {
                planned.report = stem + ".txt";
                if (request.pdf) planned.pdf = stem + ".pdf";
                if (request.json) planned.json = stem + ".json";
            }
            // Stems hold no ".", so no other site's file can have these names.
            if (request.templatePdf) planned.templatePdf = stem + ".template.pdf";
            if (request.templateSvg) planned.templateSvg = stem + ".svg";
            if (request.templateDxf) planned.templateDxf = stem + ".dxf";
        }
        plan.push_back(std::move(planned));
    }
    return plan;
}

std::vector<std::string> Clashes(const fs::path& folder, const std::vector<PlannedSite>& plan) {
    std::vector<std::string> clashes;
    const auto check = [&](const std::string& name) {
        if (!name.empty() && NameTaken(folder / name)) {
            clashes.push_back((folder / name).string() + " exists");
        }
    };
    check(kIndexFileName);
    for (const PlannedSite& planned : plan) {
        for (const std::string* name : planned.Files()) check(*name);
    }
    return clashes;
}

std::vector<std::string> InputsOverwritten(const BatchRequest& request,
                                           const std::vector<PlannedSite>& plan) {
    std::vector<std::pair<io::FileId, const io::NamedFile*>> inputs;
    for (const io::NamedFile& input : request.inputs) {
        if (const auto id = io::IdentityOf(input.path)) inputs.emplace_back(*id, &input);
    }
    std::vector<std::string> problems;
    if (inputs.empty()) return problems;
    // Inputs exist, so only an output that exists can be one: one look at each.
    const auto check = [&](const std::string& name) {
        if (name.empty()) return;
        const auto id = io::IdentityOf(request.folder / name);
        if (!id) return;
        for (const auto& [inputId, input] : inputs) {
            if (inputId == *id) {
                problems.push_back((request.folder / name).string() + " would be written over " +
                                   input->label + " (" + input->path.string() + ")");
            }
        }
    };
    check(kIndexFileName);
    for (const PlannedSite& planned : plan) {
        for (const std::string* name : planned.Files()) check(*name);
    }
    return problems;
}

}  // namespace sundial

// A batch's plan: every site's file names in the folder, and the checks made
// on them before anything is written.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "core/batch/batch.h"

namespace sundial {

struct PlannedSite {
    const SiteRow* row;
    // File names in the folder; empty when not made.
    std::string report, pdf, json, templatePdf, templateSvg, templateDxf;

    std::array<const std::string*, 6> Files() const {
        return {&report, &pdf, &json, &templatePdf, &templateSvg, &templateDxf};
    }
};

// Every site's file names, before anything is written.
std::vector<PlannedSite> Plan(const BatchRequest& request);

// The planned files (and the index) whose names are taken in the folder.
std::vector<std::string> Clashes(const std::filesystem::path& folder,
                                 const std::vector<PlannedSite>& plan);

// The planned files (and the index) that are files the batch reads: a line
// for each, naming the input.
std::vector<std::string> InputsOverwritten(const BatchRequest& request,
                                           const std::vector<PlannedSite>& plan);

}  // namespace sundial

// A batch: one set of outputs per site, into one folder, with an index.
//
// For every usable site the Calculations text goes to <stem>.txt, and on
// request the printable sheet to <stem>.pdf, the JSON to <stem>.json and the
// full-size template to <stem>.template.pdf (tiled), <stem>.svg and <stem>.dxf, where
// <stem> is a safe, unique file name made from the site's name.
// index.csv lists every site, made or not, with its gnomon angle and offset
// and its files. Nothing is overwritten unless `force` says so.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/batch/site_rows.h"
#include "core/dial/geometry.h"
#include "core/io/file_identity.h"
#include "core/template/template_options.h"

namespace sundial {

inline constexpr const char* kIndexFileName = "index.csv";

struct BatchRequest {
    std::vector<SiteRow> rows;     // rows with an error are reported and skipped
    std::filesystem::path folder;  // created when missing
    bool pdf = false;
    bool templatePdf = false;  // the full-size template, tiled over pages
    bool templateSvg = false;  // the full-size template as SVG
    bool templateDxf = false;  // the full-size template as DXF
    // The template's plate, lines and paper, the same for every site. Read
    // and checked beforehand: a site whose plan still fails is skipped.
    tmpl::TemplateOptions templateOptions;
    bool force = false;  // replace files that exist
    // The files the batch reads (the sites file, the rows' projects), each
    // with how the user names it: no output may be one of them, whatever
    // `force` says.
    std::vector<io::NamedFile> inputs;
    // The JSON of one site's run; no JSON files when empty.
    std::function<std::string(const SiteState&, const DialGeometry&)> json;
    // Told after every row, made or not: rows done so far, of how many, and
    // the row's name.
    std::function<void(std::size_t done, std::size_t total, const std::string& name)> progress;
};

struct BatchResult {
    // Nothing was written: files exist (without `force`), an output would be
    // one of the inputs, or the folder cannot be made. `problems` says why.
    bool refused = false;
    bool namesTaken = false;  // refused because outputs' names are taken
    bool indexWritten = false;
    std::size_t made = 0;               // sites whose files were all written
    std::size_t skipped = 0;            // rows with an error, and sites whose files failed
    std::vector<std::string> problems;  // one line each, for the user
    // What the made sites' templates could not show (a date line off the
    // plate, say): "<site>: note: <what>", one line each.
    std::vector<std::string> notes;
};

BatchResult RunBatch(const BatchRequest& request);

// The template's part of a batch's options, into `request`: with
// --template-pdf, --template-svg or --template-dxf (switches: each site names its own files)
// the plate, line and paper options are read as the template command reads
// them; without either, none of them may be given. A row naming a dial
// project (found in `projectsFolder`) takes the project's design with the
// given options over it; a project that cannot be used skips its row. Each
// project read joins the request's inputs. Returns
// why the options cannot be used, or nothing.
std::optional<std::string> ReadBatchTemplateOptions(
    const tmpl::OptionLookup& given, const tmpl::NumberReader& readNumber, const std::string& today,
    BatchRequest& request, const std::filesystem::path& projectsFolder = {});

// The index's header line: the column names.
std::string IndexHeader();

}  // namespace sundial

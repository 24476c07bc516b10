#include "core/batch/batch.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <exception>
#include <memory>
#include <system_error>

#include "core/batch/csv.h"
#include "core/batch/file_names.h"
#include "core/batch/site_outputs.h"
#include "core/batch/text.h"
#include "core/dial/pdf_sheet.h"
#include "core/pdf/byte_sink.h"
#include "core/plan/sun_samples.h"
#include "core/site/number_text.h"
#include "core/template/pdf_template.h"
#include "core/template/svg_template.h"

namespace sundial {

namespace {

namespace fs = std::filesystem;

// The template's columns come last, so that readers counting columns find
// the others where they were before templates were made.
constexpr std::array<const char*, 15> kIndexColumns = {
    "name",         "latitude",      "longitude",   "bearing",      "utc",
    "gnomon_angle", "gnomon_offset", "offset_side", "report",       "pdf",
    "json",         "status",        "problem",     "template_pdf", "template_svg"};

struct PlannedSite {
    const SiteRow* row;
    // File names in the folder; empty when not made.
    std::string report, pdf, json, templatePdf, templateSvg;

    std::array<const std::string*, 5> Files() const {
        return {&report, &pdf, &json, &templatePdf, &templateSvg};
    }
};

// What a made site leaves besides its files.
struct MadeSite {
    DialGeometry dial;
    std::vector<std::string> notes;  // its template's
};

// Whatever has the name: a file, a folder, a link (even one to nothing).
bool NameTaken(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

// Writes a whole new file. With `replace` whatever has the name goes first: a
// link is replaced, not written through. Empty on success, else the reason.
std::string WriteFile(const fs::path& path, std::string_view bytes, bool replace) {
    std::error_code ec;
    if (replace && NameTaken(path) && !fs::remove(path, ec)) return ec.message();
    errno = 0;
    // "x": the file must not exist, checked by the system at the moment of
    // creation, so that nothing made since the plan was checked is lost.
    std::FILE* file = std::fopen(path.c_str(), "wbx");
    if (file == nullptr) return std::generic_category().message(errno);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (written && closed) return {};
    return std::generic_category().message(written ? errno : writeError);
}

std::string Describe(const SiteRow& row) {
    const std::string name = row.name.empty() ? std::string("no name") : ShownText(row.name);
    return row.line > 0 ? "line " + std::to_string(row.line) + " (" + name + ")" : name;
}

std::string OffsetSideWord(const std::string& side) {
    return !side.empty() && side.back() == '.' ? side.substr(0, side.size() - 1) : side;
}

std::string IndexLine(const PlannedSite& planned, const DialGeometry* dial,
                      const std::string& status, const std::string& problem) {
    const SiteRow& row = *planned.row;
    std::vector<std::string> fields = {CsvTextField(ShownText(row.name))};
    if (dial != nullptr) {
        const SiteState& s = row.site;
        fields.insert(fields.end(), {NumberText(s.Latitude), NumberText(s.Longitude),
                                     CsvField(s.WallBearing), NumberText(s.UtcOffset),
                                     NumberText(dial->GnomonAngle), NumberText(dial->GnomonOffset),
                                     OffsetSideWord(dial->OffsetSide), CsvTextField(planned.report),
                                     CsvTextField(planned.pdf), CsvTextField(planned.json)});
    } else {
        fields.resize(kIndexColumns.size() - 4);
    }
    fields.push_back(status);
    fields.push_back(CsvTextField(problem));
    fields.push_back(dial != nullptr ? CsvTextField(planned.templatePdf) : std::string());
    fields.push_back(dial != nullptr ? CsvTextField(planned.templateSvg) : std::string());
    return CsvLine(fields);
}

// Every site's file names, before anything is written.
std::vector<PlannedSite> Plan(const BatchRequest& request) {
    std::vector<PlannedSite> plan;
    UniqueStems stems;
    for (const SiteRow& row : request.rows) {
        PlannedSite planned{&row, {}, {}, {}, {}, {}};
        if (row.error.empty()) {
            const std::string stem = stems.Claim(row.name);
            planned.report = stem + ".txt";
            if (request.pdf) planned.pdf = stem + ".pdf";
            if (request.json) planned.json = stem + ".json";
            // Stems hold no ".", so no other site's file can have these names.
            if (request.templatePdf) planned.templatePdf = stem + ".template.pdf";
            if (request.templateSvg) planned.templateSvg = stem + ".svg";
        }
        plan.push_back(std::move(planned));
    }
    return plan;
}

// The planned files (and the index) whose names are taken in the folder.
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

// The site's template files in memory, and what its plan could not show.
// Empty on success, else why there are none.
std::string MakeTemplate(const BatchRequest& request, const SiteState& site, std::string& pdfBytes,
                         std::string& svg, std::vector<std::string>& notes) {
    const tmpl::TemplateOptions& options = request.templateOptions;
    std::vector<plan::SunSample> samples;
    // A year of the sun costs far more than the rest of a site: only when the
    // noon curve asks for it.
    if (options.plan.noonCurve) {
        samples = plan::YearOfSunSamples(site);
        if (samples.empty()) return "the sun's position could not be found for this site";
    }
    plan::PlanOptions planOptions = options.plan;
    planOptions.plane = tmpl::PlaneFor(options.plane, site);
    const plan::PlanResult result = plan::BuildPlan(site, planOptions, samples);
    if (result.status != plan::PlanStatus::Built) return result.message;
    notes = result.plan->notes;
    try {
        if (request.templateSvg) svg = tmpl::PlanSvg(*result.plan);
        if (request.templatePdf) tmpl::TemplatePdfBytes(*result.plan, options.page, pdfBytes);
    } catch (const std::exception& e) {
        return std::string("the template: ") + e.what();
    }
    return {};
}

// Runs one planned site and writes its files, all or none. Empty on success,
// else why the site was not made.
std::string MakeSite(const BatchRequest& request, const PlannedSite& planned, MadeSite& made) {
    const SiteRow& row = *planned.row;
    if (!row.error.empty()) return row.error;
    // The sheet is made in memory and written below like the other files, so
    // that it too never replaces a file it should not.
    std::string pdfBytes;
    std::unique_ptr<PdfDialSheet> sheet;
    if (request.pdf) {
        sheet =
            std::make_unique<PdfDialSheet>(request.folder, PdfDialSheet::ViewerHook(), planned.pdf);
        sheet->SetSinkFactory(
            [&pdfBytes](const fs::path&) { return std::make_unique<pdf::MemorySink>(pdfBytes); });
    }
    const SiteOutputs outputs = MakeSiteOutputs(row.site, {}, sheet.get());
    if (outputs.result.status != RunStatus::Completed) return outputs.result.message;
    made.dial = outputs.dial;

    std::string templatePdf, templateSvg;
    if (request.templatePdf || request.templateSvg) {
        const std::string problem =
            MakeTemplate(request, row.site, templatePdf, templateSvg, made.notes);
        if (!problem.empty()) return problem;
    }
    const std::string json = request.json ? request.json(row.site, made.dial) : std::string();
    const std::pair<const std::string*, std::string_view> files[] = {
        {&planned.report, outputs.report},
        {&planned.pdf, pdfBytes},
        {&planned.json, json},
        {&planned.templatePdf, templatePdf},
        {&planned.templateSvg, templateSvg}};
    std::vector<fs::path> written;
    for (const auto& [name, bytes] : files) {
        if (name->empty()) continue;
        const fs::path path = request.folder / *name;
        const std::string error = WriteFile(path, bytes, request.force);
        if (!error.empty()) {
            // A site is made whole or not at all: the index lists no half.
            std::error_code ec;
            for (const fs::path& done : written) fs::remove(done, ec);
            return "cannot write " + path.string() + ": " + error;
        }
        written.push_back(path);
    }
    return {};
}

}  // namespace

std::optional<std::string> ReadBatchTemplateOptions(const tmpl::OptionLookup& given,
                                                    const tmpl::NumberReader& readNumber,
                                                    const std::string& today,
                                                    BatchRequest& request) {
    request.templatePdf = given("template-pdf").has_value();
    request.templateSvg = given("template-svg").has_value();
    if (!request.templatePdf && !request.templateSvg) {
        // Options that would shape nothing are a mistake worth naming.
        for (const tmpl::TemplateOptionEntry& entry : tmpl::TemplateOptionTable()) {
            if (given(entry.name)) {
                return "--" + std::string(entry.name) +
                       " shapes the template: give --template-pdf or --template-svg.";
            }
        }
        return std::nullopt;
    }
    tmpl::TemplateOptionsRead read = tmpl::ReadTemplateOptions(given, readNumber, today);
    if (!read.options) return std::move(read.message);
    request.templateOptions = std::move(*read.options);
    return std::nullopt;
}

std::string IndexHeader() {
    return CsvLine(std::vector<std::string>(kIndexColumns.begin(), kIndexColumns.end()));
}

BatchResult RunBatch(const BatchRequest& request) {
    BatchResult result;
    const fs::path& folder = request.folder;
    const std::vector<PlannedSite> plan = Plan(request);
    if (!request.force) {
        result.problems = Clashes(folder, plan);
        if (!result.problems.empty()) {
            result.refused = true;
            return result;
        }
    }
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder)) {
        result.refused = true;
        result.problems.push_back("cannot make the folder " + folder.string() +
                                  (ec ? ": " + ec.message() : std::string()));
        return result;
    }

    std::string index = IndexHeader();
    for (size_t i = 0; i < plan.size(); ++i) {
        const SiteRow& row = *plan[i].row;
        MadeSite made;
        // Messages quote the row's own text: keep its control characters from
        // reaching a terminal.
        const std::string problem = ShownText(MakeSite(request, plan[i], made));
        if (problem.empty()) {
            ++result.made;
            index += IndexLine(plan[i], &made.dial, "made", {});
            for (const std::string& note : made.notes) {
                result.notes.push_back(Describe(row) + ": note: " + ShownText(note));
            }
        } else {
            ++result.skipped;
            result.problems.push_back(Describe(row) + ": " + problem + "; skipped");
            index += IndexLine(plan[i], nullptr, "skipped", problem);
        }
        if (request.progress) request.progress(i + 1, plan.size(), ShownText(row.name));
    }

    const std::string error = WriteFile(folder / kIndexFileName, index, request.force);
    if (!error.empty()) {
        result.problems.push_back("cannot write " + (folder / kIndexFileName).string() + ": " +
                                  error);
    }
    return result;
}

}  // namespace sundial

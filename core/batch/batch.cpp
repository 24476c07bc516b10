#include "core/batch/batch.h"

#include <algorithm>
#include <array>
#include <exception>
#include <memory>
#include <system_error>
#include <utility>

#include "core/batch/batch_plan.h"
#include "core/batch/csv.h"
#include "core/batch/file_names.h"
#include "core/batch/site_outputs.h"
#include "core/batch/text.h"
#include "core/dial/pdf_sheet.h"
#include "core/io/atomic_file.h"
#include "core/io/file_group.h"
#include "core/pdf/byte_sink.h"
#include "core/plan/sun_samples.h"
#include "core/project/dial_project.h"
#include "core/site/number_text.h"
#include "core/template/dxf_template.h"
#include "core/template/pdf_template.h"
#include "core/template/svg_template.h"

namespace sundial {

namespace {

namespace fs = std::filesystem;

// The template's columns come last, so that readers counting columns find
// the others where they were before templates were made.
constexpr std::array<const char*, 16> kIndexColumns = {
    "name",          "latitude",     "longitude",    "bearing",     "utc",  "gnomon_angle",
    "gnomon_offset", "offset_side",  "report",       "pdf",         "json", "status",
    "problem",       "template_pdf", "template_svg", "template_dxf"};

// What a made site leaves besides its files.
struct MadeSite {
    std::optional<DialGeometry> dial;  // nothing for a template-only row
    std::vector<std::string> notes;    // its template's
};

// Every output goes to a file without a name in its folder and takes its name
// only once whole, so that a full disk or a killed batch never leaves a
// partial file nor loses an old one. With `replace` whatever has the name is
// replaced (a link too: never written through); without it the name must
// still be free at that moment, so that nothing made since the plan was
// checked is lost.
std::unique_ptr<io::AtomicFile> StagedFile(const fs::path& path, bool replace) {
    return std::make_unique<io::AtomicFile>(
        path, io::SpecialTarget::Refuse,
        replace ? io::Placement::ReplaceEntry : io::Placement::NewEntry);
}

// Writes a whole new file. Empty on success, else the reason.
std::string WriteFile(const fs::path& path, std::string_view bytes, bool replace) {
    const auto file = StagedFile(path, replace);
    if (file->Open() && file->Write(bytes) && file->Commit()) return {};
    return file->Error();
}

std::string Describe(const SiteRow& row) {
    const std::string name = row.name.empty() ? std::string("no name") : ShortText(row.name);
    return row.line > 0 ? "line " + std::to_string(row.line) + " (" + name + ")" : name;
}

std::string OffsetSideWord(const std::string& side) {
    return !side.empty() && side.back() == '.' ? side.substr(0, side.size() - 1) : side;
}

// `made` is nothing for a skipped site.
std::string IndexLine(const PlannedSite& planned, const MadeSite* made, const std::string& status,
                      const std::string& problem) {
    const SiteRow& row = *planned.row;
    std::vector<std::string> fields = {CsvTextField(ShownText(row.name))};
    if (made != nullptr) {
        const SiteState& s = row.site;
        fields.insert(fields.end(), {NumberText(s.Latitude), NumberText(s.Longitude),
                                     CsvField(s.WallBearing), NumberText(s.UtcOffset)});
        if (const std::optional<DialGeometry>& dial = made->dial) {
            fields.insert(fields.end(),
                          {NumberText(dial->GnomonAngle), NumberText(dial->GnomonOffset),
                           OffsetSideWord(dial->OffsetSide)});
        } else {
            fields.resize(fields.size() + 3);
        }
        fields.insert(fields.end(), {CsvTextField(planned.report), CsvTextField(planned.pdf),
                                     CsvTextField(planned.json)});
    } else {
        fields.resize(kIndexColumns.size() - 5);
    }
    fields.push_back(status);
    fields.push_back(CsvTextField(problem));
    fields.push_back(made != nullptr ? CsvTextField(planned.templatePdf) : std::string());
    fields.push_back(made != nullptr ? CsvTextField(planned.templateSvg) : std::string());
    fields.push_back(made != nullptr ? CsvTextField(planned.templateDxf) : std::string());
    return CsvLine(fields);
}

// The site's template files in memory, and what its plan could not show.
// Empty on success, else why there are none.
std::string MakeTemplate(const BatchRequest& request, const SiteRow& row, std::string& pdfBytes,
                         std::string& svg, std::string& dxf, std::vector<std::string>& notes) {
    const tmpl::TemplateOptions& options =
        row.templateOptions ? *row.templateOptions : request.templateOptions;
    std::vector<plan::SunSample> samples;
    // A year of the sun costs far more than the rest of a site: only when the
    // noon curve asks for it.
    if (options.plan.noonCurve) {
        samples = plan::YearOfSunSamples(row.site);
        if (samples.empty()) return "the sun's position could not be found for this site";
    }
    plan::PlanOptions planOptions = options.plan;
    const tmpl::PlaneChoice& choice = row.plane ? *row.plane : options.plane;
    // An analemmatic dial's ellipse comes only with the batch's own --dial
    // analemmatic and --major, which in turn make no other dial.
    const bool analemmatic = choice.type == tmpl::DialType::Analemmatic;
    if (analemmatic != planOptions.analemmaticMajorMm.has_value()) {
        return analemmatic ? "an analemmatic dial needs the batch's --dial analemmatic and --major"
                           : "the batch's --dial analemmatic makes no other dial";
    }
    planOptions.plane = tmpl::PlaneFor(choice, row.site);
    for (const auto on : row.hourSystems) planOptions.extras.*on = true;
    if (row.zone) {
        // A project's own year may not be the one the sites were read for.
        const ZoneYearRead zone = row.zone->year == planOptions.extras.year
                                      ? ZoneYearRead{row.zone, {}}
                                      : ZoneInYear(row.zone->name, planOptions.extras.year);
        if (!zone.zone) return "the tz: " + zone.error;
        planOptions.zone = zone.zone;
    }
    const plan::PlanResult result = plan::BuildPlan(row.site, planOptions, samples);
    if (result.status != plan::PlanStatus::Built) return result.message;
    notes = result.plan->notes;
    try {
        if (request.templateSvg) svg = tmpl::PlanSvg(*result.plan);
        if (request.templateDxf) dxf = tmpl::PlanDxf(*result.plan);
        if (request.templatePdf) tmpl::TemplatePdfBytes(*result.plan, options.page, pdfBytes);
    } catch (const std::exception& e) {
        return std::string("the template: ") + e.what();
    }
    return {};
}

// Runs one planned site and stages its files into `staged`, all or none.
// Empty on success, else why the site was not made.
std::string MakeSite(const BatchRequest& request, const PlannedSite& planned, MadeSite& made,
                     io::FileGroup& staged) {
    const SiteRow& row = *planned.row;
    if (!row.error.empty()) return row.error;
    // The sheet is made in memory and written below like the other files, so
    // that it too never replaces a file it should not.
    std::string pdfBytes;
    std::unique_ptr<PdfDialSheet> sheet;
    if (!planned.pdf.empty()) {
        sheet =
            std::make_unique<PdfDialSheet>(request.folder, PdfDialSheet::ViewerHook(), planned.pdf);
        sheet->SetSinkFactory(
            [&pdfBytes](const fs::path&) { return std::make_unique<pdf::MemorySink>(pdfBytes); });
    }
    std::string report;
    if (!planned.report.empty()) {
        SiteOutputs outputs = MakeSiteOutputs(row.site, {}, sheet.get());
        if (outputs.result.status != RunStatus::Completed) return outputs.result.message;
        made.dial = outputs.dial;
        report = std::move(outputs.report);
    }

    std::string templatePdf, templateSvg, templateDxf;
    if (request.templatePdf || request.templateSvg || request.templateDxf) {
        const std::string problem =
            MakeTemplate(request, row, templatePdf, templateSvg, templateDxf, made.notes);
        if (!problem.empty()) return problem;
    }
    const std::string json =
        planned.json.empty() ? std::string() : request.json(row.site, *made.dial);
    const std::pair<const std::string*, std::string_view> files[] = {
        {&planned.report, report},
        {&planned.pdf, pdfBytes},
        {&planned.json, json},
        {&planned.templatePdf, templatePdf},
        {&planned.templateSvg, templateSvg},
        {&planned.templateDxf, templateDxf}};
    // Every file is written whole before any takes its name (CommitSites):
    // a failure up to then leaves each old file as it was.
    for (const auto& [name, bytes] : files) {
        if (name->empty()) continue;
        if (!io::AddToGroup(staged, StagedFile(request.folder / *name, request.force), bytes)) {
            const io::AtomicFile& file = *staged.back();
            const std::string problem =
                "cannot write " + file.Target().string() + ": " + file.Error();
            staged.clear();
            return problem;
        }
    }
    return {};
}

// What became of a row: why it was not made (empty when it was), and what
// its made site leaves.
struct RowOutcome {
    std::string problem;
    MadeSite made;
};

// Puts the staged sites' files in place, all of a site or none, paying for
// their durability once for all of them. `rows` are the sites' outcomes.
void CommitSites(const BatchRequest& request, std::vector<io::FileGroup>& sites,
                 std::vector<RowOutcome*>& rows) {
    const std::vector<io::GroupCommit> commits = io::CommitGroups(sites);
    for (std::size_t s = 0; s < sites.size(); ++s) {
        const io::GroupCommit& commit = commits[s];
        if (commit.error.empty()) continue;
        // The index lists no half site: files new to the folder go again;
        // ones that replaced an old file are whole and stay.
        std::error_code ec;
        if (!request.force) {
            for (std::size_t done = 0; done < commit.committed; ++done) {
                fs::remove(sites[s][done]->Target(), ec);
            }
        }
        const std::size_t failed = std::min(commit.committed, sites[s].size() - 1);
        rows[s]->problem =
            ShownText("cannot write " + sites[s][failed]->Target().string() + ": " + commit.error);
    }
    sites.clear();
    rows.clear();
}

}  // namespace

std::optional<std::string> ReadBatchTemplateOptions(const tmpl::OptionLookup& given,
                                                    const tmpl::NumberReader& readNumber,
                                                    const std::string& today, BatchRequest& request,
                                                    const std::filesystem::path& projectsFolder) {
    request.templatePdf = given("template-pdf").has_value();
    request.templateSvg = given("template-svg").has_value();
    request.templateDxf = given("template-dxf").has_value();
    if (!request.templatePdf && !request.templateSvg && !request.templateDxf) {
        // Options that would shape nothing are a mistake worth naming.
        for (const tmpl::TemplateOptionEntry& entry : tmpl::TemplateOptionTable()) {
            if (given(entry.name)) {
                return "--" + std::string(entry.name) +
                       " shapes the template: give --template-pdf, --template-svg or "
                       "--template-dxf.";
            }
        }
        for (const SiteRow& row : request.rows) {
            if (!row.project.empty() || row.plane || !row.hourSystems.empty()) {
                return "the sites' " +
                       std::string(row.plane                  ? "dial and recline columns shape"
                                   : !row.hourSystems.empty() ? "hours column shapes"
                                                              : "project column shapes") +
                       " the template: give --template-pdf, --template-svg or --template-dxf.";
            }
        }
        return std::nullopt;
    }
    // A row's project gives its design, the command line's options over it;
    // a project that cannot be used skips its row alone.
    bool someRowNeedsTheGivenOptions = request.rows.empty();
    for (SiteRow& row : request.rows) {
        if (!row.error.empty()) continue;
        if (row.project.empty()) {
            someRowNeedsTheGivenOptions = true;
            continue;
        }
        const fs::path file = projectsFolder / row.project;
        request.inputs.push_back({"the project of " + Describe(row), file});
        const project::ProjectRead project = project::ReadProject(file);
        if (!project.project) {
            row.error = "project " + project.message;
            continue;
        }
        tmpl::TemplateOptionsRead read = tmpl::ReadTemplateOptions(
            project::Overlay(given, project::ProjectLookup(*project.project)), readNumber, today);
        if (read.options) {
            row.templateOptions =
                std::make_shared<const tmpl::TemplateOptions>(std::move(*read.options));
        } else {
            row.error = "project " + row.project + ": " + read.message;
        }
    }
    if (!someRowNeedsTheGivenOptions) return std::nullopt;
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
    result.problems = InputsOverwritten(request, plan);
    if (!result.problems.empty()) {
        result.refused = true;
        return result;
    }
    if (!request.force) {
        result.problems = Clashes(folder, plan);
        if (!result.problems.empty()) {
            result.refused = result.namesTaken = true;
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

    // Sites are staged until enough files are open, then committed together.
    std::vector<RowOutcome> outcomes(plan.size());
    std::vector<io::FileGroup> staged;
    std::vector<RowOutcome*> stagedRows;
    std::size_t stagedFiles = 0;
    const std::size_t limit = io::StagedFileLimit();
    for (size_t i = 0; i < plan.size(); ++i) {
        io::FileGroup files;
        // Messages quote the row's own text: keep its control characters from
        // reaching a terminal.
        outcomes[i].problem = ShownText(MakeSite(request, plan[i], outcomes[i].made, files));
        if (outcomes[i].problem.empty()) {
            stagedFiles += files.size();
            staged.push_back(std::move(files));
            stagedRows.push_back(&outcomes[i]);
        }
        if (stagedFiles >= limit || i + 1 == plan.size()) {
            CommitSites(request, staged, stagedRows);
            stagedFiles = 0;
        }
        if (request.progress) request.progress(i + 1, plan.size(), ShortText(plan[i].row->name));
    }

    std::string index = IndexHeader();
    for (size_t i = 0; i < plan.size(); ++i) {
        const SiteRow& row = *plan[i].row;
        const RowOutcome& outcome = outcomes[i];
        if (outcome.problem.empty()) {
            ++result.made;
            const std::string templateOnly = row.templateOnly.empty()
                                                 ? std::string()
                                                 : "template only: " + ShownText(row.templateOnly);
            index += IndexLine(plan[i], &outcome.made, "made", templateOnly);
            for (const std::string& note : outcome.made.notes) {
                result.notes.push_back(Describe(row) + ": note: " + ShownText(note));
            }
        } else {
            ++result.skipped;
            result.problems.push_back(Describe(row) + ": " + outcome.problem + "; skipped");
            index += IndexLine(plan[i], nullptr, "skipped", outcome.problem);
        }
    }

    const std::string error = WriteFile(folder / kIndexFileName, index, request.force);
    result.indexWritten = error.empty();
    if (!error.empty()) {
        result.problems.push_back("cannot write " + (folder / kIndexFileName).string() + ": " +
                                  error);
    }
    return result;
}

}  // namespace sundial

// libFuzzer entry for the sites-file reader: any bytes. The sanitizers catch
// a read past the input; the checks below catch a row or message that grew
// with the file, or a record the bounds should have stopped.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "core/batch/csv.h"
#include "core/batch/site_rows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream in(text);
    sundial::CsvReader reader(in);
    int lastLine = 0;
    while (const auto record = reader.Next()) {
        if (record->line <= lastLine && record->error.empty()) std::abort();  // lines go forward
        lastLine = record->line;
        std::size_t bytes = 0;
        for (const std::string& field : record->fields) {
            if (field.size() > sundial::kCsvFieldLimit) std::abort();
            bytes += field.size();
        }
        if (bytes > sundial::kCsvRecordLimit) std::abort();
    }
    const sundial::SitesFile file = sundial::ReadSitesCsv(text);
    if (!file.error.empty() && !file.rows.empty()) std::abort();
    if (file.error.size() > 1024) std::abort();
    for (const sundial::SiteRow& row : file.rows) {
        if (row.name.size() > sundial::kCsvFieldLimit || row.error.size() > 1024) std::abort();
        if (row.error.empty() && row.site.PlaceName != row.name) std::abort();
    }
    return 0;
}

// libFuzzer entry for the sites-file reader: any bytes. The sanitizers catch
// a read past the input; the checks catch a field or row that outgrew its bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/batch/csv.h"
#include "core/batch/site_rows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const sundial::CsvRecord& record : sundial::ParseCsv(text)) {
        for (const std::string& field : record.fields) {
            if (field.size() > sundial::kCsvFieldLimit) std::abort();
        }
    }
    const sundial::SitesFile file = sundial::ReadSitesCsv(text);
    if (!file.error.empty() && !file.rows.empty()) std::abort();
    for (const sundial::SiteRow& row : file.rows) {
        if (row.name.size() > sundial::kCsvFieldLimit || row.error.size() > 512) std::abort();
        if (row.error.empty() && row.site.PlaceName != row.name) std::abort();
    }
    return 0;
}

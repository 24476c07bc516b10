// Readings kept in a file between visits to the wall: CSV with the header
// method,time,zone,utc_offset,angle,light and one reading a row, so a
// spreadsheet can open it too. Numbers with full stops whatever the locale.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/sun/clock_zone.h"
#include "core/sun/wall_bearing.h"

namespace sundial {

struct KeptReading {
    WallReading reading;
    ClockZone zone;  // the zone the reading's clock kept

    friend bool operator==(const KeptReading&, const KeptReading&) = default;
};

// A readings file is a few lines a reading; a reader takes no more than this.
inline constexpr std::size_t kReadingsFileLimit = 1 << 20;

std::string ReadingsCsv(const std::vector<KeptReading>& readings);

struct ReadingsRead {
    std::vector<KeptReading> readings;
    std::string error;  // "line 3: ..." when the file was refused (and nothing read)
};

// All rows or none: a row that does not read refuses the file, by its line.
ReadingsRead ParseReadingsCsv(std::string_view text);

// Replaces `file` whole and in one step. False with the reason in `error`.
bool SaveReadings(const std::filesystem::path& file, const std::vector<KeptReading>& readings,
                  std::string& error);
// Reads at most kReadingsFileLimit bytes of a regular file.
ReadingsRead LoadReadings(const std::filesystem::path& file);

}  // namespace sundial

#include "core/sun/reading_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sundial {
namespace {

// Readings kept in a file come back as they were; a damaged row refuses the
// file by its line.
TEST(ReadingFile, RoundTripsAndRefusesBadRows) {
    const std::vector<KeptReading> kept = {
        {{ReadingMethod::Shadow, {2026, 6, 21, 10, 15, 0.25}, -12.5, LightEdge::Centre},
         NamedZone("Europe/London")},
        {{ReadingMethod::Enters, {2026, 6, 21, 7, 2, 10}, 0, LightEdge::First}, FixedZone(-2.5)},
        {{ReadingMethod::Leaves, {2026, 6, 21, 19, 40, 0}, 0, LightEdge::Last},
         NamedZone("America/St_Johns")},
        // A pin's shadow on a level plate may point anywhere round it.
        {{ReadingMethod::Pin, {2026, 12, 21, 15, 20, 0}, 176.25, LightEdge::Centre},
         NamedZone("Africa/Johannesburg")},
    };
    const ReadingsRead back = ParseReadingsCsv(ReadingsCsv(kept));
    EXPECT_EQ(back.error, "");
    EXPECT_EQ(back.readings, kept);

    const std::string header = "method,time,zone,utc_offset,angle,light\n";
    struct Row {
        const char* name;
        std::string text;
        const char* error;
    };
    for (const Row& row : std::vector<Row>{
             {"no-header", "shadow,2026-06-21T10:00:00,,0,5,\n", "line 1: "},
             {"angle-behind-wall", header + "shadow,2026-06-21T10:00:00,,0,95,\n",
              "line 2: a shadow's angle"},
             {"unknown-zone", header + "\nenters,2026-06-21T07:00:00,Europe/Nowhere,,,first\n",
              "line 3: there is no time zone"},
             {"no-such-day", header + "leaves,2026-02-30T19:00:00,,1,,last\n",
              "line 2: there is no date"},
             {"short-row", header + "leaves,2026-06-21T19:00:00\n", "line 2: a reading has 6"},
             {"pin-past-half-turn", header + "pin,2026-06-21T10:00:00,,0,181,\n",
              "line 2: a pin's shadow angle"},
         }) {
        const ReadingsRead r = ParseReadingsCsv(row.text);
        EXPECT_EQ(r.error.rfind(row.error, 0), 0u) << row.name << ": " << r.error;
        EXPECT_TRUE(r.readings.empty()) << row.name;
    }
}

}  // namespace
}  // namespace sundial

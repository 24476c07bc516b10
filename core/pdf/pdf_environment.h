// What the writer takes from its surroundings: the clock, a random digit and
// the program's folder. Tests replace them to get repeatable bytes.
#pragma once

#include <filesystem>
#include <functional>

#include "core/pdf/creation_time.h"

namespace sundial::pdf {

struct PdfEnvironment {
    std::function<LocalTimestamp()> now = LocalTimeNow;  // creation date, generated names
    std::function<int()> randomDigit;                    // 0..9 for generated names
    std::filesystem::path programFolder;                 // where generated names go
};

// The folder of the running program, or the working directory when the system
// does not say.
std::filesystem::path RunningProgramFolder();

// The time `environment` gives, the machine's clock when it gives none.
LocalTimestamp NowIn(const PdfEnvironment& environment);

// A name for a document the caller did not name: the program's folder, "~",
// then in upper-case hexadecimal the number made of the day of the month, the
// hour, minute and second (two digits each) and one random digit, then ".pdf".
// The 7th at 09:05:03 with the digit 4 makes 70905034: "~439ECCA.pdf".
std::filesystem::path GeneratedPdfName(const PdfEnvironment& environment);

}  // namespace sundial::pdf

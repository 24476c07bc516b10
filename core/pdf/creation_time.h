// The local date and time a document is stamped with.
#pragma once

#include <string>

namespace sundial::pdf {

struct LocalTimestamp {
    int year = 2000;
    int month = 1;             // 1..12
    int day = 1;               // 1..31
    int hour = 0;              // 0..23
    int minute = 0;            // 0..59
    int second = 0;            // 0..59 (60 for a leap second)
    int utcOffsetMinutes = 0;  // local time minus UTC, e.g. -300 for UTC-5
};

// The calendar clock of this machine, with its current offset from UTC.
LocalTimestamp LocalTimeNow();

// The PDF date string without its parentheses: "D:yyyymmddhhmmss+hh'mm'",
// e.g. D:20240307090503-05'00' ("+00'00'" at UTC).
std::string PdfDateText(const LocalTimestamp& time);

}  // namespace sundial::pdf

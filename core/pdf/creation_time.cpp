#include "core/pdf/creation_time.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace sundial::pdf {

namespace {

bool BrokenDown(std::time_t t, bool local, std::tm& out) {
#if defined(_WIN32)
    return (local ? localtime_s(&out, &t) : gmtime_s(&out, &t)) == 0;
#else
    return (local ? localtime_r(&t, &out) : gmtime_r(&t, &out)) != nullptr;
#endif
}

// Days from 1970-01-01 to a proleptic Gregorian date.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

long long SecondsOf(const std::tm& tm) {
    return DaysFromCivil(tm.tm_year + 1900LL, static_cast<unsigned>(tm.tm_mon + 1),
                         static_cast<unsigned>(tm.tm_mday)) *
               86400 +
           tm.tm_hour * 3600LL + tm.tm_min * 60LL + tm.tm_sec;
}

}  // namespace

LocalTimestamp LocalTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    std::tm utc{};
    LocalTimestamp stamp;
    if (!BrokenDown(now, true, local) || !BrokenDown(now, false, utc)) return stamp;
    stamp.year = local.tm_year + 1900;
    stamp.month = local.tm_mon + 1;
    stamp.day = local.tm_mday;
    stamp.hour = local.tm_hour;
    stamp.minute = local.tm_min;
    stamp.second = local.tm_sec;
    // The same instant read on both clocks differs by exactly the offset.
    stamp.utcOffsetMinutes = static_cast<int>((SecondsOf(local) - SecondsOf(utc)) / 60);
    return stamp;
}

std::string PdfDateText(const LocalTimestamp& time) {
    const int offset = std::abs(time.utcOffsetMinutes);
    char buf[64];
    std::snprintf(buf, sizeof buf, "D:%04d%02d%02d%02d%02d%02d%c%02d'%02d'", time.year, time.month,
                  time.day, time.hour, time.minute, time.second,
                  time.utcOffsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60);
    return buf;
}

}  // namespace sundial::pdf

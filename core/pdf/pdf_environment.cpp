#include "core/pdf/pdf_environment.h"

#include <cstdio>
#include <random>
#include <system_error>

namespace sundial::pdf {

namespace {

int DefaultRandomDigit() {
    static std::mt19937 generator{std::random_device{}()};
    return std::uniform_int_distribution<int>(0, 9)(generator);
}

}  // namespace

std::filesystem::path RunningProgramFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && exe.has_parent_path()) return exe.parent_path();
    auto here = std::filesystem::current_path(ec);
    return ec ? std::filesystem::path(".") : here;
}

LocalTimestamp NowIn(const PdfEnvironment& environment) {
    return environment.now ? environment.now() : LocalTimeNow();
}

std::filesystem::path GeneratedPdfName(const PdfEnvironment& environment) {
    const LocalTimestamp t = NowIn(environment);
    const int digit = environment.randomDigit ? environment.randomDigit() : DefaultRandomDigit();
    const long long stamp =
        (((t.day * 100LL + t.hour) * 100 + t.minute) * 100 + t.second) * 10 + digit;
    char name[32];
    std::snprintf(name, sizeof name, "~%llX.pdf", stamp);
    return environment.programFolder / name;
}

}  // namespace sundial::pdf

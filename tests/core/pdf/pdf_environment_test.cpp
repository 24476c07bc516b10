#include "core/pdf/pdf_environment.h"

#include <gtest/gtest.h>

namespace sundial::pdf {
namespace {

TEST(GeneratedPdfNameTest, DayTimeAndDigitInHexadecimal) {
    const struct {
        LocalTimestamp time;
        int digit;
        const char* name;
    } rows[] = {
        // 7, 09, 05, 03 and 4 make 70905034.
        {{2024, 3, 7, 9, 5, 3, 60}, 4, "~439ECCA.pdf"},
        // 31, 23, 59, 59 and 9 make 312359599.
        {{2024, 12, 31, 23, 59, 59, 0}, 9, "~129E3AAF.pdf"},
        // 1, 00, 00, 00 and 0 make 10000000: no leading zeros, no date beyond.
        {{1999, 1, 1, 0, 0, 0, 0}, 0, "~989680.pdf"},
    };
    for (const auto& row : rows) {
        PdfEnvironment env;
        env.now = [&] { return row.time; };
        env.randomDigit = [&] { return row.digit; };
        env.programFolder = "/opt/sundial";
        EXPECT_EQ(GeneratedPdfName(env), std::filesystem::path("/opt/sundial") / row.name);
    }
}

TEST(GeneratedPdfNameTest, MachineClockAndDigitWhenNoneAreGiven) {
    PdfEnvironment env;
    env.now = nullptr;
    const std::string name = GeneratedPdfName(env).filename().string();
    EXPECT_TRUE(name.starts_with("~")) << name;
    EXPECT_TRUE(name.ends_with(".pdf")) << name;
    EXPECT_GE(NowIn(env).year, 2024);
}

TEST(RunningProgramFolderTest, HoldsTheRunningProgram) {
    const std::filesystem::path folder = RunningProgramFolder();
    EXPECT_TRUE(std::filesystem::exists(folder / "pdf_tests")) << folder;
}

}  // namespace
}  // namespace sundial::pdf

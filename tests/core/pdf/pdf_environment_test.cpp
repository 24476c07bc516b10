#include "core/pdf/pdf_environment.h"

#include <gtest/gtest.h>

#include "tests/support/row_name.h"

namespace sundial::pdf {
namespace {

using sundial::testing::PrintTo;
using sundial::testing::RowName;

struct NameRow {
    const char* name;
    LocalTimestamp time;
    int digit;
    const char* file;
};

class GeneratedPdfNameTest : public ::testing::TestWithParam<NameRow> {};

TEST_P(GeneratedPdfNameTest, DayTimeAndDigitInHexadecimal) {
    const NameRow& row = GetParam();
    PdfEnvironment env;
    env.now = [&] { return row.time; };
    env.randomDigit = [&] { return row.digit; };
    env.programFolder = "/opt/sundial";
    EXPECT_EQ(GeneratedPdfName(env), std::filesystem::path("/opt/sundial") / row.file);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GeneratedPdfNameTest,
    ::testing::Values(
        // 7, 09, 05, 03 and 4 make 70905034.
        NameRow{"worked-example", {2024, 3, 7, 9, 5, 3, 60}, 4, "~439ECCA.pdf"},
        // 31, 23, 59, 59 and 9 make 312359599.
        NameRow{"largest", {2024, 12, 31, 23, 59, 59, 0}, 9, "~129E3AAF.pdf"},
        // 1, 00, 00, 00 and 0 make 10000000: no leading zeros, nothing of the year.
        NameRow{"smallest", {1999, 1, 1, 0, 0, 0, 0}, 0, "~989680.pdf"}),
    RowName());

TEST(GeneratedPdfNameDefaultsTest, MachineClockAndDigitWhenNoneAreGiven) {
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

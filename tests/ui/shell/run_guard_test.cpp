#include "ui/shell/run_guard.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "tests/ui/support/window_checks.h"

namespace sundial {
namespace {

using testing::PrintTo;

struct GuardRow {
    const char* name;
    bool armed;
    int holds;  // nested holds alive
    bool closing;
    bool mayRun;
    bool mayFollowFocus;
};

class RunGuardTest : public ::testing::TestWithParam<GuardRow> {};

TEST_P(RunGuardTest, LetsEventsStartRunsOnlyWhenNothingIsUnderWay) {
    const GuardRow& row = GetParam();
    RunGuard guard;
    if (row.armed) guard.armFocusHandling();
    if (row.closing) guard.close();
    std::vector<std::optional<RunGuard::Hold>> holds(static_cast<size_t>(row.holds));
    for (auto& hold : holds) hold.emplace(guard);

    EXPECT_EQ(guard.mayRun(), row.mayRun);
    EXPECT_EQ(guard.mayFollowFocus(), row.mayFollowFocus);
    EXPECT_EQ(guard.closing(), row.closing);

    // Every hold let go gives back what closing and arming alone allow.
    holds.clear();
    EXPECT_EQ(guard.mayRun(), !row.closing);
    EXPECT_EQ(guard.mayFollowFocus(), row.armed && !row.closing);
}

INSTANTIATE_TEST_SUITE_P(
    States, RunGuardTest,
    ::testing::Values(GuardRow{"Idle", false, 0, false, true, false},
                      GuardRow{"IdleArmed", true, 0, false, true, true},
                      GuardRow{"InARun", true, 1, false, false, false},
                      GuardRow{"CascadeInsideARun", true, 2, false, false, false},
                      GuardRow{"CreatingChildrenBeforeStartup", false, 1, false, false, false},
                      GuardRow{"Closing", true, 0, true, false, false},
                      GuardRow{"ClosingDuringARun", true, 1, true, false, false}),
    testing::RowName());

}  // namespace
}  // namespace sundial

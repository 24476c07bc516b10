#include "core/dial/run.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/dial/recording_surface.h"
#include "core/dial/report.h"
#include "tests/core/dial/test_sites.h"

namespace sundial {
namespace {

namespace fs = std::filesystem;

SiteState Site(float lat, const char* bearing) {
    return sundial::testing::SiteAt(lat, 0.12f, bearing);
}

// Records the order in which the run drives the sheet, and can fail on demand.
class RecordingSheet final : public SheetOutput {
  public:
    void Begin(const SiteState&, const DialGeometry&) override { Step("begin"); }
    void Row(const HourRow& row) override { Step("row " + std::to_string(row.hour)); }
    void Finish(const DialGeometry&) override { Step("finish"); }
    std::vector<std::string> steps;
    std::string failAt;

  private:
    void Step(const std::string& step) {
        if (step == failAt) throw std::runtime_error("disk full writing sundial.pdf");
        steps.push_back(step);
    }
};

struct Windows {
    RecordingSurface draw{6000, 5000};
    RecordingSurface number{6000, 5000};
    RecordingSurface chart{6000, 5000};
    int cascades = 0;
    RunTargets Targets(SheetOutput* sheet = nullptr) {
        return RunTargets{draw, number, chart,
                          [this] {
                              ++cascades;
                              DrawCascadeFurniture(draw, chart);
                          },
                          sheet};
    }
};

class RunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        settings_ =
            fs::temp_directory_path() / ("sundial_run_" + std::to_string(::getpid()) + ".txt");
        fs::remove(settings_);
    }
    void TearDown() override { fs::remove(settings_); }
    fs::path settings_;
};

TEST_F(RunTest, CompletedRunSavesFirstAndProducesEveryOutput) {
    Windows w;
    DialGeometry dial;
    const SiteState site = Site(51.5f, "185.2");
    const RunResult result = RunDial(site, settings_, w.Targets(), dial);
    EXPECT_EQ(result.status, RunStatus::Completed);
    EXPECT_TRUE(result.settingsSaved);
    EXPECT_TRUE(fs::exists(settings_));
    EXPECT_EQ(w.cascades, 1);
    EXPECT_EQ(w.number.Text(), ReportText(site, ComputeDial(site)));
    // Frame (4) + 13 hour lines + numerals + foot line; the chart has its 366-point curve.
    const auto drawLines = w.draw.Lines();
    ASSERT_FALSE(drawLines.empty());
    EXPECT_EQ(drawLines.back().width, 3);  // the foot line comes last, thick
    size_t points = 0;
    for (const auto& op : w.chart.OpsSinceClear()) {
        points += std::holds_alternative<RecordingSurface::PointOp>(op);
    }
    EXPECT_EQ(points, 1u);
}

TEST_F(RunTest, SheetGetsHeadingThenEachRowThenPageTwo) {
    Windows w;
    RecordingSheet sheet;
    DialGeometry dial;
    RunDial(Site(51.5f, "185.2"), settings_, w.Targets(&sheet), dial);
    std::vector<std::string> expected{"begin"};
    for (int h = 7; h <= 18; ++h) expected.push_back("row " + std::to_string(h));
    expected.push_back("finish");
    EXPECT_EQ(sheet.steps, expected);
}

TEST_F(RunTest, SheetFailureEndsTheRunButKeepsTheReportAndReasons) {
    Windows w;
    RecordingSheet sheet;
    sheet.failAt = "row 9";
    DialGeometry dial;
    const RunResult result = RunDial(Site(51.5f, "185.2"), settings_, w.Targets(&sheet), dial);
    EXPECT_EQ(result.status, RunStatus::SheetFailed);
    EXPECT_NE(result.message.find("disk full"), std::string::npos);
    // Rows 7 and 8 reached the report, row 9 too (it goes there first), no foot line.
    EXPECT_NE(w.number.Text().find("   9  "), std::string::npos);
    EXPECT_EQ(w.number.Text().find("   10  "), std::string::npos);
    for (const auto& line : w.draw.Lines()) EXPECT_NE(line.width, 3);
}

TEST_F(RunTest, ArithmeticFaultLeavesWhatWasMadeAndSaysSo) {
    Windows w;
    DialGeometry dial;
    // Latitude 0 (a hand-edited file) divides by tan 0 in the gnomon offset.
    const RunResult result = RunDial(Site(0, "200"), settings_, w.Targets(), dial);
    EXPECT_EQ(result.status, RunStatus::ArithmeticFault);
    EXPECT_FALSE(result.message.empty());
    EXPECT_TRUE(result.settingsSaved);  // saving comes before any arithmetic
    EXPECT_EQ(w.cascades, 0);           // the fault came before the cascade
    EXPECT_TRUE(w.number.Ops().empty());
}

TEST_F(RunTest, UnwritableSettingsDoNotStopTheRun) {
    Windows w;
    DialGeometry dial;
    const RunResult result =
        RunDial(Site(51.5f, "185.2"), settings_.parent_path() / "no_such_dir" / "localdata.txt",
                w.Targets(), dial);
    EXPECT_EQ(result.status, RunStatus::Completed);
    EXPECT_FALSE(result.settingsSaved);
}

TEST_F(RunTest, EmptySettingsPathSavesNothing) {
    Windows w;
    DialGeometry dial;
    EXPECT_FALSE(RunDial(Site(51.5f, "185.2"), fs::path(), w.Targets(), dial).settingsSaved);
}

}  // namespace
}  // namespace sundial

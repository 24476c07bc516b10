#include "core/batch/site_outputs.h"

#include "core/dial/recording_surface.h"

namespace sundial {

namespace {

// Report-sized windows, as the desktop's are after a default start.
constexpr double kWindowWidth = 9000;
constexpr double kWindowHeight = 4400;

// A window nobody looks at: it has a size, and forgets what is drawn on it.
class UnseenSurface final : public DrawingSurface {
  public:
    void Clear() override {}
    void PrintLine(std::vector<PrintItem>) override {}
    void SetLineWidth(int) override {}
    void SetDotted(bool) override {}
    void Line(double, double, double, double) override {}
    void Point(double, double) override {}
    void Ellipse(double, double, double, double) override {}
    double Width() const override { return kWindowWidth; }
    double Height() const override { return kWindowHeight; }
};

}  // namespace

SiteOutputs MakeSiteOutputs(const SiteState& site, const std::filesystem::path& settingsFile,
                            SheetOutput* sheet) {
    UnseenSurface draw, chart;
    RecordingSurface number(kWindowWidth, kWindowHeight);
    SiteOutputs outputs;
    const RunTargets targets{draw, number, chart, [&] { DrawCascadeFurniture(draw, chart); },
                             sheet};
    outputs.result = RunDial(site, settingsFile, targets, outputs.dial);
    outputs.report = number.Text();
    return outputs;
}

}  // namespace sundial

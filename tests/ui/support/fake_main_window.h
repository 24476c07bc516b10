// A stand-in for the main window: holds a site and a geometry, and records
// every Timeset and run in the order they happen, with the site as it was.
#pragma once

#include <QApplication>
#include <QWidget>
#include <string>
#include <vector>

#include "core/dial/geometry.h"
#include "core/site/site_state.h"
#include "core/site/time_zone_menu.h"
#include "ui/shell/main_window_api.h"

namespace sundial::testing {

// The one application object of the test program, created on first use.
inline void EnsureApplication() {
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "gui_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

struct Call {
    std::string what;  // "Timeset" or "run"
    double value = 0;  // Timeset's argument
    SiteState site;    // the site at the moment of the call
};

class FakeMainWindow final : public MainWindowApi {
  public:
    SiteState& Site() override { return site; }
    const DialGeometry& Dial() const override { return dial; }
    void mnuRun_Click() override { calls.push_back({"run", 0, site}); }
    // Like the real one: a whole zone sets the offset and runs once.
    void Timeset(double value) override {
        calls.push_back({"Timeset", value, site});
        if (const auto zone = MatchZone(value)) {
            site.UtcOffset = static_cast<float>(*zone);
            mnuRun_Click();
        }
    }
    QWidget* MainWidget() override { return nullptr; }

    int Runs() const {
        int n = 0;
        for (const Call& c : calls) n += c.what == "run";
        return n;
    }
    std::vector<double> Timesets() const {
        std::vector<double> values;
        for (const Call& c : calls) {
            if (c.what == "Timeset") values.push_back(c.value);
        }
        return values;
    }

    SiteState site;
    DialGeometry dial;
    std::vector<Call> calls;
};

}  // namespace sundial::testing

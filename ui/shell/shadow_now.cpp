#include "ui/shell/shadow_now.h"

#include <chrono>

#include "core/sun/clock_time.h"
#include "core/sun/style_shadow.h"

namespace sundial {

namespace {
// Fire just after the minute turns, so the line drawn is that minute's.
constexpr std::chrono::milliseconds kPastTheMinute{50};
}  // namespace

ShadowNow::ShadowNow(std::function<void()> rerun, QObject* parent)
    : QObject(parent), rerun_(std::move(rerun)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::CoarseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] {
        rerun_();
        scheduleNextMinute();
    });
}

void ShadowNow::setOn(bool on) {
    on_ = on;
    if (on_) {
        scheduleNextMinute();
    } else {
        timer_.stop();
    }
    rerun_();
}

void ShadowNow::drawOn(DrawingSurface& surface, const SiteState& site) const {
    if (!on_) return;
    DrawShadowNow(surface, site, ClockTimeOf(std::chrono::system_clock::now()));
}

void ShadowNow::scheduleNextMinute() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto next = time_point_cast<minutes>(now) + minutes(1) + kPastTheMinute;
    timer_.start(duration_cast<milliseconds>(next - now));
}

}  // namespace sundial

#include "core/plan/hour_lines.h"

#include <algorithm>
#include <cmath>

namespace sundial::plan {

namespace {

// The hour 6..18 whose line a listed hour shares.
int LineHour(int label) {
    if (label > kLastDialHour) return label - 12;
    if (label < kFirstDialHour) return label + 12;
    return label;
}

}  // namespace

std::vector<HourLine> HourLinesFor(const SiteState& site, const DialGeometry& dial, bool halfHours,
                                   bool quarterHours) {
    std::vector<int> labels;
    std::vector<int> lineHours;
    for (const HourRow& row : dial.HourList) {
        const int line = LineHour(row.hour);
        if (std::find(lineHours.begin(), lineHours.end(), line) != lineHours.end()) continue;
        lineHours.push_back(line);
        labels.push_back(row.hour);
    }
    std::sort(labels.begin(), labels.end());

    std::vector<HourLine> lines;
    for (size_t i = 0; i < labels.size(); ++i) {
        const int h = labels[i];
        lines.push_back(
            {static_cast<double>(h), dial.RawShadowAngle[LineHour(h)], Role::HourLines});
        // Parts of an hour only between two hours the dial shows.
        if (i + 1 == labels.size() || labels[i + 1] != h + 1) continue;
        for (const double part : {0.25, 0.5, 0.75}) {
            const bool half = part == 0.5;
            if (half ? !halfHours : !quarterHours) continue;
            const std::optional<float> angle = ShadowAngleAt(site, dial, h + part);
            if (!angle) continue;
            lines.push_back(
                {h + part, *angle, half ? Role::HalfHourLines : Role::QuarterHourLines});
        }
    }
    return lines;
}

float SubstyleAngleDeg(const DialGeometry& dial) {
    if (dial.OffsetSide == "left.") return dial.GnomonOffset;
    if (dial.OffsetSide == "right.") return -dial.GnomonOffset;
    return 0.0f;
}

Point DirectionOnPlate(double angleDeg) {
    const double a = DegToRad(angleDeg);
    return {-std::sin(a), std::cos(a)};
}

}  // namespace sundial::plan

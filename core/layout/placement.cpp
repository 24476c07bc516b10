#include "core/layout/placement.h"

#include <cmath>

namespace sundial {

TwipPoint CenterOverMainWindow(const TwipRect& main, double width, double height) {
    return {(main.width - width) / 2 + main.left, (main.height - height) / 2 + main.top};
}

TwipPoint PlaceBesideMainWindow(const TwipRect& main) {
    return {main.left + 2200, main.top + 2000};
}

TwipPoint CenterOnScreen(double screenWidth, double screenHeight, double width, double height) {
    return {(screenWidth - width) / 2, (screenHeight - height) / 2};
}

int TwipsToPixels(double twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

double PixelsToTwips(double pixels, double dotsPerInch) {
    return pixels * kTwipsPerInch / dotsPerInch;
}

std::vector<TwipPoint> CascadePositions(int count, double step) {
    std::vector<TwipPoint> corners;
    for (int i = 0; i < count; ++i) corners.push_back({i * step, i * step});
    return corners;
}

double NextPrintZone(double position, double zoneWidth) {
    if (!(zoneWidth > 0)) return position;
    return (std::floor(position / zoneWidth) + 1) * zoneWidth;
}

namespace {
constexpr double kChildHeightLoss = 1600;  // main outer height minus child outer height
constexpr double kChildWidthLoss = 890;
}  // namespace

std::optional<OuterSize> CascadeChildSize(OuterSize mainOuter) {
    if (!(mainOuter.height > kMinMainHeightForCascade)) return std::nullopt;
    return OuterSize{mainOuter.width - kChildWidthLoss, mainOuter.height - kChildHeightLoss};
}

}  // namespace sundial

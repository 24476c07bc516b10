#include "core/dial/geometry.h"

#include <cmath>
#include <limits>
#include <string>

namespace sundial {

double Checked(double x, const char* step) {
    if (!std::isfinite(x)) throw ArithmeticFault(std::string("arithmetic fault in ") + step);
    return x;
}

float CheckedSingle(double x, const char* step) {
    Checked(x, step);
    if (std::fabs(x) > std::numeric_limits<float>::max()) {
        throw ArithmeticFault(std::string("overflow in ") + step);
    }
    return static_cast<float>(x);
}

double ArcSin(double x) {
    // sqrt(1 - x*x) is written as sqrt(-x*x + 1); at |x| = 1 this divides by zero.
    const double root = Checked(std::sqrt(Checked(-x * x + 1.0, "ArcSin")), "ArcSin");
    if (root == 0.0) throw ArithmeticFault("division by zero in ArcSin");
    return Checked(std::atan(Checked(x / root, "ArcSin")), "ArcSin");
}

float& HourTable::operator[](int hour) {
    if (hour < kFirstDialHour || hour > kLastStoredHour) {
        throw std::out_of_range("hour index " + std::to_string(hour));
    }
    return values_[static_cast<size_t>(hour - kFirstDialHour)];
}

float HourTable::operator[](int hour) const {
    return const_cast<HourTable&>(*this)[hour];
}

float FloorHundredths(float value) {
    return static_cast<float>(std::floor(static_cast<double>(value) * 100.0) / 100.0);
}

float FloorTenths(double value) {
    return static_cast<float>(std::floor(value * 10.0) / 10.0);
}

float FloorTenthsSingle(float value) {
    const float tenths = value * 10.0f;
    return std::floor(tenths) / 10.0f;
}

std::string OffsetSideFor(const std::string& declinationSide) {
    if (declinationSide == "West") return "right.";
    if (declinationSide == "East") return "left.";
    return "";
}

namespace {

// cos(latitude) * cos(declination), shared by the gnomon angle and every hour.
double CosProduct(const SiteState& site) {
    return Checked(std::cos(DegToRad(site.Latitude)) * std::cos(DegToRad(site.WallDeclination)),
                   "cos(latitude) * cos(declination)");
}

// The angle whose tangent is tan(d) * k, degrees.
double ProjectedAngle(double dDeg, double k) {
    const double tanD = Checked(std::tan(DegToRad(dDeg)), "hour-line tangent");
    return Checked(RadToDeg(std::atan(Checked(tanD * k, "hour-line projection"))),
                   "hour-line arc tangent");
}

}  // namespace

void ComputeGnomon(const SiteState& site, DialGeometry& dial) {
    const double phi = DegToRad(site.Latitude);
    const double decl = DegToRad(site.WallDeclination);

    dial.GnomonAngle = CheckedSingle(RadToDeg(ArcSin(CosProduct(site))), "GnomonAngle");

    const double tanPhi = Checked(std::tan(phi), "tan(latitude)");
    if (tanPhi == 0.0) throw ArithmeticFault("division by zero in GnomonOffset");
    const double ratio = Checked(std::sin(decl) / tanPhi, "GnomonOffset");
    dial.GnomonOffset = CheckedSingle(RadToDeg(std::atan(ratio)), "GnomonOffset");

    const double cosPhi = Checked(std::cos(phi), "cos(latitude)");
    if (cosPhi == 0.0) throw ArithmeticFault("division by zero in SubstyleHourAngle");
    const double s = Checked(std::sin(DegToRad(dial.GnomonOffset)) / cosPhi, "SubstyleHourAngle");
    dial.SubstyleHourAngle = CheckedSingle(RadToDeg(ArcSin(s)), "SubstyleHourAngle");
}

std::optional<float> ShadowAngleAt(const SiteState& site, const DialGeometry& dial,
                                   double clockHours) {
    const double k = CosProduct(site);
    const double clockOffset = (clockHours - static_cast<double>(site.UtcOffset) - 12.0) * 15.0;
    std::optional<float> raw;

    if (site.DeclinationSide == "West") {
        const float t = CheckedSingle(clockOffset - site.Longitude, "hour angle");
        const double theta = ProjectedAngle(static_cast<double>(dial.SubstyleHourAngle) - t, k);
        raw = CheckedSingle(theta - dial.GnomonOffset, "RawShadowAngle");
    }
    // Tested after, and independently of, the west case.
    if (site.DeclinationSide == "East" || site.DeclinationSide == "South") {
        const float t = CheckedSingle(-clockOffset + site.Longitude, "hour angle");
        const double theta = ProjectedAngle(static_cast<double>(dial.SubstyleHourAngle) - t, k);
        raw = CheckedSingle(dial.GnomonOffset - theta, "RawShadowAngle");
    }
    if (!raw) return std::nullopt;

    // Fold into -90..90; exactly +-90 stays.
    if (*raw < -90.0f) *raw = static_cast<float>(*raw + 180.0);
    if (*raw > 90.0f) *raw = static_cast<float>(*raw - 180.0);
    return raw;
}

void ComputeHour(const SiteState& site, DialGeometry& dial, int hour) {
    // A side the formulas do not know keeps the hour's stored angle (already folded).
    const float raw = ShadowAngleAt(site, dial, hour).value_or(dial.RawShadowAngle[hour]);
    dial.RawShadowAngle[hour] = raw;
    dial.ShadowAngle[hour] = FloorHundredths(raw);

    const float shadow = dial.ShadowAngle[hour];
    if (!dial.FirstPositiveHour && shadow > 0) dial.FirstPositiveHour = hour;
    if (dial.FirstPositiveHour && shadow < 0) dial.LastNegativeHour = hour;
}

std::vector<HourRow> BuildHourList(const DialGeometry& dial) {
    std::vector<HourRow> rows;
    // An unset hour compares as 0.
    const int firstPositive = dial.FirstPositiveHour.value_or(0);
    const int lastNegative = dial.LastNegativeHour.value_or(0);

    // A wall facing due south on its zone's meridian puts hour 6 at +90 and
    // hour 18 at -90, so the run starts at 6 and ends at 18 and neither
    // branch below applies: every hour from 6 to 18 is on the dial.
    if (firstPositive == kFirstDialHour && lastNegative == kLastDialHour) {
        for (int h = kFirstDialHour; h <= kLastDialHour; ++h)
            rows.push_back({h, -dial.ShadowAngle[h]});
        return rows;
    }
    if (firstPositive > kFirstDialHour) {
        for (int h = firstPositive; h <= kLastDialHour; ++h)
            rows.push_back({h, -dial.ShadowAngle[h]});
        // An evening hour shares the line of the morning hour twelve before it.
        for (int h = 19; h <= 24; ++h) {
            const float angle = -dial.ShadowAngle[h - 12];
            if (angle > 0) rows.push_back({h, angle});
        }
    }
    if (lastNegative < kLastDialHour) {
        // An early morning hour shares the line of the afternoon hour twelve after it.
        for (int h = 2; h <= 5; ++h) {
            const float angle = -dial.ShadowAngle[h + 12];
            if (angle < 0) rows.push_back({h, angle});
        }
        for (int h = kFirstDialHour; h <= lastNegative; ++h)
            rows.push_back({h, -dial.ShadowAngle[h]});
    }
    return rows;
}

DialGeometry ComputeDial(const SiteState& site) {
    DialGeometry dial;
    dial.OffsetSide = OffsetSideFor(site.DeclinationSide);
    ComputeGnomon(site, dial);
    for (int h = kFirstDialHour; h <= kLastDialHour; ++h) ComputeHour(site, dial, h);
    dial.HourList = BuildHourList(dial);
    return dial;
}

}  // namespace sundial

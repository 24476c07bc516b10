#include "core/sun/solar_position.h"

#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace sundial {

namespace {

// ERFA is built for plain SSE. Code elsewhere in the process (vectorised
// string and memory routines of the toolkit) can leave the upper halves of the
// AVX registers dirty, and then every SSE instruction pays for the mixed state:
// a year of noon samples ran six times slower after the command line had been
// parsed. One instruction, where the processor has AVX, sets it clean.
void ClearUpperVectorState() {
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx) asm volatile("vzeroupper");
#endif
}

double NormalisedDegrees(double rad) {
    const double deg = eraAnp(rad) * ERFA_DR2D;
    return deg >= 360.0 ? deg - 360.0 : deg;
}

// Julian date of a UTC clock reading, in ERFA's two-part form.
struct TwoPartDate {
    double whole = 0;
    double part = 0;
};

std::optional<TwoPartDate> UtcDate(const ClockTime& utc) {
    TwoPartDate d;
    // Status 1 only warns that leap seconds are not known that far ahead (or
    // that UTC did not yet exist): the offset in force is used, which moves the
    // sun along its path by at most a few thousandths of a degree by 2100.
    if (eraDtf2d("UTC", utc.year, utc.month, utc.day, utc.hour, utc.minute, utc.second, &d.whole,
                 &d.part) < 0) {
        return std::nullopt;
    }
    return d;
}

struct UniversalTimes {
    double tt1 = 0, tt2 = 0, ut1 = 0, ut2 = 0;
};

UniversalTimes TimesOf(const TwoPartDate& utc) {
    UniversalTimes t;
    double tai1 = 0, tai2 = 0;
    eraUtctai(utc.whole, utc.part, &tai1, &tai2);
    eraTaitt(tai1, tai2, &t.tt1, &t.tt2);
    eraUtcut1(utc.whole, utc.part, 0.0, &t.ut1, &t.ut2);
    return t;
}

// The equation of time and the declination, from the Earth's centre: the
// sun's Greenwich hour angle (Earth rotation angle less its right ascension
// from the celestial intermediate origin) against the mean sun's, which is UT1
// turned by half a day.
void FromCentre(const UniversalTimes& t, eraASTROM& astrom, SolarPosition& out) {
    double toSun[3] = {-astrom.eh[0], -astrom.eh[1], -astrom.eh[2]};
    double ra = 0, dec = 0, ri = 0, di = 0;
    eraC2s(toSun, &ra, &dec);
    eraAtciq(ra, dec, 0, 0, 0, 0, &astrom, &ri, &di);

    const double greenwichHourAngle = eraEra00(t.ut1, t.ut2) - ri;
    const double dayFraction = std::fmod(std::fmod(t.ut1 - 0.5, 1.0) + t.ut2, 1.0);
    const double equation = eraAnpm(greenwichHourAngle + ERFA_DPI - ERFA_D2PI * dayFraction);
    out.declinationDeg = di * ERFA_DR2D;
    out.equationOfTimeMin = equation / ERFA_D2PI * 1440.0;
}

void GeocentricPart(const TwoPartDate& utc, SolarPosition& out) {
    const UniversalTimes t = TimesOf(utc);
    eraASTROM astrom;
    double eo = 0;
    // TDB differs from TT by under 2 ms: far below anything shown.
    eraApci13(t.tt1, t.tt2, &astrom, &eo);
    FromCentre(t, astrom, out);
}

// Azimuth, altitude and hour angle as seen from the place: the observer's own
// position and velocity (parallax, diurnal aberration) included, refraction not.
// The steps of eraApco13, with the shorter nutation series IAU 2000B (good to
// a milliarcsecond, far below anything shown) in place of the full one, whose
// 1365 terms cost most of the time when thousands of readings are worked out.
bool TopocentricPart(const TwoPartDate& utc, double latitudeDeg, double longitudeWestDeg,
                     SolarPosition& out) {
    double tai1 = 0, tai2 = 0, tt1 = 0, tt2 = 0, ut1 = 0, ut2 = 0;
    if (eraUtctai(utc.whole, utc.part, &tai1, &tai2) < 0 ||
        eraUtcut1(utc.whole, utc.part, 0.0, &ut1, &ut2) < 0) {
        return false;
    }
    eraTaitt(tai1, tai2, &tt1, &tt2);
    double heliocentric[2][3], barycentric[2][3], npb[3][3];
    eraEpv00(tt1, tt2, heliocentric, barycentric);
    eraPnm00b(tt1, tt2, npb);
    double x = 0, y = 0;
    eraBpn2xy(npb, &x, &y);
    eraASTROM astrom;
    // Height 0, no polar motion, no refraction.
    eraApco(tt1, tt2, barycentric, heliocentric[0], x, y, eraS00(tt1, tt2, x, y),
            eraEra00(ut1, ut2), -longitudeWestDeg * ERFA_DD2R, latitudeDeg * ERFA_DD2R, 0, 0, 0,
            eraSp00(tt1, tt2), 0, 0, &astrom);
    // The sun is the one body whose direction the observer's heliocentric
    // vector already gives: from the place, straight back along it.
    double toSun[3] = {-astrom.eh[0], -astrom.eh[1], -astrom.eh[2]};
    double ra = 0, dec = 0, ri = 0, di = 0;
    eraC2s(toSun, &ra, &dec);
    eraAtciq(ra, dec, 0, 0, 0, 0, &astrom, &ri, &di);
    double azimuth = 0, zenith = 0, hourAngle = 0, obsDec = 0, obsRa = 0;
    eraAtioq(ri, di, &astrom, &azimuth, &zenith, &hourAngle, &obsDec, &obsRa);

    out.azimuthDeg = NormalisedDegrees(azimuth);
    out.altitudeDeg = 90.0 - zenith * ERFA_DR2D;
    out.hourAngleDeg = eraAnpm(hourAngle) * ERFA_DR2D;
    // The solar radius seen from one astronomical unit: 959.63 seconds of arc.
    out.semiDiameterDeg = 959.63 / 3600.0 / astrom.em;
    return true;
}

}  // namespace

namespace {

// The Earth's place and motion from ERFA's ephemeris: heliocentric and
// barycentric position and velocity (AU, AU a day).
struct EarthState {
    double helio[2][3];
    double bary[2][3];
};

EarthState EarthAt(const UniversalTimes& t) {
    EarthState e;
    eraEpv00(t.tt1, t.tt2, e.helio, e.bary);
    return e;
}

// The sun from the Earth's centre once the Earth's state is known.
// (`earth` by value: ERFA takes its vectors as writable.)
CentreSun CentreFrom(const UniversalTimes& t, EarthState earth) {
    // The shorter nutation series (IAU 2000B) keeps within a milliarcsecond of
    // the full one at a twentieth of its cost.
    double bpn[3][3];
    eraPnm00b(t.tt1, t.tt2, bpn);
    double x = 0, y = 0;
    eraBpn2xy(bpn, &x, &y);
    eraASTROM astrom;
    eraApci(t.tt1, t.tt2, earth.bary, earth.helio[0], x, y, eraS00(t.tt1, t.tt2, x, y), &astrom);
    SolarPosition position;
    FromCentre(t, astrom, position);
    return CentreSun{position.declinationDeg, position.equationOfTimeMin, astrom.em};
}

std::optional<UniversalTimes> CentreTimes(const ClockTime& utc) {
    if (!CheckClockTime(utc).empty() || utc.year < kFirstSunYear || utc.year > kLastSunYear) {
        return std::nullopt;
    }
    const std::optional<TwoPartDate> date = UtcDate(utc);
    if (!date) return std::nullopt;
    return TimesOf(*date);
}

double Tt(const UniversalTimes& t) {
    return (t.tt1 - ERFA_DJ00) + t.tt2;
}

// The Earth between two states a few days apart, by Hermite's cubic through
// their positions and velocities: over eight days the sun stays within a
// tenth of a second of arc, the Moon's monthly pull on the Earth included.
EarthState Between(const EarthState& a, double ta, const EarthState& b, double tb, double t) {
    const double h = tb - ta, s = (t - ta) / h;
    const double s2 = s * s, s3 = s2 * s;
    const double p0 = 2 * s3 - 3 * s2 + 1, m0 = s3 - 2 * s2 + s, p1 = -2 * s3 + 3 * s2,
                 m1 = s3 - s2;
    const double dp0 = (6 * s2 - 6 * s) / h, dm0 = 3 * s2 - 4 * s + 1, dp1 = (-6 * s2 + 6 * s) / h,
                 dm1 = 3 * s2 - 2 * s;
    EarthState e;
    const auto blend = [&](const double(&pa)[2][3], const double(&pb)[2][3], double(&out)[2][3]) {
        for (int k = 0; k < 3; ++k) {
            out[0][k] = p0 * pa[0][k] + m0 * h * pa[1][k] + p1 * pb[0][k] + m1 * h * pb[1][k];
            out[1][k] = dp0 * pa[0][k] + dm0 * pa[1][k] + dp1 * pb[0][k] + dm1 * pb[1][k];
        }
    };
    blend(a.helio, b.helio, e.helio);
    blend(a.bary, b.bary, e.bary);
    return e;
}

}  // namespace

std::optional<CentreSun> SunFromCentre(const ClockTime& utc) {
    ClearUpperVectorState();
    const std::optional<UniversalTimes> t = CentreTimes(utc);
    if (!t) return std::nullopt;
    return CentreFrom(*t, EarthAt(*t));
}

std::optional<std::vector<CentreSun>> SunFromCentreEvery(const ClockTime& first, double stepDays,
                                                         int count) {
    ClearUpperVectorState();
    std::vector<UniversalTimes> times;
    times.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        const std::optional<UniversalTimes> t = CentreTimes(ShiftClock(first, i * stepDays * 24));
        if (!t) return std::nullopt;
        times.push_back(*t);
    }
    // The ephemeris at every other instant and at the last; the Earth at
    // those between from its neighbours on either side.
    std::vector<EarthState> earth(times.size());
    for (std::size_t i = 0; i < times.size(); ++i) {
        if (i % 2 == 0 || i + 1 == times.size()) earth[i] = EarthAt(times[i]);
    }
    std::vector<CentreSun> out;
    out.reserve(times.size());
    for (std::size_t i = 0; i < times.size(); ++i) {
        if (i % 2 == 1 && i + 1 < times.size()) {
            earth[i] = Between(earth[i - 1], Tt(times[i - 1]), earth[i + 1], Tt(times[i + 1]),
                               Tt(times[i]));
        }
        out.push_back(CentreFrom(times[i], earth[i]));
    }
    return out;
}

double StandardRefractionDeg(double geometricAltitudeDeg) {
    // The almanacs' formula for a true altitude (minutes of arc): 34' at the
    // horizon for the apparent altitude, 29' for the true one, a few seconds
    // high up. ERFA's own model is meant for altitudes above about 15 degrees.
    const double h = std::max(geometricAltitudeDeg, -1.0);
    if (h >= 90.0) return 0.0;
    const double arcMinutes = 1.02 / std::tan((h + 10.3 / (h + 5.11)) * ERFA_DD2R);
    return std::max(arcMinutes, 0.0) / 60.0;
}

namespace {

SolarResult SunFrom(double latitudeDeg, double longitudeWestDeg, const ClockTime& clock,
                    double utcOffsetHours, bool geocentric) {
    ClearUpperVectorState();
    SolarResult result;
    if (const std::string wrong = CheckClockTime(clock); !wrong.empty()) {
        result.error = wrong;
        return result;
    }
    if (!(std::fabs(latitudeDeg) <= 90.0)) {
        result.error = "the latitude must lie between -90 and 90 degrees.";
        return result;
    }
    if (!(std::fabs(longitudeWestDeg) <= 180.0)) {
        result.error = "the longitude must lie between -180 and 180 degrees.";
        return result;
    }
    if (!(std::fabs(utcOffsetHours) <= 24.0)) {
        result.error = "the time zone must lie within 24 hours of UTC.";
        return result;
    }
    const ClockTime utc = ShiftClock(clock, -utcOffsetHours);
    if (utc.year < kFirstSunYear || utc.year > kLastSunYear) {
        result.error = "the sun's position is known here for the years 1900 to 2100 only.";
        return result;
    }
    const std::optional<TwoPartDate> date = UtcDate(utc);
    SolarPosition position;
    if (!date || !TopocentricPart(*date, latitudeDeg, longitudeWestDeg, position)) {
        result.error = "there is no such instant in UTC.";
        return result;
    }
    if (geocentric) GeocentricPart(*date, position);
    position.apparentAltitudeDeg =
        position.altitudeDeg + StandardRefractionDeg(position.altitudeDeg);
    result.position = position;
    return result;
}

}  // namespace

SolarResult SunAt(double latitudeDeg, double longitudeWestDeg, const ClockTime& clock,
                  double utcOffsetHours) {
    return SunFrom(latitudeDeg, longitudeWestDeg, clock, utcOffsetHours, true);
}

SolarResult SunSeenAt(double latitudeDeg, double longitudeWestDeg, const ClockTime& clock,
                      double utcOffsetHours) {
    return SunFrom(latitudeDeg, longitudeWestDeg, clock, utcOffsetHours, false);
}

}  // namespace sundial

// Italian, Babylonian and temporal hours on whole plans, against the sky as
// ERFA turns hour angle and declination into azimuth and altitude: every
// drawn point is the nodus's shadow at its line's hour, and so is every point
// between a line's ends (the Italian and Babylonian lines drawn straight).
#include <erfa.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "core/plan/plan.h"
#include "tests/core/plan/test_plans.h"

namespace sundial::plan {
namespace {

constexpr double kPointTolMm = 0.05;      // on a 1 m plate
constexpr double kSolsticeTolDeg = 1e-6;  // the lines end on the solstices' lines
constexpr double kDeg = M_PI / 180;

struct V3 {
    double x, y, z;  // east, north, up
    V3 operator+(V3 o) const { return {x + o.x, y + o.y, z + o.z}; }
    V3 operator-(V3 o) const { return {x - o.x, y - o.y, z - o.z}; }
    V3 operator*(double k) const { return {x * k, y * k, z * k}; }
    double dot(V3 o) const { return x * o.x + y * o.y + z * o.z; }
};

// The hour angle, degrees, at a system's hour on a day of declination `dec`,
// sunrise and sunset those of the sun's centre on the geometric horizon.
double HourAngle(Role role, double hour, double dec, double latRad) {
    const double half = std::acos(-std::tan(latRad) * std::tan(dec * kDeg)) / kDeg;
    if (role == Role::ItalianHours) return half + 15 * hour - 360;  // since the last sunset
    if (role == Role::BabylonianHours) return -half + 15 * hour;
    return -half + hour * half / 6;
}

// The plate as its plane's bearing b and recline r place it: out of the
// face, down the face, and right as one faces it.
struct Face {
    Face(const Plan& p, double latDeg) : lat(latDeg * kDeg) {
        const double b = p.plane.bearingDeg * kDeg, r = p.plane.reclineDeg * kDeg;
        n = {std::sin(b) * std::cos(r), std::cos(b) * std::cos(r), std::sin(r)};
        d = {std::sin(r) * std::sin(b), std::sin(r) * std::cos(b), -std::cos(r)};
        if (std::fabs(std::cos(r)) < 1e-12) d = {std::sin(b), std::cos(b), 0};
        right = {n.y * d.z - n.z * d.y, n.z * d.x - n.x * d.z, n.x * d.y - n.y * d.x};
        nodus = On(p.foot) + n * p.nodusHeightMm;
    }
    V3 On(Point q) const { return right * q.x + d * q.y; }

    // ERFA's sky: azimuth from north through east, altitude.
    V3 Sun(double decDeg, double haDeg) const {
        double az = 0, el = 0;
        eraHd2ae(haDeg * kDeg, decDeg * kDeg, lat, &az, &el);
        return {std::sin(az) * std::cos(el), std::cos(az) * std::cos(el), std::sin(el)};
    }
    // The sun that casts the nodus's shadow on `q`: its declination and hour angle.
    std::pair<double, double> SunOn(Point q, double& altitudeRad, double& front) const {
        V3 s = nodus - On(q);
        s = s * (1 / std::sqrt(s.dot(s)));
        front = s.dot(n);
        altitudeRad = std::asin(s.z);
        double ha = 0, dec = 0;
        eraAe2hd(std::atan2(s.x, s.y), altitudeRad, lat, &ha, &dec);
        return {dec / kDeg, ha / kDeg};
    }
    Point Shadow(V3 s) const {
        const V3 q = nodus - s * (nodus.dot(n) / s.dot(n));
        return {q.dot(right), q.dot(d)};
    }
    Point ShadowAt(Role role, double hour, double dec) const {
        return Shadow(Sun(dec, HourAngle(role, hour, dec, lat)));
    }
    // How far `q` lies from the hour's shadow on any day between the
    // solstices: where the hour's line runs nearly along a day's path, the
    // day of the sun on `q` itself says little about where on the line it is.
    double ToCurve(Point q, Role role, double hour, double dec) const {
        const auto gap = [&](double x) {
            x = std::clamp(x, -engine::kSolsticeDeclinationDeg, engine::kSolsticeDeclinationDeg);
            const Point p = ShadowAt(role, hour, x);
            return std::hypot(p.x - q.x, p.y - q.y);
        };
        double best = dec;
        for (int i = 0; i <= 200; ++i) {
            const double x =
                -engine::kSolsticeDeclinationDeg + i * engine::kSolsticeDeclinationDeg / 100;
            if (gap(x) < gap(best)) best = x;
        }
        double lo = best - 0.25, hi = best + 0.25;
        for (int i = 0; i < 60; ++i) {
            const double a = lo + (hi - lo) / 3, b = hi - (hi - lo) / 3;
            (gap(a) < gap(b) ? hi : lo) = gap(a) < gap(b) ? b : a;
        }
        return gap((lo + hi) / 2);
    }

    double lat;
    V3 n, d, right, nodus;
};

double ToPath(Point q, const std::vector<Point>& path) {
    double best = 1e300;
    for (std::size_t i = 1; i < path.size(); ++i) {
        const Point a = path[i - 1], b = path[i];
        const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
        const double t =
            len2 > 0 ? std::clamp(((q.x - a.x) * dx + (q.y - a.y) * dy) / len2, 0.0, 1.0) : 0;
        best = std::min(best, std::hypot(q.x - a.x - t * dx, q.y - a.y - t * dy));
    }
    return best;
}

TEST(HourSystemLines, EveryPointIsTheShadowAtItsHour) {
    const struct {
        const char* name;
        testing::SiteCase site;
        std::optional<engine::Plane> plane;
        std::optional<Point> foot;  // else the default root, the nodus 250 mm along the style
        int fewestHours;            // of the three families together
    } rows[] = {
        {"London, wall facing 200", {"L", 51.5f, 0.12f, "200", 0}, {}, {}, 25},
        {"Sydney, horizontal",
         {"S", -33.87f, -151.21f, "180", 10},
         engine::HorizontalPlane(),
         Point{500, 500},
         25},
        {"Cape Town, wall facing 20", {"C", -33.9f, -18.4f, "20", 2}, {}, {}, 20},
        {"40 N, facing 150, reclined 30", {"R", 40, 3, "150", 0}, engine::Plane{150, 30}, {}, 20},
        {"66.5 N, wall facing 180 (no night in June)", {"N", 66.5f, -25, "180", 0}, {}, {}, 15},
        {"52 N, east wall", {"E", 52, 0, "90", 0}, engine::EastWall(), Point{600, 400}, 8},
    };
    for (const auto& r : rows) {
        PlanOptions o;
        o.widthMm = o.heightMm = 1000;
        o.plane = r.plane;
        if (r.foot) {
            o.foot = r.foot;
            o.nodusHeightMm = 150;
        } else {
            o.nodusMm = 250;
        }
        o.extras.italian = o.extras.babylonian = o.extras.temporal = true;
        const Plan p = testing::Built(testing::SiteOf(r.site), o);
        const Face face(p, r.site.lat);
        std::map<Role, std::set<double>> hours;
        for (const Element& e : p.dial.elements) {
            if (e.role != Role::ItalianHours && e.role != Role::BabylonianHours &&
                e.role != Role::TemporalHours) {
                continue;
            }
            ASSERT_TRUE(e.hour) << r.name;
            if (e.shape == Shape::Text) {
                EXPECT_EQ(e.text, std::to_string(static_cast<int>(*e.hour))) << r.name;
                continue;
            }
            const std::string what = std::string(r.name) + ", " + std::string(RoleName(e.role)) +
                                     " " + std::to_string(*e.hour);
            // Italian and Babylonian hours are straight lines end to end.
            EXPECT_EQ(e.shape == Shape::Line, e.role != Role::TemporalHours) << what;
            hours[e.role].insert(*e.hour);
            std::vector<double> decs;
            for (const Point& q : e.points) {
                double altitude = 0, front = 0;
                const auto [dec, ha] = face.SunOn(q, altitude, front);
                EXPECT_LE(std::fabs(dec), engine::kSolsticeDeclinationDeg + kSolsticeTolDeg)
                    << what;
                EXPECT_GT(front, 0) << what << ": the sun behind the face";
                EXPECT_GT(altitude, -1e-9) << what << ": the sun below the horizon";
                EXPECT_LT(face.ToCurve(q, e.role, *e.hour, dec), kPointTolMm)
                    << what << " at (" << q.x << ", " << q.y << ")";
                decs.push_back(dec);
            }
            // Between the ends the sun's shadow keeps to what is drawn.
            const double lo = std::min(decs.front(), decs.back());
            const double hi = std::max(decs.front(), decs.back());
            for (int i = 1; i < 40; ++i) {
                const double dec = lo + (hi - lo) * i / 40;
                const Point q = face.ShadowAt(e.role, *e.hour, dec);
                EXPECT_LT(ToPath(q, e.points), kPointTolMm) << what << " at declination " << dec;
            }
        }
        std::size_t drawn = 0;
        for (const auto& [role, set] : hours) drawn += set.size();
        EXPECT_EQ(hours.size(), 3u) << r.name;
        EXPECT_GE(drawn, static_cast<std::size_t>(r.fewestHours)) << r.name;
    }
}

}  // namespace
}  // namespace sundial::plan

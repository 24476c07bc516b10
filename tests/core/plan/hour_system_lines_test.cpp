// Italian, Babylonian and temporal hours on whole plans, against ERFA's sky:
// every drawn point is the nodus's shadow at its line's hour, and so is every
// point between a line's ends (the Italian and Babylonian lines are straight).
#include <erfa.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "tests/core/plan/sky_model.h"
#include "tests/core/plan/test_plans.h"

namespace sundial::plan {
namespace {

constexpr double kPointTolMm = 0.05;  // on a 1 m plate
constexpr double kDeg = M_PI / 180;
constexpr double kSolstice = engine::kSolsticeDeclinationDeg;

using V3 = testing::V;  // east, north, up

// The hour angle, degrees, of a system's hour on a day of declination `dec`.
double HourAngle(Role role, double hour, double dec, double latRad) {
    const double half = std::acos(-std::tan(latRad) * std::tan(dec * kDeg)) / kDeg;
    if (role == Role::ItalianHours) return half + 15 * hour - 360;  // since the last sunset
    if (role == Role::BabylonianHours) return -half + 15 * hour;
    return -half + hour * half / 6;
}

// The plate as its plane's bearing b and recline r place it.
struct Face {
    Face(const Plan& p, double latDeg) : lat(latDeg * kDeg) {
        const double b = p.plane.bearingDeg * kDeg, r = p.plane.reclineDeg * kDeg;
        n = {std::sin(b) * std::cos(r), std::cos(b) * std::cos(r), std::sin(r)};
        d = std::fabs(std::cos(r)) < 1e-12
                ? V3{std::sin(b), std::cos(b), 0}
                : V3{std::sin(r) * std::sin(b), std::sin(r) * std::cos(b), -std::cos(r)};
        right = n.cross(d);
        nodus = right * p.foot.x + d * p.foot.y + n * p.nodusHeightMm;
    }
    Point ShadowAt(Role role, double hour, double dec) const {
        double az = 0, el = 0;
        eraHd2ae(HourAngle(role, hour, dec, lat) * kDeg, dec * kDeg, lat, &az, &el);
        const V3 s{std::sin(az) * std::cos(el), std::cos(az) * std::cos(el), std::sin(el)};
        const V3 q = nodus - s * (nodus.dot(n) / s.dot(n));
        return {q.dot(right), q.dot(d)};
    }
    // The sun lighting `q`: its declination, and whether it is up and in front.
    double SunOn(Point q, bool& lit) const {
        V3 s = nodus - (right * q.x + d * q.y);
        s = s * (1 / s.norm());
        lit = s.dot(n) > 0 && s.u > -1e-9;
        double ha = 0, dec = 0;
        eraAe2hd(std::atan2(s.e, s.n), std::asin(s.u), lat, &ha, &dec);
        return dec / kDeg;
    }
    // How far `q` lies from the hour's shadow on any day between the solstices
    // (near a day's path, the day of the sun on `q` says little of where it is).
    double ToCurve(Point q, Role role, double hour) const {
        const auto gap = [&](double x) {
            const Point p = ShadowAt(role, hour, std::clamp(x, -kSolstice, kSolstice));
            return std::hypot(p.x - q.x, p.y - q.y);
        };
        double best = -kSolstice;
        for (double x = -kSolstice; x <= kSolstice; x += kSolstice / 100) {
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
        const Point a = path[i - 1];
        const double dx = path[i].x - a.x, dy = path[i].y - a.y, qx = q.x - a.x, qy = q.y - a.y;
        const double t = std::clamp((qx * dx + qy * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        best = std::min(best, std::hypot(qx - t * dx, qy - t * dy));
    }
    return best;
}

TEST(HourSystemLines, EveryPointIsTheShadowAtItsHour) {
    const struct {
        const char* name;
        testing::SiteCase site;
        std::optional<engine::Plane> plane;
        std::optional<Point> foot;  // else the default root, the nodus 250 mm along the style
        std::size_t fewestHours;    // of the three families together
    } rows[] = {
        {"London, wall facing 200", {"L", 51.5f, 0.12f, "200", 0}, {}, {}, 25},
        {"Sydney, horizontal",
         {"S", -33.87f, -151.21f, "180", 10},
         engine::HorizontalPlane(),
         {},
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
        o.foot = r.foot;
        (r.foot ? o.nodusHeightMm : o.nodusMm) = r.foot ? 150 : 250;
        o.extras.italian = o.extras.babylonian = o.extras.temporal = true;
        const Plan p = testing::Built(testing::SiteOf(r.site), o);
        const Face face(p, r.site.lat);
        std::set<std::pair<Role, double>> hours;
        std::set<Role> families;
        for (const Element& e : p.dial.elements) {
            if (!e.hour || !RoleName(e.role).ends_with("-hours")) continue;
            const std::string what = std::string(r.name) + ", " + std::string(RoleName(e.role));
            if (e.shape == Shape::Text) {
                EXPECT_EQ(e.text, std::to_string(static_cast<int>(*e.hour))) << what;
                continue;
            }
            EXPECT_EQ(e.shape == Shape::Line, e.role != Role::TemporalHours) << what;
            hours.insert({e.role, *e.hour});
            families.insert(e.role);
            std::vector<double> decs;
            for (const Point& q : e.points) {
                bool lit = false;
                decs.push_back(face.SunOn(q, lit));
                EXPECT_TRUE(lit) << what << ": the sun behind the face or below the horizon";
                EXPECT_LE(std::fabs(decs.back()), kSolstice + 1e-6) << what << ": past a solstice";
                EXPECT_LT(face.ToCurve(q, e.role, *e.hour), kPointTolMm) << what << " " << *e.hour;
            }
            // Between the ends the sun's shadow keeps to what is drawn.
            const auto [lo, hi] = std::minmax(decs.front(), decs.back());
            for (double dec = lo; dec < hi; dec += (hi - lo) / 40) {
                EXPECT_LT(ToPath(face.ShadowAt(e.role, *e.hour, dec), e.points), kPointTolMm)
                    << what << " " << *e.hour << " at declination " << dec;
            }
        }
        EXPECT_GE(hours.size(), r.fewestHours) << r.name;
        EXPECT_EQ(families.size(), 3u) << r.name;
    }
}

}  // namespace
}  // namespace sundial::plan

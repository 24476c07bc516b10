// The analemmatic dial against the sky: a pin stood upright on any date mark
// casts its top's shadow through the hour point of every hour the sun is up,
// the sun placed by ERFA; and the face is laid out as a painter needs it.
#include "core/plan/analemmatic.h"

#include <erfa.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "core/plan/text_metrics.h"
#include "tests/core/plan/sky_model.h"
#include "tests/core/plan/test_plans.h"
#include "tests/support/row_name.h"

namespace sundial::plan {
namespace {

using sundial::testing::PrintTo;
using sundial::testing::Rad;
using sundial::testing::V;

// The promise on a 3 m ellipse.
constexpr double kShadowTolMm = 0.5;
constexpr double kMajorMm = 1500;
// Geocentric against topocentric, and the date's noon against its clock noon.
constexpr double kDeclinationTolDeg = 0.01;

struct Row {
    const char* name;
    testing::SiteCase site;
    NumeralStyle numerals;
};

const Row kRows[] = {
    {"London", {"London", 51.5f, 0.12f, "180", 0}, NumeralStyle::Roman},
    {"Sydney", {"Sydney", -33.87f, -151.21f, "180", 10}, NumeralStyle::Arabic},
    {"Trivandrum half-hour zone", {"Trivandrum", 8.5f, -76.95f, "180", 5.5f}, NumeralStyle::Roman},
    {"Tromso midnight sun", {"Tromso", 69.65f, -18.96f, "180", 1}, NumeralStyle::Arabic},
    {"Ushuaia far west of its zone", {"Ushuaia", -54.8f, 68.3f, "180", -3}, NumeralStyle::Roman},
};

// ERFA's sun as the site sees it at a UTC instant: east, north, up, and its
// hour angle west of the meridian, degrees (no refraction).
struct ErfaSun {
    V toward;
    double hourAngleDeg = 0;
    double declinationDeg = 0;
};
ErfaSun SunAt(double latDeg, double lonEastDeg, int y, int mo, int d, double utcHours) {
    double d1 = 0, d2 = 0, eo = 0;
    eraDtf2d("UTC", y, mo, d, 0, 0, 0, &d1, &d2);
    d2 += utcHours / 24;
    eraASTROM astrom;
    eraApco13(d1, d2, 0, Rad(lonEastDeg), Rad(latDeg), 0, 0, 0, 0, 0, 0, 0, &astrom, &eo);
    double toSun[3] = {-astrom.eh[0], -astrom.eh[1], -astrom.eh[2]};
    double ra = 0, dec = 0, ri = 0, di = 0, az = 0, zen = 0, ha = 0, od = 0, orr = 0;
    eraC2s(toSun, &ra, &dec);
    eraAtciq(ra, dec, 0, 0, 0, 0, &astrom, &ri, &di);
    eraAtioq(ri, di, &astrom, &az, &zen, &ha, &od, &orr);
    return {{std::sin(az) * std::sin(zen), std::cos(az) * std::sin(zen), std::cos(zen)},
            testing::Deg(ha),
            testing::Deg(od)};
}

// `v` turned by `deg` about the unit axis `k`, right-handed.
V Turned(V v, V k, double deg) {
    const double c = std::cos(Rad(deg)), s = std::sin(Rad(deg));
    return v * c + k.cross(v) * s + k * (k.dot(v) * (1 - c));
}

class AnalemmaticSky : public ::testing::TestWithParam<Row> {};

// On each mark's date ERFA places the sun at 12:00 on the site's clock; the
// earth's turning carries it to every hour of that day, the declination
// held. The hour point of clock hour h is where the shadow falls when the
// sun's hour angle is that of mean time h at this longitude.
TEST_P(AnalemmaticSky, APinOnAnyDateMarkShadowsEveryLitHourPoint) {
    const Row& r = GetParam();
    const SiteState site = testing::SiteOf(r.site);
    PlanOptions options;
    options.widthMm = options.heightMm = 0;
    options.analemmaticMajorMm = kMajorMm;
    options.numerals = r.numerals;
    options.extras.year = 2027;
    options.extras.dates = {{6, 14}, {11, 5}, {2, 29}};  // the last no date in 2027
    const Plan plan = testing::Built(site, options);
    ASSERT_TRUE(plan.analemmatic);
    const Point centre = plan.analemmatic->centre;
    const double lat = site.Latitude, lonEast = -site.Longitude, zone = site.UtcOffset;
    const V pole{0, std::cos(Rad(lat)), std::sin(Rad(lat))};

    std::map<int, Point> hourPoints;
    for (const Element& e : plan.dial.elements) {
        if (e.role == Role::HourPoints) hourPoints[static_cast<int>(*e.hour)] = e.points[0];
    }
    int marks = 0, shadows = 0;
    for (const Element& e : plan.dial.elements) {
        if (e.role != Role::DateScale || !e.declinationDeg) continue;
        ++marks;
        const int month = std::stoi(e.date.substr(0, 2)), day = std::stoi(e.date.substr(3, 2));
        const ErfaSun noon = SunAt(lat, lonEast, 2027, month, day, 12 - zone);
        EXPECT_NEAR(noon.declinationDeg, *e.declinationDeg, kDeclinationTolDeg) << e.date;
        const Point pin = e.points[0];
        EXPECT_NEAR(pin.x, centre.x, 1e-9) << "the scale runs north-south through the centre";
        for (int hour = 0; hour < 24; ++hour) {
            const double meanHourAngle = 15 * (hour - 12 - zone) + lonEast;
            const V sun = Turned(noon.toward, pole, noon.hourAngleDeg - meanHourAngle);
            const auto found = hourPoints.find(hour);
            if (sun.u <= 0) continue;
            ASSERT_NE(found, hourPoints.end()) << e.date << ": the sun is up at " << hour;
            // The top's shadow falls away from the sun; plate y runs south.
            const Point along{-sun.e, sun.n};
            const Point to{found->second.x - pin.x, found->second.y - pin.y};
            const double norm = std::hypot(along.x, along.y);
            EXPECT_LT(std::fabs(along.x * to.y - along.y * to.x) / norm, kShadowTolMm)
                << e.date << " " << hour;
            EXPECT_GT(along.x * to.x + along.y * to.y, 0) << e.date << " " << hour;
            ++shadows;
        }
    }
    EXPECT_EQ(marks, 14) << "twelve months and the two real chosen dates";
    EXPECT_GT(shadows, 14 * 8);
    EXPECT_EQ(plan.notes.size(), 1u) << "29 Feb 2027 is said to be missing";
}

// What a painter needs: the ellipse's semi-axes as the latitude makes them,
// the plate centred on it, every text on the plate and clear of every other
// text, of the date scale and of the hour points, and no gnomon to cut.
TEST_P(AnalemmaticSky, TheFaceIsLaidOutClear) {
    const Row& r = GetParam();
    const SiteState site = testing::SiteOf(r.site);
    PlanOptions options;
    options.widthMm = options.heightMm = 0;
    options.analemmaticMajorMm = kMajorMm;
    options.numerals = r.numerals;
    options.extras.dates = {{6, 14}, {12, 25}};
    const Plan plan = testing::Built(site, options);
    ASSERT_TRUE(plan.analemmatic);
    EXPECT_NEAR(plan.analemmatic->minorMm, kMajorMm * std::fabs(std::sin(Rad(site.Latitude))),
                1e-6);
    EXPECT_DOUBLE_EQ(plan.analemmatic->centre.x, plan.plateWidthMm / 2);
    EXPECT_DOUBLE_EQ(plan.analemmatic->centre.y, plan.plateHeightMm / 2);
    EXPECT_TRUE(plan.gnomon.elements.empty());
    const Rect plate{0, 0, plan.plateWidthMm, plan.plateHeightMm};
    std::vector<Rect> texts, marks;
    std::vector<Point> ellipse;
    for (const Element& e : plan.dial.elements) {
        if (e.role == Role::Ellipse && e.shape == Shape::Polygon) ellipse = e.points;
        if (e.shape == Shape::Text && e.role != Role::Title && e.role != Role::SettingOut &&
            e.role != Role::EquationTable) {
            EXPECT_TRUE(plate.ContainsRect(TextBox(e))) << e.text;
            texts.push_back(TextBox(e));
        } else if (e.role == Role::HourPoints || e.role == Role::DateScale ||
                   e.role == Role::NorthArrow) {
            const Point a = e.points.front(), b = e.points.back();
            marks.push_back({std::min(a.x, b.x) - e.radiusMm, std::min(a.y, b.y) - e.radiusMm,
                             std::max(a.x, b.x) + e.radiusMm, std::max(a.y, b.y) + e.radiusMm});
        }
    }
    EXPECT_GE(texts.size(), 14u + 8 + 1);
    const auto meet = [](const Rect& a, const Rect& b) {
        return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
    };
    for (std::size_t i = 0; i < texts.size(); ++i) {
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            EXPECT_FALSE(meet(texts[i], texts[j])) << "texts " << i << " and " << j;
        }
        for (const Rect& m : marks) EXPECT_FALSE(meet(texts[i], m)) << "text " << i << " on a mark";
        for (const Point& p : ellipse) {
            EXPECT_FALSE(texts[i].Contains(p)) << "text " << i << " on the ellipse";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, AnalemmaticSky, ::testing::ValuesIn(kRows),
                         sundial::testing::RowName());

// Near the equator the ellipse is refused with its reason; the axis and the
// plate are held to their ranges.
TEST(AnalemmaticOptions, RefusedWithTheReason) {
    struct Case {
        const char* name;
        float lat;
        double major, width, height;
        const char* says;
    };
    const Case cases[] = {
        {"equator", 4.9f, 1500, 0, 0, "at least 5 degrees"},
        {"south of it", -4.9f, 1500, 0, 0, "at least 5 degrees"},
        {"axis too small", 50, 99, 0, 0, "semi-major axis"},
        {"plate too small", 50, 1500, 2000, 2000, "need a plate of"},
        {"plate over the limit", 50, 1500, 5001, 5000, "5000 mm each way"},
    };
    for (const Case& c : cases) {
        const SiteState site = testing::SiteOf({"x", c.lat, 0, "180", 0});
        PlanOptions options;
        options.analemmaticMajorMm = c.major;
        options.widthMm = c.width;
        options.heightMm = c.height;
        const PlanResult result = BuildPlan(site, options);
        EXPECT_EQ(result.status, PlanStatus::BadOptions) << c.name;
        EXPECT_NE(result.message.find(c.says), std::string::npos)
            << c.name << ": " << result.message;
    }
}

}  // namespace
}  // namespace sundial::plan

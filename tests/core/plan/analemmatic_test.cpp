// The analemmatic dial against the sky: a pin stood upright on any date mark
// casts its top's shadow through the hour point of every hour the sun is up,
// the sun placed by ERFA; and the face is laid out as a painter needs it.
#include "core/plan/analemmatic.h"

#include <erfa.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "core/plan/clip.h"
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

struct Row {
    testing::SiteCase site;  // its name names the row
    NumeralStyle numerals;
    const char* name = site.name;
};

const Row kRows[] = {
    {{"London", 51.5f, 0.12f, "180", 0}, NumeralStyle::Roman},
    {{"Sydney", -33.87f, -151.21f, "180", 10}, NumeralStyle::Arabic},
    {{"Trivandrum, a half-hour zone", 8.5f, -76.95f, "180", 5.5f}, NumeralStyle::Roman},
    {{"Tromso, the midnight sun", 69.65f, -18.96f, "180", 1}, NumeralStyle::Arabic},
    {{"Ushuaia, far west of its zone", -54.8f, 68.3f, "180", -3}, NumeralStyle::Roman},
};

// ERFA's sun as the site sees it at a UTC instant: east, north, up, and its
// hour angle west of the meridian, degrees (no refraction).
struct ErfaSun {
    V toward;
    double hourAngleDeg = 0;
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
            testing::Deg(ha)};
}

// `v` turned by `deg` about the unit axis `k`, right-handed.
V Turned(V v, V k, double deg) {
    const double c = std::cos(Rad(deg)), s = std::sin(Rad(deg));
    return v * c + k.cross(v) * s + k * (k.dot(v) * (1 - c));
}

class AnalemmaticSky : public ::testing::TestWithParam<Row> {
  protected:
    void SetUp() override {
        site = testing::SiteOf(GetParam().site);
        PlanOptions options;
        options.widthMm = options.heightMm = 0;
        options.analemmaticMajorMm = kMajorMm;
        options.numerals = GetParam().numerals;
        options.extras.year = 2027;
        options.extras.dates = {{6, 14}, {11, 5}, {2, 29}};  // the last no date in 2027
        plan = testing::Built(site, options);
        ASSERT_TRUE(plan.analemmatic);
    }
    SiteState site;
    Plan plan;
};

// On each mark's date ERFA places the sun at 12:00 on the site's clock; the
// earth's turning carries it to every hour of that day, the declination
// held. The hour point of clock hour h is where the shadow falls when the
// sun's hour angle is that of mean time h at this longitude.
TEST_P(AnalemmaticSky, APinOnAnyDateMarkShadowsEveryLitHourPointAndTheFaceIsClear) {
    const double lat = site.Latitude, lonEast = -site.Longitude, zone = site.UtcOffset;
    const V pole{0, std::cos(Rad(lat)), std::sin(Rad(lat))};

    std::map<int, Point> hourPoints;
    for (const Element& e : plan.dial.elements) {
        if (e.role == Role::HourPoints) hourPoints[static_cast<int>(*e.hour)] = e.points[0];
    }
    int dates = 0, shadows = 0;
    for (const Element& e : plan.dial.elements) {
        if (e.role != Role::DateScale || !e.declinationDeg) continue;
        ++dates;
        const int month = std::stoi(e.date.substr(0, 2)), day = std::stoi(e.date.substr(3, 2));
        const ErfaSun noon = SunAt(lat, lonEast, 2027, month, day, 12 - zone);
        const Point pin = e.points[0];
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
    EXPECT_EQ(dates, 14) << "twelve months and the two real chosen dates";
    EXPECT_GT(shadows, 14 * 8);
    EXPECT_EQ(plan.notes.size(), 1u) << "29 Feb 2027 is said to be missing";

    // What a painter needs: the semi-axes the latitude makes, every text on
    // the plate and clear of every other, of the marks and of the ellipse.
    EXPECT_NEAR(plan.analemmatic->minorMm, kMajorMm * std::fabs(std::sin(Rad(site.Latitude))),
                1e-6);
    const Rect plate{0, 0, plan.plateWidthMm, plan.plateHeightMm};
    std::vector<Rect> texts, marks;  // marks: hour points, ticks, the arrow
    std::vector<Point> ellipse;
    for (const Element& e : plan.dial.elements) {
        if (e.role == Role::Ellipse && e.shape == Shape::Polygon) ellipse = e.points;
        if (e.shape == Shape::Text && e.role != Role::Title && e.role != Role::SettingOut &&
            e.role != Role::EquationTable) {
            EXPECT_TRUE(plate.ContainsRect(TextBox(e))) << e.text;
            texts.push_back(TextBox(e));
        } else if (e.role == Role::HourPoints || e.role == Role::DateScale ||
                   e.role == Role::NorthArrow) {
            marks.push_back(Bounds(e.points).Inset(-e.radiusMm));
        }
    }
    EXPECT_GE(texts.size(), 14u + 8 + 1);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            EXPECT_FALSE(Overlaps(texts[i], texts[j])) << "texts " << i << " and " << j;
        }
        for (const Rect& m : marks)
            EXPECT_FALSE(Overlaps(texts[i], m)) << "text " << i << " on a mark";
        for (const Point& p : ellipse) {
            EXPECT_FALSE(texts[i].Contains(p)) << "text " << i << " on the ellipse";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, AnalemmaticSky, ::testing::ValuesIn(kRows),
                         sundial::testing::RowName());

}  // namespace
}  // namespace sundial::plan

// A flat dial: a site, a plane and a polar style through a nodus, by vector
// geometry. Every plate position is in the plate frame (plane.h: mm, origin
// top left, x right, y down as seen facing the face); every vector in the
// local frame (site.h: x east, y north, z up).
//
// The style is parallel to the earth's axis and passes through the nodus. Its
// root, where it meets the plane, may lie off the plate, or at infinity when
// the style lies parallel to the plane (polar dials, walls facing due east or
// west): then the hour lines are parallel and the gnomon is placed by the
// nodus's foot.
#pragma once

#include <optional>

#include "core/engine/plane.h"
#include "core/engine/site.h"
#include "core/engine/vec3.h"

namespace sundial::engine {

// The nodus, by its foot (the plate point straight under it) and its height
// above the plate in front of the face, mm (> 0).
struct Gnomon {
    PlatePoint foot;
    double heightMm = 0;
};

// The gnomon whose style leaves the plate at `root` and holds the nodus
// `distanceMm` along it. Nothing when the style lies parallel to the plane.
std::optional<Gnomon> GnomonFromRoot(const Site& site, const Plane& plane, PlatePoint root,
                                     double distanceMm);

// A clock-hour line on the plate: the ray from `through` along `direction`,
// or (`parallel`, the root at infinity) the whole line through `through`.
struct HourLineGeometry {
    PlatePoint through;    // the root; with `parallel` the nodus's shadow at the equinox
    PlatePoint direction;  // unit, toward where the style's shadow falls
    bool parallel = false;
};

struct DeclinationRange {
    double lowDeg = 0;
    double highDeg = 0;
};

class Dial {
  public:
    Dial(const Site& site, const Plane& plane, const Gnomon& gnomon);

    const Site& site() const { return site_; }
    const Plane& plane() const { return plane_; }
    const PlateFrame& frame() const { return frame_; }
    const Gnomon& gnomon() const { return gnomon_; }

    // The nodus relative to the plate's origin.
    Vec3 Nodus() const { return frame_.At(gnomon_.foot, gnomon_.heightMm); }
    // Unit vector along the style from the root out of the face, toward the
    // pole in front of the face; toward the raised pole when the style lies
    // parallel to the plane.
    Vec3 Style() const { return style_; }
    // The root, or nothing when it lies at infinity.
    std::optional<PlatePoint> Root() const;
    // The nodus's distance from the root along the style; nothing at infinity.
    std::optional<double> NodusDistanceMm() const;
    // The angle between the style and the plate, 0..90 degrees.
    double StyleHeightDeg() const;
    // Unit plate vector of the substyle (the style's foot-print), from the
    // root toward the nodus's foot.
    PlatePoint SubstyleDirection() const;

    // The sun is above the horizon and in front of the face.
    bool Lights(Vec3 sun) const;
    // Where the nodus's shadow falls, or nothing when the sun does not light
    // the face.
    std::optional<PlatePoint> Shadow(Vec3 sun) const;
    std::optional<PlatePoint> Shadow(double declinationDeg, double hourAngleDeg) const;
    // The shadow cast by the sun as seen from the site (SunSeenFromSite) for
    // a declination and hour angle seen from the earth's centre, the sun
    // `distanceAu` away: where the nodus's shadow really falls.
    std::optional<PlatePoint> SiteShadow(double declinationDeg, double hourAngleDeg,
                                         double distanceAu = 1) const;
    // The same for one of the many hour angles of a day.
    std::optional<PlatePoint> SiteShadow(const SunDay& day, double hourAngleDeg,
                                         double distanceAu = 1) const;

    // The line the style's shadow lies on at an hour angle, whatever the
    // declination. Nothing when it has no place on the plane (the root at
    // infinity and the sun never in front of the face at that hour).
    std::optional<HourLineGeometry> HourLine(double hourAngleDeg) const;

    // The declinations within +-limitDeg for which the sun at this hour angle
    // lights the face (above the horizon and in front of it): one range, or
    // nothing when it never does.
    std::optional<DeclinationRange> LitDeclinations(
        double hourAngleDeg, double limitDeg = kSolsticeDeclinationDeg) const;
    // The hour can be lit on some day of the year.
    bool CanBeLit(double hourAngleDeg) const { return LitDeclinations(hourAngleDeg).has_value(); }

  private:
    bool StyleParallel() const;

    Site site_;
    SiteFrame siteFrame_;
    Plane plane_;
    PlateFrame frame_;
    Gnomon gnomon_;
    Vec3 style_;
};

}  // namespace sundial::engine

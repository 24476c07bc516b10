// The gnomon to cut, full size, in the form the dial's plane asks for, with
// the words to mount it by naming the surface it stands on:
// - a triangle (walls, horizontal, reclining and inclining faces): its foot
//   edge on the substyle line, the root end marked, the style its long edge;
//   where the root lies off the dial plate, cut square at the plate's edge;
// - a rectangle (the style parallel to the face: polar dials, walls facing
//   due east or west): its far edge the style, at the nodus's height;
// - a rod (equatorial dials): through the plate, square to it, as long on the
//   winter side as on the summer side.
// Every form marks the nodus and carries a fixing tab (plates) or two
// collars (the rod). Its one dashed line is where it meets the surface.
#pragma once

#include <string>

#include "core/engine/plane.h"
#include "core/plan/drawing.h"
#include "core/plan/plan.h"

namespace sundial::plan {

enum class GnomonForm { Triangle, Rectangle, Rod };

// A style within this of square to the plate stands as a rod.
inline constexpr double kRodStyleDeg = 89.9;

// The form for a gnomon of style height `size.angleDeg` (0: parallel).
GnomonForm FormOf(const GnomonSize& size);

struct GnomonPlateInput {
    GnomonSize size;
    // Along the style from the root to the nodus; for a rectangle the
    // nodus's height, marked at the middle of the style. 0: no nodus mark.
    double nodusMm = 0;
    std::string placeName;   // goes into the heading
    double thicknessMm = 0;  // a plate this thick says so in the notes (0: thin)
    engine::Plane plane;     // the dial's plane: which surface the words name
    bool south = false;      // the site lies south of the equator
    bool rootAbove = true;   // on the plate the root lies above the nodus's foot
    // A root off the dial plate: how far along the foot from the root the
    // plate's edge lies. The triangle is cut square there, and only the part
    // over the plate is drawn. 0: the root is on the plate.
    double cutMm = 0;
};

Drawing GnomonPlateDrawing(const GnomonPlateInput& in);

}  // namespace sundial::plan

// The Measure Wall Bearing window's table of readings: one row a reading as
// taken (its clock time, zone, method) with the sun's position, the bearing
// it gives and its residual; readings left out in another colour.
#pragma once

#include <vector>

#include "core/sun/reading_file.h"
#include "core/sun/wall_bearing.h"

class QTableWidget;
class QWidget;

namespace sundial {

// One reading as taken, in its own zone, and what it gives.
struct MeasuredReading {
    KeptReading kept;
    ReadingBearing result;
};

// A table with the columns the rows fill.
QTableWidget* MakeReadingsTable(QWidget* parent);

// `m` holds a residual and a left-out mark for each of `readings`.
void ShowReadings(QTableWidget& table, const std::vector<MeasuredReading>& readings,
                  const WallBearingMeasurement& m);

}  // namespace sundial

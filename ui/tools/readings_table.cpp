#include "ui/tools/readings_table.h"

#include <QHeaderView>
#include <QTableWidget>

#include "ui/tools/reading_captions.h"

namespace sundial {

QTableWidget* MakeReadingsTable(QWidget* parent) {
    auto* table = new QTableWidget(0, 7, parent);
    table->setObjectName("grdReadings");
    table->setHorizontalHeaderLabels({QStringLiteral("Clock time"), QStringLiteral("Zone"),
                                      QStringLiteral("Method"), QStringLiteral("Sun azimuth"),
                                      QStringLiteral("Sun altitude"), QStringLiteral("Bearing"),
                                      QStringLiteral("Residual")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setMinimumHeight(120);
    return table;
}

void ShowReadings(QTableWidget& table, const std::vector<MeasuredReading>& readings,
                  const WallBearingMeasurement& m) {
    table.setRowCount(static_cast<int>(readings.size()));
    for (size_t i = 0; i < readings.size(); ++i) {
        const MeasuredReading& e = readings[i];
        const WallReading& r = e.kept.reading;
        const bool grazing = r.method == ReadingMethod::Enters || r.method == ReadingMethod::Leaves;
        const QStringList cells = {
            QString::fromStdString(ClockTimeText(r.clock)).replace('T', ' '),
            e.kept.zone.name.empty()
                ? ZoneCaption(e.kept.zone)
                : QStringLiteral("%1 (%2)").arg(
                      ZoneCaption(e.kept.zone),
                      QString::fromStdString(OffsetText(e.result.utcOffsetHours))),
            grazing ? QStringLiteral("%1, %2").arg(MethodCaption(r.method).toLower(),
                                                   EdgeCaption(r.edge).toLower())
                    : QStringLiteral("%1, a = %2")
                          .arg(r.method == ReadingMethod::Pin ? QStringLiteral("pin")
                                                              : QStringLiteral("shadow"),
                               Degrees(r.shadowAngleDeg)),
            Degrees(e.result.sun.azimuthDeg),
            Degrees(e.result.sun.apparentAltitudeDeg),
            Degrees(e.result.bearingDeg),
            Degrees(m.residualsDeg[i]) +
                (m.leftOut[i] ? QStringLiteral(" (left out)") : QString())};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c >= 3) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (m.leftOut[i]) item->setForeground(QColor(160, 60, 0));
            table.setItem(static_cast<int>(i), c, item);
        }
    }
}

}  // namespace sundial

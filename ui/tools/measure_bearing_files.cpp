// The Measure Wall Bearing window's readings file: Save and Load, each saying
// what it did or why it did nothing.
#include <QString>

#include "core/sun/reading_file.h"
#include "ui/tools/measure_bearing_dialog.h"

namespace sundial {

bool frmMeasureBearing::SaveReadingsTo(const std::filesystem::path& file) {
    std::vector<KeptReading> kept;
    for (const Entry& e : entries_) kept.push_back(e.kept);
    std::string error;
    if (!SaveReadings(file, kept, error)) {
        Say(QStringLiteral("The readings are not saved to %1: %2")
                .arg(QString::fromStdString(file.string()), QString::fromStdString(error)));
        return false;
    }
    unsaved_ = false;
    Say(QStringLiteral("%1 readings saved to %2.")
            .arg(kept.size())
            .arg(QString::fromStdString(file.string())));
    return true;
}

bool frmMeasureBearing::LoadReadingsFrom(const std::filesystem::path& file) {
    const QString name = QString::fromStdString(file.string());
    const ReadingsRead read = LoadReadings(file);
    if (!read.error.empty()) {
        Say(QStringLiteral("No readings are loaded from %1: %2")
                .arg(name, QString::fromStdString(read.error)));
        return false;
    }
    std::vector<Entry> loaded;
    for (size_t i = 0; i < read.readings.size(); ++i) {
        const KeptReading& k = read.readings[i];
        const ReadingResult r = BearingFromReading(ObserverFor(k.zone), k.reading);
        if (!r.value) {
            Say(QStringLiteral("No readings are loaded from %1: %2: %3")
                    .arg(name,
                         QString::fromStdString(ReadingLabel(static_cast<int>(i + 1), k.reading)),
                         QString::fromStdString(r.error)));
            return false;
        }
        loaded.push_back({k, *r.value});
    }
    if (!entries_.empty() && unsaved_ &&
        !ask_(this, QStringLiteral("Replace the %1 readings in the table, which are not saved, "
                                   "with the %2 in %3?")
                        .arg(entries_.size())
                        .arg(loaded.size())
                        .arg(name))) {
        return false;
    }
    entries_ = std::move(loaded);
    unsaved_ = false;
    Say(QStringLiteral("%1 readings loaded from %2.").arg(entries_.size()).arg(name));
    Recompute();
    return true;
}

}  // namespace sundial

#include "core/sun/reading_file.h"

#include <charconv>
#include <cmath>

#include "core/io/atomic_file.h"
#include "core/io/regular_file.h"

namespace sundial {

namespace {

constexpr std::string_view kHeader = "method,time,zone,utc_offset,angle,light";

std::string Number(double value) {
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string();
}

std::optional<double> ReadDouble(std::string_view text) {
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma - start));
        if (comma == std::string_view::npos) return fields;
        start = comma + 1;
    }
}

std::optional<ReadingMethod> MethodNamed(std::string_view name) {
    for (ReadingMethod m : {ReadingMethod::Shadow, ReadingMethod::Enters, ReadingMethod::Leaves,
                            ReadingMethod::Pin}) {
        if (name == MethodName(m)) return m;
    }
    return std::nullopt;
}

// One row, or the reason it is no reading.
std::string ReadRow(std::string_view line, KeptReading& kept) {
    const std::vector<std::string_view> f = Fields(line);
    if (f.size() != 6) return "a reading has 6 fields, this row " + std::to_string(f.size()) + ".";
    const std::optional<ReadingMethod> method = MethodNamed(f[0]);
    if (!method) return "the method must be shadow, enters, leaves or pin.";
    kept.reading.method = *method;
    const std::optional<ClockTime> clock = ParseClockTime(f[1]);
    if (!clock) return "the time must read like 2026-06-21T10:15:00.";
    if (std::string wrong = CheckClockTime(*clock); !wrong.empty()) return wrong;
    kept.reading.clock = *clock;
    if (!f[2].empty()) {
        if (std::string wrong = CheckZoneName(f[2]); !wrong.empty()) return wrong;
        kept.zone = NamedZone(std::string(f[2]));
    } else {
        const std::optional<double> offset = ReadDouble(f[3]);
        if (!offset || std::fabs(*offset) > 14.0) {
            return "give the zone's name or an offset from -14 to 14 hours.";
        }
        kept.zone = FixedZone(*offset);
    }
    if (*method == ReadingMethod::Shadow) {
        const std::optional<double> angle = ReadDouble(f[4]);
        if (!angle || !(std::fabs(*angle) < 90.0)) {
            return "a shadow's angle must lie between -90 and 90 degrees.";
        }
        kept.reading.shadowAngleDeg = *angle;
        kept.reading.edge = LightEdge::Centre;
    } else if (*method == ReadingMethod::Pin) {
        const std::optional<double> angle = ReadDouble(f[4]);
        if (!angle || !(std::fabs(*angle) <= 180.0)) {
            return "a pin's shadow angle must lie from -180 to 180 degrees.";
        }
        kept.reading.shadowAngleDeg = *angle;
        kept.reading.edge = LightEdge::Centre;
    } else {
        const std::optional<LightEdge> edge = EdgeNamed(f[5]);
        if (!edge) return "the light must be first, centre or last.";
        kept.reading.edge = *edge;
    }
    return {};
}

}  // namespace

std::string ReadingsCsv(const std::vector<KeptReading>& readings) {
    std::string text = std::string(kHeader) + "\n";
    for (const KeptReading& k : readings) {
        const bool shadow =
            k.reading.method == ReadingMethod::Shadow || k.reading.method == ReadingMethod::Pin;
        text += std::string(MethodName(k.reading.method)) + "," + ClockTimeText(k.reading.clock) +
                "," + k.zone.name + "," +
                (k.zone.name.empty() ? Number(k.zone.fixedOffsetHours) : "") + "," +
                (shadow ? Number(k.reading.shadowAngleDeg) : "") + "," +
                (shadow ? "" : EdgeName(k.reading.edge)) + "\n";
    }
    return text;
}

ReadingsRead ParseReadingsCsv(std::string_view text) {
    ReadingsRead result;
    std::size_t lineNumber = 0;
    bool header = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (header) {
            if (line != kHeader) {
                result.error = "line 1: the file does not start with the readings' header " +
                               std::string(kHeader) + ".";
                return result;
            }
            header = false;
            continue;
        }
        if (line.empty()) continue;
        KeptReading kept;
        if (std::string wrong = ReadRow(line, kept); !wrong.empty()) {
            result.error = "line " + std::to_string(lineNumber) + ": " + wrong;
            result.readings.clear();
            return result;
        }
        result.readings.push_back(std::move(kept));
    }
    if (header) result.error = "the file is empty.";
    return result;
}

bool SaveReadings(const std::filesystem::path& file, const std::vector<KeptReading>& readings,
                  std::string& error) {
    return io::ReplaceFileContents(file, ReadingsCsv(readings), &error);
}

ReadingsRead LoadReadings(const std::filesystem::path& file) {
    const io::FilePrefix prefix = io::ReadFilePrefix(file, kReadingsFileLimit);
    ReadingsRead result;
    if (prefix.kind != io::FileKind::Regular) {
        result.error = !prefix.error.empty()                  ? prefix.error
                       : prefix.kind == io::FileKind::Missing ? "there is no such file."
                                                              : io::KindProblem(prefix.kind) + ".";
        return result;
    }
    if (!prefix.error.empty()) {
        result.error = prefix.error;
        return result;
    }
    if (prefix.truncated) {
        result.error = "it is larger than a readings file can be (1 MB).";
        return result;
    }
    return ParseReadingsCsv(prefix.bytes);
}

}  // namespace sundial

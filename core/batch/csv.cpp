#include "core/batch/csv.h"

#include <algorithm>
#include <cstring>
#include <sstream>
#include <utility>

#include "core/io/clean_text.h"

namespace sundial {

namespace {

constexpr std::size_t kReadPiece = 64 * 1024;

}  // namespace

bool CsvReader::Fill() {
    if (at_ < end_) return true;
    if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(kReadPiece);
    const std::streamsize got = in_.rdbuf()->sgetn(buffer_.get(), kReadPiece);
    at_ = 0;
    end_ = got > 0 ? static_cast<std::size_t>(got) : 0;
    bytesRead_ += end_;
    return end_ > 0;
}

int CsvReader::Peek() {
    return Fill() ? static_cast<unsigned char>(buffer_[at_]) : -1;
}

int CsvReader::Get() {
    return Fill() ? static_cast<unsigned char>(buffer_[at_++]) : -1;
}

void CsvReader::SkipRestOfLine() {
    while (Fill()) {
        const char* from = buffer_.get() + at_;
        const std::size_t left = end_ - at_;
        const void* lf = std::memchr(from, '\n', left);
        const void* cr = std::memchr(from, '\r', left);
        if (lf == nullptr && cr == nullptr) {
            at_ = end_;
            continue;
        }
        const char* end = static_cast<const char*>(lf == nullptr   ? cr
                                                   : cr == nullptr ? lf
                                                                   : std::min(lf, cr));
        at_ = static_cast<std::size_t>(end - buffer_.get()) + 1;
        if (*end == '\r' && Peek() == '\n') ++at_;
        return;
    }
}

std::optional<CsvReader::Line> CsvReader::TakeLine() {
    if (!pending_.empty()) {
        Line line = std::move(pending_.front());
        pending_.pop_front();
        return line;
    }
    // An over-long line is passed only when the next one is wanted, so that
    // a caller who stops at it (a header) never waits for its end.
    if (skipping_) SkipRestOfLine();
    skipping_ = false;
    if (Peek() < 0) return std::nullopt;
    Line line;
    line.number = nextLine_++;
    for (int c = Get(); c >= 0; c = Get()) {
        if (c == '\n') {
            line.end = '\n';
            break;
        }
        if (c == '\r') {
            line.end = Peek() == '\n' ? (Get(), "\r\n") : "\r";
            break;
        }
        if (line.text.size() == kCsvRecordLimit) {
            line.tooLong = skipping_ = true;
            break;
        }
        line.text += static_cast<char>(c);
    }
    if (line.number == 1 && line.text.starts_with("\xEF\xBB\xBF")) line.text.erase(0, 3);
    return line;
}

std::optional<CsvRecord> CsvReader::Next() {
    while (std::optional<Line> line = TakeLine()) {
        if (line->text.empty() && !line->tooLong) continue;  // a blank line
        return Parse(*line);
    }
    return std::nullopt;
}

CsvRecord CsvReader::Parse(const Line& first) {
    CsvRecord record;
    record.line = first.number;
    const std::string limit = std::to_string(kCsvRecordLimit) + " bytes";
    if (first.tooLong) {
        record.error = "the line is longer than " + limit;
        return record;
    }
    record.fields.emplace_back();
    std::deque<Line> more;  // lines a quoted field went on to
    const Line* line = &first;
    std::size_t bytes = first.text.size();
    enum { kFieldStart, kPlain, kQuoted, kAfterQuote } state = kFieldStart;
    // The quote opened on the first line spoils only that one: the lines it
    // swallowed are read again as records of their own.
    const auto leftOpen = [&](const std::string& why) {
        record.error = why;
        pending_.insert(pending_.begin(), more.begin(), more.end());
        return record;
    };
    for (std::size_t pos = 0;;) {
        std::string& field = record.fields.back();
        if (field.size() > kCsvFieldLimit) {
            field.resize(kCsvFieldLimit);  // even a spoilt record stays within the bounds
            const std::string fieldLimit = std::to_string(kCsvFieldLimit) + " bytes";
            if (state == kQuoted) {
                return leftOpen("a quoted field opened on this line is not closed within " +
                                fieldLimit);
            }
            record.error = "a field is longer than " + fieldLimit;
            return record;
        }
        if (pos == line->text.size()) {
            if (state != kQuoted) return record;
            std::optional<Line> next = line->end.empty() ? std::nullopt : TakeLine();
            if (!next) return leftOpen("a quoted field opened on this line is not closed");
            field += line->end;
            bytes += line->end.size() + next->text.size();
            const bool runaway = next->tooLong || bytes > kCsvRecordLimit;
            more.push_back(std::move(*next));
            if (runaway) {
                return leftOpen("a quoted field opened on this line is not closed within " + limit);
            }
            line = &more.back();
            pos = 0;
            continue;
        }
        const char c = line->text[pos++];
        switch (state) {
            case kFieldStart:
            case kPlain:
                if (c == ',') {
                    record.fields.emplace_back();
                    state = kFieldStart;
                } else if (c == '"' && state == kFieldStart) {
                    state = kQuoted;
                } else if (c == '"') {
                    record.error = "a quote inside a field that does not start with one";
                    return record;
                } else {
                    field += c;
                    state = kPlain;
                }
                break;
            case kQuoted:
                if (c != '"') {
                    field += c;
                } else if (pos < line->text.size() && line->text[pos] == '"') {
                    field += '"';
                    ++pos;
                } else {
                    state = kAfterQuote;
                }
                break;
            case kAfterQuote:
                if (c != ',') {
                    record.error = "text follows a closing quote";
                    return record;
                }
                record.fields.emplace_back();
                state = kFieldStart;
                break;
        }
    }
}

std::vector<CsvRecord> ParseCsv(std::string_view text) {
    std::istringstream in{std::string(text)};
    CsvReader reader(in);
    std::vector<CsvRecord> records;
    while (std::optional<CsvRecord> record = reader.Next()) records.push_back(std::move(*record));
    return records;
}

std::string CsvField(std::string_view text) {
    const std::string value = io::CleanText(text, true).text;
    if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
    std::string quoted = "\"";
    for (const char c : value) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string CsvTextField(std::string_view value) {
    if (!value.empty() && std::string_view("=+-@").find(value.front()) != std::string_view::npos) {
        std::string guarded = "'";
        guarded.append(value);
        return CsvField(guarded);
    }
    return CsvField(value);
}

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        line += fields[i];
    }
    line += '\n';
    return line;
}

}  // namespace sundial

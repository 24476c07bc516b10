#include "core/batch/csv.h"

#include "core/io/clean_text.h"

namespace sundial {

namespace {

class CsvReader {
  public:
    explicit CsvReader(std::string_view text) : text_(text) {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") text_.remove_prefix(3);
    }

    std::vector<CsvRecord> Records() {
        std::vector<CsvRecord> records;
        while (pos_ < text_.size()) {
            CsvRecord record = Next();
            const bool blank =
                record.error.empty() && record.fields.size() == 1 && record.fields.front().empty();
            if (!blank) records.push_back(std::move(record));
        }
        return records;
    }

  private:
    bool AtLineEnd() const { return pos_ < text_.size() && (Peek() == '\n' || Peek() == '\r'); }
    char Peek() const { return text_[pos_]; }

    // Consumes one line break (LF, CR LF or a lone CR) if there is one.
    void SkipLineEnd() {
        if (pos_ < text_.size() && Peek() == '\r') ++pos_;
        if (pos_ < text_.size() && Peek() == '\n') ++pos_;
        ++line_;
    }

    void SkipRestOfLine() {
        while (pos_ < text_.size() && !AtLineEnd()) ++pos_;
        SkipLineEnd();
    }

    CsvRecord Next() {
        CsvRecord record;
        record.line = line_;
        record.fields.emplace_back();
        while (true) {
            std::string& field = record.fields.back();
            if (pos_ < text_.size() && Peek() == '"') {
                if (!ReadQuoted(field)) {
                    record.error = "a quoted field is not closed";
                    return record;
                }
                if (pos_ < text_.size() && Peek() != ',' && !AtLineEnd()) {
                    record.error = "text follows a closing quote";
                    SkipRestOfLine();
                    return record;
                }
            } else {
                while (pos_ < text_.size() && Peek() != ',' && !AtLineEnd()) {
                    if (Peek() == '"') {
                        record.error = "a quote inside a field that does not start with one";
                        SkipRestOfLine();
                        return record;
                    }
                    field += text_[pos_++];
                }
            }
            if (pos_ < text_.size() && Peek() == ',') {
                ++pos_;
                record.fields.emplace_back();
                continue;
            }
            SkipLineEnd();
            return record;
        }
    }

    // From an opening quote to its closing one; doubled quotes are one quote,
    // line breaks are kept. False when the text ends first.
    bool ReadQuoted(std::string& field) {
        ++pos_;
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '"') {
                if (pos_ < text_.size() && Peek() == '"') {
                    field += '"';
                    ++pos_;
                    continue;
                }
                return true;
            }
            if (c == '\n' || (c == '\r' && (pos_ >= text_.size() || Peek() != '\n'))) ++line_;
            field += c;
        }
        return false;
    }

    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace

std::vector<CsvRecord> ParseCsv(std::string_view text) {
    return CsvReader(text).Records();
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

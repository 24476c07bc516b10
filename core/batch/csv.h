// Comma-separated values as spreadsheets write them: a comma between fields,
// a record a line (LF or CR LF), and double quotes around a field that holds a
// comma, a quote (doubled) or a line break. Text is kept as bytes.
#pragma once

#include <cstddef>
#include <deque>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sundial {

struct CsvRecord {
    int line = 0;  // 1-based line of the file the record starts on
    std::vector<std::string> fields;
    // Why the record cannot be read (a stray or unclosed quote); its fields
    // are then incomplete.
    std::string error;
};

// What one record may hold, so that memory stays small whatever the text: a
// record's bytes (its quoted line breaks included) and one field's.
inline constexpr std::size_t kCsvRecordLimit = 4096;
inline constexpr std::size_t kCsvFieldLimit = 1024;

// The records of a text read as a stream, one at a time, blank lines left
// out. A UTF-8 byte order mark at the start is dropped. Never fails as a
// whole: a malformed record carries its error and the reading goes on after
// it. A quote left open (up to the end, or past kCsvRecordLimit) spoils only
// the record it opened, reported at its line: the lines after that one are
// read afresh.
class CsvReader {
  public:
    explicit CsvReader(std::istream& in) : in_(in) {}

    // The next record; nothing at the end of the text.
    std::optional<CsvRecord> Next();
    // The text's bytes taken from the stream so far.
    std::size_t BytesRead() const { return bytesRead_; }

  private:
    struct Line {
        int number = 0;
        std::string text;      // at most kCsvRecordLimit bytes
        std::string end;       // "\n", "\r\n", "\r", or "" at the end of the text
        bool tooLong = false;  // the line went on past kCsvRecordLimit
    };
    std::optional<Line> TakeLine();
    CsvRecord Parse(const Line& first);
    // The next byte, or -1 at the end of the text; Peek leaves it unread.
    int Get();
    int Peek();
    bool Fill();
    void SkipRestOfLine();

    std::istream& in_;
    std::unique_ptr<char[]> buffer_;  // read from in_ in large pieces
    std::size_t at_ = 0, end_ = 0;
    std::deque<Line> pending_;  // lines to read afresh after a quote left open
    bool skipping_ = false;     // the rest of an over-long line is still to be passed
    int nextLine_ = 1;
    std::size_t bytesRead_ = 0;
};

// Every record of `text` (see CsvReader).
std::vector<CsvRecord> ParseCsv(std::string_view text);

// One field, quoted when it must be, as well-formed UTF-8 without control
// characters but line breaks.
std::string CsvField(std::string_view value);

// A text field for a file a spreadsheet will open: as CsvField, with a
// leading apostrophe where the text would otherwise be read as a formula
// ("=", "+", "-", "@").
std::string CsvTextField(std::string_view value);

// Fields already made by CsvField or CsvTextField, joined with commas and
// ended by "\n".
std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace sundial

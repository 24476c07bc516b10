// Comma-separated values as spreadsheets write them: a comma between fields,
// a record a line (LF or CR LF), and double quotes around a field that holds a
// comma, a quote (doubled) or a line break. Text is kept as bytes.
#pragma once

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

// Every record of `text`, blank lines left out. A UTF-8 byte order mark at the
// start is dropped. Never fails as a whole: a malformed record carries its
// error and the next line starts a fresh one.
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

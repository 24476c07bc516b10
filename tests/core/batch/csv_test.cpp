#include "core/batch/csv.h"

#include <gtest/gtest.h>

#include <ostream>

namespace sundial {
namespace {

using Fields = std::vector<std::string>;

struct ParseRow {
    const char* name;
    std::string text;
    // Expected records: start line, fields, and an error fragment ("" none).
    struct Record {
        int line;
        Fields fields;
        const char* error = "";
    };
    std::vector<Record> records;
};

// Test lists name the row, not its bytes.
void PrintTo(const ParseRow& row, std::ostream* os) {
    *os << row.name;
}

class CsvParse : public testing::TestWithParam<ParseRow> {};

TEST_P(CsvParse, GivesTheRecordsWithTheirLines) {
    const std::vector<CsvRecord> got = ParseCsv(GetParam().text);
    const auto& want = GetParam().records;
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE("record " + std::to_string(i));
        EXPECT_EQ(got[i].line, want[i].line);
        if (*want[i].error == '\0') {
            EXPECT_EQ(got[i].fields, want[i].fields);
            EXPECT_EQ(got[i].error, "");
        } else {
            EXPECT_NE(got[i].error.find(want[i].error), std::string::npos) << got[i].error;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CsvParse,
    testing::Values(
        ParseRow{"plain_lf", "a,b\n1,2\n", {{1, {"a", "b"}}, {2, {"1", "2"}}}},
        ParseRow{"crlf_and_no_final_break", "a,b\r\n1,2", {{1, {"a", "b"}}, {2, {"1", "2"}}}},
        ParseRow{"lone_cr", "a\r1\r", {{1, {"a"}}, {2, {"1"}}}},
        ParseRow{"byte_order_mark", "\xEF\xBB\xBFname\n", {{1, {"name"}}}},
        ParseRow{"blank_lines_left_out", "a\n\n\r\nb\n", {{1, {"a"}}, {4, {"b"}}}},
        ParseRow{"empty_fields_kept", ",x,\n", {{1, {"", "x", ""}}}},
        ParseRow{"quoted_comma_and_quote",
                 "\"London, Britain\",\"say \"\"hi\"\"\"\n",
                 {{1, {"London, Britain", "say \"hi\""}}}},
        ParseRow{"quoted_line_break_counts_lines",
                 "\"two\nlines\",1\r\nnext,2\n",
                 {{1, {"two\nlines", "1"}}, {3, {"next", "2"}}}},
        ParseRow{"unclosed_quote_spoils_only_its_line",
                 "ok\n\"open,1\nmore\n",
                 {{1, {"ok"}}, {2, {}, "opened on this line is not closed"}, {3, {"more"}}}},
        // Bounds: an over-long line, field or quoted record is one bad record,
        // and the reading goes on with the next line.
        ParseRow{"runaway_quote_reported_where_it_opened",
                 "\"open\n" + std::string(600, 'y') + "\n" + std::string(600, 'y') + "\nend\n",
                 {{1, {}, "opened on this line is not closed within"},
                  {2, {std::string(600, 'y')}},
                  {3, {std::string(600, 'y')}},
                  {4, {"end"}}}},
        ParseRow{"long_line",
                 std::string(5000, ',') + "\r\nnext\n",
                 {{1, {}, "line is longer than 4096 bytes"}, {2, {"next"}}}},
        ParseRow{"long_field",
                 "1," + std::string(1025, 'x') + ",2\nnext\n",
                 {{1, {}, "field is longer than 1024 bytes"}, {2, {"next"}}}},
        ParseRow{"longest_field", std::string(1024, 'x') + "\n", {{1, {std::string(1024, 'x')}}}},
        ParseRow{"text_after_closing_quote",
                 "\"a\"b,1\nnext\n",
                 {{1, {}, "follows a closing quote"}, {2, {"next"}}}},
        ParseRow{"quote_inside_plain_field",
                 "ab\"c,1\nnext\n",
                 {{1, {}, "quote inside"}, {2, {"next"}}}},
        ParseRow{"nothing", "", {}}),
    [](const testing::TestParamInfo<ParseRow>& info) { return std::string(info.param.name); });

// Whatever a field holds, writing it and reading it back gives it unchanged.
TEST(CsvField, RoundTripsThroughTheReader) {
    const Fields values = {
        "plain", "London, Britain", "a \"quoted\" word", "two\nlines", "cr\r\nlf", "", "Zürich",
        "'"};
    const std::vector<CsvRecord> back = ParseCsv(CsvLine([&] {
        Fields fields;
        for (const std::string& v : values) fields.push_back(CsvField(v));
        return fields;
    }()));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].fields, values);
}

TEST(CsvTextField, KeepsSpreadsheetsFromReadingAFormula) {
    struct Row {
        const char* name;
        const char* value;
        const char* field;
    } rows[] = {
        {"formula", "=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"plus", "+1", "'+1"},
        {"minus", "-1", "'-1"},
        {"at", "@SUM", "'@SUM"},
        {"ordinary", "Exeter", "Exeter"},
        {"inner_equals", "a=b", "a=b"},
    };
    for (const Row& row : rows) EXPECT_EQ(CsvTextField(row.value), row.field) << row.name;
}

}  // namespace
}  // namespace sundial

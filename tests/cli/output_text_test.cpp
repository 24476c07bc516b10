// Numbers and JSON as sundial-cli writes them: the same bytes in every locale,
// laid out as the program's JSON always has been.
#include "cli/output_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>

#include "tests/support/row_name.h"

namespace sundial {
namespace {

using sundial::testing::PrintTo;
using sundial::testing::RowName;

struct JsonRow {
    const char* name;
    nlohmann::json json;
    const char* text;
};

class JsonTextTest : public ::testing::TestWithParam<JsonRow> {};

TEST_P(JsonTextTest, WritesTheDocumentsLayout) {
    EXPECT_EQ(JsonText(GetParam().json), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, JsonTextTest,
    ::testing::Values(
        JsonRow{"keys sorted, four spaces",
                {{"b", 1}, {"a", {{"d", nullptr}, {"c", true}}}},
                "{\n    \"a\": {\n        \"c\": true,\n        \"d\": null\n    },\n    \"b\": "
                "1\n}\n"},
        JsonRow{"hour keys sort as text",
                {{"7", 1}, {"10", 2}, {"18", 3}},
                "{\n    \"10\": 2,\n    \"18\": 3,\n    \"7\": 1\n}\n"},
        JsonRow{"empty list and object keep their lines",
                {{"notes", nlohmann::json::array()}, {"x", nlohmann::json::object()}},
                "{\n    \"notes\": [\n    ],\n    \"x\": {\n    }\n}\n"},
        JsonRow{"nested lists",
                {{"p", {{1, 2}}}},
                "{\n    \"p\": [\n        [\n            1,\n            2\n        ]\n    ]\n}\n"},
        JsonRow{"whole double as integer",
                {{"w", 600.0}, {"z", -0.0}},
                "{\n    \"w\": 600,\n    \"z\": 0\n}\n"},
        JsonRow{"fewest digits",
                {{"a", 51.402393}, {"b", 72.71}},
                "{\n    \"a\": 51.402393,\n    \"b\": 72.71\n}\n"},
        JsonRow{"small numbers",
                {{"a", 0.0001}, {"b", 0.000012}},
                "{\n    \"a\": 0.0001,\n    \"b\": 1.2e-05\n}\n"},
        JsonRow{"not finite",
                {{"a", std::numeric_limits<double>::infinity()}},
                "{\n    \"a\": null\n}\n"},
        JsonRow{"escapes",
                {{"s", "a\"b\\c\nd/\xC3\xA9"}},
                "{\n    \"s\": \"a\\\"b\\\\c\\nd/\xC3\xA9\"\n}\n"},
        JsonRow{"bytes that are not UTF-8",
                {{"s", "Caf\xE9"}},
                "{\n    \"s\": \"Caf\xEF\xBF\xBD\"\n}\n"}),
    RowName());

TEST(FixedText, GivesTheDecimalsAskedForInAnyLocale) {
    const struct {
        const char* name;
        double value;
        int decimals;
        const char* text;
    } rows[] = {
        {"two places", 154.5649, 2, "154.56"},
        {"rounds up", 2.5, 0, "2"},  // to even, as the C library rounds
        {"pads", 12.5, 4, "12.5000"},
        {"negative", -72.675, 2, "-72.67"},  // the double lies below the half
        {"large", 1e20, 1, "100000000000000000000.0"},
    };
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const bool german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    for (const auto& row : rows) {
        EXPECT_EQ(FixedText(row.value, row.decimals), row.text) << row.name << german;
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
}  // namespace sundial

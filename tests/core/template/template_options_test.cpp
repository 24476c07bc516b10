// The template's options read from what a command line holds: what each one
// sets, what is assumed when it is missing, and which message wins when more
// than one thing is wrong.
#include "core/template/template_options.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <regex>
#include <set>

namespace sundial::tmpl {
namespace {

using Given = std::map<std::string, std::string, std::less<>>;

OptionLookup LookupIn(const Given& given) {
    return [&given](std::string_view name) -> std::optional<std::string> {
        const auto found = given.find(name);
        if (found == given.end()) return std::nullopt;
        return found->second;
    };
}

// Plain C numbers; anything else is refused, naming the option as a command
// line would.
std::optional<double> PlainNumber(const std::string& text, std::string_view option,
                                  std::string& message) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0') {
        message = "--" + std::string(option) + ": \"" + text + "\" is not a number.";
        return std::nullopt;
    }
    return value;
}

TemplateOptionsRead Read(const Given& given) {
    return ReadTemplateOptions(LookupIn(given), PlainNumber, "2026-12-08");
}

const Given kPlate = {{"width", "600"}, {"height", "450"}};

Given With(Given given, const Given& more) {
    for (const auto& [name, text] : more) given[name] = text;
    return given;
}

struct GoodCase {
    const char* name;
    Given given;
    std::function<void(const TemplateOptions&)> check;
};

void PrintTo(const GoodCase& c, std::ostream* os) {
    *os << c.name;
}

class GoodOptions : public ::testing::TestWithParam<GoodCase> {};

TEST_P(GoodOptions, SetWhatTheySay) {
    const TemplateOptionsRead read = Read(GetParam().given);
    ASSERT_TRUE(read.options) << read.message;
    EXPECT_EQ(read.message, "");
    GetParam().check(*read.options);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GoodOptions,
    ::testing::Values(
        GoodCase{"JustThePlate", kPlate,
                 [](const TemplateOptions& o) {
                     EXPECT_EQ(o.plan.widthMm, 600);
                     EXPECT_EQ(o.plan.heightMm, 450);
                     EXPECT_FALSE(o.plan.root);  // the plan's own default
                     EXPECT_EQ(o.plan.numerals, plan::NumeralStyle::Roman);
                     EXPECT_FALSE(o.plan.halfHours || o.plan.quarterHours || o.plan.dateLines ||
                                  o.plan.monthLines || o.plan.noonCurve);
                     EXPECT_EQ(o.plan.nodusMm, 0);
                     EXPECT_EQ(o.plan.styleMm, 0);
                     EXPECT_EQ(o.plan.madeOn, "2026-12-08");
                     EXPECT_EQ(o.page.paper, Paper::A4);
                     EXPECT_FALSE(o.page.landscape);
                 }},
        GoodCase{"EverySwitch",
                 With(kPlate, {{"half", ""},
                               {"quarter", ""},
                               {"date-lines", ""},
                               {"months", ""},
                               {"noon-curve", ""},
                               {"nodus", "150"},
                               {"style", "180"},
                               {"made", "Easter 2027"},
                               {"landscape", ""}}),
                 [](const TemplateOptions& o) {
                     EXPECT_TRUE(o.plan.halfHours && o.plan.quarterHours && o.plan.dateLines &&
                                 o.plan.monthLines && o.plan.noonCurve);
                     EXPECT_EQ(o.plan.nodusMm, 150);
                     EXPECT_EQ(o.plan.styleMm, 180);
                     EXPECT_EQ(o.plan.madeOn, "Easter 2027");
                     EXPECT_TRUE(o.page.landscape);
                 }},
        // Only one coordinate given: the other keeps its default.
        GoodCase{"RootYAloneStaysInTheMiddle", With(kPlate, {{"root-y", "40"}}),
                 [](const TemplateOptions& o) {
                     ASSERT_TRUE(o.plan.root);
                     EXPECT_EQ(o.plan.root->x, 300);
                     EXPECT_EQ(o.plan.root->y, 40);
                 }},
        GoodCase{"RootXAloneStaysAtTheTop", With(kPlate, {{"root-x", "120"}}),
                 [](const TemplateOptions& o) {
                     ASSERT_TRUE(o.plan.root);
                     EXPECT_EQ(o.plan.root->x, 120);
                     EXPECT_EQ(o.plan.root->y, 0);
                 }},
        GoodCase{"WordsInAnyCase", With(kPlate, {{"numerals", "ARABIC"}, {"paper", "Letter"}}),
                 [](const TemplateOptions& o) {
                     EXPECT_EQ(o.plan.numerals, plan::NumeralStyle::Arabic);
                     EXPECT_EQ(o.page.paper, Paper::Letter);
                 }},
        GoodCase{"NoNumeralsOnA3", With(kPlate, {{"numerals", "none"}, {"paper", "a3"}}),
                 [](const TemplateOptions& o) {
                     EXPECT_EQ(o.plan.numerals, plan::NumeralStyle::None);
                     EXPECT_EQ(o.page.paper, Paper::A3);
                 }}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadCase {
    const char* name;
    Given given;
    const char* message;  // the whole message
};

void PrintTo(const BadCase& c, std::ostream* os) {
    *os << c.name;
}

class BadOptions : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadOptions, AreRefusedWithTheFirstThingWrong) {
    const TemplateOptionsRead read = Read(GetParam().given);
    EXPECT_FALSE(read.options);
    EXPECT_EQ(read.message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BadOptions,
    ::testing::Values(
        BadCase{"NoSize", {}, "Give the plate's size: --width MM --height MM."},
        // A missing size is named before any bad number.
        BadCase{"NoHeightAndABadNodus",
                {{"width", "600"}, {"nodus", "far"}},
                "Give the plate's size: --width MM --height MM."},
        BadCase{"WidthAWord",
                {{"width", "wide"}, {"height", "wider"}},
                "--width: \"wide\" is not a number."},
        BadCase{"RootXAWord", With(kPlate, {{"root-x", "left"}}),
                "--root-x: \"left\" is not a number."},
        BadCase{"TooNarrow", With(kPlate, {{"width", "49"}}),
                "The plate's width must be from 50 to 5000 mm."},
        BadCase{"NumeralsUnknownAreQuotedAsCompared", With(kPlate, {{"numerals", "Greek"}}),
                "--numerals: \"greek\" is not roman, arabic or none."},
        BadCase{"DateLinesWithoutNodus", With(kPlate, {{"date-lines", ""}}),
                "--date-lines and --noon-curve need the nodus: --nodus MM along the style from the "
                "root, or --foot-x, --foot-y and --nodus-height."},
        BadCase{"NoonCurveWithoutNodus", With(kPlate, {{"noon-curve", ""}}),
                "--date-lines and --noon-curve need the nodus: --nodus MM along the style from the "
                "root, or --foot-x, --foot-y and --nodus-height."},
        BadCase{"RootAndFoot",
                With(kPlate,
                     {{"root-x", "10"}, {"foot-x", "1"}, {"foot-y", "1"}, {"nodus-height", "9"}}),
                "Place the gnomon either by its root (--root-x, --root-y, --nodus) or by the "
                "nodus's foot (--foot-x, --foot-y, --nodus-height), not both."},
        BadCase{"FootWithoutHeight", With(kPlate, {{"foot-x", "1"}, {"foot-y", "1"}}),
                "--foot-x, --foot-y and --nodus-height go together."},
        BadCase{
            "DialUnknown", With(kPlate, {{"dial", "Sloping"}}),
            "--dial: \"sloping\" is not vertical, horizontal, polar, equatorial or analemmatic."},
        BadCase{"ReclinePolar", With(kPlate, {{"dial", "polar"}, {"recline", "10"}}),
                "--recline goes with --dial vertical."},
        BadCase{"ReclineBeyondUp", With(kPlate, {{"recline", "90.5"}}),
                "--recline: the recline must be from -90 to 90 degrees."},
        BadCase{"StyleAWord", With(kPlate, {{"style", "long"}}),
                "--style: \"long\" is not a number."},
        BadCase{"PaperUnknown", With(kPlate, {{"paper", "A5"}}),
                "--paper: \"a5\" is not a4, letter or a3."},
        // The plan's options are read before the paper's.
        BadCase{"BadNumeralsAndBadPaper", With(kPlate, {{"numerals", "x"}, {"paper", "y"}}),
                "--numerals: \"x\" is not roman, arabic or none."}),
    [](const auto& info) { return std::string(info.param.name); });

// Every option the reader looks at is in the table a command adds to its
// help, and a switch has no value to show.
TEST(TemplateOptionTable, ListEveryOptionTheReaderTakes) {
    std::set<std::string> asked;
    const OptionLookup recording = [&asked](std::string_view name) -> std::optional<std::string> {
        asked.insert(std::string(name));
        if (name == "width" || name == "height") return "600";
        return std::nullopt;
    };
    ASSERT_TRUE(ReadTemplateOptions(recording, PlainNumber, "today").options);
    std::set<std::string> listed;
    for (const TemplateOptionEntry& entry : TemplateOptionTable()) {
        listed.insert(entry.name);
        if (entry.valueName == nullptr) {
            EXPECT_EQ(entry.defaultValue, nullptr) << entry.name;
        }
    }
    for (const std::string& name : asked) EXPECT_TRUE(listed.count(name)) << name;
    EXPECT_EQ(listed.size(), TemplateOptionTable().size()) << "a name listed twice";
}

TEST(TemplateOptions, TodayIsAnIsoDate) {
    EXPECT_TRUE(std::regex_match(TodayText(), std::regex(R"(\d{4}-\d{2}-\d{2})"))) << TodayText();
}

}  // namespace
}  // namespace sundial::tmpl

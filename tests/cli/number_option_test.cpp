// Numbers typed on the command line: the C form whatever the user's locale,
// so that a script means the same in every language.
#include "cli/number_option.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <locale>
#include <optional>
#include <string>

#include "cli/cli_app.h"
#include "cli/cli_command.h"
#include "tests/cli/cli_test_support.h"
#include "tests/support/row_name.h"

namespace sundial {
namespace {

using sundial::testing::PrintTo;
using sundial::testing::RowName;

struct NumberRow {
    const char* name;
    const char* text;
    std::optional<double> value;  // nothing: not a number
};

class ReadNumberTest : public ::testing::TestWithParam<NumberRow> {};

TEST_P(ReadNumberTest, ReadsTheCFormOnly) {
    const NumberRow& row = GetParam();
    const std::optional<double> value = ReadNumber(row.text);
    ASSERT_EQ(value.has_value(), row.value.has_value()) << (value ? *value : 0);
    if (row.value) {
        EXPECT_EQ(*value, *row.value);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ReadNumberTest,
                         ::testing::Values(NumberRow{"point", "51.5", 51.5},
                                           NumberRow{"decimal comma", "51,5", std::nullopt},
                                           NumberRow{"negative", "-0.5", -0.5},
                                           NumberRow{"grouped thousands", "1.000,5", std::nullopt},
                                           NumberRow{"english thousands", "1,000.5", std::nullopt},
                                           NumberRow{"spaces around", " 7 ", 7.0},
                                           NumberRow{"plus sign", "+3", 3.0},
                                           NumberRow{"plus then minus", "+-3", std::nullopt},
                                           NumberRow{"exponent", "1e3", 1000.0},
                                           NumberRow{"trailing word", "12abc", std::nullopt},
                                           NumberRow{"empty", "", std::nullopt},
                                           NumberRow{"beyond a double", "1e400", std::nullopt},
                                           NumberRow{"hexadecimal", "0x10", std::nullopt}),
                         RowName());

// The message names the option and the text, and a number no single holds
// is refused as the dialogs refuse it.
TEST(ParseNumberOption, RefusesWhatIsNoUsableNumber) {
    const struct {
        const char* name;
        const char* text;
        const char* message;
    } rows[] = {
        {"word", "south", "--bearing: \"south\" is not a number."},
        {"not a number", "nan", "--bearing: \"nan\" is not a number."},
        {"infinite", "inf", "--bearing: \"inf\" is not a number."},
        {"beyond a single", "1e39", "--bearing: \"1e39\" is too large."},
    };
    for (const auto& row : rows) {
        try {
            ParseNumberOption(row.text, "bearing");
            ADD_FAILURE() << row.name << ": accepted";
        } catch (const BadInput& bad) {
            EXPECT_EQ(bad.message, row.message) << row.name;
        }
    }
    EXPECT_EQ(ParseNumberOption("185.2", "bearing"), 185.2);
}

// Sets the process's locales, C and C++, as a host program might, and puts
// them back when a test is done with them.
class ScopedLocale {
  public:
    explicit ScopedLocale(const char* name)
        : savedC_(std::setlocale(LC_ALL, nullptr)), savedCpp_(std::locale()) {
        try {
            std::locale::global(std::locale(name));
            set_ = true;
        } catch (const std::exception&) {
        }
    }
    ~ScopedLocale() {
        std::locale::global(savedCpp_);
        std::setlocale(LC_ALL, savedC_.c_str());
    }
    bool set() const { return set_; }

  private:
    std::string savedC_;
    std::locale savedCpp_;
    bool set_ = false;
};

// A decimal comma is refused, and a point read, with the German locale in
// force: the same command line means the same thing everywhere.
TEST(NumberOption, TheLocaleChangesNothing) {
    ScopedLocale german("de_DE.UTF-8");
    if (!german.set()) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    using sundial::testing::RunCommand;
    const auto comma = RunCommand({"report", "--lat", "51,5", "--lon", "0,12", "--west"});
    EXPECT_EQ(comma.status, kCliBadInput);
    EXPECT_EQ(comma.err, "--lat: \"51,5\" is not a number.\n");
    const auto point = RunCommand({"report", "--lat", "51.5", "--lon", "0.12", "--west"});
    EXPECT_EQ(point.status, kCliOk) << point.err;
    EXPECT_EQ(RunCommand({"report", "--utc", "0,5"}).status, kCliBadInput);
}

}  // namespace
}  // namespace sundial

// Numbers typed on the command line: the C form everywhere, and the user's
// locale's form as the dialogs read it, without a toolkit's help.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>
#include <optional>
#include <string>

#include "cli/cli_command.h"
#include "cli/site_options.h"
#include "tests/support/row_name.h"

namespace sundial {
namespace {

using sundial::testing::PrintTo;
using sundial::testing::RowName;

constexpr LocaleDigits kC{};
constexpr LocaleDigits kGerman{',', '.'};
constexpr LocaleDigits kEnglish{'.', ','};

struct NumberRow {
    const char* name;
    const char* text;
    LocaleDigits locale;
    std::optional<double> value;  // nothing: not a number
};

class ReadNumberTest : public ::testing::TestWithParam<NumberRow> {};

TEST_P(ReadNumberTest, ReadsTheCFormThenTheLocales) {
    const NumberRow& row = GetParam();
    const std::optional<double> value = ReadNumber(row.text, row.locale);
    ASSERT_EQ(value.has_value(), row.value.has_value()) << (value ? *value : 0);
    if (row.value) {
        EXPECT_EQ(*value, *row.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadNumberTest,
    ::testing::Values(NumberRow{"c point", "51.5", kC, 51.5},
                      NumberRow{"c point in german", "51.5", kGerman, 51.5},
                      NumberRow{"comma in c", "51,5", kC, std::nullopt},
                      NumberRow{"comma in german", "51,5", kGerman, 51.5},
                      NumberRow{"negative comma", "-0,5", kGerman, -0.5},
                      NumberRow{"comma with exponent", "5,15e1", kGerman, 51.5},
                      NumberRow{"german thousands", "1.000,5", kGerman, 1000.5},
                      NumberRow{"thousands alone read as c first", "1.000", kGerman, 1.0},
                      NumberRow{"english thousands", "1,000.5", kEnglish, 1000.5},
                      NumberRow{"short group", "1.00,5", kGerman, std::nullopt},
                      NumberRow{"group after the decimal", "1,000.5", kGerman, std::nullopt},
                      NumberRow{"two decimal commas", "1,2,3", kGerman, std::nullopt},
                      NumberRow{"english comma as decimal", "51,5", kEnglish, std::nullopt},
                      NumberRow{"spaces around", " 7 ", kC, 7.0},
                      NumberRow{"plus sign", "+3", kC, 3.0},
                      NumberRow{"plus then minus", "+-3", kC, std::nullopt},
                      NumberRow{"exponent", "1e3", kC, 1000.0},
                      NumberRow{"trailing word", "12abc", kC, std::nullopt},
                      NumberRow{"empty", "", kGerman, std::nullopt},
                      NumberRow{"beyond a double", "1e400", kC, std::nullopt},
                      NumberRow{"hexadecimal", "0x10", kC, std::nullopt}),
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

// Restores LC_ALL when a test is done with it.
class ScopedLcAll {
  public:
    explicit ScopedLcAll(const char* value) {
        if (const char* old = getenv("LC_ALL")) saved_ = old;
        setenv("LC_ALL", value, 1);
    }
    ~ScopedLcAll() {
        if (saved_) {
            setenv("LC_ALL", saved_->c_str(), 1);
        } else {
            unsetenv("LC_ALL");
        }
    }

  private:
    std::optional<std::string> saved_;
};

TEST(UserLocaleDigits, FollowsTheEnvironment) {
    {
        ScopedLcAll c("C");
        EXPECT_EQ(UserLocaleDigits().decimalPoint, '.');
        EXPECT_EQ(UserLocaleDigits().groupSeparator, '\0');
    }
    {
        // A locale the system lacks is the C form, not a failure.
        ScopedLcAll missing("xx_YY.UTF-8");
        EXPECT_EQ(UserLocaleDigits().decimalPoint, '.');
    }
    ScopedLcAll german("de_DE.UTF-8");
    try {
        (void)std::locale("");
    } catch (const std::exception&) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    EXPECT_EQ(UserLocaleDigits().decimalPoint, ',');
    EXPECT_EQ(ParseNumberOption("51,5", "lat"), 51.5);
}

}  // namespace
}  // namespace sundial

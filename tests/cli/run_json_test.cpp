#include "cli/run_json.h"

#include <gtest/gtest.h>

#include <clocale>
#include <ostream>
#include <string>

#include "core/dial/geometry.h"
#include "core/places/places.h"

namespace sundial {
namespace {

SiteState London() {
    SiteState site;
    ApplyPlace(site, *FindPlaces("London").front());
    site.WallBearing = "185.2";
    site.UtcOffset = 0;
    DeriveDeclination(site);
    return site;
}

// Restores the process's numeric locale when a row is done.
class NumericLocale {
  public:
    NumericLocale() : saved_(std::setlocale(LC_NUMERIC, nullptr)) {}
    ~NumericLocale() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
    bool Set(const char* name) { return std::setlocale(LC_NUMERIC, name) != nullptr; }

  private:
    std::string saved_;
};

struct LocaleRow {
    const char* name;
    const char* locale;
};

// Test lists name the row, not its bytes.
void PrintTo(const LocaleRow& row, std::ostream* os) {
    *os << row.name;
}

class RunJsonLocale : public ::testing::TestWithParam<LocaleRow> {};

// A desktop session sets the user's locale for the C library;
// the numbers in the JSON must not notice.
TEST_P(RunJsonLocale, NumbersDoNotDependOnTheProcessLocale) {
    const SiteState site = London();
    const DialGeometry dial = ComputeDial(site);
    const std::string reference = RunJson(site, dial);

    NumericLocale locale;
    if (!locale.Set(GetParam().locale)) GTEST_SKIP() << GetParam().locale << " is not installed";
    const std::string json = RunJson(site, dial);
    EXPECT_EQ(json, reference);
    // The shortest text of the single, digits after the point included.
    EXPECT_EQ(nlohmann::json::parse(json)["gnomonAngle"].get<double>(), 38.312675);
}

INSTANTIATE_TEST_SUITE_P(Locales, RunJsonLocale,
                         ::testing::Values(LocaleRow{"c", "C"}, LocaleRow{"german", "de_DE.UTF-8"}),
                         [](const ::testing::TestParamInfo<LocaleRow>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace sundial

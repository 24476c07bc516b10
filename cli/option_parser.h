// The command line's options: each declared once, with its help text, the
// options it excludes or needs and the range of its number, and read by the
// CLI11 parser, which checks all of those as it reads. Values are kept as the
// text given; numbers are read from it in the C form by the commands.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace sundial {

struct CliOption {
    // One name, or several ("h", "help"): a one-letter name takes one dash.
    CliOption(std::string name, std::string description, std::string valueName = {},
              std::string defaultValue = {});
    CliOption(std::vector<std::string> names, std::string description);

    std::vector<std::string> names;
    std::string description;
    std::string valueName;  // empty: a switch that takes no value
    std::string defaultValue;
};

// One entry of a help text: `names` in a column `width` wide, `description`
// wrapped beside it so that no line passes 79 characters.
std::string HelpRow(const std::string& names, std::size_t width, const std::string& description);

class OptionParser {
  public:
    OptionParser();
    ~OptionParser();
    OptionParser(OptionParser&&) noexcept;
    OptionParser& operator=(OptionParser&&) noexcept;

    void SetDescription(std::string description) { description_ = std::move(description); }
    // An option named "help" is the help switch: given, it ends the reading
    // before any other check.
    void AddOption(CliOption option);
    void AddOptions(std::initializer_list<CliOption> options);

    // How options go together, declared after the options they name; a
    // reading that breaks them fails with the parser's message ("--place
    // excludes --lat", "--lat requires --lon", "--out is required"), and the
    // help text says so beside the option.
    void Excludes(std::string_view name, std::initializer_list<std::string_view> others);
    void Needs(std::string_view name, std::initializer_list<std::string_view> others);
    void Required(std::string_view name);
    // The option's value is a number in the C form from `min` to `max`
    // inclusive ("--utc: 13 is not within -12 to 12."); the help text gives
    // the range after the description.
    void Range(std::string_view name, double min, double max);

    // `arguments[0]` is the program's name. False when an option is unknown,
    // misses its value or breaks a declaration; ErrorText() then says why.
    bool Parse(const std::vector<std::string>& arguments);
    std::string ErrorText() const { return error_; }

    bool IsSet(std::string_view name) const;
    // The last value given, or the option's default.
    std::string Value(std::string_view name) const;
    std::vector<std::string> Values(std::string_view name) const;
    // The options given, by their last (long) name, in order; an option given twice
    // is listed twice.
    const std::vector<std::string>& OptionNames() const { return given_; }
    const std::vector<std::string>& PositionalArguments() const { return positional_; }

    // "Usage: PROGRAM [options]", the description, then the options, each
    // description wrapped beside the option's names within 79 columns.
    std::string HelpText(std::string_view program) const;

  private:
    struct Declared {
        CliOption option;
        CLI::Option* parsed = nullptr;  // owned by app_; null for the help switch
        std::string notes;              // the declarations, for the help text
    };
    const Declared* Find(std::string_view name) const;
    Declared& Get(std::string_view name);

    std::unique_ptr<CLI::App> app_;
    std::string description_;
    std::vector<Declared> declared_;
    bool help_ = false;
    std::vector<std::string> given_;
    std::vector<std::string> positional_;
    std::string error_;
};

}  // namespace sundial

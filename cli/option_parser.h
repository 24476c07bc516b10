// The command line's options, read the way the commands have always read them:
// "--name value" or "--name=value", "-h", "--" ending the options, every
// unknown option named in one message, and a help text that wraps each
// description beside the option's name. Only what the commands use is here;
// it keeps sundial-cli free of any library that costs its start-up.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

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

class OptionParser {
  public:
    void SetDescription(std::string description) { description_ = std::move(description); }
    void AddOption(CliOption option) { options_.push_back(std::move(option)); }
    void AddOptions(std::initializer_list<CliOption> options);

    // `arguments[0]` is the program's name. False when an option is unknown
    // or misses its value; ErrorText() then says why.
    bool Parse(const std::vector<std::string>& arguments);
    std::string ErrorText() const;

    bool IsSet(std::string_view name) const;
    // The last value given, or the option's default.
    std::string Value(std::string_view name) const;
    std::vector<std::string> Values(std::string_view name) const;
    // The options as given, in order; an option given twice is listed twice.
    const std::vector<std::string>& OptionNames() const { return given_; }
    const std::vector<std::string>& PositionalArguments() const { return positional_; }

    // "Usage: PROGRAM [options]", the description, then the options.
    std::string HelpText(std::string_view program) const;

  private:
    // The index of the option with `name`, or npos.
    std::size_t Find(std::string_view name) const;
    bool Register(const std::string& name);
    bool TakeValue(const std::string& name, const std::string& argument,
                   std::vector<std::string>::const_iterator& it,
                   std::vector<std::string>::const_iterator end);

    std::string description_;
    std::vector<CliOption> options_;
    std::vector<std::vector<std::string>> values_;  // per option
    std::vector<std::string> given_;
    std::vector<std::string> unknown_;
    std::vector<std::string> positional_;
    std::string error_;
};

}  // namespace sundial

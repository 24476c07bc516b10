#include "cli/option_parser.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "cli/site_options.h"

namespace sundial {

namespace {

constexpr std::size_t npos = static_cast<std::size_t>(-1);

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

std::string HelpRow(const std::string& names, std::size_t width, const std::string& description) {
    const std::string indent = "  ";
    std::size_t nameIndex = 0;
    auto nextNames = [&] {
        std::string section = names.substr(std::min(nameIndex, names.size()), width);
        nameIndex += section.size();
        if (section.size() < width) section.append(width - section.size(), ' ');
        return section;
    };
    std::string text;
    std::size_t lineStart = 0;
    std::size_t lastBreakable = npos;
    const std::size_t max = 79 - (indent.size() + width + 1);
    std::size_t x = 0;
    const std::size_t len = description.size();
    for (std::size_t i = 0; i < len; ++i) {
        ++x;
        const char c = description[i];
        if (IsSpace(c)) lastBreakable = i;
        std::size_t breakAt = npos;
        std::size_t nextLineStart = npos;
        if (x > max && lastBreakable != npos) {
            breakAt = lastBreakable;
            nextLineStart = lastBreakable + 1;
        } else if ((x > max - 1 && lastBreakable == npos) || i == len - 1) {
            breakAt = i + 1;
            nextLineStart = breakAt;
        } else if (c == '\n') {
            breakAt = i;
            nextLineStart = i + 1;
        }
        if (breakAt != npos) {
            text += indent + nextNames() + ' ';
            text += description.substr(lineStart, breakAt - lineStart) + '\n';
            x = 0;
            lastBreakable = npos;
            lineStart = nextLineStart;
            if (lineStart < len && IsSpace(description[lineStart])) ++lineStart;
            // The loop's step brings `i` to the next line's first character,
            // which is counted like every other.
            i = lineStart - 1;
        }
    }
    while (nameIndex < names.size()) {
        std::string section = names.substr(nameIndex, width);
        nameIndex += section.size();
        text += indent + section + '\n';
    }
    return text;
}

namespace {

std::string Dashed(const std::string& name) {
    return (name.size() == 1 ? "-" : "--") + name;
}

// "-h,--help", as the parser library names an option.
std::string LibraryName(const CliOption& option) {
    std::string text;
    for (const std::string& name : option.names) text += (text.empty() ? "" : ",") + Dashed(name);
    return text;
}

// "2", "-12", "0.5": the shortest text that reads back as the bound.
std::string BoundText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string ListText(std::initializer_list<std::string_view> names) {
    std::string text;
    for (const std::string_view name : names) {
        text += (text.empty() ? "--" : ", --") + std::string(name);
    }
    return text;
}

}  // namespace

CliOption::CliOption(std::string name, std::string description_, std::string valueName_,
                     std::string defaultValue_)
    : names{std::move(name)},
      description(std::move(description_)),
      valueName(std::move(valueName_)),
      defaultValue(std::move(defaultValue_)) {}

CliOption::CliOption(std::vector<std::string> names_, std::string description_)
    : names(std::move(names_)), description(std::move(description_)) {}

OptionParser::OptionParser() : app_(std::make_unique<CLI::App>()) {
    // Help is an option like the others, added by whoever wants it; what is
    // not declared is collected and named, not refused one at a time.
    app_->set_help_flag();
    app_->allow_extras();
}

OptionParser::~OptionParser() = default;
OptionParser::OptionParser(OptionParser&&) noexcept = default;
OptionParser& OptionParser::operator=(OptionParser&&) noexcept = default;

void OptionParser::AddOption(CliOption option) {
    Declared declared{std::move(option), nullptr, {}};
    const CliOption& o = declared.option;
    const bool isHelp = std::find(o.names.begin(), o.names.end(), "help") != o.names.end();
    if (isHelp) {
        app_->set_help_flag(LibraryName(o), o.description);
    } else if (o.valueName.empty()) {
        declared.parsed = app_->add_flag(LibraryName(o), o.description)
                              ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    } else {
        // Every value is kept: the commands decide whether twice is too often.
        declared.parsed = app_->add_option(LibraryName(o), o.description)
                              ->type_name(o.valueName)
                              ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
                              ->allow_extra_args(false);
    }
    declared_.push_back(std::move(declared));
}

void OptionParser::AddOptions(std::initializer_list<CliOption> options) {
    for (const CliOption& option : options) AddOption(option);
}

const OptionParser::Declared* OptionParser::Find(std::string_view name) const {
    for (const Declared& d : declared_) {
        const auto& names = d.option.names;
        if (std::find(names.begin(), names.end(), name) != names.end()) return &d;
    }
    return nullptr;
}

OptionParser::Declared& OptionParser::Get(std::string_view name) {
    const Declared* found = Find(name);
    if (found == nullptr || found->parsed == nullptr) {
        throw std::logic_error("no option --" + std::string(name) + " to declare");
    }
    return const_cast<Declared&>(*found);
}

void OptionParser::Excludes(std::string_view name, std::initializer_list<std::string_view> others) {
    Declared& d = Get(name);
    for (const std::string_view other : others) d.parsed->excludes(Get(other).parsed);
    d.notes += " Not with " + ListText(others) + ".";
}

void OptionParser::Needs(std::string_view name, std::initializer_list<std::string_view> others) {
    Declared& d = Get(name);
    for (const std::string_view other : others) d.parsed->needs(Get(other).parsed);
    d.notes += " Needs " + ListText(others) + ".";
}

void OptionParser::Required(std::string_view name) {
    Declared& d = Get(name);
    d.parsed->required();
    d.notes += " Required.";
}

void OptionParser::Range(std::string_view name, double min, double max) {
    Declared& d = Get(name);
    const std::string range = BoundText(min) + " to " + BoundText(max);
    d.parsed->check(
        [min, max, range](const std::string& text) -> std::string {
            const std::optional<double> value = ReadNumber(text);
            if (!value) return "\"" + text + "\" is not a number.";
            if (!(*value >= min && *value <= max)) return text + " is not within " + range + ".";
            return {};
        },
        range);
    d.notes += " From " + range + ".";
}

bool OptionParser::Parse(const std::vector<std::string>& arguments) {
    help_ = false;
    given_.clear();
    positional_.clear();
    error_.clear();
    app_->clear();

    // The library takes the arguments last first. An empty value joined to
    // its option ("--pdf=") is passed on apart, so that it reaches the
    // command's own check rather than being taken for a missing value; past
    // the "--" that ends the options it is a word like any other.
    std::size_t optionsEnd = arguments.size();
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--") {
            optionsEnd = i;
            break;
        }
        const Declared* d = arguments[i].starts_with("--")
                                ? Find(std::string_view(arguments[i]).substr(2))
                                : nullptr;
        if (d != nullptr && !d->option.valueName.empty()) ++i;  // its value, whatever it looks like
    }
    std::vector<std::string> reversed;
    for (std::size_t i = arguments.size() - 1; i >= 1 && i < arguments.size(); --i) {
        const std::string& argument = arguments[i];
        const Declared* d = i < optionsEnd && argument.size() > 3 && argument.starts_with("--") &&
                                    argument.back() == '=' &&
                                    argument.find('=') + 1 == argument.size()
                                ? Find(std::string_view(argument).substr(2, argument.size() - 3))
                                : nullptr;
        if (d != nullptr && !d->option.valueName.empty()) {
            reversed.push_back("");
            reversed.push_back(argument.substr(0, argument.size() - 1));
        } else {
            reversed.push_back(argument);
        }
    }
    // The library keeps the order of every reading it has made: this one's
    // is what comes after the last one's.
    const std::size_t earlier = app_->parse_order().size();
    try {
        app_->parse(reversed);
    } catch (const CLI::CallForHelp&) {
        help_ = true;
        return true;
    } catch (const CLI::ParseError& e) {
        error_ = e.what();
    }
    // The order lists an option once for each time it was given, and each
    // option's values are looked at only the first time: a switch given a
    // hundred thousand times costs as many steps, not their square.
    std::unordered_map<const CLI::Option*, const Declared*> byParsed;
    for (const Declared& d : declared_) {
        if (d.parsed != nullptr) byParsed.emplace(d.parsed, &d);
    }
    std::unordered_set<const CLI::Option*> seen;
    const auto& order = app_->parse_order();
    for (auto it = order.begin() + static_cast<std::ptrdiff_t>(earlier); it != order.end(); ++it) {
        const CLI::Option* option = *it;
        const auto found = byParsed.find(option);
        if (found == byParsed.end()) continue;
        const Declared& d = *found->second;
        given_.push_back(d.option.names.back());
        if (!seen.insert(option).second) continue;
        // The library would read "--json=no" as the switch turned off.
        const auto& results = option->results();
        if (error_.empty() && d.option.valueName.empty() &&
            std::any_of(results.begin(), results.end(),
                        [](const std::string& r) { return r != "true"; })) {
            error_ = "--" + d.option.names.back() + " takes no value";
        }
    }
    // What the library did not take: options nobody declared, and words.
    std::vector<std::string> unknown;
    bool onlyPositional = false;
    for (const std::string& argument : app_->remaining()) {
        if (!onlyPositional && argument == "--") {
            onlyPositional = true;
        } else if (!onlyPositional && argument.size() > 1 && argument[0] == '-') {
            unknown.push_back(argument.substr(0, argument.find('=')));
        } else {
            positional_.push_back(argument);
        }
    }
    if (!unknown.empty()) {
        std::string names;
        for (const std::string& name : unknown) names += (names.empty() ? "'" : ", '") + name + "'";
        error_ = (unknown.size() == 1 ? "unknown option " : "unknown options ") + names;
    }
    return error_.empty();
}

bool OptionParser::IsSet(std::string_view name) const {
    const Declared* d = Find(name);
    if (d == nullptr) return false;
    return d->parsed == nullptr ? help_ : d->parsed->count() > 0;
}

std::string OptionParser::Value(std::string_view name) const {
    const std::vector<std::string> all = Values(name);
    if (!all.empty()) return all.back();
    const Declared* d = Find(name);
    return d == nullptr ? std::string() : d->option.defaultValue;
}

std::vector<std::string> OptionParser::Values(std::string_view name) const {
    const Declared* d = Find(name);
    if (d == nullptr || d->parsed == nullptr || d->option.valueName.empty()) return {};
    return d->parsed->results();
}

std::string OptionParser::HelpText(std::string_view program) const {
    std::string text = "Usage: " + std::string(program);
    if (!declared_.empty()) text += " [options]";
    text += '\n';
    if (!description_.empty()) text += description_ + '\n';
    text += '\n';
    if (!declared_.empty()) text += "Options:\n";
    std::vector<std::string> nameColumn;
    std::size_t longest = 0;
    for (const Declared& d : declared_) {
        std::string names;
        for (const std::string& name : d.option.names) {
            names += (names.empty() ? "" : ", ") + Dashed(name);
        }
        if (!d.option.valueName.empty()) names += " <" + d.option.valueName + ">";
        longest = std::max(longest, names.size());
        nameColumn.push_back(std::move(names));
    }
    const std::size_t width = std::min<std::size_t>(50, longest + 1);
    for (std::size_t i = 0; i < declared_.size(); ++i) {
        text += HelpRow(nameColumn[i], width, declared_[i].option.description + declared_[i].notes);
    }
    return text;
}

}  // namespace sundial

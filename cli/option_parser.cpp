#include "cli/option_parser.h"

#include <algorithm>
#include <utility>

namespace sundial {

namespace {

constexpr std::size_t npos = static_cast<std::size_t>(-1);

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// One option's lines of help: its names (and value) in a column `width` wide,
// the description wrapped beside it so no line passes 79 characters.
std::string WrapOption(const std::string& names, std::size_t width,
                       const std::string& description) {
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
            i = lineStart;
        }
    }
    while (nameIndex < names.size()) {
        std::string section = names.substr(nameIndex, width);
        nameIndex += section.size();
        text += indent + section + '\n';
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

void OptionParser::AddOptions(std::initializer_list<CliOption> options) {
    options_.insert(options_.end(), options.begin(), options.end());
}

std::size_t OptionParser::Find(std::string_view name) const {
    for (std::size_t i = 0; i < options_.size(); ++i) {
        const auto& names = options_[i].names;
        if (std::find(names.begin(), names.end(), name) != names.end()) return i;
    }
    return npos;
}

bool OptionParser::Register(const std::string& name) {
    if (Find(name) == npos) {
        unknown_.push_back(name);
        return false;
    }
    given_.push_back(name);
    return true;
}

// The value of the option `name` just found in `argument`: after its "=", or
// the next argument whatever it looks like.
bool OptionParser::TakeValue(const std::string& name, const std::string& argument,
                             std::vector<std::string>::const_iterator& it,
                             std::vector<std::string>::const_iterator end) {
    const std::size_t option = Find(name);
    if (option == npos) return true;
    const std::size_t assign = argument.find('=');
    if (!options_[option].valueName.empty()) {
        if (assign == std::string::npos) {
            if (++it == end) {
                error_ = "Missing value after '" + argument + "'.";
                return false;
            }
            values_[option].push_back(*it);
        } else {
            values_[option].push_back(argument.substr(assign + 1));
        }
    } else if (assign != std::string::npos) {
        error_ = "Unexpected value after '" + argument.substr(0, assign) + "'.";
        return false;
    }
    return true;
}

bool OptionParser::Parse(const std::vector<std::string>& arguments) {
    values_.assign(options_.size(), {});
    given_.clear();
    unknown_.clear();
    positional_.clear();
    error_.clear();
    bool ok = true;
    bool onlyPositional = false;
    const auto end = arguments.end();
    for (auto it = arguments.empty() ? end : arguments.begin() + 1; it != end; ++it) {
        const std::string& argument = *it;
        if (onlyPositional || argument.size() < 2 || argument[0] != '-') {
            positional_.push_back(argument);
        } else if (argument == "--") {
            onlyPositional = true;
        } else if (argument[1] == '-') {
            const std::string name = argument.substr(2, argument.find('=') - 2);
            if (!Register(name) || !TakeValue(name, argument, it, end)) ok = false;
        } else {
            // Single letters, run together: "-h".
            std::string name;
            bool valueFound = false;
            for (std::size_t pos = 1; pos < argument.size(); ++pos) {
                name = argument.substr(pos, 1);
                if (!Register(name)) {
                    ok = false;
                    continue;
                }
                const std::size_t option = Find(name);
                if (!options_[option].valueName.empty()) {
                    if (pos + 1 < argument.size()) {
                        if (argument[pos + 1] == '=') ++pos;
                        values_[option].push_back(argument.substr(pos + 1));
                        valueFound = true;
                    }
                    break;
                }
                if (pos + 1 < argument.size() && argument[pos + 1] == '=') break;
            }
            if (!valueFound && !TakeValue(name, argument, it, end)) ok = false;
        }
        if (it == end) break;
    }
    return ok;
}

std::string OptionParser::ErrorText() const {
    if (!error_.empty()) return error_;
    if (unknown_.size() == 1) return "Unknown option '" + unknown_.front() + "'.";
    if (unknown_.size() > 1) {
        std::string text = "Unknown options: ";
        for (std::size_t i = 0; i < unknown_.size(); ++i) {
            text += (i ? ", " : "") + unknown_[i];
        }
        return text + ".";
    }
    return {};
}

bool OptionParser::IsSet(std::string_view name) const {
    const std::size_t option = Find(name);
    if (option == npos) return false;
    const auto& names = options_[option].names;
    return std::any_of(given_.begin(), given_.end(), [&](const std::string& g) {
        return std::find(names.begin(), names.end(), g) != names.end();
    });
}

std::string OptionParser::Value(std::string_view name) const {
    const std::vector<std::string> all = Values(name);
    if (!all.empty()) return all.back();
    const std::size_t option = Find(name);
    return option == npos ? std::string() : options_[option].defaultValue;
}

std::vector<std::string> OptionParser::Values(std::string_view name) const {
    const std::size_t option = Find(name);
    if (option == npos || option >= values_.size()) return {};
    return values_[option];
}

std::string OptionParser::HelpText(std::string_view program) const {
    std::string text = "Usage: " + std::string(program);
    if (!options_.empty()) text += " [options]";
    text += '\n';
    if (!description_.empty()) text += description_ + '\n';
    text += '\n';
    if (!options_.empty()) text += "Options:\n";
    std::vector<std::string> nameColumn;
    std::size_t longest = 0;
    for (const CliOption& option : options_) {
        std::string names;
        for (const std::string& name : option.names) {
            if (!names.empty()) names += ", ";
            names += (name.size() == 1 ? "-" : "--") + name;
        }
        if (!option.valueName.empty()) names += " <" + option.valueName + ">";
        longest = std::max(longest, names.size());
        nameColumn.push_back(std::move(names));
    }
    const std::size_t width = std::min<std::size_t>(50, longest + 1);
    for (std::size_t i = 0; i < options_.size(); ++i) {
        text += WrapOption(nameColumn[i], width, options_[i].description);
    }
    return text;
}

}  // namespace sundial

#include "core/project/dial_project.h"

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

#include "core/io/atomic_file.h"
#include "core/io/clean_text.h"
#include "core/io/regular_file.h"
#include "core/rules/input_rules.h"
#include "core/site/number_text.h"
#include "core/site/time_zone_menu.h"
#include "core/sun/zone_year.h"

namespace sundial::project {

namespace {

using Json = nlohmann::ordered_json;

// A project nests two objects deep; anything much deeper is no project, and
// is refused before a parser spends memory on it.
constexpr int kMaxDepth = 4;

bool TooDeep(std::string_view text) {
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            if (++depth > kMaxDepth) return true;
        } else if (c == '}' || c == ']') {
            --depth;
        }
    }
    return false;
}

std::string NumberText(double value) {
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    return std::string(buf, end);
}

// A single as the decimal that reads back as the same single ("50.72"),
// rather than its exact binary value.
double ShortestDecimal(float value) {
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    double decimal = 0;
    std::from_chars(buf, end, decimal);
    return decimal;
}

std::optional<double> CNumber(std::string_view text) {
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

const tmpl::TemplateOptionEntry* FindOption(std::string_view name) {
    for (const tmpl::TemplateOptionEntry& entry : tmpl::TemplateOptionTable()) {
        if (name == entry.name) return &entry;
    }
    return nullptr;
}

// Where a field is wrong: the message names it as "site.latitude".
struct Problem {
    std::string message;
};

const Json& Field(const Json& object, const char* parent, const char* name) {
    const auto it = object.find(name);
    if (it == object.end()) throw Problem{std::string(parent) + name + " is missing"};
    return *it;
}

double NumberField(const Json& object, const char* name) {
    const Json& value = Field(object, "site.", name);
    if (!value.is_number()) throw Problem{std::string("site.") + name + " must be a number"};
    return value.get<double>();
}

std::string TextField(const Json& value, const std::string& where) {
    if (!value.is_string()) throw Problem{where + " must be a text"};
    std::string text = value.get<std::string>();
    if (auto tooLong = tmpl::TextTooLong(where, text)) throw Problem{std::move(*tooLong)};
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20)
            throw Problem{where + " holds a control character"};
    }
    return text;
}

// Any flat dial's site, as the template command takes it: latitude -89 to 89
// (south negative), bearing 0 to 360, and the zone in quarter hours from -12
// to 14. Version 1 kept the zone in whole hours.
SiteState ReadSite(const Json& site, long long version) {
    if (!site.is_object()) throw Problem{"site must be an object"};
    for (const auto& [key, value] : site.items()) {
        const bool zoneField = key == "tz" && version >= kNamedZoneVersion;
        if (key != "place" && key != "latitude" && key != "longitude" && key != "bearing" &&
            key != "utc" && !zoneField) {
            throw Problem{"site." + key + " is no field of a site"};
        }
    }
    SiteState s;
    s.PlaceName = TextField(Field(site, "site.", "place"), "site.place");
    const double latitude = NumberField(site, "latitude");
    if (!(latitude >= -89 && latitude <= 89)) {
        throw Problem{"site.latitude " + NumberText(latitude) + " is outside -89 to 89 degrees"};
    }
    const double longitude = NumberField(site, "longitude");
    if (!(longitude >= -180 && longitude <= 180)) {
        throw Problem{"site.longitude " + NumberText(longitude) +
                      " is outside -180 to 180 degrees"};
    }
    s.Latitude = static_cast<float>(latitude);
    s.Longitude = static_cast<float>(longitude);
    const Json& bearingField = Field(site, "site.", "bearing");
    const std::optional<double> bearing =
        bearingField.is_number()   ? std::optional<double>(bearingField.get<double>())
        : bearingField.is_string() ? CNumber(bearingField.get<std::string>())
                                   : std::nullopt;
    if (!bearing) throw Problem{"site.bearing must be a number"};
    if (!(*bearing >= 0 && *bearing <= 360)) {
        throw Problem{"site.bearing " + NumberText(*bearing) + " is outside 0 to 360 degrees"};
    }
    ApplyBearing(s, sundial::NumberText(static_cast<float>(*bearing)));
    const double utc = NumberField(site, "utc");
    if (version == 1) {
        const std::optional<int> zone = MatchZone(utc);
        if (!zone) {
            throw Problem{"site.utc " + NumberText(utc) +
                          " is no zone (whole hours from -12 to 12)"};
        }
        s.UtcOffset = static_cast<float>(*zone);
    } else {
        if (!(utc >= -12 && utc <= 14) || std::fmod(utc * 4, 1.0) != 0) {
            throw Problem{"site.utc " + NumberText(utc) +
                          " is no zone (quarter hours from -12 to 14)"};
        }
        s.UtcOffset = static_cast<float>(utc);
    }
    return s;
}

std::map<std::string, std::string, std::less<>> ReadOptions(const Json& options) {
    if (!options.is_object()) throw Problem{"template must be an object"};
    std::map<std::string, std::string, std::less<>> out;
    for (const auto& [key, value] : options.items()) {
        const std::string where = "template." + key;
        const tmpl::TemplateOptionEntry* entry = FindOption(key);
        if (entry == nullptr) throw Problem{where + " is no template option"};
        if (entry->valueName == nullptr) {
            if (!value.is_boolean()) throw Problem{where + " must be true or false"};
            if (value.get<bool>()) out[key] = "";
        } else if (value.is_number()) {
            out[key] = NumberText(value.get<double>());
        } else {
            out[key] = TextField(value, where);
        }
    }
    return out;
}

DialProject Read(std::string_view text) {
    if (TooDeep(text)) throw Problem{"it is not a dial project (nested too deeply)"};
    // The JSON reader takes a NUL byte for the end of its input, which would
    // let anything after it pass unread; JSON text holds none.
    const bool nul = text.find('\0') != std::string_view::npos;
    const Json root = nul ? Json(Json::value_t::discarded)
                          : Json::parse(text.begin(), text.end(), nullptr, false);
    if (root.is_discarded() || !root.is_object()) throw Problem{"it is not JSON text of an object"};
    const auto format = root.find("format");
    if (format == root.end() || *format != kProjectFormat) {
        throw Problem{std::string("it is not a dial project (format must be \"") + kProjectFormat +
                      "\")"};
    }
    const Json& version = Field(root, "", "version");
    if (!version.is_number_integer() || version.get<long long>() < 1) {
        throw Problem{"version must be a whole number from 1"};
    }
    if (version.get<long long>() > kProjectVersion) {
        throw Problem{"it was saved by a newer version of the program (project version " +
                      std::to_string(version.get<long long>()) + "; this one reads up to " +
                      std::to_string(kProjectVersion) + "): it is not opened"};
    }
    for (const auto& [key, value] : root.items()) {
        if (key != "format" && key != "version" && key != "site" && key != "template") {
            throw Problem{key + " is no field of a dial project"};
        }
    }
    DialProject project;
    const Json& site = Field(root, "", "site");
    project.site = ReadSite(site, version.get<long long>());
    project.options = ReadOptions(Field(root, "", "template"));
    // Checked as the template command checks its options, so that nothing
    // wrong is found only when the project is used.
    const tmpl::TemplateOptionsRead read =
        tmpl::ReadTemplateOptions(ProjectLookup(project), ProjectNumberReader(), tmpl::TodayText());
    if (!read.options) throw Problem{"template: " + read.message};
    if (const auto tz = site.find("tz"); tz != site.end()) {
        project.tz = TextField(*tz, "site.tz");
        // The zone's rules for the dial's year, not the offset saved: they
        // hold even where the zone has changed them since.
        const ZoneYearRead zone = ZoneInYear(project.tz, read.options->plan.extras.year);
        if (!zone.zone) throw Problem{"site.tz: " + zone.error};
        project.site.UtcOffset = static_cast<float>(zone.zone->standardHours);
    }
    // Version 1 kept the wall's bearing with a horizontal dial, which faced
    // 180 whatever it held; now the bearing kept is the dial's own.
    if (version.get<long long>() == 1 && read.options->plane.type == tmpl::DialType::Horizontal) {
        ApplyBearing(project.site, "180");
    }
    return project;
}

}  // namespace

ProjectRead ParseProject(std::string_view text) {
    try {
        return {Read(text), {}};
    } catch (const Problem& problem) {
        return {std::nullopt, problem.message};
    }
}

ProjectRead ReadProject(const std::filesystem::path& file) {
    const io::FilePrefix prefix = io::ReadFilePrefix(file, kProjectReadLimit);
    const std::string name = file.string() + ": ";
    if (!prefix.error.empty()) return {std::nullopt, name + prefix.error};
    if (prefix.kind == io::FileKind::Missing) return {std::nullopt, name + "no such file"};
    if (prefix.kind != io::FileKind::Regular) {
        return {std::nullopt, name + io::KindProblem(prefix.kind)};
    }
    if (prefix.truncated) {
        return {std::nullopt, name + tmpl::ProjectTooLarge()};
    }
    ProjectRead read = ParseProject(prefix.bytes);
    if (!read.project) read.message = name + read.message;
    return read;
}

std::string ProjectJson(const DialProject& project) {
    const SiteState& s = project.site;
    Json site = Json::object();
    site["place"] = s.PlaceName;
    site["latitude"] = ShortestDecimal(s.Latitude);
    site["longitude"] = ShortestDecimal(s.Longitude);
    site["bearing"] = s.WallBearing;
    site["utc"] = ShortestDecimal(s.UtcOffset);
    if (!project.tz.empty()) site["tz"] = project.tz;
    Json options = Json::object();
    for (const tmpl::TemplateOptionEntry& entry : tmpl::TemplateOptionTable()) {
        const auto it = project.options.find(entry.name);
        if (it == project.options.end()) continue;
        const std::optional<double> number = CNumber(it->second);
        if (entry.valueName == nullptr) {
            options[entry.name] = true;
        } else if (number) {
            options[entry.name] = *number;
        } else {
            options[entry.name] = it->second;
        }
    }
    Json root = Json::object();
    root["format"] = kProjectFormat;
    root["version"] = project.tz.empty() ? kNamedZoneVersion - 1 : kNamedZoneVersion;
    root["site"] = std::move(site);
    root["template"] = std::move(options);
    // Texts are cleaned before they get here; a byte that is still no UTF-8
    // is written as U+FFFD rather than failing the save.
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::optional<std::string> SaveProblem(const DialProject& project) {
    const std::string text = ProjectJson(project);
    if (text.size() > kProjectReadLimit) return tmpl::ProjectTooLarge();
    // Read back as it will be opened: the reader's own checks, so that the
    // writer can never let through what the reader refuses.
    ProjectRead read = ParseProject(text);
    if (!read.project) return std::move(read.message);
    return std::nullopt;
}

bool WriteProject(const DialProject& project, const std::filesystem::path& file,
                  std::string& error) {
    if (auto problem = SaveProblem(project)) {
        error = std::move(*problem);
        return false;
    }
    return io::ReplaceFileContents(file, ProjectJson(project), &error);
}

tmpl::OptionLookup ProjectLookup(const DialProject& project) {
    return [options = project.options](std::string_view name) -> std::optional<std::string> {
        const auto it = options.find(name);
        if (it == options.end()) return std::nullopt;
        return it->second;
    };
}

tmpl::OptionLookup Overlay(tmpl::OptionLookup first, tmpl::OptionLookup second) {
    return [first = std::move(first),
            second = std::move(second)](std::string_view name) -> std::optional<std::string> {
        if (auto value = first(name)) return value;
        return second(name);
    };
}

std::map<std::string, std::string, std::less<>> GivenOptions(const tmpl::OptionLookup& given,
                                                             const tmpl::NumberReader& readNumber) {
    std::map<std::string, std::string, std::less<>> options;
    for (const tmpl::TemplateOptionEntry& entry : tmpl::TemplateOptionTable()) {
        auto value = given(entry.name);
        if (!value) continue;
        std::string ignored;
        const std::optional<double> number =
            entry.valueName ? readNumber(*value, entry.name, ignored) : std::nullopt;
        if (number) {
            options[entry.name] = NumberText(*number);
        } else if (std::string_view(entry.name) == "date-line") {
            options[entry.name] = tmpl::DateLineText(*value);
        } else {
            options[entry.name] = io::CleanText(*value).text;
        }
    }
    return options;
}

tmpl::NumberReader ProjectNumberReader() {
    return [](const std::string& text, std::string_view option,
              std::string& message) -> std::optional<double> {
        const std::optional<double> value = CNumber(text);
        if (!value)
            message = "template." + std::string(option) + " \"" + text + "\" is not a number";
        return value;
    };
}

}  // namespace sundial::project

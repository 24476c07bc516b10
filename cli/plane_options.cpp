#include "cli/plane_options.h"

#include "cli/cli_command.h"

namespace sundial {

void AddPlaneOptions(OptionParser& parser) {
    for (const char* name : {"dial", "recline"}) {
        const tmpl::TemplateOptionEntry* entry = tmpl::TemplateOptionNamed(name);
        parser.AddOption({entry->name, entry->description, entry->valueName,
                          entry->defaultValue ? entry->defaultValue : ""});
    }
}

FieldPlane ReadFieldPlane(const OptionParser& parser, const SiteState& site) {
    std::string message;
    std::optional<tmpl::PlaneChoice> choice =
        tmpl::ReadPlaneChoice(OptionLookupOf(parser), CliNumberReader(), message);
    if (!choice) throw BadInput{message};
    choice->bearingGiven = parser.IsSet("bearing");
    if (choice->bearingGiven &&
        (choice->type == tmpl::DialType::Polar || choice->type == tmpl::DialType::Equatorial)) {
        throw BadInput{"--dial " + parser.Value("dial") +
                       " sets its own plane: leave out --bearing."};
    }
    FieldPlane field;
    field.type = choice->type;
    field.plane = tmpl::PlaneFor(*choice, site);
    if (field.type != tmpl::DialType::Vertical || field.plane.reclineDeg != 0) {
        field.face = "dial's face";
    }
    return field;
}

}  // namespace sundial

#include "cli/cli_app.h"

#include <algorithm>

#include "cli/cli_command.h"

namespace sundial {

namespace {

QString Usage() {
    QString text = QStringLiteral(
        "Usage: sundial-cli COMMAND [options]\n"
        "       sundial-cli --help | --version\n\nCommands:\n");
    for (const CliCommand& c : CliCommands()) {
        text += QStringLiteral("  %1  %2\n").arg(QString::fromLatin1(c.name), -8).arg(c.summary);
    }
    text += QStringLiteral("\n'sundial-cli COMMAND --help' lists a command's options.\n");
    return text;
}

const CliCommand* FindCommand(const QString& name) {
    const auto commands = CliCommands();
    const auto it = std::find_if(commands.begin(), commands.end(),
                                 [&](const CliCommand& c) { return name == c.name; });
    return it == commands.end() ? nullptr : &*it;
}

// Each option once, unless the command reads it as a list; and no option that
// takes a value may be given an empty one (an empty file name would otherwise
// become a file named after nothing in the program's folder).
void CheckOptionUse(const CliCommand& command, const QCommandLineParser& parser) {
    const QStringList given = parser.optionNames();  // an option given twice is listed twice
    for (const QString& name : given) {
        const QStringList values = parser.values(name);
        const bool repeatable =
            std::any_of(command.repeatable.begin(), command.repeatable.end(),
                        [&](const char* r) { return name == QLatin1String(r); });
        if (!repeatable && given.count(name) > 1) {
            throw BadInput{QStringLiteral("--%1 is given more than once.").arg(name)};
        }
        if (std::any_of(values.begin(), values.end(),
                        [](const QString& v) { return v.isEmpty(); })) {
            throw BadInput{QStringLiteral("--%1: an empty value is not allowed.").arg(name)};
        }
    }
}

}  // namespace

const char* CliVersion() {
    return SUNDIAL_VERSION;
}

int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    const QString first = arguments.value(1);
    if (first == "--help" || first == "-h" || first == "help") {
        out << "Designs a vertical wall sundial.\n\n" << Usage();
        return kCliOk;
    }
    if (first == "--version") {
        out << "sundial-cli " << CliVersion() << '\n';
        return kCliOk;
    }
    const CliCommand* command = FindCommand(first);
    if (!command) {
        err << Usage();
        return kCliBadInput;
    }

    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(command->summary));
    // Not addHelpOption(): without an application object it also offers a
    // --help-all that has nothing more to show.
    parser.addOption({{"h", "help"}, "Displays help on commandline options."});
    command->addOptions(parser);
    // The command's own name is not one of its arguments.
    QStringList rest = arguments;
    rest.removeAt(1);
    if (!parser.parse(rest)) {
        err << parser.errorText() << '\n';
        return kCliBadInput;
    }
    if (parser.isSet("help")) {
        // The parser's own usage line names the executable as it was started
        // (or not at all): name the program and the command instead.
        QString help = parser.helpText();
        help.remove(0, help.indexOf('\n') + 1);
        out << "Usage: sundial-cli " << command->name << " [options]\n" << help;
        return kCliOk;
    }
    if (!parser.positionalArguments().isEmpty()) {
        err << "sundial-cli " << command->name << ": unexpected argument \""
            << parser.positionalArguments().front() << "\"\n";
        return kCliBadInput;
    }
    try {
        CheckOptionUse(*command, parser);
        return command->run(parser, out, err);
    } catch (const BadInput& bad) {
        err << bad.message << '\n';
        return kCliBadInput;
    }
}

}  // namespace sundial

// One sundial-cli command: its name, what it does, the options it takes and
// what it runs. The commands are one table (cli_commands.cpp); RunCli finds the
// command, parses its options and calls it.
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QTextStream>
#include <initializer_list>
#include <span>

namespace sundial {

// Bad input: the message for stderr; RunCli exits with kCliBadInput. Commands
// raise it before they write anything.
struct BadInput {
    QString message;
};

struct CliCommand {
    const char* name;
    const char* summary;  // one line for the program's --help
    void (*addOptions)(QCommandLineParser& parser);
    // Returns the exit status; may throw BadInput.
    int (*run)(const QCommandLineParser& parser, QTextStream& out, QTextStream& err);
    // Options that may be given more than once (readings, say); any other
    // option given twice is bad input rather than the last one winning.
    std::initializer_list<const char*> repeatable = {};
};

// Every command, in the order --help lists them.
std::span<const CliCommand> CliCommands();

// The commands' own entries, each defined in its <name>_command.cpp.
void AddReportOptions(QCommandLineParser& parser);
int RunReportCommand(const QCommandLineParser& parser, QTextStream& out, QTextStream& err);
void AddPlacesOptions(QCommandLineParser& parser);
int RunPlacesCommand(const QCommandLineParser& parser, QTextStream& out, QTextStream& err);

}  // namespace sundial

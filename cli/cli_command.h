// One sundial-cli command: its name, what it does, the options it takes and
// what it runs. The commands are one table (cli_commands.cpp); RunCli finds the
// command, parses its options and calls it.
#pragma once

#include <QCommandLineParser>
#include <QJsonValue>
#include <QString>
#include <QTextStream>
#include <initializer_list>
#include <span>

#include "core/sun/clock_time.h"
#include "core/template/template_options.h"

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
void AddSunOptions(QCommandLineParser& parser);
int RunSunCommand(const QCommandLineParser& parser, QTextStream& out, QTextStream& err);
void AddBearingOptions(QCommandLineParser& parser);
int RunBearingCommand(const QCommandLineParser& parser, QTextStream& out, QTextStream& err);
void AddShadowOptions(QCommandLineParser& parser);
int RunShadowCommand(const QCommandLineParser& parser, QTextStream& out, QTextStream& err);
void AddBatchOptions(QCommandLineParser& parser);
int RunBatchCommand(const QCommandLineParser& parser, QTextStream& out, QTextStream& err);
void AddTemplateOptions(QCommandLineParser& parser);
int RunTemplateCommand(const QCommandLineParser& parser, QTextStream& out, QTextStream& err);
// Shared by the commands that write templates (template_command.cpp): the
// plate, line and paper options; the parser's options and its reading of
// numbers as the core's option readers ask for them.
void AddTemplatePlateOptions(QCommandLineParser& parser);
tmpl::OptionLookup OptionLookupOf(const QCommandLineParser& parser);
tmpl::NumberReader CliNumberReader();

// Shared by the commands that work with the sun (sun_command.cpp).
// A clock time option ("2026-06-21T12:00:00") that names a real date and
// time. Throws BadInput naming `option` and the text.
ClockTime ReadClockOption(const QString& text, const QString& option);
// An angle or other measure as JSON, rounded to `decimals` places: the
// figures beyond are noise of the arithmetic, not knowledge.
QJsonValue RoundedJson(double value, int decimals);

}  // namespace sundial

// sundial-cli's entry point. No QCoreApplication: nothing here needs an event
// loop, plugins or the application object, and making one costs every start
// (it also sets the C library's locale, which no output may depend on).
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

#include "cli/cli_app.h"

int main(int argc, char* argv[]) {
    QStringList arguments;
    arguments.reserve(argc);
    for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = sundial::RunCli(arguments, out, err);
    out.flush();
    err.flush();
    return status;
}

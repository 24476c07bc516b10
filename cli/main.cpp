#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "cli/cli_app.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("sundial-cli");
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = sundial::RunCli(QCoreApplication::arguments(), out, err);
    out.flush();
    err.flush();
    return status;
}

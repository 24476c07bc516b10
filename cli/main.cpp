// sundial-cli's entry point. It links no toolkit and sets no locale: every
// start pays only for what the command uses, and no output depends on the
// C library's locale.
#include <unistd.h>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/fd_output.h"

int main(int argc, char* argv[]) {
    sundial::KeepStandardDescriptors();
    // A reader that quits (a pipe, a FIFO) makes a write fail with EPIPE,
    // which the writer reports, instead of ending the program unheard.
    std::signal(SIGPIPE, SIG_IGN);
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv, argv + argc);
    sundial::FdOutputBuffer standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    const int status = sundial::RunCli(arguments, out, std::cerr);
    std::cerr.flush();
    return status;
}

// sundial-cli's entry point. It links no toolkit and sets no locale: every
// start pays only for what the command uses, and no output depends on the
// C library's locale.
#include <malloc.h>
#include <sys/resource.h>
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
    // A batch holds its new files open until one flush stores them all: as
    // many as the system allows this process, not the shell's cautious default.
    if (rlimit files{};
        ::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &files);
    }
    // A run is short and its large buffers (a template's pages, its plan)
    // come and go: kept in the heap once freed, their pages are used again
    // rather than handed back and faulted in anew, which on a virtual
    // machine cost a metre plate's run a fifth of its time.
    ::mallopt(M_MMAP_THRESHOLD, 32 << 20);
    ::mallopt(M_TRIM_THRESHOLD, 64 << 20);
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv, argv + argc);
    sundial::FdOutputBuffer standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    const int status = sundial::RunCli(arguments, out, std::cerr);
    std::cerr.flush();
    return status;
}

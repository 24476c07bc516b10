// sundial-cli's entry point. It links no toolkit and sets no locale: every
// start pays only for what the command uses, and no output depends on the
// C library's locale.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_app.h"

int main(int argc, char* argv[]) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv, argv + argc);
    const int status = sundial::RunCli(arguments, std::cout, std::cerr);
    std::cout.flush();
    std::cerr.flush();
    return status;
}

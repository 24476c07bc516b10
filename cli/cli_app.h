// sundial-cli: the same core as the desktop program, for scripting and checking
// designs without a display.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace sundial {

// Exit statuses.
inline constexpr int kCliOk = 0;
inline constexpr int kCliRunFailed = 1;  // the site gave no dial, or the sheet failed
inline constexpr int kCliBadInput = 2;   // nothing was written

// The program's version, "0.1.0".
const char* CliVersion();

// Runs the command line `arguments` (arguments[0] is the program name). A
// failure to write all of `out` is told on `err` and is status kCliRunFailed
// (or the worse status the command gave).
int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace sundial

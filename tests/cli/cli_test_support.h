// Running sundial-cli in the test's own process: arguments in, status and
// the two streams' text out.
#pragma once

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_app.h"

namespace sundial::testing {

struct Outcome {
    int status;
    std::string out;
    std::string err;
    // stdout read as JSON; null when it is none.
    nlohmann::json json() const { return nlohmann::json::parse(out, nullptr, false); }
};

// `args` without the program's name, which is put in front.
inline Outcome RunCommand(std::vector<std::string> args,
                          const std::string& program = "sundial-cli") {
    args.insert(args.begin(), program);
    std::ostringstream out, err;
    const int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

// One argument list after another.
inline std::vector<std::string> operator+(std::vector<std::string> a,
                                          const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

inline bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

}  // namespace sundial::testing

#include "tests/core/pdf/support/pdf_test_support.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

namespace sundial::pdf::testing {

CommandResult RunCommand(const std::string& command) {
    CommandResult result;
    std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return result;
    std::array<char, 4096> buf{};
    for (std::size_t n; (n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0;) {
        result.output.append(buf.data(), n);
    }
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool HaveTool(const std::string& tool) {
    const bool found = RunCommand("command -v " + tool).status == 0;
    if (!found) ADD_FAILURE() << tool << " is missing; tools/install_deps.sh installs it";
    return found;
}

std::string Quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TempFolder::TempFolder() {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() /
            ("sundial-pdf-test-" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

PdfEnvironment FixedEnvironment() {
    PdfEnvironment env;
    env.now = [] { return LocalTimestamp{2024, 3, 7, 9, 5, 3, 60}; };
    env.randomDigit = [] { return 4; };
    return env;
}

::testing::AssertionResult QpdfAccepts(const std::filesystem::path& path) {
    if (!HaveTool("qpdf")) return ::testing::AssertionFailure() << "no qpdf";
    // Status 3 means warnings: a file qpdf had to repair is not a good file.
    const CommandResult r = RunCommand("qpdf --check " + Quoted(path));
    if (r.status == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "qpdf --check -> " << r.status << "\n" << r.output;
}

::testing::AssertionResult CrossReferenceHolds(const std::string& pdf) {
    const std::size_t start = pdf.rfind("startxref\r");
    if (start == std::string::npos) return ::testing::AssertionFailure() << "no startxref";
    const std::size_t xref = std::stoull(pdf.substr(start + 10));
    if (pdf.compare(xref, 6, "xref\r\n") != 0) {
        return ::testing::AssertionFailure() << "startxref " << xref << " is not at \"xref\"";
    }
    std::size_t at = pdf.find("\r\n", xref + 6);
    const int count = std::stoi(pdf.substr(xref + 8, at - xref - 8));
    at += 2;
    for (int n = 0; n < count; ++n, at += 20) {
        const std::string entry = pdf.substr(at, 20);
        if (entry.size() != 20 || !entry.ends_with(" n\r\n")) {
            if (n == 0 && entry == "0000000000 65535 f\r\n") continue;
            return ::testing::AssertionFailure() << "entry " << n << " is \"" << entry << "\"";
        }
        const std::string header = std::to_string(n) + " 0 obj\r\n";
        if (pdf.compare(std::stoull(entry.substr(0, 10)), header.size(), header) != 0) {
            return ::testing::AssertionFailure() << "object " << n << " is not at its offset";
        }
    }
    if (pdf.compare(at, 7, "trailer") != 0) return ::testing::AssertionFailure() << "no trailer";
    return ::testing::AssertionSuccess();
}

std::string DecodedStream(const std::filesystem::path& path, int object) {
    return RunCommand("qpdf --show-object=" + std::to_string(object) + " --filtered-stream-data " +
                      Quoted(path))
        .output;
}

std::vector<std::string> PageContentLines(const std::string& pdf, int page) {
    // Only a page's stream dictionary is "<< /Length n 0 R >>" at the start of its object.
    std::size_t at = 0;
    for (int i = 0; i < page; ++i) {
        at = pdf.find(" obj\r\n<< /Length ", at);
        if (at == std::string::npos) return {};
        at = pdf.find("stream\r\n", at) + 8;
    }
    std::vector<std::string> lines;
    for (std::size_t end = pdf.find("endstream\r\n", at); at < end;) {
        const std::size_t next = pdf.find("\r\n", at);
        lines.push_back(pdf.substr(at, next - at));
        at = next + 2;
    }
    return lines;
}

}  // namespace sundial::pdf::testing

#include "pdf_test_support.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>

namespace sundial::pdf::testing {

CommandResult RunCommand(const std::string& command) {
    CommandResult result;
    std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return result;
    std::array<char, 4096> buf{};
    std::size_t n = 0;
    while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0)
        result.output.append(buf.data(), n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool HaveTool(const std::string& tool) {
    const bool found = RunCommand("command -v " + tool).status == 0;
    if (!found) ADD_FAILURE() << tool << " is not installed; tools/install_deps.sh installs it";
    return found;
}

std::string Quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
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
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

PdfEnvironment FixedEnvironment() {
    PdfEnvironment env;
    env.now = [] { return LocalTimestamp{2024, 3, 7, 9, 5, 3, 60}; };
    env.randomDigit = [] { return 4; };
    env.programFolder = "/opt/sundial";
    return env;
}

::testing::AssertionResult QpdfAccepts(const std::filesystem::path& path) {
    if (!HaveTool("qpdf")) return ::testing::AssertionFailure() << "no qpdf";
    const CommandResult r = RunCommand("qpdf --check " + Quoted(path));
    // Status 3 means warnings: a repaired file is not a good file.
    if (r.status == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "qpdf --check " << path << " -> " << r.status << "\n"
                                         << r.output;
}

::testing::AssertionResult CrossReferenceHolds(const std::string& pdf) {
    const std::size_t start = pdf.rfind("startxref\r");
    if (start == std::string::npos) return ::testing::AssertionFailure() << "no startxref";
    const std::size_t xref = std::stoull(pdf.substr(start + 10));
    if (pdf.compare(xref, 6, "xref\r\n") != 0) {
        return ::testing::AssertionFailure() << "startxref " << xref << " is not at \"xref\"";
    }
    std::size_t at = xref + 6;
    const std::size_t lineEnd = pdf.find("\r\n", at);
    const int count = std::stoi(pdf.substr(at + 2, lineEnd - at - 2));
    at = lineEnd + 2;
    for (int n = 0; n < count; ++n, at += 20) {
        const std::string entry = pdf.substr(at, 20);
        if (entry.size() != 20 || entry.compare(18, 2, "\r\n") != 0) {
            return ::testing::AssertionFailure() << "entry " << n << " is not 20 bytes";
        }
        if (n == 0 || entry[17] == 'f') continue;
        const std::size_t offset = std::stoull(entry.substr(0, 10));
        const std::string header = std::to_string(n) + " 0 obj\r\n";
        if (pdf.compare(offset, header.size(), header) != 0) {
            return ::testing::AssertionFailure()
                   << "object " << n << " is not at its offset " << offset;
        }
    }
    if (pdf.compare(at, 7, "trailer") != 0) {
        return ::testing::AssertionFailure() << "the trailer does not follow the table";
    }
    return ::testing::AssertionSuccess();
}

std::string DecodedStream(const std::filesystem::path& path, int object) {
    return RunCommand("qpdf --show-object=" + std::to_string(object) + " --filtered-stream-data " +
                      Quoted(path))
        .output;
}

std::vector<std::string> PageContentLines(const std::string& pdf, int page) {
    // Pages are the only streams whose dictionary is "<< /Length n 0 R >>".
    std::size_t at = 0;
    for (int i = 0; i < page; ++i) {
        at = pdf.find(" obj\r\n<< /Length ", at);
        if (at == std::string::npos) return {};
        at = pdf.find("stream\r\n", at) + 8;
    }
    const std::size_t end = pdf.find("endstream\r\n", at);
    std::vector<std::string> lines;
    for (std::size_t i = at; i < end;) {
        const std::size_t next = pdf.find("\r\n", i);
        lines.push_back(pdf.substr(i, next - i));
        i = next + 2;
    }
    return lines;
}

}  // namespace sundial::pdf::testing

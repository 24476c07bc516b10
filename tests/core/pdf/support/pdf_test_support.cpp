#include "tests/core/pdf/support/pdf_test_support.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <regex>
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

namespace {

int ObjectNumber(const nlohmann::json& reference) {
    return std::stoi(reference.get<std::string>());  // "37 0 R"
}

// CID to character, from a ToUnicode CMap's bfchar and bfrange entries
// (UTF-16BE, surrogate pairs joined).
std::map<unsigned, char32_t> ReadToUnicode(const std::string& cmap) {
    const auto utf32 = [](const std::string& hex) {
        const unsigned hi = std::stoul(hex.substr(0, 4), nullptr, 16);
        if (hex.size() >= 8 && hi >= 0xD800 && hi < 0xDC00) {
            const unsigned lo = std::stoul(hex.substr(4, 4), nullptr, 16);
            return static_cast<char32_t>(0x10000 + ((hi - 0xD800) << 10) + (lo - 0xDC00));
        }
        return static_cast<char32_t>(hi);
    };
    std::map<unsigned, char32_t> map;
    const auto blocks = [&](const std::string& kind, const std::regex& entry, auto&& add) {
        const std::regex block("begin" + kind + "([\\s\\S]*?)end" + kind);
        for (auto b = std::sregex_iterator(cmap.begin(), cmap.end(), block);
             b != std::sregex_iterator(); ++b) {
            const std::string body = (*b)[1];
            for (auto e = std::sregex_iterator(body.begin(), body.end(), entry);
                 e != std::sregex_iterator(); ++e)
                add(*e);
        }
    };
    const std::string hex = R"(\s*<([0-9A-Fa-f]+)>)";
    blocks("bfchar", std::regex(hex + hex),
           [&](const std::smatch& m) { map[std::stoul(m[1], nullptr, 16)] = utf32(m[2]); });
    blocks("bfrange", std::regex(hex + hex + hex), [&](const std::smatch& m) {
        const unsigned first = std::stoul(m[1], nullptr, 16), last = std::stoul(m[2], nullptr, 16);
        for (unsigned c = first; c <= last; ++c) map[c] = utf32(m[3]) + (c - first);
    });
    return map;
}

// CID to width from a /W array: "c [w1 w2 ...]" and "c1 c2 w" runs.
std::map<unsigned, double> ReadW(const nlohmann::json& w) {
    std::map<unsigned, double> widths;
    for (std::size_t i = 0; i < w.size();) {
        const auto first = w[i].get<unsigned>();
        if (w[i + 1].is_array()) {
            for (std::size_t k = 0; k < w[i + 1].size(); ++k)
                widths[first + static_cast<unsigned>(k)] = w[i + 1][k].get<double>();
            i += 2;
        } else {
            for (unsigned c = first; c <= w[i + 1].get<unsigned>(); ++c)
                widths[c] = w[i + 2].get<double>();
            i += 3;
        }
    }
    return widths;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
    const auto byte = [&](unsigned v) { out += static_cast<char>(v); };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xC0 | (c >> 6)), byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        byte(0xE0 | (c >> 12)), byte(0x80 | ((c >> 6) & 0x3F)), byte(0x80 | (c & 0x3F));
    } else {
        byte(0xF0 | (c >> 18)), byte(0x80 | ((c >> 12) & 0x3F)), byte(0x80 | ((c >> 6) & 0x3F)),
            byte(0x80 | (c & 0x3F));
    }
}

std::vector<EmbeddedWidths> ReadEmbeddedWidths(const std::filesystem::path& path) {
    const nlohmann::json doc =
        nlohmann::json::parse(RunCommand("qpdf --json --json-key=qpdf " + Quoted(path)).output);
    const nlohmann::json& objects = doc.at("qpdf").at(1);
    const auto object = [&](int n) -> const nlohmann::json& {
        return objects.at("obj:" + std::to_string(n) + " 0 R");
    };
    std::vector<EmbeddedWidths> fonts;
    for (const auto& [key, entry] : objects.items()) {
        const nlohmann::json& v = entry.contains("value") ? entry["value"] : nlohmann::json();
        if (!v.is_object() || v.value("/Subtype", "") != "/Type0") continue;
        const nlohmann::json& cidFont =
            object(ObjectNumber(v.at("/DescendantFonts").at(0))).at("value");
        const std::map<unsigned, double> w = ReadW(cidFont.at("/W"));
        EmbeddedWidths font{v.at("/BaseFont").get<std::string>(), {}};
        for (const auto& [cid, c] :
             ReadToUnicode(DecodedStream(path, ObjectNumber(v.at("/ToUnicode")))))
            font.widths[c] = w.count(cid) ? w.at(cid) : -1;
        fonts.push_back(std::move(font));
    }
    return fonts;
}

}  // namespace sundial::pdf::testing

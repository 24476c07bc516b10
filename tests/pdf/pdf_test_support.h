// Shared by the PDF tests: running the independent PDF tools, reading files,
// and the structural checks every written document must pass.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "pdf/creation_time.h"
#include "pdf/pdf_writer.h"

namespace sundial::pdf::testing {

struct CommandResult {
    int status = -1;
    std::string output;  // stdout and stderr together
};
CommandResult RunCommand(const std::string& command);
// Fails the test (with how to get it) when a tool is not installed.
bool HaveTool(const std::string& tool);
std::string Quoted(const std::filesystem::path& path);

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// A fresh, empty folder under the system's temporary folder, removed at the end.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

// 2024-03-07 09:05:03 at UTC+1, random digit 4, program folder /opt/sundial.
PdfEnvironment FixedEnvironment();

// `qpdf --check` passes without warnings.
::testing::AssertionResult QpdfAccepts(const std::filesystem::path& path);
// Every cross-reference entry points at "<n> 0 obj", "startxref" at "xref".
::testing::AssertionResult CrossReferenceHolds(const std::string& pdf);

// The bytes of object n's stream as qpdf decodes them.
std::string DecodedStream(const std::filesystem::path& path, int object);

// The content stream of page `page` (from 1) as written, split into lines.
std::vector<std::string> PageContentLines(const std::string& pdf, int page);

}  // namespace sundial::pdf::testing

// Shared by the PDF tests: the independent PDF tools, files, and the
// structural checks every written document must pass.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/pdf/pdf_writer.h"

namespace sundial::pdf::testing {

struct CommandResult {
    int status = -1;
    std::string output;  // stdout and stderr together
};
CommandResult RunCommand(const std::string& command);
// Fails the test, saying how to install it, when a tool is missing.
bool HaveTool(const std::string& tool);
std::string Quoted(const std::filesystem::path& path);

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// A fresh folder under the system's temporary folder, removed at the end.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

// 2024-03-07 09:05:03 at UTC+1, random digit 4.
PdfEnvironment FixedEnvironment();

// `qpdf --check` passes without warnings.
::testing::AssertionResult QpdfAccepts(const std::filesystem::path& path);
// Every cross-reference entry points at "<n> 0 obj", and "startxref" at "xref".
::testing::AssertionResult CrossReferenceHolds(const std::string& pdf);
// Object n's stream as qpdf decodes it.
std::string DecodedStream(const std::filesystem::path& path, int object);
// The lines of page `page`'s content stream (pages counted from 1).
std::vector<std::string> PageContentLines(const std::string& pdf, int page);

// An embedded Type 0 font as qpdf reads it: its /BaseFont, and for every
// code its ToUnicode map names, the character and the /W width given for it.
struct EmbeddedWidths {
    std::string baseFont;
    std::map<char32_t, double> widths;
};
std::vector<EmbeddedWidths> ReadEmbeddedWidths(const std::filesystem::path& path);
void AppendUtf8(std::string& out, char32_t c);

}  // namespace sundial::pdf::testing

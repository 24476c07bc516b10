// What the PDF writer throws. It never ends the process: every failure reaches
// the caller as one of these.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace sundial::pdf {

// The document could not be written: the file system refused (cannot create,
// disk full) or a value did not fit the file format (a number beyond single
// precision, more than 32767 objects or pages). Names the file and the reason.
class PdfWriteError : public std::runtime_error {
  public:
    PdfWriteError(std::filesystem::path path, std::string reason)
        : std::runtime_error("Could not write the PDF file \"" + path.string() + "\": " + reason),
          path_(std::move(path)),
          reason_(std::move(reason)) {}

    const std::filesystem::path& path() const noexcept { return path_; }
    const std::string& reason() const noexcept { return reason_; }

  private:
    std::filesystem::path path_;
    std::string reason_;
};

// The caller asked for something the writer cannot do (no document open, a
// style or image depth without a table, an arc without a step). Nothing was
// written for the call.
class PdfUsageError : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

}  // namespace sundial::pdf

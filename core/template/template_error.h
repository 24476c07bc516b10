// A template file that could not be written: the path and the system's reason.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace sundial::tmpl {

class TemplateWriteError : public std::runtime_error {
  public:
    TemplateWriteError(const std::filesystem::path& path, const std::string& what)
        : std::runtime_error(path.string() + ": " + what), path_(path) {}
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace sundial::tmpl

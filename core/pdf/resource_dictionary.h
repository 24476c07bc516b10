// The resources every page of a document shares (fonts, images and forms by
// the names the content streams use) and the page tree's list of pages.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sundial::pdf {

class ResourceDictionary {
  public:
    void Clear();
    // `name` in Windows-1252, as the content streams call it; `object` its number.
    void AddFont(std::string_view name, std::int32_t object);
    void AddImage(std::string_view name, std::int32_t object);
    void AddForm(std::string_view name, std::int32_t object);
    void AddPage(std::int32_t object);

    // The Resources dictionary: the font list, the procedure sets (with the
    // image ones once there is an image) and the external objects.
    std::string Text() const;
    // The page tree's /Kids entries: "5 0 R 8 0 R " (each followed by a blank).
    const std::string& Kids() const { return kids_; }

  private:
    std::string fonts_;
    std::string images_;
    std::string forms_;
    std::string kids_;
};

}  // namespace sundial::pdf

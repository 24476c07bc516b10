#include "core/pdf/resource_dictionary.h"

namespace sundial::pdf {

namespace {

// One entry of a resource list: "/Name 5 0 R " and a CR.
void AddEntry(std::string& list, std::string_view name, std::int32_t object) {
    list += '/';
    list += name;
    list += ' ';
    list += std::to_string(object);
    list += " 0 R \r";
}

}  // namespace

void ResourceDictionary::Clear() {
    fonts_.clear();
    images_.clear();
    forms_.clear();
    kids_.clear();
}

void ResourceDictionary::AddFont(std::string_view name, std::int32_t object) {
    AddEntry(fonts_, name, object);
}

void ResourceDictionary::AddImage(std::string_view name, std::int32_t object) {
    AddEntry(images_, name, object);
}

void ResourceDictionary::AddForm(std::string_view name, std::int32_t object) {
    AddEntry(forms_, name, object);
}

void ResourceDictionary::AddPage(std::int32_t object) {
    kids_ += std::to_string(object);
    kids_ += " 0 R ";
}

std::string ResourceDictionary::Text() const {
    std::string text = "<<\r";
    if (!fonts_.empty()) text += "/Font <<\r" + fonts_ + ">>\r";
    text += "/ProcSet [/PDF /Text";
    if (!images_.empty()) text += " /ImageB /ImageC /ImageI";
    text += " ]\r";
    // A blank line between images and forms, even when one list is empty.
    if (!images_.empty() || !forms_.empty())
        text += "/XObject <<\r" + images_ + "\r" + forms_ + ">>\r";
    text += ">>";
    return text;
}

}  // namespace sundial::pdf

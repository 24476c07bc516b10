// libFuzzer entry for the dial project reader: any bytes. The sanitizers catch
// a read past the input; the checks below catch a project that is only partly
// sound: whatever the reader gives must be whole, so it must write and read
// back as itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/project/dial_project.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace sundial::project;
    const ProjectRead read = ParseProject({reinterpret_cast<const char*>(data), size});
    if (read.project.has_value() == !read.message.empty()) std::abort();
    if (!read.project) return 0;
    const ProjectRead again = ParseProject(ProjectJson(*read.project));
    if (!again.project || !(*again.project == *read.project)) std::abort();
    return 0;
}

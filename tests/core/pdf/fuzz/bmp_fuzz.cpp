// libFuzzer entry for the BMP reader: any bytes, both colour spaces. The
// sanitizers catch a read past the input; the checks below catch a result the
// image writer could not use.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/pdf/bmp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const std::int32_t colorSpace : {0, 1}) {
        const auto image = sundial::pdf::ParseBMP({data, size}, colorSpace);
        if (!image) continue;
        const auto width = static_cast<std::size_t>(image->width);
        const auto height = static_cast<std::size_t>(image->height);
        const std::size_t bpp = image->bitsPerPixel;
        const std::size_t perPixel = colorSpace == 0 ? 3 : 1;
        const std::size_t needed =
            bpp == 24 ? width * height * perPixel : (width * bpp + 7) / 8 * height;
        if (width == 0 || height == 0 || image->samples.size() < needed) std::abort();
        if (image->samples.size() > size) std::abort();  // never more than the file held
        if (bpp <= 8 && image->palette.size() != (std::size_t{1} << bpp) * perPixel) std::abort();
    }
    return 0;
}

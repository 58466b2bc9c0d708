// Feeds arbitrary bytes to the reader of the X resource text as the desktop's database. It may
// find no resolution, but never crashes, and what it finds lies in the range it promises.

#include "host/DisplayResolution.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int dpi = host::XftDpiFromResources(std::string_view(reinterpret_cast<const char*>(data), size));
    if (dpi != 0 && (dpi < 1 || dpi > 10000))
        std::abort();
    return 0;
}

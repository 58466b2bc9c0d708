// Icon files of any content: the directory and the chosen image must decode or be refused.
#include "framework/graphics/IconFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (int side : {16, 48})
        if (auto bmp = framework::LoadIconFromBytes(bytes, side, side))
            if (bmp->Width() != side || bmp->Height() != side)
                __builtin_trap();
    return 0;
}

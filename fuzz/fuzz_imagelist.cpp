// Image-list files of any content: read, or refused with the framework's error.
#include "framework/controls/ImageListFile.h"
#include "framework/rtl/Exceptions.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::unique_ptr<framework::TImageList, framework::TFreeDeleter> list(
        framework::Create<framework::TImageList>(nullptr));
    try {
        framework::ImageListFromBytes(std::string_view(reinterpret_cast<const char*>(data), size), *list,
                                      "fuzz");
        // What was read writes back to the same bytes' meaning.
        framework::ImageListFromBytes(framework::ImageListToBytes(*list), *list, "again");
    } catch (const framework::Exception&) {}
    return 0;
}

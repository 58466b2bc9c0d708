// Constants source text of any content: pairs come out, every number 0 or more.
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Files.h"
#include "imaging/tool_imagelist_master.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string file = "/tmp/fuzz_iconconsts." + std::to_string(getpid()) + ".pas";
    framework::WriteFileAtomic(file, std::string(reinterpret_cast<const char*>(data), size));
    std::unique_ptr<framework::TStringList> pairs(lm7::ComputeMASTER_16_ConstsForIcons(file));
    for (int i = 0; i < pairs->Count(); ++i)
        if (framework::TStrings::ObjectToInt(pairs->Objects(i)) < 0 || pairs->StringRef(i).size() < 3)
            __builtin_trap();
    return 0;
}

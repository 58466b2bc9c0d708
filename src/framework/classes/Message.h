#pragma once
// A window message as the classic framework passes it: a number, two 32-bit parameters and a
// result. Handlers are found by number in each class's table (TClassInfo::Message); a message
// that no class handles reaches DefaultHandler.

#include <cstdint>

namespace framework {

struct TMessage {
    std::uint32_t Msg = 0;
    std::uint32_t WParam = 0;
    std::int32_t LParam = 0;
    std::intptr_t Result = 0;
};

}  // namespace framework

#include "sibling/My_string_functions.h"

#include <cstdint>

namespace sibling {

void AddToListWithSeparatorIfNeeded(std::string& Line, std::string_view Text, std::string_view Separator) {
    if (!Line.empty())
        Line += Separator;
    Line += Text;
}

namespace {

// Each byte is mixed with a key that changes with its position, so repeated letters do not
// show as repeated numbers. This hides a password from a glance at the file; it is not
// encryption.
std::uint8_t KeyAt(std::size_t i) { return static_cast<std::uint8_t>(0x5A + 37 * i + ((i * i) >> 1)); }

}  // namespace

std::string PwdToNumStr(std::string_view Password) {
    std::string out;
    out.reserve(Password.size() * 3);
    for (std::size_t i = 0; i < Password.size(); ++i) {
        const unsigned v = static_cast<std::uint8_t>(Password[i]) ^ KeyAt(i);
        out += static_cast<char>('0' + v / 100);
        out += static_cast<char>('0' + v / 10 % 10);
        out += static_cast<char>('0' + v % 10);
    }
    return out;
}

std::string FromNumStr(std::string_view NumStr) {
    if (NumStr.size() % 3 != 0)
        return {};
    std::string out;
    out.reserve(NumStr.size() / 3);
    for (std::size_t i = 0; i < NumStr.size(); i += 3) {
        unsigned v = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            const char c = NumStr[i + k];
            if (c < '0' || c > '9')
                return {};
            v = v * 10 + static_cast<unsigned>(c - '0');
        }
        if (v > 255)
            return {};
        out += static_cast<char>(v ^ KeyAt(i / 3));
    }
    return out;
}

}  // namespace sibling

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
    std::string out(Password.size() * 3, '0');
    char* digits = out.data();
    for (std::size_t i = 0; i < Password.size(); ++i, digits += 3) {
        const unsigned v = static_cast<std::uint8_t>(Password[i]) ^ KeyAt(i);
        digits[0] = static_cast<char>('0' + v / 100);
        digits[1] = static_cast<char>('0' + v / 10 % 10);
        digits[2] = static_cast<char>('0' + v % 10);
    }
    return out;
}

std::string FromNumStr(std::string_view NumStr) {
    if (NumStr.size() % 3 != 0)
        return {};
    std::string out(NumStr.size() / 3, '\0');
    for (std::size_t n = 0; n < out.size(); ++n) {
        const auto d0 = static_cast<unsigned>(NumStr[3 * n] - '0');
        const auto d1 = static_cast<unsigned>(NumStr[3 * n + 1] - '0');
        const auto d2 = static_cast<unsigned>(NumStr[3 * n + 2] - '0');
        // A byte that is no digit wraps round to a large number.
        if (d0 > 9 || d1 > 9 || d2 > 9)
            return {};
        const unsigned v = d0 * 100 + d1 * 10 + d2;
        if (v > 255)
            return {};
        out[n] = static_cast<char>(v ^ KeyAt(n));
    }
    return out;
}

}  // namespace sibling

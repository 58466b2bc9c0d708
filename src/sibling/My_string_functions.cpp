#include "sibling/My_string_functions.h"

#include <array>
#include <cstdint>
#include <cstring>

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

// "000" to "255": the three digits of every byte value.
constexpr auto kByteDigits = [] {
    std::array<std::array<char, 3>, 256> digits{};
    for (std::size_t v = 0; v < digits.size(); ++v)
        digits[v] = {static_cast<char>('0' + v / 100), static_cast<char>('0' + v / 10 % 10),
                     static_cast<char>('0' + v % 10)};
    return digits;
}();

}  // namespace

void PwdToNumStr(std::string_view Password, std::string& NumStr) {
    NumStr.resize(Password.size() * 3);
    char* digits = NumStr.data();
    for (std::size_t i = 0; i < Password.size(); ++i, digits += 3)
        std::memcpy(digits, kByteDigits[static_cast<std::uint8_t>(Password[i]) ^ KeyAt(i)].data(), 3);
}

std::string PwdToNumStr(std::string_view Password) {
    std::string out;
    PwdToNumStr(Password, out);
    return out;
}

namespace {

// Whether the eight bytes at p are all decimal digits: each has the high half 3, and adding 6
// to it carries out of the low half for none. With the high halves 3, no byte carries into
// the next.
bool Digits8(const unsigned char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0, kThrees = 0x3030303030303030;
    constexpr std::uint64_t kSixes = 0x0606060606060606;
    return (((w & kHigh) ^ kThrees) | (((w + kSixes) & kHigh) ^ kThrees)) == 0;
}

bool AllDigits(const unsigned char* p, std::size_t size) {
    if (size < 8) {
        for (std::size_t i = 0; i < size; ++i)
            if (static_cast<unsigned>(p[i] - '0') > 9)
                return false;
        return true;
    }
    for (std::size_t i = 0; i + 8 < size; i += 8)
        if (!Digits8(p + i))
            return false;
    return Digits8(p + size - 8);  // the last eight, overlapping those before
}

}  // namespace

std::string FromNumStr(std::string_view NumStr) {
    const auto* in = reinterpret_cast<const unsigned char*>(NumStr.data());
    if (NumStr.size() % 3 != 0 || !AllDigits(in, NumStr.size()))
        return {};
    const std::size_t count = NumStr.size() / 3;
    std::string out(count, '\0');
    char* to = out.data();
    // A number above 255 spoils the result; it is told once at the end.
    unsigned numbers = 0;
    unsigned key = KeyAt(0);
    for (std::size_t n = 0; n < count; ++n, in += 3) {
        const unsigned v = (in[0] - '0') * 100u + (in[1] - '0') * 10u + (in[2] - '0');
        numbers |= v;
        to[n] = static_cast<char>(v ^ key);
        // KeyAt(n + 1) - KeyAt(n) is 37 + n, plus 1 for an odd n; only the low byte counts.
        key += 37 + static_cast<unsigned>(n + (n & 1));
    }
    if (numbers > 255)
        out.clear();
    return out;
}

}  // namespace sibling

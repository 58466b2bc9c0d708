#include "framework/rtl/IntConv.h"

#include "framework/rtl/Exceptions.h"

#include <algorithm>

namespace framework {
namespace {

// Up to nine decimal digits and nothing else, the usual text, fit every result type: they
// are read without the checks of the general reader.
bool ParseShortDecimal(std::string_view s, std::int64_t& value) {
    if (s.empty() || s.size() > 9)
        return false;
    std::int64_t v = 0;
    for (const char c : s) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    value = v;
    return true;
}

// Reads S into `bits` significant bits. Decimal values must fit the signed range; hexadecimal
// ones the unsigned range of the same width, whose bits are then taken as signed.
bool ParseInteger(std::string_view s, int bits, std::int64_t& value) {
    if (ParseShortDecimal(s, value))
        return true;
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true;
        ++i;
    } else if (i < s.size() && (s[i] == 'x' || s[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == s.size())
        return false;
    const std::uint64_t unsignedMax = bits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
    const std::uint64_t limit = hex        ? unsignedMax
                                : negative ? (std::uint64_t{1} << (bits - 1))
                                           : (std::uint64_t{1} << (bits - 1)) - 1;
    const unsigned base = hex ? 16 : 10;
    // v * base + digit stays within limit while v is below these (one division per number).
    const std::uint64_t maxBefore = limit / base;
    const unsigned maxLastDigit = static_cast<unsigned>(limit % base);
    std::uint64_t v = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        unsigned digit = 0;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (hex && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (hex && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
        if (v > maxBefore || (v == maxBefore && digit > maxLastDigit))
            return false;
        v = v * base + digit;
    }
    if (hex && bits == 32)
        v = static_cast<std::uint64_t>(
            static_cast<std::int64_t>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v))));
    value = static_cast<std::int64_t>(negative ? std::uint64_t{0} - v : v);
    return true;
}

}  // namespace

std::string detail::HexDigits(std::uint64_t v, int digits) {
    std::string out;
    do {
        out.insert(out.begin(), "0123456789ABCDEF"[v & 0xF]);
        v >>= 4;
    } while (v != 0);
    const auto want = static_cast<std::size_t>(std::clamp(digits, 0, 32));
    if (out.size() < want)
        out.insert(0, want - out.size(), '0');
    return out;
}

namespace {

[[noreturn]] void NotAnInteger(std::string_view s) {
    throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
}

}  // namespace

bool TryStrToInt(std::string_view S, int& Value) {
    std::int64_t v = 0;
    if (!ParseInteger(S, 32, v))
        return false;
    Value = static_cast<int>(v);
    return true;
}

bool TryStrToInt64(std::string_view S, std::int64_t& Value) { return ParseInteger(S, 64, Value); }

int StrToInt(std::string_view S) {
    int v = 0;
    if (!TryStrToInt(S, v))
        NotAnInteger(S);
    return v;
}

std::int64_t StrToInt64(std::string_view S) {
    std::int64_t v = 0;
    if (!TryStrToInt64(S, v))
        NotAnInteger(S);
    return v;
}

int StrToIntDef(std::string_view S, int Default) {
    int v = 0;
    return TryStrToInt(S, v) ? v : Default;
}

std::int64_t StrToInt64Def(std::string_view S, std::int64_t Default) {
    std::int64_t v = 0;
    return TryStrToInt64(S, v) ? v : Default;
}

}  // namespace framework

#include "framework/rtl/Unicode.h"

#include <cstdint>
#include <cstring>

namespace framework {
namespace {

bool InRange(unsigned char b, unsigned lo, unsigned hi) { return b >= lo && b <= hi; }

// Decodes one sequence; on failure returns false with `length` set to the bytes to skip.
bool DecodeOne(std::string_view s, std::size_t pos, char32_t& cp, std::size_t& length) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    length = 1;
    if (b0 < 0x80) {
        cp = b0;
        return true;
    }
    int need = 0;
    unsigned lo = 0x80, hi = 0xBF;
    if (InRange(b0, 0xC2, 0xDF)) {
        need = 1;
        cp = b0 & 0x1Fu;
    } else if (InRange(b0, 0xE0, 0xEF)) {
        need = 2;
        cp = b0 & 0x0Fu;
        if (b0 == 0xE0)
            lo = 0xA0;  // no overlong forms
        else if (b0 == 0xED)
            hi = 0x9F;  // no surrogates
    } else if (InRange(b0, 0xF0, 0xF4)) {
        need = 3;
        cp = b0 & 0x07u;
        if (b0 == 0xF0)
            lo = 0x90;
        else if (b0 == 0xF4)
            hi = 0x8F;  // nothing beyond U+10FFFF
    } else {
        return false;
    }
    for (int k = 0; k < need; ++k) {
        if (pos + length >= s.size())
            return false;
        const auto b = static_cast<unsigned char>(s[pos + length]);
        if (!InRange(b, k == 0 ? lo : 0x80, k == 0 ? hi : 0xBF))
            return false;
        cp = (cp << 6) | (b & 0x3Fu);
        ++length;
    }
    return true;
}

// Runs of plain ASCII, the bulk of most text, are passed eight bytes at a time.
std::size_t SkipAscii(std::string_view s, std::size_t pos) {
    std::uint64_t word = 0;
    for (; pos + sizeof word <= s.size(); pos += sizeof word) {
        std::memcpy(&word, s.data() + pos, sizeof word);
        if (word & 0x8080808080808080u)
            break;
    }
    return pos;
}

// Pairs where the upper case is the even code point and the lower case the odd one after it.
bool EvenUpperPair(char32_t c) {
    return (c >= 0x0100 && c <= 0x012F) || (c >= 0x0132 && c <= 0x0137) || (c >= 0x014A && c <= 0x0177) ||
           (c >= 0x03D8 && c <= 0x03EF) || (c >= 0x0460 && c <= 0x0481) || (c >= 0x048A && c <= 0x04BF) ||
           (c >= 0x04D0 && c <= 0x052F);
}
// Pairs where the upper case is the odd code point and the lower case the even one after it.
bool OddUpperPair(char32_t c) {
    return (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E) || (c >= 0x04C1 && c <= 0x04CE);
}

}  // namespace

char32_t Utf8Decode(std::string_view S, std::size_t& Pos) {
    char32_t cp = 0;
    std::size_t length = 1;
    const bool ok = DecodeOne(S, Pos, cp, length);
    Pos += length;
    return ok ? cp : kReplacementChar;
}

void Utf8Append(std::string& Out, char32_t C) {
    if ((C >= 0xD800 && C <= 0xDFFF) || C > 0x10FFFF)
        C = kReplacementChar;
    if (C < 0x80) {
        Out += static_cast<char>(C);
    } else if (C < 0x800) {
        Out += static_cast<char>(0xC0 | (C >> 6));
        Out += static_cast<char>(0x80 | (C & 0x3F));
    } else if (C < 0x10000) {
        Out += static_cast<char>(0xE0 | (C >> 12));
        Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (C & 0x3F));
    } else {
        Out += static_cast<char>(0xF0 | (C >> 18));
        Out += static_cast<char>(0x80 | ((C >> 12) & 0x3F));
        Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (C & 0x3F));
    }
}

std::size_t Utf8Length(std::string_view S) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < S.size(); ++count)
        Utf8Decode(S, pos);
    return count;
}

std::string Utf8Copy(std::string_view S, std::size_t Start, std::size_t Count) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < Start && pos < S.size(); ++i)
        Utf8Decode(S, pos);
    const std::size_t from = pos;
    for (std::size_t i = 0; i < Count && pos < S.size(); ++i)
        Utf8Decode(S, pos);
    return std::string(S.substr(from, pos - from));
}

bool IsValidUtf8(std::string_view S) {
    char32_t cp = 0;
    std::size_t length = 0;
    for (std::size_t pos = 0; pos < S.size(); pos += length) {
        pos = SkipAscii(S, pos);
        if (pos == S.size())
            break;
        if (!DecodeOne(S, pos, cp, length))
            return false;
    }
    return true;
}

std::string Utf8Repair(std::string_view S) {
    std::string out;
    out.reserve(S.size());
    char32_t cp = 0;
    std::size_t length = 0;
    for (std::size_t pos = 0; pos < S.size(); pos += length) {
        if (DecodeOne(S, pos, cp, length))
            out.append(S.substr(pos, length));
        else
            Utf8Append(out, kReplacementChar);
    }
    return out;
}

std::string Windows1252ToUtf8(std::string_view S) {
    // 0x80 to 0x9F hold typographic signs; the five places Windows-1252 leaves empty map to
    // the control characters of the same number, as Windows maps them.
    static constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::string out;
    out.reserve(S.size() + S.size() / 8);
    for (const char c : S) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out += c;
        else
            Utf8Append(out, b < 0xA0 ? kHigh[b - 0x80] : b);
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view S) {
    std::u16string out;
    out.reserve(S.size());
    for (std::size_t pos = 0; pos < S.size();) {
        const char32_t cp = Utf8Decode(S, pos);
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view S) {
    std::string out;
    out.reserve(S.size());
    for (std::size_t i = 0; i < S.size(); ++i) {
        const char16_t u = S[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < S.size() && S[i + 1] >= 0xDC00 && S[i + 1] <= 0xDFFF) {
            Utf8Append(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (S[i + 1] - 0xDC00));
            ++i;
        } else {
            Utf8Append(out, u);  // a lone surrogate becomes U+FFFD there
        }
    }
    return out;
}

char32_t UnicodeToUpper(char32_t c) {
    if (c < 0x80)
        return c >= 'a' && c <= 'z' ? c - 32 : c;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return c - 0x20;
    if (c == 0xFF)
        return 0x178;
    if (EvenUpperPair(c))
        return c & ~char32_t{1};
    if (OddUpperPair(c))
        return (c & 1) ? c : c - 1;
    switch (c) {
    case 0x131:
        return 'I';  // dotless i
    case 0x17F:
        return 'S';  // long s
    case 0x3C2:
        return 0x3A3;  // final sigma
    case 0x3AC:
        return 0x386;
    case 0x3CC:
        return 0x38C;
    case 0x4CF:
        return 0x4C0;
    default:
        break;
    }
    if (c >= 0x3B1 && c <= 0x3CB)  // Greek small letters, with dialytika at the end
        return c - 0x20;
    if (c >= 0x3AD && c <= 0x3AF)
        return c - 0x25;
    if (c >= 0x3CD && c <= 0x3CE)
        return c - 0x3F;
    if (c >= 0x430 && c <= 0x44F)
        return c - 0x20;
    if (c >= 0x450 && c <= 0x45F)
        return c - 0x50;
    return c;
}

char32_t UnicodeToLower(char32_t c) {
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + 32 : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 0x20;
    if (c == 0x178)
        return 0xFF;
    if (EvenUpperPair(c))
        return c | 1;
    if (OddUpperPair(c))
        return (c & 1) ? c + 1 : c;
    switch (c) {
    case 0x130:
        return 'i';  // capital I with dot
    case 0x386:
        return 0x3AC;
    case 0x38C:
        return 0x3CC;
    case 0x4C0:
        return 0x4CF;
    default:
        break;
    }
    if ((c >= 0x391 && c <= 0x3AB && c != 0x3A2))
        return c + 0x20;
    if (c >= 0x388 && c <= 0x38A)
        return c + 0x25;
    if (c >= 0x38E && c <= 0x38F)
        return c + 0x3F;
    if (c >= 0x410 && c <= 0x42F)
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    return c;
}

namespace {

template <class Map> std::string MapCase(std::string_view s, Map map) {
    std::string out;
    out.reserve(s.size());
    char32_t cp = 0;
    std::size_t length = 0;
    for (std::size_t pos = 0; pos < s.size(); pos += length) {
        if (DecodeOne(s, pos, cp, length))
            Utf8Append(out, map(cp));
        else
            out.append(s.substr(pos, length));
    }
    return out;
}

}  // namespace

std::string Utf8UpperCase(std::string_view S) { return MapCase(S, UnicodeToUpper); }
std::string Utf8LowerCase(std::string_view S) { return MapCase(S, UnicodeToLower); }

}  // namespace framework

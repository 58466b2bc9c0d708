#include "framework/rtl/StrUtils.h"

#include "framework/rtl/Unicode.h"

#include <algorithm>
#include <vector>

namespace framework {
namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

int Sign(long long v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

// The unaccented capital a letter sorts under, for the Latin letters of Latin-1 and Latin
// Extended-A; other code points sort as their upper case.
constexpr char kLatin1Base[] = "AAAAAAACEEEEIIIIDNOOOOO\0OUUUUY\0S";  // U+00C0..U+00DF
constexpr char kLatinExtABase[] = "AAAAAACCCCCCCCDDDDEEEEEEEEEEGGGGGGGGHHHHIIIIIIIIIIIIJJKKK"
                                  "LLLLLLLLLLNNNNNNNNNOOOOOOOORRRRRRSSSSSSSSTTTTTTUUUUUUUUUUUU"
                                  "WWYYYZZZZZZS";  // U+0100..U+017F

static_assert(sizeof(kLatin1Base) == 0x20 + 1 && sizeof(kLatinExtABase) == 0x80 + 1);

char32_t PrimaryKey(char32_t upper) {
    if (upper >= 0xC0 && upper <= 0xDF) {
        const char base = kLatin1Base[upper - 0xC0];
        return base ? static_cast<char32_t>(base) : upper;
    }
    if (upper >= 0x100 && upper <= 0x17F)
        return static_cast<char32_t>(kLatinExtABase[upper - 0x100]);
    return upper;
}

// Compares letters first without accents and case, then without case, then (when asked)
// lower case before upper case.
int CollateCompare(std::string_view a, std::string_view b, bool caseSensitive) {
    std::size_t i = 0, j = 0;
    int secondary = 0, tertiary = 0;
    while (i < a.size() && j < b.size()) {
        // Equal ASCII bytes are equal at every level: no decoding needed.
        if (a[i] == b[j] && static_cast<unsigned char>(a[i]) < 0x80) {
            ++i;
            ++j;
            continue;
        }
        // Different ASCII bytes: their upper case is their primary key.
        if ((static_cast<unsigned char>(a[i]) | static_cast<unsigned char>(b[j])) < 0x80) {
            const char ca = a[i++], cb = b[j++];
            const char ua = AsciiUpper(ca), ub = AsciiUpper(cb);
            if (ua != ub)
                return ua < ub ? -1 : 1;
            if (tertiary == 0)
                tertiary = (ca == ua) ? 1 : -1;  // they differ in case only
            continue;
        }
        const char32_t ca = Utf8Decode(a, i);
        const char32_t cb = Utf8Decode(b, j);
        if (ca == cb)
            continue;
        const char32_t ua = UnicodeToUpper(ca), ub = UnicodeToUpper(cb);
        const char32_t pa = PrimaryKey(ua), pb = PrimaryKey(ub);
        if (pa != pb)
            return pa < pb ? -1 : 1;
        if (secondary == 0 && ua != ub)
            secondary = ua < ub ? -1 : 1;
        if (tertiary == 0 && ca != cb)
            tertiary = (ca == ua) ? 1 : -1;  // the upper-case one sorts after
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    if (secondary != 0)
        return secondary;
    return caseSensitive ? tertiary : 0;
}

std::string Copy(std::string_view s, char (*map)(char)) {
    std::string out(s);
    for (char& c : out)
        c = map(c);
    return out;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

int CompareStr(std::string_view S1, std::string_view S2) { return Sign(S1.compare(S2)); }
bool SameStr(std::string_view S1, std::string_view S2) { return S1 == S2; }

int CompareText(std::string_view S1, std::string_view S2) {
    const std::size_t n = std::min(S1.size(), S2.size());
    for (std::size_t k = 0; k < n; ++k) {
        const auto a = static_cast<unsigned char>(AsciiUpper(S1[k]));
        const auto b = static_cast<unsigned char>(AsciiUpper(S2[k]));
        if (a != b)
            return a < b ? -1 : 1;
    }
    return Sign(static_cast<long long>(S1.size()) - static_cast<long long>(S2.size()));
}

bool SameText(std::string_view S1, std::string_view S2) {
    return S1.size() == S2.size() && CompareText(S1, S2) == 0;
}

std::string UpperCase(std::string_view S) { return Copy(S, AsciiUpper); }
std::string LowerCase(std::string_view S) { return Copy(S, AsciiLower); }

int AnsiCompareText(std::string_view S1, std::string_view S2) { return CollateCompare(S1, S2, false); }
bool AnsiSameText(std::string_view S1, std::string_view S2) { return CollateCompare(S1, S2, false) == 0; }
int AnsiCompareStr(std::string_view S1, std::string_view S2) {
    const int c = CollateCompare(S1, S2, true);
    // Texts that differ only in ill-formed bytes still must not compare equal.
    return c != 0 ? c : CompareStr(S1, S2);
}
std::string AnsiUpperCase(std::string_view S) { return Utf8UpperCase(S); }
std::string AnsiLowerCase(std::string_view S) { return Utf8LowerCase(S); }

std::string Trim(std::string_view S) { return std::string(TrimView(S)); }

std::string TrimLeft(std::string_view S) {
    std::size_t i = 0;
    while (i < S.size() && IsBlank(S[i]))
        ++i;
    return std::string(S.substr(i));
}

std::string TrimRight(std::string_view S) {
    std::size_t n = S.size();
    while (n > 0 && IsBlank(S[n - 1]))
        --n;
    return std::string(S.substr(0, n));
}

std::string StringReplace(std::string_view S, std::string_view OldPattern, std::string_view NewPattern,
                          TReplaceFlags Flags) {
    if (OldPattern.empty())
        return std::string(S);
    const bool all = Flags.Contains(rfReplaceAll);
    std::string out;
    if (!Flags.Contains(rfIgnoreCase)) {
        std::size_t pos = 0;
        while (true) {
            const std::size_t hit = S.find(OldPattern, pos);
            if (hit == std::string_view::npos)
                break;
            out.append(S.substr(pos, hit - pos));
            out.append(NewPattern);
            pos = hit + OldPattern.size();
            if (!all)
                break;
        }
        out.append(S.substr(pos));
        return out;
    }
    // Match on upper-cased code points; a folded letter may differ in byte length from the
    // original, so keep where each code point starts in S.
    std::vector<char32_t> text, pattern;
    std::vector<std::size_t> starts;
    for (std::size_t pos = 0; pos < S.size();) {
        starts.push_back(pos);
        text.push_back(UnicodeToUpper(Utf8Decode(S, pos)));
    }
    starts.push_back(S.size());
    for (std::size_t pos = 0; pos < OldPattern.size();)
        pattern.push_back(UnicodeToUpper(Utf8Decode(OldPattern, pos)));
    std::size_t cp = 0, copied = 0;
    while (true) {
        const auto hit = std::search(text.begin() + static_cast<std::ptrdiff_t>(cp), text.end(),
                                     pattern.begin(), pattern.end());
        if (hit == text.end())
            break;
        const auto at = static_cast<std::size_t>(hit - text.begin());
        out.append(S.substr(copied, starts[at] - copied));
        out.append(NewPattern);
        cp = at + pattern.size();
        copied = starts[cp];
        if (!all)
            break;
    }
    out.append(S.substr(copied));
    return out;
}

std::string AnsiQuotedStr(std::string_view S, char Quote) {
    std::string out(1, Quote);
    for (char c : S) {
        out += c;
        if (c == Quote)
            out += Quote;
    }
    out += Quote;
    return out;
}

std::string QuotedStr(std::string_view S) { return AnsiQuotedStr(S, '\''); }

std::string AnsiDequotedStr(std::string_view S, char Quote) {
    if (S.empty() || S[0] != Quote)
        return std::string(S);
    std::string out;
    for (std::size_t i = 1; i < S.size(); ++i) {
        if (S[i] == Quote) {
            if (i + 1 < S.size() && S[i + 1] == Quote) {
                out += Quote;
                ++i;
            } else {
                break;
            }
        } else {
            out += S[i];
        }
    }
    return out;
}

}  // namespace framework

#pragma once
// String comparison, case, trimming, replacing and quoting. Plain names (SameText, UpperCase)
// fold ASCII letters only and are the same on every machine; the Ansi names fold letters of
// the Latin, Greek and Cyrillic alphabets as well.

#include <initializer_list>
#include <string>
#include <string_view>

namespace framework {

// Ordinal comparisons: negative, zero or positive as S1 sorts before, with or after S2.
int CompareStr(std::string_view S1, std::string_view S2);
bool SameStr(std::string_view S1, std::string_view S2);
// ASCII letters compared as upper case: "a_" sorts after "AB", as the classic compare has it.
int CompareText(std::string_view S1, std::string_view S2);
bool SameText(std::string_view S1, std::string_view S2);
std::string UpperCase(std::string_view S);
std::string LowerCase(std::string_view S);

// Letters compared without case first and then accents ("a" < "Ä" < "b"), then by code point,
// so that only equal texts compare equal apart from case.
int AnsiCompareText(std::string_view S1, std::string_view S2);
bool AnsiSameText(std::string_view S1, std::string_view S2);
// Case-sensitive, with the same letter order: "a" < "A" < "b".
int AnsiCompareStr(std::string_view S1, std::string_view S2);
std::string AnsiUpperCase(std::string_view S);
std::string AnsiLowerCase(std::string_view S);

// Remove characters up to and including ' ' (spaces, tabs, line breaks, other controls).
std::string Trim(std::string_view S);
// Trim without a copy: the part of S that Trim keeps.
inline std::string_view TrimView(std::string_view S) {
    while (!S.empty() && static_cast<unsigned char>(S.front()) <= ' ')
        S.remove_prefix(1);
    while (!S.empty() && static_cast<unsigned char>(S.back()) <= ' ')
        S.remove_suffix(1);
    return S;
}
std::string TrimLeft(std::string_view S);
std::string TrimRight(std::string_view S);

enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };

// A set of replace flags, written as in StringReplace(S, "a", "b", {rfReplaceAll, rfIgnoreCase}).
class TReplaceFlags {
public:
    TReplaceFlags() = default;
    TReplaceFlags(std::initializer_list<TReplaceFlag> flags) {
        for (TReplaceFlag f : flags)
            m_bits |= 1u << f;
    }
    bool Contains(TReplaceFlag f) const { return (m_bits & (1u << f)) != 0; }

private:
    unsigned m_bits = 0;
};

// Replaces the first (or with rfReplaceAll every) occurrence of OldPattern; rfIgnoreCase
// matches with the Ansi case folding. An empty OldPattern leaves S unchanged.
std::string StringReplace(std::string_view S, std::string_view OldPattern, std::string_view NewPattern,
                          TReplaceFlags Flags = {});

// 'It''s' style quoting: Quote around S, each Quote inside doubled.
std::string AnsiQuotedStr(std::string_view S, char Quote);
std::string QuotedStr(std::string_view S);
// The reverse of AnsiQuotedStr; text that does not start with Quote comes back unchanged, and
// a missing closing quote takes the rest of the text.
std::string AnsiDequotedStr(std::string_view S, char Quote);

// The value of one hexadecimal digit, or -1 for any other character.
inline int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace framework

#include "framework/controls/EditText.h"

#include "framework/rtl/Unicode.h"

namespace framework {

namespace {

constexpr char32_t kZeroWidthJoiner = 0x200D;

bool isRegionalIndicator(char32_t C) { return C >= 0x1F1E6 && C <= 0x1F1FF; }

bool inAny(char32_t C, std::initializer_list<std::pair<char32_t, char32_t>> Ranges) {
    for (const auto& [lo, hi] : Ranges)
        if (C >= lo && C <= hi)
            return true;
    return false;
}

bool isContinuation(char Byte) { return (static_cast<unsigned char>(Byte) & 0xC0) == 0x80; }

// The start of the code point that ends at Pos.
std::size_t prevCodePoint(std::string_view S, std::size_t Pos) {
    std::size_t p = Pos - 1;
    while (p > 0 && isContinuation(S[p]) && Pos - p < 4)
        --p;
    return p;
}

char32_t codePointAt(std::string_view S, std::size_t Pos) { return Utf8Decode(S, Pos); }

// Whether a character ends before Pos: Pos starts a code point that joins nothing before it.
bool isBoundary(std::string_view S, std::size_t Pos) {
    if (Pos == 0 || Pos >= S.size())
        return true;
    if (isContinuation(S[Pos]))
        return false;
    const char32_t c = codePointAt(S, Pos);
    if (IsCharExtender(c))
        return false;
    const std::size_t q = prevCodePoint(S, Pos);
    const char32_t before = codePointAt(S, q);
    if (before == kZeroWidthJoiner)
        return false;
    if (isRegionalIndicator(c) && isRegionalIndicator(before)) {
        // Flags are pairs: count the indicators before to know where a pair starts.
        std::size_t run = 0;
        for (std::size_t p = q;; p = prevCodePoint(S, p)) {
            if (!isRegionalIndicator(codePointAt(S, p)))
                break;
            ++run;
            if (p == 0)
                break;
        }
        return run % 2 == 0;
    }
    return true;
}

enum class CharClass { Space, Word, Other };

CharClass classOf(char32_t C) {
    if (C == U' ' || C == U'\t' || C == 0xA0 || C == 0x3000 || (C >= 0x2000 && C <= 0x200A))
        return CharClass::Space;
    return IsWordChar(C) ? CharClass::Word : CharClass::Other;
}

CharClass classAt(std::string_view S, std::size_t Pos) { return classOf(codePointAt(S, Pos)); }

}  // namespace

bool IsCharExtender(char32_t C) {
    if (C < 0x300)
        return false;
    return inAny(
        C, {{0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD},   {0x05BF, 0x05BF},   {0x05C1, 0x05C2},
            {0x05C4, 0x05C5}, {0x05C7, 0x05C7}, {0x0610, 0x061A},   {0x064B, 0x065F},   {0x0670, 0x0670},
            {0x06D6, 0x06DC}, {0x06DF, 0x06E4}, {0x06E7, 0x06E8},   {0x06EA, 0x06ED},   {0x0711, 0x0711},
            {0x0730, 0x074A}, {0x0900, 0x0903}, {0x093A, 0x093C},   {0x093E, 0x094F},   {0x0951, 0x0957},
            {0x0962, 0x0963}, {0x0E31, 0x0E31}, {0x0E34, 0x0E3A},   {0x0E47, 0x0E4E},   {0x1AB0, 0x1AFF},
            {0x1DC0, 0x1DFF}, {0x200C, 0x200D}, {0x20D0, 0x20FF},   {0x302A, 0x302F},   {0x3099, 0x309A},
            {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F}, {0x1F3FB, 0x1F3FF}, {0xE0020, 0xE007F}, {0xE0100, 0xE01EF}});
}

bool IsWordChar(char32_t C) {
    if (C < 0x80)
        return (C >= '0' && C <= '9') || (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_';
    if (C < 0xC0)
        return C == 0xAA || C == 0xB5 || C == 0xBA;
    return !(C == 0xD7 || C == 0xF7 || C == 0x05BE || C == 0x05C0 || C == 0x05C3 || C == 0x05C6 ||
             inAny(C, {{0x05F3, 0x05F4},
                       {0x060C, 0x060D},
                       {0x061B, 0x061F},
                       {0x066A, 0x066D},
                       {0x06D4, 0x06D4},
                       {0x2000, 0x200B},
                       {0x200E, 0x206F},
                       {0x2E00, 0x2E7F},
                       {0x3000, 0x3029},
                       {0x3030, 0x303F},
                       {0xFE30, 0xFE4F},
                       {0xFE50, 0xFE6F},
                       {0xFF01, 0xFF0F},
                       {0xFF1A, 0xFF20},
                       {0xFF3B, 0xFF40},
                       {0xFF5B, 0xFF65}}));
}

std::size_t NextCharBoundary(std::string_view S, std::size_t Pos) {
    if (Pos >= S.size())
        return S.size();
    std::size_t p = Pos;
    Utf8Decode(S, p);
    while (p < S.size() && !isBoundary(S, p)) {
        Utf8Decode(S, p);
    }
    return p;
}

std::size_t PrevCharBoundary(std::string_view S, std::size_t Pos) {
    if (Pos == 0)
        return 0;
    std::size_t p = prevCodePoint(S, std::min(Pos, S.size()));
    while (p > 0 && !isBoundary(S, p))
        p = prevCodePoint(S, p);
    return p;
}

std::size_t CharBoundaryAtOrBefore(std::string_view S, std::size_t Pos) {
    if (Pos >= S.size())
        return S.size();
    return isBoundary(S, Pos) ? Pos : PrevCharBoundary(S, Pos);
}

std::size_t CharCount(std::string_view S) {
    std::size_t n = 0;
    for (std::size_t p = 0; p < S.size(); p = NextCharBoundary(S, p))
        ++n;
    return n;
}

std::size_t NextWordBoundary(std::string_view S, std::size_t Pos) {
    std::size_t p = std::min(Pos, S.size());
    if (p < S.size()) {
        const CharClass start = classAt(S, p);
        if (start != CharClass::Space)
            while (p < S.size() && classAt(S, p) == start)
                p = NextCharBoundary(S, p);
    }
    while (p < S.size() && classAt(S, p) == CharClass::Space)
        p = NextCharBoundary(S, p);
    return p;
}

std::size_t PrevWordBoundary(std::string_view S, std::size_t Pos) {
    std::size_t p = std::min(Pos, S.size());
    while (p > 0 && classAt(S, PrevCharBoundary(S, p)) == CharClass::Space)
        p = PrevCharBoundary(S, p);
    if (p == 0)
        return 0;
    const CharClass word = classAt(S, PrevCharBoundary(S, p));
    while (p > 0 && classAt(S, PrevCharBoundary(S, p)) == word)
        p = PrevCharBoundary(S, p);
    return p;
}

void WordAround(std::string_view S, std::size_t Pos, std::size_t& Start, std::size_t& End) {
    Start = End = CharBoundaryAtOrBefore(S, Pos);
    if (S.empty())
        return;
    if (Start == S.size())
        Start = PrevCharBoundary(S, Start);
    const CharClass kind = classAt(S, Start);
    while (Start > 0 && classAt(S, PrevCharBoundary(S, Start)) == kind)
        Start = PrevCharBoundary(S, Start);
    End = Start;
    while (End < S.size() && classAt(S, End) == kind)
        End = NextCharBoundary(S, End);
}

std::string CleanIncomingText(std::string_view S, bool MultiLine) {
    std::string out;
    out.reserve(S.size());
    for (std::size_t pos = 0; pos < S.size();) {
        const auto byte = static_cast<unsigned char>(S[pos]);
        if (byte >= 0x20 && byte < 0x80) {
            // Plain ASCII runs, the bulk of most text, are copied as they are.
            std::size_t end = pos + 1;
            while (end < S.size() && static_cast<unsigned char>(S[end]) >= 0x20 &&
                   static_cast<unsigned char>(S[end]) < 0x80)
                ++end;
            out.append(S.substr(pos, end - pos));
            pos = end;
            continue;
        }
        if (byte == '\r' || byte == '\n') {
            if (!MultiLine)
                break;
            out.push_back('\n');
            pos += byte == '\r' && pos + 1 < S.size() && S[pos + 1] == '\n' ? 2 : 1;
            continue;
        }
        const char32_t c = Utf8Decode(S, pos);
        Utf8Append(out, c == 0 ? kReplacementChar : c);
    }
    return out;
}

}  // namespace framework

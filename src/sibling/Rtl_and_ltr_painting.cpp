#include "sibling/Rtl_and_ltr_painting.h"

#include "framework/graphics/Canvas.h"
#include "framework/rtl/FloatConv.h"
#include "framework/rtl/Unicode.h"

#include <string>
#include <vector>

namespace sibling {

using namespace framework;

namespace {

constexpr std::string_view kEllipsis = "\u2026";
constexpr int kIndent = 2;

bool isRtlCodePoint(char32_t c) {
    return (c >= 0x0590 && c <= 0x08FF) || (c >= 0xFB1D && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFF);
}

bool isStrongLtr(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 0x00C0 && c <= 0x058F) ||
           (c >= 0x0900 && c <= 0x1FFF) || (c >= 0x3040 && c <= 0x9FFF);
}

// The longest start of Text that, with the ellipsis after it, fits Room pixels.
std::string cutToFit(TCanvas& canvas, std::string_view text, int room) {
    std::string best;
    std::string prefix;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        Utf8Decode(text, pos);
        prefix.append(text.substr(start, pos - start));
        if (canvas.TextWidth(prefix + std::string(kEllipsis)) > room)
            break;
        best = prefix;
    }
    return best + std::string(kEllipsis);
}

// The order in which a right-to-left line is seen from left to right: runs of left-to-right
// characters (Latin words, digits) keep their own order, everything else is reversed. Enough
// for the words and numbers a list shows; letters are not joined or shaped.
std::string visualOrder(std::string_view text) {
    struct Run {
        bool ltr;
        std::vector<std::string> chars;
    };
    std::vector<Run> runs;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        const char32_t c = Utf8Decode(text, pos);
        const bool ltr = isStrongLtr(c) || (c >= '0' && c <= '9');
        if (runs.empty() || runs.back().ltr != ltr)
            runs.push_back(Run{ltr, {}});
        runs.back().chars.emplace_back(text.substr(start, pos - start));
    }
    std::string out;
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        if (run->ltr)
            for (const auto& ch : run->chars)
                out += ch;
        else
            for (auto ch = run->chars.rbegin(); ch != run->chars.rend(); ++ch)
                out += *ch;
    }
    return out;
}

}  // namespace

bool IsANumber(std::string_view Text) {
    double value = 0;
    return TryStrToFloat(Text, value);
}

bool IsRightToLeftText(std::string_view Text) {
    std::size_t pos = 0;
    while (pos < Text.size()) {
        const char32_t c = Utf8Decode(Text, pos);
        if (isRtlCodePoint(c))
            return true;
        if (isStrongLtr(c))
            return false;
    }
    return false;
}

void EllipsisOutputALine(HDC DC, std::string_view Text, const TRect& Rect, int TextWidth) {
    if (!DC || Rect.IsEmpty() || Text.empty())
        return;
    TCanvas& canvas = *DC;
    const int room = Rect.Width() - 2 * kIndent;
    std::string shown(Text);
    int width = TextWidth;
    if (width > room) {
        shown = cutToFit(canvas, Text, room);
        width = canvas.TextWidth(shown);
    }
    const bool rtl = IsRightToLeftText(Text);
    const int x = rtl ? Rect.Right - kIndent - width : Rect.Left + kIndent;
    TCanvasStateSaver saved(canvas);
    canvas.IntersectClipRect(Rect);
    // A right-to-left line ends at its left: the ellipsis of a cut line lands there too.
    canvas.TextOut(x, Rect.Top, rtl ? visualOrder(shown) : shown);
}

}  // namespace sibling

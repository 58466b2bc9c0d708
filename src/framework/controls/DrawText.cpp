#include "framework/controls/DrawText.h"

#include "framework/rtl/Unicode.h"

#include <algorithm>
#include <vector>

namespace framework {

std::string StripAccelPrefixes(std::string_view Text, int* UnderlineIndex) {
    std::string out;
    out.reserve(Text.size());
    int underline = -1;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '&' && i + 1 < Text.size()) {
            ++i;
            if (Text[i] != '&')
                underline = static_cast<int>(out.size());
        }
        out += Text[i];
    }
    if (UnderlineIndex)
        *UnderlineIndex = underline;
    return out;
}

bool IsAccel(char32_t Char, std::string_view Text) {
    int index = -1;
    const std::string shown = StripAccelPrefixes(Text, &index);
    if (index < 0)
        return false;
    std::size_t pos = static_cast<std::size_t>(index);
    const char32_t accel = Utf8Decode(shown, pos);
    return UnicodeToUpper(accel) == UnicodeToUpper(Char);
}

namespace {

struct Line {
    std::string text;
    int underline = -1;  // byte offset in text, or -1
};

std::size_t utf8Next(std::string_view s, std::size_t i) {
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80)
        ++i;
    return i;
}

// Splits into lines at CR, LF or CRLF (unless single-line), then wraps at spaces to the width.
std::vector<Line> layout(TCanvas& canvas, std::string_view text, int width, std::uint32_t format) {
    std::vector<std::string_view> raw;
    if (format & DT_SINGLELINE) {
        raw.push_back(text);
    } else {
        std::size_t start = 0;
        for (std::size_t i = 0; i <= text.size(); ++i) {
            if (i == text.size() || text[i] == '\r' || text[i] == '\n') {
                raw.push_back(text.substr(start, i - start));
                if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n')
                    ++i;
                start = i + 1;
            }
        }
    }
    std::vector<Line> lines;
    for (std::string_view r : raw) {
        Line whole;
        if (format & DT_NOPREFIX)
            whole.text = std::string(r);
        else
            whole.text = StripAccelPrefixes(r, &whole.underline);
        if (!(format & DT_WORDBREAK) || (format & DT_SINGLELINE) || canvas.TextWidth(whole.text) <= width) {
            lines.push_back(std::move(whole));
            continue;
        }
        // Greedy wrap at spaces; a word wider than the line stands alone.
        std::string_view rest(whole.text);
        std::size_t offset = 0;
        while (!rest.empty()) {
            std::size_t cut = rest.size();
            std::size_t lastSpace = std::string_view::npos;
            for (std::size_t i = 0; i < rest.size(); i = utf8Next(rest, i)) {
                if (rest[i] == ' ')
                    lastSpace = i;
                if (canvas.TextWidth(std::string(rest.substr(0, utf8Next(rest, i)))) > width) {
                    cut = lastSpace != std::string_view::npos ? lastSpace
                                                              : std::max<std::size_t>(utf8Next(rest, 0), i);
                    break;
                }
            }
            Line part;
            part.text = std::string(rest.substr(0, cut));
            if (whole.underline >= static_cast<int>(offset) &&
                whole.underline < static_cast<int>(offset + cut))
                part.underline = whole.underline - static_cast<int>(offset);
            lines.push_back(std::move(part));
            std::size_t skip = cut;
            while (skip < rest.size() && rest[skip] == ' ')
                ++skip;
            rest.remove_prefix(skip);
            offset += skip;
        }
    }
    return lines;
}

}  // namespace

int DrawText(TCanvas& Canvas, std::string_view Text, TRect& R, std::uint32_t Format) {
    const int lineHeight = Canvas.TextHeight("Wg");
    std::vector<Line> lines = layout(Canvas, Text, R.Width(), Format);
    int widest = 0;
    for (const Line& l : lines)
        widest = std::max(widest, Canvas.TextWidth(l.text));
    const int total =
        Text.empty() && !(Format & DT_SINGLELINE) ? 0 : lineHeight * static_cast<int>(lines.size());
    if (Format & DT_CALCRECT) {
        R.Right = R.Left + widest;
        R.Bottom = R.Top + total;
        return std::max(total, Text.empty() ? lineHeight : 1);
    }
    int y = R.Top;
    if (Format & DT_SINGLELINE) {
        if (Format & DT_VCENTER)
            y = R.Top + (R.Height() - lineHeight) / 2;
        else if (Format & DT_BOTTOM)
            y = R.Bottom - lineHeight;
    }
    TCanvasStateSaver saved(Canvas);
    if (!(Format & DT_NOCLIP))
        Canvas.IntersectClipRect(R);
    for (const Line& l : lines) {
        const int w = Canvas.TextWidth(l.text);
        int x = R.Left;
        if (Format & DT_CENTER)
            x = R.Left + (R.Width() - w) / 2;
        else if (Format & DT_RIGHT)
            x = R.Right - w;
        Canvas.TextOut(x, y, l.text);
        if (l.underline >= 0 && !(Format & DT_HIDEPREFIX)) {
            const std::size_t u = static_cast<std::size_t>(l.underline);
            const int ux = x + Canvas.TextWidth(l.text.substr(0, u));
            const int uw = Canvas.TextWidth(l.text.substr(u, utf8Next(l.text, u) - u));
            TBrush& brush = *Canvas.Brush();
            const TColor oldColor = brush.Color();
            const TBrushStyle oldStyle = brush.Style();
            brush.SetColor(Canvas.Font()->Color());
            brush.SetStyle(bsSolid);
            const int uy = y + Canvas.TextHeight("Wg") - std::max(1, lineHeight / 8);
            Canvas.FillRect(Rect(ux, uy, ux + uw, uy + 1));
            brush.SetColor(oldColor);
            brush.SetStyle(oldStyle);
        }
        y += lineHeight;
    }
    return total;
}

}  // namespace framework

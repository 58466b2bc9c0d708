// Text on a canvas: the cell background, antialiased glyphs in the font colour, and the lines
// of underlined and struck-out fonts.

#include "framework/graphics/Canvas.h"
#include "framework/graphics/CanvasPainter.h"
#include "framework/graphics/FontEngine.h"

#include <algorithm>

namespace framework {

using namespace canvas_detail;

namespace {

// Blends one channel set of an opaque colour over a pixel with an 8-bit coverage.
inline TPixel blendCoverage(TPixel dst, TPixel color, std::uint32_t a) {
    const std::uint32_t na = 255 - a;
    // Red and blue together, then green: two multiplies per pixel.
    std::uint32_t rb = (color & 0x00FF00FFu) * a + (dst & 0x00FF00FFu) * na + 0x00800080u;
    rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    std::uint32_t g = (color & 0x0000FF00u) * a + (dst & 0x0000FF00u) * na + 0x00008000u;
    g = ((g + ((g >> 8) & 0x0000FF00u)) >> 8) & 0x0000FF00u;
    const std::uint32_t da = dst >> 24;
    const std::uint32_t alpha = da == 255 ? 255 : a + (da * na + 127) / 255;
    return (alpha << 24) | rb | g;
}

}  // namespace

TFontInstance& TCanvas::FontInstance() {
    if (!m_fontInstance)
        m_fontInstance = &FindFontInstance(*m_font);
    return *m_fontInstance;
}

int TCanvas::TextWidth(std::string_view text) { return FontInstance().TextWidth(text); }

int TCanvas::TextHeight(std::string_view) { return FontInstance().Height(); }

TSize TCanvas::TextExtent(std::string_view text) { return TSize{TextWidth(text), TextHeight(text)}; }

void TCanvas::TextOut(int x, int y, std::string_view text) {
    const int width = PaintText(x, y, text, nullptr);
    m_penPos = TPoint{x + width, y};
}

void TCanvas::TextRect(const TRect& rect, int x, int y, std::string_view text) {
    if (m_brush->Style() != bsClear) {
        Painter p(*this);
        TRect d = rect;
        d.Offset(m_origin.X, m_origin.Y);
        p.fill(d.Left, d.Top, d.Right, d.Bottom, p.bk);
    }
    PaintText(x, y, text, &rect);
}

int TCanvas::PaintText(int x, int y, std::string_view text, const TRect* limit) {
    TFontInstance& face = FontInstance();
    Painter p(*this);
    if (limit) {
        TRect d = *limit;
        d.Offset(m_origin.X, m_origin.Y);
        p.clip = IntersectRect(p.clip, d);
        if (p.clip.IsEmpty())
            return 0;
    }
    const int dx = x + m_origin.X, dy = y + m_origin.Y;
    // The cell background needs the width before the glyphs; otherwise the glyph walk gives it.
    const bool opaqueCell = m_bkMode == OPAQUE && !limit;
    if (opaqueCell)
        p.fill(dx, dy, dx + face.TextWidth(text), dy + face.Height(), p.bk);
    const TPixel color = ColorToPixel(ColorToRGB(m_font->Color()));
    const int baseline = dy + face.Ascent();
    const TRect clip = p.clip;
    int penX = dx;
    for (std::size_t pos = 0; pos < text.size();) {
        const TGlyph& g = face.Glyph(NextCodePoint(text, pos));
        const int gx = penX + g.Left, gy = baseline - g.Top;
        penX += g.Advance;
        const int x0 = std::max(gx, clip.Left), x1 = std::min(gx + g.Width, clip.Right);
        const int y0 = std::max(gy, clip.Top), y1 = std::min(gy + g.Height, clip.Bottom);
        if (x0 >= x1 || y0 >= y1)
            continue;
        for (int row = y0; row < y1; ++row) {
            const std::uint8_t* cov =
                g.Coverage.data() + static_cast<std::size_t>(row - gy) * g.Width + (x0 - gx);
            TPixel* out = p.row(row) + x0;
            for (int i = 0, n = x1 - x0; i < n; ++i) {
                const std::uint32_t a = cov[i];
                if (a == 255)
                    out[i] = color;
                else if (a != 0)
                    out[i] = blendCoverage(out[i], color, a);
            }
        }
    }
    const int width = penX - dx;
    const TFontStyles style = m_font->Style();
    if (style & fsUnderline) {
        const int top = baseline + std::min(face.UnderlinePosition(), face.Descent() - face.LineThickness());
        p.fill(dx, top, dx + width, top + face.LineThickness(), color);
    }
    if (style & fsStrikeOut) {
        const int top = baseline - face.StrikeOutPosition();
        p.fill(dx, top, dx + width, top + face.LineThickness(), color);
    }
    return width;
}

}  // namespace framework

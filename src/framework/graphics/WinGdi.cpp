#include "framework/graphics/WinGdi.h"

#include "framework/graphics/FontEngine.h"

namespace framework {

bool TextOutW(HDC dc, int x, int y, std::string_view text) {
    if (!dc)
        return false;
    const TPoint pen = dc->PenPos();
    dc->TextOut(x, y, text);
    dc->SetPenPos(pen);
    return true;
}

bool GetTextExtentPoint32W(HDC dc, std::string_view text, TSize& size) {
    if (!dc)
        return false;
    size = dc->TextExtent(text);
    return true;
}

namespace {

bool blockRop(HDC dest, const TRect& r, std::uint32_t rop) {
    TCanvasStateSaver saved(*dest);
    dest->Pen()->SetStyle(psClear);
    if (rop == BLACKNESS || rop == WHITENESS) {
        dest->Brush()->SetColor(rop == BLACKNESS ? clBlack : clWhite);
        dest->Brush()->SetStyle(bsSolid);
        dest->FillRect(r);
        return true;
    }
    // DSTINVERT: every pixel of the block XOR white.
    dest->BlitFrom(r, *dest, r, kBlitNotCopy);
    return true;
}

bool ropMode(std::uint32_t rop, TBlitMode& mode) {
    switch (rop) {
    case SRCCOPY:
        mode = kBlitCopy;
        return true;
    case SRCPAINT:
        mode = kBlitOr;
        return true;
    case SRCAND:
        mode = kBlitAnd;
        return true;
    case SRCINVERT:
        mode = kBlitXor;
        return true;
    case NOTSRCCOPY:
        mode = kBlitNotCopy;
        return true;
    default:
        return false;
    }
}

}  // namespace

bool StretchBlt(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                std::uint32_t rop) {
    if (!dest)
        return false;
    if (rop == BLACKNESS || rop == WHITENESS || rop == DSTINVERT)
        return blockRop(dest, Bounds(x, y, w, h), rop);
    TBlitMode mode = kBlitCopy;
    if (!src || !ropMode(rop, mode))
        return false;
    dest->BlitFrom(Bounds(x, y, w, h), *src, Bounds(sx, sy, sw, sh), mode);
    return true;
}

bool BitBlt(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, std::uint32_t rop) {
    return StretchBlt(dest, x, y, w, h, src, sx, sy, w, h, rop);
}

int SetBkMode(HDC dc, int mode) {
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    return dc->SetBkMode(mode);
}

int GetBkMode(HDC dc) { return dc ? dc->BkMode() : 0; }

bool InflateRect(TRect& rect, int dx, int dy) {
    rect.Inflate(dx, dy);
    return true;
}

bool OffsetRect(TRect& rect, int dx, int dy) {
    rect.Offset(dx, dy);
    return true;
}

GLYPHSET GetFontUnicodeRanges(HDC dc) {
    GLYPHSET set;
    if (!dc)
        return set;
    for (std::uint32_t code : dc->FontInstance().CharCodes16()) {
        if (!set.ranges.empty()) {
            WCRANGE& last = set.ranges.back();
            if (code == static_cast<std::uint32_t>(last.wcLow) + last.cGlyphs && last.cGlyphs < 0xFFFF) {
                ++last.cGlyphs;
                ++set.cGlyphsSupported;
                continue;
            }
        }
        set.ranges.push_back(WCRANGE{static_cast<std::uint16_t>(code), 1});
        ++set.cGlyphsSupported;
    }
    return set;
}

}  // namespace framework

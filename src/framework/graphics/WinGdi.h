#pragma once
// The Windows-style drawing calls the package makes on a device handle. A handle is simply
// the canvas it paints on.

#include "framework/graphics/Canvas.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace framework {

using HDC = TCanvas*;

// Raster operations BitBlt understands.
inline constexpr std::uint32_t SRCCOPY = 0x00CC0020;
inline constexpr std::uint32_t SRCPAINT = 0x00EE0086;
inline constexpr std::uint32_t SRCAND = 0x008800C6;
inline constexpr std::uint32_t SRCINVERT = 0x00660046;
inline constexpr std::uint32_t NOTSRCCOPY = 0x00330008;
inline constexpr std::uint32_t DSTINVERT = 0x00550009;
inline constexpr std::uint32_t BLACKNESS = 0x00000042;
inline constexpr std::uint32_t WHITENESS = 0x00FF0062;

// Text at (x, y) with the canvas's font and background mode; the pen position does not move.
bool TextOutW(HDC dc, int x, int y, std::string_view text);
bool GetTextExtentPoint32W(HDC dc, std::string_view text, TSize& size);
// A w x h block from src at (sx, sy) to dest at (x, y), clipped on both surfaces. False for a
// null handle or a raster operation not listed above.
bool BitBlt(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, std::uint32_t rop);
bool StretchBlt(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                std::uint32_t rop);
// Returns the previous mode, 0 for a null handle or an unknown mode.
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);

bool InflateRect(TRect& rect, int dx, int dy);
bool OffsetRect(TRect& rect, int dx, int dy);

// The characters of the canvas font below 0x10000 as runs, the way GetFontUnicodeRanges
// describes them.
struct WCRANGE {
    std::uint16_t wcLow = 0;
    std::uint16_t cGlyphs = 0;
};
struct GLYPHSET {
    std::uint32_t cGlyphsSupported = 0;
    std::vector<WCRANGE> ranges;
};
GLYPHSET GetFontUnicodeRanges(HDC dc);

}  // namespace framework

#include "framework/graphics/WinGdi.h"
#include "framework/graphics/Bitmap.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace testsupport;

namespace {

TEST(WinGdiBitBlt, CopiesABlockAndCombinesWithRops) {
    TBitmap src(4, 4), dst(6, 6);
    src.Canvas()->Brush()->SetColor(RGB(0x0F, 0xF0, 0x00));
    src.Canvas()->FillRect(Rect(0, 0, 4, 4));
    EXPECT_TRUE(BitBlt(dst.Canvas(), 1, 1, 3, 3, src.Canvas(), 0, 0, SRCCOPY));
    EXPECT_TRUE(RectIs(dst, Rect(1, 1, 4, 4), RGB(0x0F, 0xF0, 0x00)));
    EXPECT_TRUE(NothingOutside(dst, Rect(1, 1, 4, 4), clWhite));
    EXPECT_TRUE(BitBlt(dst.Canvas(), 1, 1, 1, 1, src.Canvas(), 0, 0, SRCAND));
    EXPECT_TRUE(PixelIs(dst, 1, 1, RGB(0x0F, 0xF0, 0x00)));
    EXPECT_TRUE(BitBlt(dst.Canvas(), 0, 0, 1, 1, nullptr, 0, 0, BLACKNESS));
    EXPECT_TRUE(PixelIs(dst, 0, 0, clBlack));
    EXPECT_TRUE(BitBlt(dst.Canvas(), 0, 0, 1, 1, nullptr, 0, 0, DSTINVERT));
    EXPECT_TRUE(PixelIs(dst, 0, 0, clWhite));
    EXPECT_FALSE(BitBlt(dst.Canvas(), 0, 0, 1, 1, src.Canvas(), 0, 0, 0x12345678));
    EXPECT_FALSE(BitBlt(nullptr, 0, 0, 1, 1, src.Canvas(), 0, 0, SRCCOPY));
}

TEST(WinGdiBitBlt, OverlappingCopyOnOneSurfaceReadsTheOldPixels) {
    TBitmap bmp(6, 1);
    for (int x = 0; x < 6; ++x)
        bmp.Canvas()->SetPixel(x, 0, RGB(x * 40, 0, 0));
    BitBlt(bmp.Canvas(), 1, 0, 5, 1, bmp.Canvas(), 0, 0, SRCCOPY);
    for (int x = 1; x < 6; ++x)
        EXPECT_TRUE(PixelIs(bmp, x, 0, RGB((x - 1) * 40, 0, 0)));
}

TEST(WinGdiText, TextOutKeepsThePenAndHonoursBkMode) {
    TBitmap bmp(60, 20);
    HDC dc = bmp.Canvas();
    dc->Brush()->SetColor(clYellow);
    dc->MoveTo(3, 4);
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_TRUE(TextOutW(dc, 0, 0, "Hi"));
    EXPECT_EQ(dc->PenPos(), Point(3, 4));
    EXPECT_EQ(CountOfColor(bmp, clYellow), 0);
    TSize size;
    EXPECT_TRUE(GetTextExtentPoint32W(dc, "Hi", size));
    EXPECT_EQ(size.cy, 13);
}

TEST(WinGdiRects, InflateAndOffset) {
    TRect r = Rect(5, 5, 10, 10);
    InflateRect(r, 2, -1);
    EXPECT_EQ(r, Rect(3, 6, 12, 9));
    OffsetRect(r, -3, 1);
    EXPECT_EQ(r, Rect(0, 7, 9, 10));
}

TEST(WinGdiFont, UnicodeRangesCoverLatinAsRuns) {
    TBitmap bmp(1, 1);
    const GLYPHSET set = GetFontUnicodeRanges(bmp.Canvas());
    EXPECT_GT(set.cGlyphsSupported, 1000u);
    bool hasAscii = false;
    std::uint32_t total = 0;
    for (const WCRANGE& r : set.ranges) {
        hasAscii |= r.wcLow <= 'A' && r.wcLow + r.cGlyphs > 'Z';
        total += r.cGlyphs;
    }
    EXPECT_TRUE(hasAscii);
    EXPECT_EQ(total, set.cGlyphsSupported);
}

}  // namespace

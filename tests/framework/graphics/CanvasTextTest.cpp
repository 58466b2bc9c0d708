#include "framework/graphics/Bitmap.h"
#include "framework/graphics/FontEngine.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace testsupport;

namespace {

// Text on a white bitmap with the default font (DejaVu Sans 8 pt at 96 pixels per inch).
class CanvasText : public ::testing::Test {
protected:
    TBitmap bmp{200, 40};
    TCanvas& c = *bmp.Canvas();
    void SetUp() override {
        c.Brush()->SetColor(clYellow);
        c.Font()->SetColor(clBlue);
    }
    int BluePixels() const {
        int n = 0;
        for (int y = 0; y < bmp.Height(); ++y)
            for (int x = 0; x < bmp.Width(); ++x) {
                const TColor p = PixelAt(bmp, x, y);
                n += GetBValue(p) > 200 && GetRValue(p) < 100;
            }
        return n;
    }
};

TEST_F(CanvasText, DefaultFontGivesTheClassicItemHeight) {
    EXPECT_EQ(c.Font()->Height(), -11);
    EXPECT_EQ(c.TextHeight("gh"), 13);
    EXPECT_EQ(c.TextHeight("gh") * 5 / 4, 16);
}

TEST_F(CanvasText, WidthIsTheSumOfAdvances) {
    const int a = c.TextWidth("a"), b = c.TextWidth("b");
    EXPECT_GT(a, 0);
    EXPECT_EQ(c.TextWidth("ab"), a + b);
    EXPECT_EQ(c.TextWidth(""), 0);
    EXPECT_EQ(c.TextExtent("ab"), (TSize{a + b, 13}));
}

TEST_F(CanvasText, BoldIsWiderAndLargerSizesAreTaller) {
    const int normal = c.TextWidth("Hello World");
    c.Font()->SetStyle(fsBold);
    EXPECT_GT(c.TextWidth("Hello World"), normal);
    c.Font()->SetStyle(0);
    c.Font()->SetSize(16);
    EXPECT_GT(c.TextHeight("gh"), 20);
    EXPECT_GT(c.TextWidth("Hello World"), normal);
}

TEST_F(CanvasText, OpaqueTextFillsItsCellAndMovesThePen) {
    c.TextOut(10, 5, "Hello");
    const int w = c.TextWidth("Hello");
    const auto changed = BoundsOfChanges(bmp, clWhite);
    ASSERT_TRUE(changed.has_value());
    EXPECT_EQ(*changed, Rect(10, 5, 10 + w, 18));
    const auto blue = BoundsOfColor(bmp, clBlue);
    ASSERT_TRUE(blue.has_value());
    EXPECT_GE(blue->Left, 10);
    EXPECT_LE(blue->Right, 10 + w);
    EXPECT_GE(blue->Top, 5);
    EXPECT_LE(blue->Bottom, 18);
    EXPECT_EQ(c.PenPos(), Point(10 + w, 5));
}

TEST_F(CanvasText, ClearBrushPaintsOnlyGlyphs) {
    c.Brush()->SetStyle(bsClear);
    c.TextOut(10, 5, "Hello");
    EXPECT_EQ(CountOfColor(bmp, clYellow), 0);
    EXPECT_GT(BluePixels(), 10);
    // Antialiased edges blend with the white below, never with the brush.
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) {
            const TColor p = PixelAt(bmp, x, y);
            EXPECT_EQ(GetRValue(p), GetGValue(p)) << x << "," << y;
        }
}

TEST_F(CanvasText, ClipCutsTextAndItsBackground) {
    c.SetClipRect(Rect(0, 0, 15, 40));
    c.TextOut(10, 5, "Hello");
    EXPECT_TRUE(NothingOutside(bmp, Rect(10, 5, 15, 18), clWhite));
}

TEST_F(CanvasText, TextRectFillsTheRectAndClipsTheText) {
    c.TextRect(Rect(5, 5, 25, 25), 8, 8, "WWWWWWWW");
    EXPECT_EQ(BoundsOfChanges(bmp, clWhite), Rect(5, 5, 25, 25));
    EXPECT_TRUE(PixelIs(bmp, 5, 5, clYellow));
    EXPECT_TRUE(PixelIs(bmp, 24, 24, clYellow));
    EXPECT_GT(CountOfColor(bmp, clBlue), 0);
}

TEST_F(CanvasText, UnderlineDrawsALineBelowTheBaseline) {
    c.Brush()->SetStyle(bsClear);
    c.Font()->SetStyle(fsUnderline);
    c.TextOut(10, 5, "xx");
    const int w = c.TextWidth("xx");
    const int baseline = 5 + c.FontInstance().Ascent();
    int row = -1;
    for (int y = baseline; y < 5 + 13; ++y)
        if (RectIs(bmp, Rect(10, y, 10 + w, y + 1), clBlue))
            row = y;
    EXPECT_GE(row, baseline);
}

TEST_F(CanvasText, OriginShiftsText) {
    c.SetOrigin(50, 10);
    c.TextOut(0, 0, "Hi");
    EXPECT_EQ(BoundsOfChanges(bmp, clWhite), Rect(50, 10, 50 + c.TextWidth("Hi"), 23));
}

TEST_F(CanvasText, UnicodeAndMissingGlyphsStillTakeRoom) {
    EXPECT_GT(c.TextWidth("\xC3\xA9"), 0);      // é, in DejaVu Sans
    EXPECT_GT(c.TextWidth("\xE2\x82\xAC"), 0);  // €
    EXPECT_GT(c.TextWidth("\xE4\xB8\xAD"), 0);  // a CJK character: a fallback font or the box
    EXPECT_GT(c.TextWidth("\xFF\xFE"), 0);      // malformed UTF-8 shows replacement glyphs
    EXPECT_EQ(c.TextWidth("\xC3"), c.TextWidth("\xEF\xBF\xBD"));  // a cut sequence is U+FFFD
}

TEST_F(CanvasText, PositiveHeightAsksForTheCellHeight) {
    c.Font()->SetHeight(13);
    EXPECT_EQ(c.TextHeight("gh"), 13);
    c.Font()->SetHeight(-12);
    EXPECT_EQ(c.FontInstance().Ascent() + c.FontInstance().Descent(), c.TextHeight("x"));
}

TEST(FontEngine, DecodesUtf8) {
    std::string_view s = "a\xC3\xA9\xF0\x9F\x98\x80";
    std::size_t pos = 0;
    EXPECT_EQ(NextCodePoint(s, pos), U'a');
    EXPECT_EQ(NextCodePoint(s, pos), U'\u00E9');
    EXPECT_EQ(NextCodePoint(s, pos), U'\U0001F600');
    EXPECT_EQ(pos, s.size());
    std::string_view overlong = "\xC0\xAF";
    pos = 0;
    EXPECT_EQ(NextCodePoint(overlong, pos), U'\uFFFD');
    EXPECT_EQ(pos, 1u);
}

}  // namespace

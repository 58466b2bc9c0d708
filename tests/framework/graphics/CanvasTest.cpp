#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Exceptions.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

using namespace framework;
using namespace testsupport;

namespace {

// A small white bitmap with a red brush and a blue pen, the usual drawing setup.
class CanvasPaint : public ::testing::Test {
protected:
    TBitmap bmp{20, 20};
    TCanvas& c = *bmp.Canvas();
    void SetUp() override {
        c.Brush()->SetColor(clRed);
        c.Pen()->SetColor(clBlue);
    }
};

TEST_F(CanvasPaint, FillRectExcludesRightAndBottomAndIgnoresPen) {
    c.FillRect(Rect(2, 3, 6, 8));
    EXPECT_TRUE(RectIs(bmp, Rect(2, 3, 6, 8), clRed));
    EXPECT_TRUE(NothingOutside(bmp, Rect(2, 3, 6, 8), clWhite));
    EXPECT_EQ(CountOfColor(bmp, clBlue), 0);
}

TEST(CanvasFill, LongRowsAndWholeSurfacesFillExactly) {
    // Long runs take the fast store path; the edges must still be exact.
    TBitmap bmp(1200, 3);
    TCanvas& c = *bmp.Canvas();
    c.Brush()->SetColor(clGreen);
    c.FillRect(Rect(5, 1, 1150, 2));
    EXPECT_TRUE(RectIs(bmp, Rect(5, 1, 1150, 2), clGreen));
    EXPECT_TRUE(NothingOutside(bmp, Rect(5, 1, 1150, 2), clWhite));
    c.Brush()->SetColor(clNavy);
    c.FillRect(Rect(-10, -10, 2000, 2000));
    EXPECT_EQ(CountOfColor(bmp, clNavy), 3600);
}

TEST_F(CanvasPaint, FillRectEmptyPaintsNothingAndInvertedRunsBackwards) {
    c.FillRect(Rect(5, 5, 5, 9));
    c.FillRect(Rect(9, 4, 9, 2));
    EXPECT_FALSE(BoundsOfChanges(bmp, clWhite).has_value());
    c.FillRect(Rect(8, 8, 4, 4));  // from (8, 8) back to, not including, (4, 4)
    EXPECT_TRUE(RectIs(bmp, Rect(5, 5, 9, 9), clRed));
    EXPECT_TRUE(NothingOutside(bmp, Rect(5, 5, 9, 9), clWhite));
}

TEST_F(CanvasPaint, FillRectWithClearBrushPaintsNothing) {
    c.Brush()->SetStyle(bsClear);
    c.FillRect(Rect(0, 0, 10, 10));
    EXPECT_FALSE(BoundsOfChanges(bmp, clWhite).has_value());
}

TEST_F(CanvasPaint, RectangleOutlineLiesInsideTheBox) {
    c.Rectangle(2, 2, 8, 7);
    EXPECT_EQ(BoundsOfChanges(bmp, clWhite), Rect(2, 2, 8, 7));
    EXPECT_TRUE(RectIs(bmp, Rect(2, 2, 8, 3), clBlue));  // top row
    EXPECT_TRUE(RectIs(bmp, Rect(2, 6, 8, 7), clBlue));  // bottom row is bottom - 1
    EXPECT_TRUE(RectIs(bmp, Rect(7, 2, 8, 7), clBlue));  // right column is right - 1
    EXPECT_TRUE(RectIs(bmp, Rect(3, 3, 7, 6), clRed));   // interior
}

TEST_F(CanvasPaint, RectangleWithClearPenFillsOneLessEachWay) {
    c.Pen()->SetStyle(psClear);
    c.Rectangle(2, 2, 8, 7);
    EXPECT_EQ(BoundsOfChanges(bmp, clWhite), Rect(2, 2, 7, 6));
    EXPECT_TRUE(RectIs(bmp, Rect(2, 2, 7, 6), clRed));
}

TEST_F(CanvasPaint, RectangleNormalisesSwappedCorners) {
    c.Rectangle(8, 7, 2, 2);
    EXPECT_EQ(BoundsOfChanges(bmp, clWhite), Rect(2, 2, 8, 7));
}

TEST_F(CanvasPaint, RectangleWidePenCentresOnThePath) {
    c.Pen()->SetWidth(3);
    c.Rectangle(5, 5, 15, 15);
    // The path is the 1-pixel outline; a 3-pixel pen reaches one pixel either side of it.
    EXPECT_EQ(BoundsOfChanges(bmp, clWhite), Rect(4, 4, 16, 16));
    EXPECT_TRUE(RectIs(bmp, Rect(7, 7, 13, 13), clRed));
    EXPECT_TRUE(PixelIs(bmp, 6, 10, clBlue));
}

TEST_F(CanvasPaint, InsideFramePenStaysInTheBox) {
    c.Pen()->SetWidth(3);
    c.Pen()->SetStyle(psInsideFrame);
    c.Rectangle(5, 5, 15, 15);
    EXPECT_EQ(BoundsOfChanges(bmp, clWhite), Rect(5, 5, 15, 15));
    EXPECT_TRUE(RectIs(bmp, Rect(6, 5, 14, 8), clBlue));  // the round join leaves the corner out
    EXPECT_TRUE(PixelIs(bmp, 5, 5, clWhite));
    EXPECT_TRUE(RectIs(bmp, Rect(8, 8, 12, 12), clRed));
}

TEST_F(CanvasPaint, HatchedBrushPaintsOnlyItsLinesAndMakesTextTransparent) {
    c.Brush()->SetStyle(bsHorizontal);
    EXPECT_EQ(c.BkMode(), TRANSPARENT);
    c.FillRect(Rect(0, 0, 20, 20));
    EXPECT_TRUE(RectIs(bmp, Rect(0, 0, 20, 3), clWhite));
    EXPECT_TRUE(RectIs(bmp, Rect(0, 3, 20, 4), clRed));
    EXPECT_TRUE(RectIs(bmp, Rect(0, 4, 20, 11), clWhite));
    EXPECT_TRUE(RectIs(bmp, Rect(0, 11, 20, 12), clRed));
    EXPECT_EQ(CountOfColor(bmp, clRed), 3 * 20);  // rows 3, 11 and 19
}

TEST_F(CanvasPaint, FrameRectUsesTheBrushOnTheInnerEdge) {
    c.FrameRect(Rect(3, 3, 9, 8));
    EXPECT_EQ(BoundsOfChanges(bmp, clWhite), Rect(3, 3, 9, 8));
    EXPECT_EQ(CountOfColor(bmp, clRed), 2 * 6 + 2 * 3);
    EXPECT_TRUE(PixelIs(bmp, 8, 7, clRed));
    EXPECT_TRUE(RectIs(bmp, Rect(4, 4, 8, 7), clWhite));
    EXPECT_EQ(CountOfColor(bmp, clBlue), 0);
}

TEST_F(CanvasPaint, LineToLeavesOutTheLastPixelAndMovesThePen) {
    c.MoveTo(2, 5);
    c.LineTo(10, 5);
    EXPECT_TRUE(RectIs(bmp, Rect(2, 5, 10, 6), clBlue));
    EXPECT_TRUE(PixelIs(bmp, 10, 5, clWhite));
    EXPECT_EQ(c.PenPos(), Point(10, 5));
    c.LineTo(10, 12);  // continuing from the end paints the corner now
    EXPECT_TRUE(PixelIs(bmp, 10, 5, clBlue));
    EXPECT_TRUE(PixelIs(bmp, 10, 12, clWhite));
}

TEST_F(CanvasPaint, DiagonalLineIsEightConnected) {
    c.MoveTo(0, 0);
    c.LineTo(9, 3);
    EXPECT_EQ(CountOfColor(bmp, clBlue), 9);  // one pixel per column, last one left out
    EXPECT_TRUE(PixelIs(bmp, 0, 0, clBlue));
    EXPECT_TRUE(PixelIs(bmp, 8, 3, clBlue));  // nearest to y = 8/3
    EXPECT_TRUE(PixelIs(bmp, 9, 3, clWhite));
    EXPECT_EQ(BoundsOfColor(bmp, clBlue), Rect(0, 0, 9, 4));
}

TEST_F(CanvasPaint, DashedLineShowsBrushInTheGapsUnlessTransparent) {
    c.Pen()->SetStyle(psDot);
    c.MoveTo(0, 1);
    c.LineTo(12, 1);
    EXPECT_TRUE(RectIs(bmp, Rect(0, 1, 3, 2), clBlue));
    EXPECT_TRUE(RectIs(bmp, Rect(3, 1, 6, 2), clRed));  // opaque background: brush colour
    c.Brush()->SetStyle(bsClear);
    c.MoveTo(0, 3);
    c.LineTo(12, 3);
    EXPECT_TRUE(RectIs(bmp, Rect(3, 3, 6, 4), clWhite));
}

TEST_F(CanvasPaint, PolygonSquareCoversVerticesWithThePen) {
    const std::array<TPoint, 4> square{Point(2, 2), Point(12, 2), Point(12, 12), Point(2, 12)};
    c.Polygon(square);
    EXPECT_EQ(BoundsOfChanges(bmp, clWhite), Rect(2, 2, 13, 13));  // 11 x 11
    EXPECT_TRUE(RectIs(bmp, Rect(3, 3, 12, 12), clRed));
}

TEST_F(CanvasPaint, PolygonFillFollowsTheRegionConvention) {
    c.Pen()->SetStyle(psClear);
    const std::array<TPoint, 4> square{Point(2, 2), Point(12, 2), Point(12, 12), Point(2, 12)};
    c.Polygon(square);
    EXPECT_EQ(BoundsOfChanges(bmp, clWhite), Rect(2, 2, 12, 12));
    EXPECT_TRUE(RectIs(bmp, Rect(2, 2, 12, 12), clRed));
}

TEST(CanvasPolygon, SelfIntersectingStarLeavesItsCentreEmpty) {
    TBitmap bmp(41, 41);
    TCanvas& c = *bmp.Canvas();
    c.Brush()->SetColor(clRed);
    c.Pen()->SetStyle(psClear);
    // A five-pointed star drawn in one stroke: the inner pentagon is crossed twice.
    std::array<TPoint, 5> star;
    for (int i = 0; i < 5; ++i) {
        const double a = -M_PI / 2 + i * 4 * M_PI / 5;
        star[static_cast<std::size_t>(i)] = Point(20 + static_cast<int>(std::lround(19 * std::cos(a))),
                                                  20 + static_cast<int>(std::lround(19 * std::sin(a))));
    }
    c.Polygon(star);
    EXPECT_TRUE(PixelIs(bmp, 20, 21, clWhite));  // the centre
    EXPECT_TRUE(PixelIs(bmp, 20, 5, clRed));     // the top point
    EXPECT_TRUE(PixelIs(bmp, 6, 15, clRed));     // the left point
    EXPECT_TRUE(PixelIs(bmp, 0, 0, clWhite));
}

TEST_F(CanvasPaint, EllipseFitsItsBoxAndIsSymmetric) {
    c.Ellipse(2, 3, 17, 14);
    EXPECT_EQ(BoundsOfChanges(bmp, clWhite), Rect(2, 3, 17, 14));
    // Mirror symmetry about the box centre lines (l + r - 1) / 2 and (t + b - 1) / 2.
    for (int y = 3; y < 14; ++y)
        for (int x = 2; x < 17; ++x) {
            EXPECT_EQ(PixelAt(bmp, x, y), PixelAt(bmp, 2 + 16 - x, y)) << x << "," << y;
            EXPECT_EQ(PixelAt(bmp, x, y), PixelAt(bmp, x, 3 + 13 - y)) << x << "," << y;
        }
    EXPECT_TRUE(PixelIs(bmp, 9, 8, clRed));    // centre
    EXPECT_TRUE(PixelIs(bmp, 2, 8, clBlue));   // touches the left column
    EXPECT_TRUE(PixelIs(bmp, 16, 8, clBlue));  // and right - 1
    EXPECT_TRUE(PixelIs(bmp, 2, 3, clWhite));  // corners stay clear
    EXPECT_TRUE(PixelIs(bmp, 9, 3, clBlue));   // top row
    EXPECT_TRUE(PixelIs(bmp, 9, 13, clBlue));  // bottom - 1
}

TEST_F(CanvasPaint, EllipseOutlineIsClosed) {
    c.Brush()->SetStyle(bsClear);
    c.Ellipse(0, 0, 20, 12);
    // Every row of the curve has outline pixels on both sides and nothing inside touches white
    // through a gap: a flood from the centre must not reach the border.
    std::vector<std::uint8_t> seen(400, 0);
    std::vector<TPoint> todo{Point(10, 6)};
    bool leaked = false;
    while (!todo.empty()) {
        TPoint p = todo.back();
        todo.pop_back();
        if (p.X < 0 || p.Y < 0 || p.X >= 20 || p.Y >= 20) {
            leaked = true;
            continue;
        }
        auto& s = seen[static_cast<std::size_t>(p.Y * 20 + p.X)];
        if (s || PixelAt(bmp, p.X, p.Y) != clWhite)
            continue;
        s = 1;
        todo.insert(todo.end(),
                    {Point(p.X + 1, p.Y), Point(p.X - 1, p.Y), Point(p.X, p.Y + 1), Point(p.X, p.Y - 1)});
    }
    EXPECT_FALSE(leaked);
}

TEST_F(CanvasPaint, ClipRectLimitsEveryShape) {
    c.SetClipRect(Rect(5, 5, 10, 10));
    c.FillRect(Rect(0, 0, 20, 20));
    c.Ellipse(0, 0, 20, 20);
    c.MoveTo(0, 7);
    c.LineTo(20, 7);
    c.SetPixel(2, 2, clLime);
    EXPECT_TRUE(NothingOutside(bmp, Rect(5, 5, 10, 10), clWhite));
    EXPECT_EQ(c.Pixels(2, 2), CLR_INVALID);  // outside the clip, as GetPixel answers
    c.IntersectClipRect(Rect(7, 0, 20, 20));
    EXPECT_EQ(c.ClipRect(), Rect(7, 5, 10, 10));
    c.ResetClip();
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 20, 20));
}

TEST_F(CanvasPaint, OriginShiftsDrawingAndClip) {
    c.SetOrigin(10, 5);
    c.SetClipRect(Rect(0, 0, 5, 5));
    c.FillRect(Rect(-10, -10, 3, 20));
    EXPECT_TRUE(RectIs(bmp, Rect(10, 5, 13, 10), clRed));
    EXPECT_TRUE(NothingOutside(bmp, Rect(10, 5, 13, 10), clWhite));
    EXPECT_EQ(c.Pixels(0, 0), clRed);
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 5, 5));
}

TEST_F(CanvasPaint, PixelsOffTheSurfaceAreInvalidAndWritesAreIgnored) {
    c.SetPixel(-1, 0, clBlack);
    c.SetPixel(20, 19, clBlack);
    EXPECT_EQ(c.Pixels(-1, 0), CLR_INVALID);
    EXPECT_EQ(c.Pixels(0, 20), CLR_INVALID);
    c.SetPixel(19, 19, clGreen);
    EXPECT_EQ(c.Pixels(19, 19), clGreen);
}

TEST_F(CanvasPaint, SystemColoursAreResolvedWhenDrawing) {
    c.Brush()->SetColor(clWindow);
    c.FillRect(Rect(0, 0, 5, 5));
    EXPECT_TRUE(RectIs(bmp, Rect(0, 0, 5, 5), clWhite));
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(Rect(0, 0, 5, 5));
    EXPECT_TRUE(PixelIs(bmp, 0, 0, RGB(240, 240, 240)));
    SetSysColor(COLOR_BTNFACE, clTeal);
    c.FillRect(Rect(0, 0, 5, 5));
    ResetSysColors();
    EXPECT_TRUE(PixelIs(bmp, 0, 0, clTeal));
}

TEST_F(CanvasPaint, StateSaverPutsToolsClipAndOriginBack) {
    c.Font()->SetColor(clGreen);
    {
        TCanvasStateSaver saved(c);
        c.Brush()->SetColor(clYellow);
        c.Brush()->SetStyle(bsClear);
        c.Pen()->SetWidth(4);
        c.Font()->SetStyle(fsBold);
        c.SetClipRect(Rect(1, 1, 2, 2));
        c.SetOrigin(3, 3);
    }
    EXPECT_EQ(c.Brush()->Color(), clRed);
    EXPECT_EQ(c.Brush()->Style(), bsSolid);
    EXPECT_EQ(c.BkMode(), OPAQUE);
    EXPECT_EQ(c.Pen()->Width(), 1);
    EXPECT_EQ(c.Font()->Style(), 0u);
    EXPECT_EQ(c.Font()->Color(), clGreen);
    EXPECT_FALSE(c.HasClip());
    EXPECT_EQ(c.Origin(), Point(0, 0));
}

TEST_F(CanvasPaint, HugeShapesAreRefusedNotWalked) {
    EXPECT_THROW(c.Ellipse(0, 0, 2000000, 10), EInvalidGraphicOperation);
    c.MoveTo(-2000000000, 5);
    EXPECT_THROW(c.LineTo(2000000000, 6), EInvalidGraphicOperation);
    c.FillRect(Rect(-2000000000, -2000000000, 2000000000, 2000000000));  // clipped, fast
    EXPECT_TRUE(RectIs(bmp, Rect(0, 0, 20, 20), clRed));
}

}  // namespace

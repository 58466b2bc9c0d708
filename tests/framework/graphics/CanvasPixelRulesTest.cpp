// The pixels of the classic drawing layer, case by case, as small pictures: '.' white, '#' the
// blue pen, 'o' the red brush.
#include "framework/graphics/Bitmap.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

#include <array>

using namespace framework;
using namespace testsupport;

namespace {

class PixelRules : public ::testing::Test {
protected:
    TBitmap bmp{16, 16};
    TCanvas& c = *bmp.Canvas();
    void SetUp() override {
        c.Brush()->SetColor(clRed);
        c.Pen()->SetColor(clBlue);
    }
};

// --- Polygon fill: the integer point of a pixel decides ----------------------------------------

TEST_F(PixelRules, TriangleFillMeetsItsOutlineWithoutASeam) {
    const std::array<TPoint, 3> triangle{Point(1, 1), Point(9, 1), Point(1, 9)};
    c.Polygon(triangle);
    EXPECT_TRUE(PictureIs(bmp, 0, 0,
                          {"...........",  //
                           ".#########.",  //
                           ".#oooooo#..",  //
                           ".#ooooo#...",  //
                           ".#oooo#....",  //
                           ".#ooo#.....",  //
                           ".#oo#......",  //
                           ".#o#.......",  //
                           ".##........",  //
                           ".#.........",  //
                           "..........."}));
}

TEST_F(PixelRules, PolygonFillWithoutPenTakesHalfOpenRunsFromTheEdges) {
    c.Pen()->SetStyle(psClear);
    // Row y runs from ceil of the left edge up to, not including, ceil of the right edge.
    const std::array<TPoint, 3> triangle{Point(4, 0), Point(8, 8), Point(0, 8)};
    c.Polygon(triangle);
    EXPECT_TRUE(PictureIs(bmp, 0, 0,
                          {".........",  //
                           "....o....",  //
                           "...oo....",  //
                           "...ooo...",  //
                           "..oooo...",  //
                           "..ooooo..",  //
                           ".oooooo..",  //
                           ".ooooooo.",  //
                           "........."}));
}

TEST_F(PixelRules, PolygonFillHonoursTheOrigin) {
    c.Pen()->SetStyle(psClear);
    c.SetOrigin(3, 2);
    const std::array<TPoint, 3> triangle{Point(0, 0), Point(4, 0), Point(0, 4)};
    c.Polygon(triangle);
    EXPECT_TRUE(PictureIs(bmp, 2, 1,
                          {"......",  //
                           ".oooo.",  //
                           ".ooo..",  //
                           ".oo...",  //
                           ".o....",  //
                           "......"}));
}

// --- Lines: ties go to the smaller coordinate on the minor axis ----------------------------------

TEST_F(PixelRules, XMajorLineTiesGoUpEitherWay) {
    c.MoveTo(1, 1);
    c.LineTo(7, 4);  // y = 1.5 at x = 4 and 2.5 at x = 6: both take the upper pixel
    c.MoveTo(7, 9);
    c.LineTo(1, 6);  // the same line drawn back, one row lower
    EXPECT_TRUE(PictureIs(bmp, 0, 0,
                          {"........",  //
                           ".##.....",  //
                           "...##...",  //
                           ".....##.",  //
                           "........",  //
                           "........",  //
                           "..#.....",  //
                           "...##...",  //
                           ".....##.",  //
                           ".......#"}));
}

TEST_F(PixelRules, RisingLineTiesGoUpToo) {
    c.MoveTo(1, 4);
    c.LineTo(7, 1);
    EXPECT_TRUE(PictureIs(bmp, 0, 0,
                          {"........",  //
                           "......#.",  //
                           "....##..",  //
                           "..##....",  //
                           ".#......",  //
                           "........"}));
}

TEST_F(PixelRules, YMajorLineTiesGoLeftEitherWay) {
    c.MoveTo(1, 1);
    c.LineTo(4, 7);
    c.MoveTo(9, 7);
    c.LineTo(6, 1);
    EXPECT_TRUE(PictureIs(bmp, 0, 0,
                          {"..........",  //
                           ".#........",  //
                           ".#....#...",  //
                           "..#....#..",  //
                           "..#....#..",  //
                           "...#....#.",  //
                           "...#....#.",  //
                           ".........#",  //
                           ".........."}));
}

// --- Ellipse: the brush stays between the curve's pixels ---------------------------------------

TEST_F(PixelRules, SmallEllipsesHaveNoSpurs) {
    c.Ellipse(0, 0, 3, 3);
    c.Ellipse(4, 0, 9, 7);
    EXPECT_TRUE(PictureIs(bmp, 0, 0,
                          {".#....#...",  //
                           "#o#..#o#..",  //
                           ".#..#ooo#.",  //
                           "....#ooo#.",  //
                           "....#ooo#.",  //
                           ".....#o#..",  //
                           "......#...",  //
                           ".........."}));
}

TEST_F(PixelRules, ThinEllipseLeavesRowsItsCurveMissesWithoutBrush) {
    c.Ellipse(1, 1, 5, 8);  // the curve of a flat box misses its top and bottom rows
    EXPECT_TRUE(PictureIs(bmp, 0, 0,
                          {"......",  //
                           "......",  //
                           "..##..",  //
                           ".#oo#.",  //
                           ".#oo#.",  //
                           ".#oo#.",  //
                           "..##..",  //
                           "......",  //
                           "......"}));
}

TEST_F(PixelRules, EllipseFollowsADottedPenFromTheTopRight) {
    c.Brush()->SetStyle(bsClear);
    c.Pen()->SetStyle(psDot);
    c.Ellipse(0, 0, 16, 12);
    // Dots of three run counter-clockwise from the right end of the top row (6..9 solid).
    EXPECT_TRUE(PictureIs(bmp, 0, 0,
                          {"........###.....",  //
                           "...##...........",  //
                           "..#.............",  //
                           "..............#.",  //
                           "...............#",  //
                           "...............#",  //
                           "#...............",  //
                           "#...............",  //
                           ".#..............",  //
                           ".............#..",  //
                           "...........##...",  //
                           ".....###........"}));
}

TEST_F(PixelRules, OnePixelRectangleAndEllipsePaintNothingWithAThinPen) {
    c.Rectangle(2, 2, 3, 3);
    c.Ellipse(5, 5, 6, 6);
    EXPECT_FALSE(BoundsOfChanges(bmp, clWhite).has_value());
    c.Rectangle(2, 2, 3, 5);  // one pixel wide: the path runs down and back up
    EXPECT_TRUE(PictureIs(bmp, 1, 1, {"...", ".#.", ".#.", ".#.", "..."}));
    c.Pen()->SetWidth(3);  // a wide pen still puts its round dot on the corner
    c.Rectangle(9, 9, 10, 10);
    EXPECT_TRUE(PictureIs(bmp, 7, 7, {".....", "..#..", ".###.", "..#..", "....."}));
}

// --- Hatches: fixed phases on the surface -------------------------------------------------------

TEST_F(PixelRules, CrossHatchesHaveTheClassicPhases) {
    const TPictureLegend hatch{{'.', clWhite}, {'o', clRed}};
    c.Brush()->SetStyle(bsCross);
    c.FillRect(Rect(0, 0, 8, 8));
    c.Brush()->SetStyle(bsDiagCross);
    c.FillRect(Rect(8, 0, 16, 8));
    EXPECT_TRUE(PictureIs(bmp, 0, 0,
                          {"....o...o......o",  //
                           "....o....o....o.",  //
                           "....o.....o..o..",  //
                           "oooooooo...oo...",  //
                           "....o......oo...",  //
                           "....o.....o..o..",  //
                           "....o....o....o.",  //
                           "....o...o......o"},
                          hatch));
}

TEST_F(PixelRules, HatchesKeepTheirPhaseWhereverTheyStart) {
    c.Brush()->SetStyle(bsHorizontal);
    c.FillRect(Rect(1, 1, 4, 13));
    c.Brush()->SetStyle(bsVertical);
    c.FillRect(Rect(5, 1, 15, 3));
    c.Brush()->SetStyle(bsBDiagonal);
    c.FillRect(Rect(5, 4, 10, 9));
    c.Brush()->SetStyle(bsFDiagonal);
    c.FillRect(Rect(10, 4, 15, 9));
    EXPECT_TRUE(PictureIs(bmp, 0, 0,
                          {"................",  //
                           "............o...",  //
                           "............o...",  //
                           ".ooo............",  //
                           "............o...",  //
                           ".............o..",  //
                           ".........o....o.",  //
                           "........o.......",  //
                           ".......o........",  //
                           "................",  //
                           "................",  //
                           ".ooo............",  //
                           "................"}));
}

// --- Wide pens: round, and as wide as they say --------------------------------------------------

TEST_F(PixelRules, WidePenRectangleHasRoundCorners) {
    c.Pen()->SetWidth(3);
    c.Rectangle(2, 2, 8, 8);
    EXPECT_TRUE(PictureIs(bmp, 0, 0,
                          {"..........",  //
                           "..######..",  //
                           ".########.",  //
                           ".########.",  //
                           ".###oo###.",  //
                           ".###oo###.",  //
                           ".########.",  //
                           ".########.",  //
                           "..######..",  //
                           ".........."}));
}

TEST_F(PixelRules, WidePenLineHasRoundCapsOnBothEnds) {
    c.Pen()->SetWidth(3);
    c.MoveTo(2, 2);
    c.LineTo(8, 2);
    c.Pen()->SetWidth(4);
    c.MoveTo(3, 8);
    c.LineTo(3, 11);
    EXPECT_TRUE(PictureIs(bmp, 0, 0,
                          {"...........",  //
                           "..#######..",  //
                           ".#########.",  //
                           "..#######..",  //
                           "...........",  //
                           "...........",  //
                           "..##.......",  //
                           ".####......",  //
                           ".####......",  //
                           ".####......",  //
                           ".####......",  //
                           ".####......",  //
                           "..##.......",  //
                           "..........."}));
}

TEST_F(PixelRules, WidePenDiagonalIsABandCorneredOnWholePixels) {
    c.Pen()->SetWidth(5);
    c.MoveTo(2, 2);
    c.LineTo(12, 12);
    // The band across the line is cornered on whole pixels: 8 on a row where a square pen
    // stamped along the path gives 9, with round dots on both ends.
    EXPECT_TRUE(PictureIs(bmp, 0, 0,
                          {".###............",  //
                           "#####...........",  //
                           "######..........",  //
                           "#######.........",  //
                           "########........",  //
                           ".########.......",  //
                           "..########......",  //
                           "...########.....",  //
                           "....########....",  //
                           ".....########...",  //
                           "......########..",  //
                           ".......########.",  //
                           "........#######.",  //
                           ".........######.",  //
                           "...........###..",  //
                           "................"}));
}

TEST_F(PixelRules, InsideFrameWidePenStaysInTheBoxWithRoundCorners) {
    c.Pen()->SetWidth(3);
    c.Pen()->SetStyle(psInsideFrame);
    c.Brush()->SetStyle(bsClear);
    c.Rectangle(1, 1, 6, 6);
    EXPECT_TRUE(PictureIs(bmp, 0, 0,
                          {".......",  //
                           "..###..",  //
                           ".#####.",  //
                           ".#####.",  //
                           ".#####.",  //
                           "..###..",  //
                           "......."}));
}

// --- Dashed rectangles start at the top right and run counter-clockwise -------------------------

TEST_F(PixelRules, DottedRectangleStartsAtTheTopRight) {
    c.Brush()->SetStyle(bsClear);
    c.Pen()->SetStyle(psDot);
    c.Rectangle(0, 0, 14, 5);
    EXPECT_TRUE(PictureIs(bmp, 0, 0,
                          {"##...###...###.",  //
                           "#..............",  //
                           ".............#.",  //
                           ".............#.",  //
                           ".###...###...#.",  //
                           "..............."}));
}

// --- FillRect with an inverted rectangle fills as a blit running backwards ---------------------

TEST_F(PixelRules, InvertedFillRectKeepsItsFirstEdgeAndLeavesOutItsSecond) {
    c.FillRect(Rect(4, 1, 1, 3));    // right < left: columns 4 down to 2
    c.FillRect(Rect(6, 3, 8, 1));    // bottom < top: rows 3 up to 2
    c.FillRect(Rect(12, 3, 10, 1));  // both
    c.FillRect(Rect(13, 1, 13, 3));  // empty stays empty
    EXPECT_TRUE(PictureIs(bmp, 0, 0,
                          {"...............",  //
                           "..ooo..........",  //
                           "..ooo.oo...oo..",  //
                           "......oo...oo..",  //
                           "..............."}));
}

}  // namespace

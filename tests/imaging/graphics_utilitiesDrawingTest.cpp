#include "imaging/graphics_utilities.h"

#include "framework/graphics/Colors.h"
#include "framework/rtl/Exceptions.h"
#include "support/PixelAssert.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace framework;
using namespace lm7;
using namespace testsupport;

namespace {

// The colours the pictures below stand for: '#' the pen, 'o' the brush, '.' white.
constexpr TColor kPen = clBlue;
constexpr TColor kBrush = clRed;

class Triangles : public ::testing::Test {
protected:
    TBitmap bmp{120, 60};
    TCanvas* canvas = bmp.Canvas();
    void SetUp() override { canvas->Brush()->SetColor(kBrush); }
};

// The fill covers the integer points inside the polygon (left edges in, right edges out), and
// the outline goes through every vertex; where a line passes between two pixels the nearer wins.
TEST_F(Triangles, SortMarkSitsInTheLowerRightOfTheRectangle) {
    ASSERT_EQ(canvas->TextExtent("a"), (TSize{7, 13}));  // DejaVu Sans at 8 points
    ComputeTriangleAndDrawit(canvas, kPen, Rect(40, 10, 100, 50), true);
    EXPECT_TRUE(PictureIs(bmp, 89, 42,
                          {".........",  //
                           ".#######.",  // base from (90, 43) to (96, 43)
                           ".#ooooo#.",  //
                           "..#ooo#..",  //
                           "..#ooo#..",  //
                           "...#o#...",  //
                           "...#o#...",  //
                           "....#....",  //
                           "....#....",  // apex (93, 50)
                           "........."}));
    EXPECT_EQ(BoundsOfChanges(bmp, clWhite), Rect(90, 43, 97, 51));
}

TEST_F(Triangles, PointUpHasItsApexAtThePoint) {
    DrawATriangle(canvas, kPen, TPoint{50, 20}, false, 7, 7);
    EXPECT_TRUE(PictureIs(bmp, 46, 19,
                          {".........",  //
                           "....#....",  // apex (50, 20)
                           "....#....",  //
                           "...#o#...",  //
                           "...#o#...",  //
                           "..#ooo#..",  //
                           "..#ooo#..",  //
                           ".#ooooo#.",  //
                           ".#######.",  // base from (47, 27) to (53, 27)
                           "........."}));
    EXPECT_EQ(BoundsOfChanges(bmp, clWhite), Rect(47, 20, 54, 28));
}

TEST_F(Triangles, PenTakesTheColourAndTheBrushIsLeftAlone) {
    canvas->Pen()->SetColor(clGreen);
    DrawATriangle(canvas, kPen, TPoint{20, 20}, true, 9, 5);
    EXPECT_EQ(canvas->Pen()->Color(), kPen);
    EXPECT_EQ(canvas->Brush()->Color(), kBrush);
    // An odd width loses its last pixel to the halving: the base spans 20 - 4 to 20 + 4.
    EXPECT_EQ(BoundsOfChanges(bmp, clWhite), Rect(16, 20, 25, 26));
}

class Gradients : public ::testing::Test {
protected:
    TBitmap bmp{30, 12};
    TCanvas* canvas = bmp.Canvas();

    TColor Red(int r) const { return RGB(r, 0, 0); }
};

TEST_F(Gradients, MoreBandsThanColumnsGiveEachColumnItsOwnColour) {
    MyDrawGradient(canvas, clBlack, RGB(200, 0, 0), 100, Rect(5, 2, 16, 9), true);
    for (int x = 5; x < 16; ++x)
        EXPECT_TRUE(RectIs(bmp, Rect(x, 2, x + 1, 9), Red(20 * (x - 5)))) << "column " << x;
    EXPECT_TRUE(NothingOutside(bmp, Rect(5, 2, 16, 9), clWhite));
    // The last band's colour stays in the canvas.
    EXPECT_EQ(canvas->Pen()->Color(), Red(200));
    EXPECT_EQ(canvas->Brush()->Color(), Red(200));
}

TEST_F(Gradients, NoBandsMeansOneBandAndTheEndColourInTheLastColumn) {
    MyDrawGradient(canvas, clBlue, clYellow, 0, Rect(5, 2, 16, 9), true);
    EXPECT_TRUE(RectIs(bmp, Rect(5, 2, 15, 9), clBlue));
    EXPECT_TRUE(RectIs(bmp, Rect(15, 2, 16, 9), clYellow));
}

TEST_F(Gradients, ChannelStepsRoundHalvesToEven) {
    // Two bands over ten pixels: red 0, round(0.5) = 0, then 1.
    MyDrawGradient(canvas, RGB(0, 0, 0), RGB(1, 0, 0), 2, Rect(0, 0, 11, 4), true);
    EXPECT_TRUE(RectIs(bmp, Rect(0, 0, 10, 4), Red(0)));
    EXPECT_TRUE(RectIs(bmp, Rect(10, 0, 11, 4), Red(1)));
}

TEST_F(Gradients, BandsOfSeveralPixelsOverlapByOne) {
    // 3 bands over 20 pixels: bands of 6.67 start at 0, 6, 13 and 20, each 7 wide.
    MyDrawGradient(canvas, RGB(0, 0, 0), RGB(0, 0, 90), 3, Rect(0, 0, 21, 2), true);
    EXPECT_TRUE(RectIs(bmp, Rect(0, 0, 6, 2), RGB(0, 0, 0)));
    EXPECT_TRUE(RectIs(bmp, Rect(6, 0, 13, 2), RGB(0, 0, 30)));
    EXPECT_TRUE(RectIs(bmp, Rect(13, 0, 20, 2), RGB(0, 0, 60)));
    EXPECT_TRUE(RectIs(bmp, Rect(20, 0, 21, 2), RGB(0, 0, 90)));
}

TEST_F(Gradients, VerticalRunsTopToBottomAndTakesSystemColours) {
    const TColor saved = GetSysColor(COLOR_BTNFACE);
    SetSysColor(COLOR_BTNFACE, RGB(240, 240, 240));
    MyDrawGradient(canvas, clBtnFace, RGB(0, 0, 0), 3, Rect(2, 1, 9, 5), false);
    SetSysColor(COLOR_BTNFACE, saved);
    // Length 3, three bands of one pixel, each drawn two rows high and overdrawn by the next.
    EXPECT_TRUE(RectIs(bmp, Rect(2, 1, 9, 2), RGB(240, 240, 240)));
    EXPECT_TRUE(RectIs(bmp, Rect(2, 2, 9, 3), RGB(160, 160, 160)));
    EXPECT_TRUE(RectIs(bmp, Rect(2, 3, 9, 4), RGB(80, 80, 80)));
    EXPECT_TRUE(RectIs(bmp, Rect(2, 4, 9, 5), RGB(0, 0, 0)));
    EXPECT_TRUE(NothingOutside(bmp, Rect(2, 1, 9, 5), clWhite));
}

TEST_F(Gradients, AMissingColourFillsWithTheOther) {
    MyDrawGradient(canvas, clRed, clNone, 5, Rect(1, 1, 8, 6), true);
    EXPECT_TRUE(RectIs(bmp, Rect(1, 1, 8, 6), clRed));
    MyDrawGradient(canvas, clNone, clBlue, 5, Rect(10, 1, 18, 6), false);
    EXPECT_TRUE(RectIs(bmp, Rect(10, 1, 18, 6), clBlue));
    EXPECT_EQ(CountOfColor(bmp, clRed) + CountOfColor(bmp, clBlue), 7 * 5 + 8 * 5);
}

TEST_F(Gradients, EmptyAndReversedRectangles) {
    MyDrawGradient(canvas, clRed, clBlue, 4, Rect(1, 5, 20, 5), true);
    EXPECT_EQ(BoundsOfChanges(bmp, clWhite), std::nullopt);

    TBitmap upright(30, 12), reversed(30, 12);
    MyDrawGradient(upright.Canvas(), clRed, clBlue, 4, Rect(3, 2, 20, 10), true);
    MyDrawGradient(reversed.Canvas(), clRed, clBlue, 4, Rect(3, 10, 20, 2), true);
    MyDrawGradient(canvas, clRed, clBlue, 4, Rect(20, 10, 3, 2), true);  // right to left as well
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 30; ++x) {
            ASSERT_EQ(PixelAt(reversed, x, y), PixelAt(upright, x, y)) << x << ", " << y;
            ASSERT_EQ(PixelAt(bmp, x, y), PixelAt(upright, x, y)) << x << ", " << y;
        }
}

TEST(CrownPos, PointsGoRoundFromStraightBelow) {
    const TPoint c{100, 100};
    EXPECT_EQ(CrownPos(0, 8, 10, c), (TPoint{100, 110}));
    EXPECT_EQ(CrownPos(1, 8, 10, c), (TPoint{108, 108}));  // radius 12 at 45 degrees: 8.49
    EXPECT_EQ(CrownPos(2, 8, 10, c), (TPoint{110, 100}));  // a quarter round: to the right
    EXPECT_EQ(CrownPos(3, 8, 10, c), (TPoint{108, 92}));
    EXPECT_EQ(CrownPos(4, 8, 10, c), (TPoint{100, 90}));
    EXPECT_EQ(CrownPos(-1, 8, 10, c), (TPoint{92, 108}));  // odd below zero is odd too
    EXPECT_EQ(CrownPos(8, 8, 10, c), (TPoint{100, 110}));  // all the way round
    // Halves go to the even neighbour: radius 5 at 30 degrees gives dx 2.5.
    EXPECT_EQ(CrownPos(2, 24, 5, TPoint{0, 0}).X, 2);
    EXPECT_EQ(CrownPos(2, 24, 7, TPoint{0, 0}).X, 4);  // 3.5 gives 4
}

TEST(CrownPos, NoPointsIsADivisionByZero) { EXPECT_THROW(CrownPos(0, 0, 10, TPoint{0, 0}), EZeroDivide); }

TEST(FontMappings, PointSizesAndMetricHeights) {
    EXPECT_EQ(MapFontHeight(12), -42);
    EXPECT_EQ(MapFontHeight(8), -28);
    EXPECT_EQ(MapFontHeight(10), -35);
    EXPECT_EQ(MapFontHeight(0), 0);
    EXPECT_EQ(MapFontHeight(-10), 35);
    EXPECT_EQ(MapFontSize(42), 11);
    EXPECT_EQ(MapFontSize(-35), -9);  // the sign is kept, not undone
    EXPECT_EQ(MapFontSize(254), 72);
    // Products beyond 32 bits stay exact.
    EXPECT_EQ(MapFontHeight(10'000'000), -35'277'777);
    EXPECT_EQ(MapFontSize(2'000'000'000), 566'929'133);
}

class TextMeasures : public ::testing::Test {
protected:
    TBitmap bmp{40, 40};
    TCanvas* canvas = bmp.Canvas();
};

TEST_F(TextMeasures, HeightPlusAnEighthRoundsTheEighthDown) {
    // Font heights whose text heights are 7, 9, 13, 16 and 24 pixels among others (the face
    // has no 8-pixel cell).
    const std::map<int, int> wanted{{7, 7}, {9, 10}, {13, 14}, {16, 18}, {24, 27}};
    std::set<int> seen;
    for (int height = -30; height <= 30; ++height) {
        canvas->Font()->SetHeight(height);
        const int h = canvas->TextHeight("Xg");
        if (auto it = wanted.find(h); it != wanted.end()) {
            EXPECT_EQ(HeightOfAStringPlusOneEighth(canvas, "Xg"), it->second) << h;
            seen.insert(h);
        }
    }
    EXPECT_EQ(seen.size(), wanted.size());
}

TEST_F(TextMeasures, SettingsAreTakenFromFontAndBrush) {
    canvas->Font()->SetName("DejaVu Serif");
    canvas->Font()->SetSize(12);
    canvas->Font()->SetStyle(fsBold | fsUnderline);
    canvas->Font()->SetColor(clNavy);
    canvas->Brush()->SetColor(clBtnFace);
    const TCanvasSettings s = GetCanvasSettings(canvas);
    EXPECT_EQ(s.fontname, "DejaVu Serif");
    EXPECT_EQ(s.fontsize, 12);
    EXPECT_EQ(s.fontstyle, fsBold | fsUnderline);
    EXPECT_EQ(s.brushcolour, clBtnFace);  // as set, not resolved
    EXPECT_EQ(s.fontcolour, clNavy);
}

// The font file fontconfig picks for a family, asked of the command-line tool.
std::string FontFile(const std::string& family) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(("fc-match -f '%{file}' '" + family + "'").c_str(), "r"),
                                               pclose);
    std::string out;
    std::array<char, 512> buf{};
    while (pipe && fgets(buf.data(), buf.size(), pipe.get()))
        out += buf.data();
    return out;
}

// Every code below 0x10000 in the font's Unicode character map, straight from FreeType.
std::vector<std::uint32_t> FreeTypeCodes(const std::string& file) {
    std::vector<std::uint32_t> codes;
    FT_Library lib = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&lib) != 0)
        return codes;
    if (FT_New_Face(lib, file.c_str(), 0, &face) == 0) {
        FT_Select_Charmap(face, FT_ENCODING_UNICODE);
        FT_UInt index = 0;
        for (FT_ULong c = FT_Get_First_Char(face, &index); index != 0; c = FT_Get_Next_Char(face, c, &index))
            if (c < 0x10000)
                codes.push_back(static_cast<std::uint32_t>(c));
        FT_Done_Face(face);
    }
    FT_Done_FreeType(lib);
    return codes;
}

TEST_F(TextMeasures, ViewableCharactersAreTheFontsCharacterMap) {
    for (const char* family : {"DejaVu Sans", "DejaVu Sans Mono"}) {
        canvas->Font()->SetName(family);
        const std::string file = FontFile(family);
        ASSERT_NE(file.find("DejaVuSans"), std::string::npos) << file;
        const std::vector<std::uint32_t> want = FreeTypeCodes(file);
        ASSERT_GT(want.size(), 2000u) << family;
        const auto list = CharNums16BitViewableInFont(canvas);
        EXPECT_EQ(list->Values(), want) << family;
        EXPECT_TRUE(std::is_sorted(list->Values().begin(), list->Values().end()));
    }
    // The sans face has Hebrew; the mono face has not.
    canvas->Font()->SetName("DejaVu Sans");
    const auto sans = CharNums16BitViewableInFont(canvas);
    canvas->Font()->SetName("DejaVu Sans Mono");
    const auto mono = CharNums16BitViewableInFont(canvas);
    const auto has = [](const sibling::TCardinalList& l, std::uint32_t c) {
        return std::binary_search(l.Values().begin(), l.Values().end(), c);
    };
    EXPECT_TRUE(has(*sans, 0x05D0));
    EXPECT_FALSE(has(*mono, 0x05D0));
    EXPECT_TRUE(has(*mono, 'A') && has(*sans, 'A'));
}

TEST(RegionCopies, CanvasToBitmapAndBack) {
    TBitmap source(20, 20);
    source.Canvas()->Brush()->SetColor(clRed);
    source.Canvas()->FillRect(Rect(5, 6, 9, 8));
    TBitmap piece(3, 3);
    CopyARegionOfCanvasToABitmap(4, 5, 6, 4, piece, source.Canvas());
    ASSERT_EQ(piece.Width(), 6);
    ASSERT_EQ(piece.Height(), 4);
    EXPECT_TRUE(RectIs(piece, Rect(1, 1, 5, 3), clRed));
    EXPECT_TRUE(NothingOutside(piece, Rect(1, 1, 5, 3), clWhite));

    TBitmap target(20, 20);
    target.Canvas()->Brush()->SetColor(clBlue);
    target.Canvas()->FillRect(Rect(0, 0, 20, 20));
    // The rectangle is larger than the bitmap: only what the bitmap has is copied.
    CopyABitmapToARegionOfCanvas(Rect(10, 12, 30, 30), &piece, target.Canvas());
    EXPECT_TRUE(RectIs(target, Rect(11, 13, 15, 15), clRed));
    EXPECT_TRUE(RectIs(target, Rect(10, 12, 16, 13), clWhite));
    EXPECT_TRUE(RectIs(target, Rect(16, 12, 20, 20), clBlue));
    EXPECT_TRUE(RectIs(target, Rect(0, 0, 20, 12), clBlue));
}

}  // namespace

// A nil canvas, bitmap or image changes nothing and answers an empty value, as the framework's
// drawing calls do for a nil device context; nothing ends the process.
TEST(NilArguments, DrawingRoutinesDoNothing) {
    TBitmap bmp{8, 8};
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.Canvas()->FillRect(TRect{0, 0, 8, 8});
    EXPECT_EQ(GetCanvasSettings(nullptr).fontname, "");
    EXPECT_EQ(HeightOfAStringPlusOneEighth(nullptr, "gh"), 0);
    EXPECT_EQ(CharNums16BitViewableInFont(nullptr)->Count(), 0);
    DrawATriangle(nullptr, clRed, TPoint{4, 4}, true, 4, 4);
    ComputeTriangleAndDrawit(nullptr, clRed, TRect{0, 0, 8, 8}, true);
    MyDrawGradient(nullptr, clRed, clBlue, 4, TRect{0, 0, 8, 8}, true);
    EXPECT_EQ(ConvertBitmapToWindowsMetafile(static_cast<const TImage*>(nullptr))->Width(), 0);
    ConvertBitmapToWindowsMetafileAndSave(nullptr, "/nonexistent/never-written.emf");
    CopyARegionOfCanvasToABitmap(0, 0, 3, 3, bmp, nullptr);
    EXPECT_EQ(bmp.Width(), 8);  // not resized for a copy that cannot happen
    CopyABitmapToARegionOfCanvas(TRect{0, 0, 4, 4}, nullptr, bmp.Canvas());
    CopyABitmapToARegionOfCanvas(TRect{0, 0, 4, 4}, &bmp, nullptr);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(bmp.Canvas()->Pixels(x, y), clWhite) << x << "," << y;
}

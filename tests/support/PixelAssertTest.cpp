#include "support/PixelAssert.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

using namespace framework;
using namespace testsupport;

namespace {

// The helpers must fail loudly and point at the right pixel, or graphics tests prove nothing.
class PixelAssertions : public ::testing::Test {
protected:
    TBitmap bmp{6, 4};
    void SetUp() override {
        bmp.Canvas()->Brush()->SetColor(clRed);
        bmp.Canvas()->FillRect(Rect(1, 1, 3, 3));
    }
};

TEST_F(PixelAssertions, PixelIsNamesTheActualColour) {
    EXPECT_TRUE(PixelIs(bmp, 1, 1, clRed));
    const auto result = PixelIs(bmp, 0, 0, clRed);
    ASSERT_FALSE(result);
    const std::string message = result.message();
    EXPECT_NE(message.find("(0, 0) is clWhite"), std::string::npos) << message;
    EXPECT_NE(message.find(".png"), std::string::npos) << message;
}

TEST_F(PixelAssertions, RectIsReportsTheFirstMismatch) {
    EXPECT_TRUE(RectIs(bmp, Rect(1, 1, 3, 3), clRed));
    const auto result = RectIs(bmp, Rect(1, 1, 4, 3), clRed);
    ASSERT_FALSE(result);
    EXPECT_NE(std::string(result.message()).find("pixel (3, 1)"), std::string::npos) << result.message();
}

TEST_F(PixelAssertions, BoundsAndCounts) {
    EXPECT_EQ(BoundsOfColor(bmp, clRed), Rect(1, 1, 3, 3));
    EXPECT_EQ(BoundsOfChanges(bmp, clWhite), Rect(1, 1, 3, 3));
    EXPECT_FALSE(BoundsOfColor(bmp, clBlue).has_value());
    EXPECT_EQ(CountOfColor(bmp, clRed), 4);
    EXPECT_EQ(CountOfColor(bmp, clWindow), 20);  // system colours resolve
    EXPECT_TRUE(NothingOutside(bmp, Rect(1, 1, 3, 3), clWhite));
    EXPECT_FALSE(NothingOutside(bmp, Rect(1, 1, 2, 3), clWhite));
    EXPECT_EQ(PixelAt(bmp, 6, 0), CLR_INVALID);
}

TEST_F(PixelAssertions, PictureShowsBothPicturesOnAMismatch) {
    EXPECT_TRUE(PictureIs(bmp, 0, 0, {"....", ".oo.", ".oo.", "...."}));
    EXPECT_TRUE(PictureIs(bmp, 5, 3, {". "}));  // off the bitmap reads as blank
    bmp.Canvas()->SetPixel(2, 1, clLime);
    const auto result = PictureIs(bmp, 1, 1, {"oo", "oo"});
    ASSERT_FALSE(result);
    EXPECT_NE(std::string(result.message()).find("are\no?\noo\nexpected\noo\noo\n"), std::string::npos)
        << result.message();
    EXPECT_EQ(PictureOf(bmp, Rect(1, 1, 3, 2), {{'g', clLime}, {'r', clRed}}), "rg\n");
}

TEST_F(PixelAssertions, SavedBitmapReadsBack) {
    const std::string path = SaveForInspection(bmp, "check");
    TBitmap back;
    back.LoadFromFile(path);
    EXPECT_TRUE(PixelIs(back, 2, 2, clRed));
    std::remove(path.c_str());
}

}  // namespace

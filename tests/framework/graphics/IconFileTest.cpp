#include "framework/graphics/IconFile.h"

#include "support/IconBuilder.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace testsupport;

namespace {

constexpr std::uint32_t kRed = 0xFFFF0000u, kBlue = 0xFF0000FFu, kGreen = 0xFF00FF00u;

std::uint32_t At(const TBitmap& bmp, int x, int y) { return bmp.ScanLine(y)[x]; }

// A 4x4 image with two colours in columns and a transparent top-left pixel.
IconImage TwoColour(int bpp) {
    IconImage img{4, 4, bpp, false, {}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            img.pixels.push_back(x < 2 ? kRed : kBlue);
    img.pixels[0] = kRed & 0x00FFFFFFu;  // transparent, so two palette entries suffice
    return img;
}

}  // namespace

TEST(IconDecode, BitmapsOfEveryDepthKeepColoursAndMask) {
    for (int bpp : {1, 4, 8, 24, 32}) {
        SCOPED_TRACE(bpp);
        auto bmp = LoadIconFromBytes(BuildIcon({TwoColour(bpp)}), 4, 4);
        ASSERT_TRUE(bmp);
        EXPECT_EQ(At(*bmp, 0, 0) >> 24, 0u);
        EXPECT_EQ(At(*bmp, 1, 0), kRed);
        EXPECT_EQ(At(*bmp, 3, 0), kBlue);
        EXPECT_EQ(At(*bmp, 0, 3), kRed);  // rows are stored bottom-up
        EXPECT_EQ(At(*bmp, 3, 3), kBlue);
    }
}

TEST(IconDecode, ThirtyTwoBitsWithoutAlphaTakeTheMask) {
    IconImage img = TwoColour(32);
    std::string ico = BuildIcon({img});
    // Clear every alpha byte of the colour data: the mask alone must decide.
    const std::size_t colours = 6 + 16 + 40;
    for (std::size_t i = 0; i < 16; ++i)
        ico[colours + i * 4 + 3] = 0;
    auto bmp = LoadIconFromBytes(ico, 4, 4);
    ASSERT_TRUE(bmp);
    EXPECT_EQ(At(*bmp, 0, 0) >> 24, 0u);
    EXPECT_EQ(At(*bmp, 1, 0), kRed);
}

TEST(IconDecode, PngEntryWithAlpha) {
    IconImage img = SolidIcon(8, 32, 0x80112233u, false, true);
    auto bmp = LoadIconFromBytes(BuildIcon({img}), 8, 8);
    ASSERT_TRUE(bmp);
    EXPECT_EQ(At(*bmp, 5, 5), 0x80112233u);
}

TEST(IconChoice, ExactSizeThenNearestThenDeepest) {
    const std::vector<TIconDirEntry> entries{{16, 16, 0, 0, 1, 8, 0, 0},
                                             {32, 32, 0, 0, 1, 32, 0, 0},
                                             {16, 16, 0, 0, 1, 32, 0, 0},
                                             {0, 0, 0, 0, 1, 32, 0, 0}};
    EXPECT_EQ(ChooseIconEntry(entries, 16, 16), 2);
    EXPECT_EQ(ChooseIconEntry(entries, 16, 16, 8), 0);
    EXPECT_EQ(ChooseIconEntry(entries, 30, 30), 1);
    EXPECT_EQ(ChooseIconEntry(entries, 200, 200), 3);  // width 0 is 256
    EXPECT_EQ(ChooseIconEntry({}, 16, 16), -1);
}

TEST(IconChoice, LoaderPicksTheMatchingEntryAndScalesOtherwise) {
    const std::string ico = BuildIcon({SolidIcon(16, 32, kRed), SolidIcon(32, 32, kBlue)});
    EXPECT_EQ(At(*LoadIconFromBytes(ico, 16, 16), 8, 8), kRed);
    EXPECT_EQ(At(*LoadIconFromBytes(ico, 32, 32), 8, 8), kBlue);
    auto scaled = LoadIconFromBytes(ico, 24, 24);  // 16 and 32 are both 8 away: the first wins
    ASSERT_TRUE(scaled);
    EXPECT_EQ(scaled->Width(), 24);
    EXPECT_EQ(At(*scaled, 23, 23), kRed);
}

TEST(IconResample, ShrinkingAveragesAndTransparentPixelsLendNoColour) {
    TBitmap src(2, 2);
    src.ScanLine(0)[0] = kRed;
    src.ScanLine(0)[1] = kGreen;
    src.ScanLine(1)[0] = 0x000000FFu;  // transparent blue
    src.ScanLine(1)[1] = kRed;
    auto out = ResampleImage(src, 1, 1);
    // Three opaque pixels of four: alpha 3/4, colour from the opaque ones only.
    EXPECT_EQ(At(*out, 0, 0), 0xBFAA5500u);
    auto grown = ResampleImage(src, 4, 4);
    EXPECT_EQ(At(*grown, 3, 0), kGreen);
    EXPECT_EQ(At(*grown, 1, 1), kRed);
}

TEST(IconHostile, TruncatedAtEveryLengthNeverCrashes) {
    const std::string ico = BuildIcon({TwoColour(8), SolidIcon(16, 32, kRed, true, true)});
    for (std::size_t n = 0; n < ico.size(); ++n) {
        auto bmp = LoadIconFromBytes(std::string_view(ico).substr(0, n), 16, 16);
        if (bmp) {
            EXPECT_EQ(bmp->Width(), 16);
        }
    }
}

TEST(IconHostile, AbsurdSizesAndOffsetsGiveNoIcon) {
    std::string ico = BuildIcon({TwoColour(32)});
    std::string wide = ico;
    wide[6 + 16 + 4] = 0x00;
    wide[6 + 16 + 6] = 0x10;  // a DIB 1 Mi pixels wide
    EXPECT_FALSE(LoadIconFromBytes(wide, 4, 4));
    std::string far = ico;
    far[6 + 12 + 3] = 0x7F;  // image offset far beyond the end
    EXPECT_FALSE(LoadIconFromBytes(far, 4, 4));
    std::string cursor = ico;
    cursor[2] = 2;
    EXPECT_FALSE(LoadIconFromBytes(cursor, 4, 4));

    // A PNG that claims 100000 x 100000 pixels is refused before decoding.
    std::string png = BuildIcon({SolidIcon(4, 32, kRed, false, true)});
    const std::size_t ihdr = 6 + 16 + 16;
    png[ihdr] = 0x00;
    png[ihdr + 1] = 0x01;
    png[ihdr + 2] = static_cast<char>(0x86);
    png[ihdr + 3] = static_cast<char>(0xA0);
    EXPECT_FALSE(LoadIconFromBytes(png, 4, 4));
}

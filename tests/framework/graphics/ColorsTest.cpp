#include "framework/graphics/Colors.h"
#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

using namespace framework;

namespace {

TEST(ColorValues, SystemColoursCarryTheirIndex) {
    EXPECT_EQ(clWindow, -16777211);
    EXPECT_EQ(clBtnFace, static_cast<TColor>(0xFF00000F));
    EXPECT_EQ(clMenuBar, static_cast<TColor>(0xFF00001E));
    EXPECT_EQ(RGB(1, 2, 3), 0x030201);
    EXPECT_EQ(GetBValue(clSkyBlue), 0xF0);
}

TEST(ColorValues, ColorToRGBResolvesOnlySystemColours) {
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(0, 103, 192));
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_EQ(ColorToRGB(clTeal), clTeal);
    SetSysColor(COLOR_WINDOW, clCream);
    EXPECT_EQ(ColorToRGB(clWindow), clCream);
    ResetSysColors();
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
}

TEST(ColorNames, NamesAndHexRoundTrip) {
    EXPECT_EQ(ColorToString(clWindow), "clWindow");
    EXPECT_EQ(ColorToString(clNone), "clNone");
    EXPECT_EQ(ColorToString(0x123456), "$00123456");
    EXPECT_EQ(StringToColor("clwindow"), clWindow);
    EXPECT_EQ(StringToColor(" clRed "), clRed);
    EXPECT_EQ(StringToColor("$00123456"), 0x123456);
    EXPECT_EQ(StringToColor("$FF000005"), clWindow);
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_EQ(StringToColor("-16777211"), clWindow);
    for (TColor c : {clBlack, clMedGray, clInfoBk, cl3DDkShadow, clDefault, 0x00ABCDEF})
        EXPECT_EQ(StringToColor(ColorToString(c)), c) << ColorToString(c);
}

TEST(ColorNames, BadTextRaisesConvertError) {
    EXPECT_THROW(StringToColor("clNoSuchColour"), EConvertError);
    EXPECT_THROW(StringToColor(""), EConvertError);
    EXPECT_THROW(StringToColor("$1FFFFFFFF"), EConvertError);
    EXPECT_THROW(StringToColor("12abc"), EConvertError);
}

}  // namespace

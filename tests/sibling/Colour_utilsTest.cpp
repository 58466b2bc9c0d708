#include "sibling/Colour_utils.h"
#include "framework/forms/Application.h"
#include "vendor/Monitor_functions.h"

#include <gtest/gtest.h>

using namespace framework;

TEST(SharedColourTable, StartsAsTheWebColoursWithReadableNames) {
    ASSERT_EQ(sibling::MyColourArray.size(), static_cast<std::size_t>(WebNamedColorsCount));
    EXPECT_EQ(sibling::MyColourArray[0].Value, WebNamedColors()[0].Value);
    EXPECT_EQ(sibling::MyColourArray[0].Name, "Snow");
    EXPECT_EQ(sibling::MyColourArray[1].Name, "Floral White");
    EXPECT_EQ(sibling::MyColourArray.back().Name, "Black");
}

TEST(NearestColourIndex, NearestLowestAndEmpty) {
    const TColorArray table{
        {clBlack, "black"}, {clWhite, "white"}, {RGB(250, 0, 0), "red"}, {clWhite, "white 2"}};
    EXPECT_EQ(sibling::NearestColourIndex(RGB(240, 240, 240), table), 1);  // the first of two
    EXPECT_EQ(sibling::NearestColourIndex(clRed, table), 2);
    EXPECT_EQ(sibling::NearestColourIndex(RGB(20, 10, 0), table), 0);
    EXPECT_EQ(sibling::NearestColourIndex(clWindow, table), 1);  // by its current value
    EXPECT_EQ(sibling::NearestColourIndex(clRed, {}), -1);
}

TEST(MonitorScaling, FollowsTheScreenAndTheFontScale) {
    Screen->SetPixelsPerInch(144);
    EXPECT_DOUBLE_EQ(vendor::CurrentDPIScale(), 1.5);
    EXPECT_DOUBLE_EQ(vendor::ScreenScaled(16), 24.0);
    // The monitor's scale already holds its resolution: it is not applied on top of the screen's.
    EXPECT_DOUBLE_EQ(vendor::ScreenScaled(16, vendor::CurrentDPIScale(144)), 24.0);
    EXPECT_DOUBLE_EQ(vendor::ScreenScaled(16, 1.25f), 20.0);
    Screen->SetPixelsPerInch(96);
    EXPECT_DOUBLE_EQ(vendor::ScreenScaled(16), 16.0);
}

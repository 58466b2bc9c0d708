#pragma once
// GoogleTest helpers that check what was painted on a bitmap. Colours are compared as
// 0x00BBGGRR (alpha ignored); failures name the pixel and its actual colour, and save the
// bitmap as a PNG under the test temp folder for a look.

#include "framework/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace testsupport {

using framework::TBitmap;
using framework::TColor;
using framework::TRect;

// The colour of one pixel, 0x00BBGGRR; CLR_INVALID off the bitmap.
TColor PixelAt(const TBitmap& bmp, int x, int y);
// "$00BBGGRR" (or a colour name) for messages.
std::string DescribeColor(TColor color);

// EXPECT_TRUE(PixelIs(bmp, 3, 4, clRed)); system colours are resolved first.
::testing::AssertionResult PixelIs(const TBitmap& bmp, int x, int y, TColor expected);
// Every pixel of rect has the colour; reports the first one that has not.
::testing::AssertionResult RectIs(const TBitmap& bmp, const TRect& rect, TColor expected);
// No pixel outside rect differs from background.
::testing::AssertionResult NothingOutside(const TBitmap& bmp, const TRect& rect, TColor background);

// A small picture of painted pixels: one string per row, one character per pixel, each
// character standing for a colour of the legend. The default legend fits the usual drawing
// setup: '.' white, '#' blue (the pen), 'o' red (the brush).
using TPictureLegend = std::map<char, TColor>;
const TPictureLegend& DefaultLegend();
// The pixels of the rows and columns from (left, top) as a picture; '?' for a colour the legend
// lacks, ' ' off the bitmap.
std::string PictureOf(const TBitmap& bmp, const TRect& rect, const TPictureLegend& legend = DefaultLegend());
// The pixels from (left, top) look like picture; on failure both pictures are shown.
::testing::AssertionResult PictureIs(const TBitmap& bmp, int left, int top,
                                     std::initializer_list<std::string_view> picture,
                                     const TPictureLegend& legend = DefaultLegend());

// The smallest rectangle holding every pixel of that colour; empty (nullopt) when there is none.
std::optional<TRect> BoundsOfColor(const TBitmap& bmp, TColor color);
// The smallest rectangle holding every pixel that differs from background.
std::optional<TRect> BoundsOfChanges(const TBitmap& bmp, TColor background);
int CountOfColor(const TBitmap& bmp, TColor color);

// Saves the bitmap as <temp>/<suite>.<test>.<tag>.png and returns the path; used by the
// assertions on failure, callable by hand while writing a test.
std::string SaveForInspection(const TBitmap& bmp, const std::string& tag);

}  // namespace testsupport

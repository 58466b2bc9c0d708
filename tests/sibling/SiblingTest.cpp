#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/FloatConv.h"
#include "sibling/Logging_utilities.h"
#include "sibling/Rtl_and_ltr_painting.h"
#include "sibling/Tms_utils.h"
#include "sibling/Tool_image_basics.h"
#include "support/PixelAssert.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace sibling;
using namespace testsupport;

TEST(StyleColours, EveryStyleIsLegible) {
    for (int s = 0; s < vendor::kTMSStyleCount; ++s) {
        const auto style = static_cast<vendor::TTMSStyle>(s);
        SCOPED_TRACE(std::string(vendor::TMSStyleName(style)));
        EXPECT_GE(ContrastRatio(GetABaseTMSTextColour(style), GetABaseTMSBackgroundColour(style)), 4.5);
        EXPECT_GE(ContrastRatio(GetABaseTMSHighlightedTextColour(style),
                                GetABaseTMSHighlightBackgroundColour(style)),
                  4.5);
        EXPECT_GE(
            ContrastRatio(GetABaseTMSScrollTextColour(style), GetABaseTMSScrollDarkBackgroundColour(style)),
            4.5);
        EXPECT_GE(
            ContrastRatio(GetABaseTMSTextColour_MOSTFREQUENT(style), GetABaseTMSBackgroundColour(style)),
            4.5);
        EXPECT_GE(ContrastRatio(GetABaseTMSTextColour_SEARCHWORD(style), GetABaseTMSBackgroundColour(style)),
                  4.5);
    }
    EXPECT_NEAR(ContrastRatio(clBlack, clWhite), 21.0, 1e-9);
    // The light and dark styles really differ.
    EXPECT_GE(ContrastRatio(GetABaseTMSBackgroundColour(vendor::tsLight),
                            GetABaseTMSBackgroundColour(vendor::tsDark)),
              10.0);
}

TEST(ImageDimensions, HeightsFallIntoTheirBands) {
    const std::vector<std::pair<int, TImageDimensions>> cases{
        {0, id16},  {17, id16}, {18, id20}, {21, id20},  {22, id24},  {26, id24},
        {27, id32}, {35, id32}, {36, id40}, {43, id40},  {44, id48},  {55, id48},
        {56, id64}, {79, id64}, {80, id96}, {111, id96}, {112, id20}, {-1, id20}};
    for (auto [height, dim] : cases)
        EXPECT_EQ(IntegerToImageDimension(height), dim) << height;
    // Every size maps back to its own dimension except the largest, which no height chooses.
    for (int d = 0; d < 8; ++d)
        EXPECT_EQ(IntegerToImageDimension(ImageDimensionSizes[static_cast<std::size_t>(d)]), d);
    EXPECT_EQ(ImageDimensionToInteger(id128), 128);
}

TEST(Numbers, IsANumberAcceptsExactlyWhatStrToFloatConverts) {
    for (const char* text : {"1.5", " 2 ", "-3e4", ".5", "5.", "+1.25", "1234.5", "1,5", "1.2.3", "abc", "",
                             "1e", "$10", "1,234.50", "NaN", "inf", "0x10", "12 apples"}) {
        double value = 0;
        EXPECT_EQ(IsANumber(text), TryStrToFloat(text, value)) << text;
    }
    EXPECT_TRUE(IsANumber("1234.5"));
    EXPECT_FALSE(IsANumber("1,234.50"));
}

TEST(Directions, FirstStrongCharacterDecides) {
    EXPECT_FALSE(IsRightToLeftText("hello"));
    EXPECT_TRUE(IsRightToLeftText("\u05E9\u05DC\u05D5\u05DD"));           // Hebrew
    EXPECT_TRUE(IsRightToLeftText("12 \u0645\u0631\u062D\u0628\u0627"));  // digits, then Arabic
    EXPECT_FALSE(IsRightToLeftText("abc \u05E9"));
    EXPECT_FALSE(IsRightToLeftText("123"));
}

namespace {
struct LinePainting : ::testing::Test {
    TBitmap bmp{200, 20};
    TCanvas& canvas = *bmp.Canvas();
    void SetUp() override {
        canvas.Brush()->SetColor(clWhite);
        canvas.FillRect(Rect(0, 0, 200, 20));
        canvas.Font()->SetColor(clBlack);
    }
    void Paint(const std::string& text, TRect r) {
        EllipsisOutputALine(&canvas, text, r, canvas.TextWidth(text));
    }
};
}  // namespace

TEST_F(LinePainting, ShortLeftToRightTextStartsTwoPixelsIn) {
    Paint("apple", Rect(10, 0, 190, 16));
    auto ink = BoundsOfColor(bmp, clBlack);
    ASSERT_TRUE(ink.has_value());
    EXPECT_GE(ink->Left, 12);
    EXPECT_LE(ink->Right, 12 + canvas.TextWidth("apple"));
}

TEST_F(LinePainting, RightToLeftTextEndsTwoPixelsFromTheRight) {
    const std::string hebrew = "\u05E9\u05DC\u05D5\u05DD";
    Paint(hebrew, Rect(10, 0, 190, 16));
    auto ink = BoundsOfChanges(bmp, clWhite);
    ASSERT_TRUE(ink.has_value());
    EXPECT_LE(ink->Right, 188);
    EXPECT_GE(ink->Left, 188 - canvas.TextWidth(hebrew));
}

TEST_F(LinePainting, TooWideTextIsCutWithAnEllipsisAndStaysInside) {
    const std::string text = "a sentence that is much too long to fit into a narrow item of a list box";
    Paint(text, Rect(10, 0, 90, 16));
    EXPECT_TRUE(NothingOutside(bmp, Rect(10, 0, 90, 16), clWhite));
    // The shown text is a start of the sentence followed by the ellipsis.
    TBitmap expected(200, 20);
    expected.Canvas()->Brush()->SetColor(clWhite);
    expected.Canvas()->FillRect(Rect(0, 0, 200, 20));
    std::string shown = "a sentence";
    while (expected.Canvas()->TextWidth(shown + "\u2026") < 76 && shown.size() < text.size())
        shown = text.substr(0, shown.size() + 1);
    shown.pop_back();
    expected.Canvas()->TextOut(12, 0, shown + "\u2026");
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 20; ++y)
            ASSERT_EQ(PixelAt(bmp, x, y), PixelAt(expected, x, y)) << x << "," << y;
}

TEST(Logging, LinesAreAppendedOnlyAsAskedAndFailuresAreQuiet) {
    testsupport::TempFolder folder;
    SetLogFileName(folder.Path("suite.log"));
    EXPECT_TRUE(AddToLogFile("first", false));
    EXPECT_TRUE(AddToLogFile("second", true));
    const std::string text = ReadFileToString(folder.Path("suite.log"));
    EXPECT_EQ(text.substr(0, 6), "first\n");
    EXPECT_NE(text.find(" second\n"), std::string::npos);
    EXPECT_EQ(text.size(), 6 + 20 + 7u);  // "yyyy-mm-dd hh:nn:ss " is 20 characters
    SetLogFileName(folder.Path("missing-folder/suite.log"));
    EXPECT_FALSE(AddToLogFile("lost", true));
    SetLogFileName("");
}

TEST_F(LinePainting, RightToLeftWordsAreSeenInTheirReadingOrderAndNumbersKeepTheirs) {
    // Logical "shalom 42" is seen, from the left, as "42" then the word's letters reversed.
    const std::string logical = "\u05E9\u05DC\u05D5\u05DD 42";
    const std::string seen = "42 \u05DD\u05D5\u05DC\u05E9";
    Paint(logical, Rect(0, 0, 200, 16));
    TBitmap expected(200, 20);
    expected.Canvas()->Brush()->SetColor(clWhite);
    expected.Canvas()->FillRect(Rect(0, 0, 200, 20));
    expected.Canvas()->TextOut(198 - expected.Canvas()->TextWidth(seen), 0, seen);
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 20; ++y)
            ASSERT_EQ(PixelAt(bmp, x, y), PixelAt(expected, x, y)) << x << "," << y;
}

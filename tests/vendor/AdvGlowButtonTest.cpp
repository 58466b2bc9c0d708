#include "vendor/AdvGlowButton.h"

#include "support/FormFixture.h"
#include "support/PixelAssert.h"
#include "support/SolidImages.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace vendor;
using namespace testsupport;

namespace {

struct GlowButtons : ::testing::Test {
    FormPtr form = MakeForm(140, 60);
    ImageListPtr images = SolidImages(16, {clRed, clBlue});
    TAdvGlowButton* button = Create<TAdvGlowButton>(form.get());

    void SetUp() override {
        button->SetBounds(10, 10, 100, 32);
        button->SetCaption("Save");
        button->SetParent(form.get());
        button->SetImages(images.get());
        button->SetImageIndex(1);
    }
};

}  // namespace

TEST_F(GlowButtons, TwoToneFaceBorderImageAndCaption) {
    auto pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, 10, 10, TColor(0x00B99D7F)));   // border
    EXPECT_TRUE(PixelIs(*pic, 100, 12, TColor(0x00FDF4EA)));  // upper half
    EXPECT_TRUE(PixelIs(*pic, 100, 40, TColor(0x00F5DEC2)));  // the glow below
    // Three pixels in, centred in the 28 rows inside the margins.
    EXPECT_EQ(BoundsOfColor(*pic, clBlue), Rect(13, 18, 29, 34));
    const auto text = BoundsOfColor(*pic, clBtnText);
    ASSERT_TRUE(text);
    EXPECT_GT(text->Left, 32);
    EXPECT_LT(text->Right, 107);
}

TEST_F(GlowButtons, GreyWhenDisabledAndNoImageForABadIndexOrAFreedList) {
    button->SetEnabled(false);
    auto pic = Picture(*form);
    EXPECT_EQ(BoundsOfColor(*pic, RGB(29, 29, 29)), Rect(13, 18, 29, 34));  // blue's luminance
    EXPECT_EQ(CountOfColor(*pic, clBtnText), 0);
    button->SetImageIndex(2);
    EXPECT_EQ(CountOfColor(*Picture(*form), RGB(29, 29, 29)), 0);
    button->SetImageIndex(0);
    images.reset();
    EXPECT_EQ(button->Images(), nullptr);
    EXPECT_EQ(CountOfColor(*Picture(*form), RGB(77, 77, 77)), 0);
}

#include "framework/controls/ComCtrls.h"
#include "framework/rtl/Exceptions.h"

#include "support/FormFixture.h"
#include "support/PixelAssert.h"
#include "support/SolidImages.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace testsupport;

namespace {

struct ToolBars : ::testing::Test {
    FormPtr form = MakeForm(200, 100);
    ImageListPtr images = SolidImages(16, {clRed, clBlue});
    TToolBar* bar = Create<TToolBar>(form.get());
    TToolButton* first = Button(0);
    TToolButton* second = Button(1);

    void SetUp() override {
        bar->SetParent(form.get());
        bar->SetImages(images.get());
    }
    TToolButton* Button(int index) {
        auto* b = Create<TToolButton>(form.get());
        b->SetParent(bar);
        b->SetImageIndex(index);
        return b;
    }
};

}  // namespace

TEST_F(ToolBars, ButtonsStandInARowAndShowTheirImagesCentred) {
    EXPECT_EQ(bar->ButtonCount(), 2);
    EXPECT_EQ(bar->Buttons(1), second);
    EXPECT_THROW(bar->Buttons(2), EListError);
    EXPECT_EQ(bar->Top(), 0);  // along the top of the form
    // Buttons of 23 x 22 at y = 2: a 16-pixel image sits 3 pixels in.
    EXPECT_EQ(second->BoundsRect(), Rect(23, 2, 46, 24));
    auto pic = Picture(*form);
    EXPECT_EQ(BoundsOfColor(*pic, clRed), Rect(3, 5, 19, 21));
    EXPECT_EQ(BoundsOfColor(*pic, clBlue), Rect(26, 5, 42, 21));
}

TEST_F(ToolBars, ADownButtonShiftsItsImageAndADisabledOneIsGrey) {
    second->SetDown(true);
    first->SetEnabled(false);
    auto pic = Picture(*form);
    EXPECT_EQ(BoundsOfColor(*pic, clBlue), Rect(27, 6, 43, 22));
    EXPECT_EQ(CountOfColor(*pic, clRed), 0);
    EXPECT_TRUE(PixelIs(*pic, 10, 12, RGB(77, 77, 77)));
}

TEST_F(ToolBars, LargerImagesMakeLargerButtonsAndABarThatHoldsThem) {
    ImageListPtr large = SolidImages(24, {clRed, clBlue});
    bar->SetImages(large.get());
    EXPECT_EQ(second->BoundsRect(), Rect(31, 2, 62, 32));
    EXPECT_GE(bar->Height(), 34);
    auto pic = Picture(*form);
    EXPECT_EQ(BoundsOfColor(*pic, clBlue), Rect(34, 5, 58, 29));
    large.reset();  // the bar forgets the list and its buttons shrink back
    EXPECT_EQ(bar->Images(), nullptr);
    EXPECT_EQ(second->BoundsRect(), Rect(23, 2, 46, 24));
    EXPECT_EQ(CountOfColor(*Picture(*form), clBlue), 0);
}

TEST_F(ToolBars, ButtonsLeavingTheBarCloseTheGap) {
    first->SetParent(form.get());
    EXPECT_EQ(bar->ButtonCount(), 1);
    EXPECT_EQ(second->Left(), 0);
    EXPECT_EQ(first->ToolBar(), nullptr);
    second->SetImageIndex(5);  // no such image: an empty face
    auto pic = Picture(*form);
    EXPECT_EQ(CountOfColor(*pic, clBlue), 0);
    EXPECT_EQ(CountOfColor(*pic, clRed), 0);  // off a bar a button has no images
}

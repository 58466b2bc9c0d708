#include "framework/controls/Button.h"

#include "support/FormFixture.h"
#include "support/PixelAssert.h"
#include "support/SolidImages.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace testsupport;

namespace {

struct PushButtons : ::testing::Test {
    FormPtr form = MakeForm(120, 60);
    ImageListPtr images = SolidImages(16, {clRed, clBlue});
    TButton* button = Create<TButton>(form.get());

    void SetUp() override {
        button->SetBounds(10, 10, 75, 25);
        button->SetCaption("Open");
        button->SetParent(form.get());
    }
};

}  // namespace

TEST_F(PushButtons, ImageSitsLeftInsideTheBevelAndTheCaptionMovesRight) {
    auto plain = Picture(*form);
    const auto textAlone = BoundsOfColor(*plain, clBtnText);
    ASSERT_TRUE(textAlone);
    button->SetImages(images.get());
    button->SetImageIndex(1);
    auto pic = Picture(*form);
    // Two pixels of bevel, a margin of 4, centred in the 21 rows inside the bevel.
    EXPECT_EQ(BoundsOfColor(*pic, clBlue), Rect(16, 14, 32, 30));
    EXPECT_EQ(CountOfColor(*pic, clRed), 0);
    const auto text = BoundsOfColor(*pic, clBtnText);
    ASSERT_TRUE(text);
    EXPECT_GT(text->Left, textAlone->Left);  // centred in what the image leaves
    EXPECT_GE(text->Left, 32);
}

TEST_F(PushButtons, DisabledButtonGreysImageAndCaption) {
    button->SetImages(images.get());
    button->SetImageIndex(0);
    button->SetEnabled(false);
    auto pic = Picture(*form);
    EXPECT_EQ(BoundsOfColor(*pic, RGB(77, 77, 77)), Rect(16, 14, 32, 30));
    EXPECT_EQ(CountOfColor(*pic, clBtnText), 0);
    EXPECT_GT(CountOfColor(*pic, clGrayText), 0);
}

TEST_F(PushButtons, NoImageForABadIndexOrAFreedList) {
    button->SetImages(images.get());
    for (int index : {-1, 2}) {
        button->SetImageIndex(index);
        auto pic = Picture(*form);
        EXPECT_EQ(CountOfColor(*pic, clRed) + CountOfColor(*pic, clBlue), 0) << index;
    }
    button->SetImageIndex(0);
    images.reset();
    EXPECT_EQ(button->Images(), nullptr);
    EXPECT_EQ(CountOfColor(*Picture(*form), clRed), 0);
}

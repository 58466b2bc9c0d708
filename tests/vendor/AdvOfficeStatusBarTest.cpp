#include "vendor/AdvOfficeStatusBar.h"

#include "framework/rtl/Exceptions.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"
#include "support/SolidImages.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace vendor;
using namespace testsupport;

namespace {

struct StatusBars : ::testing::Test {
    FormPtr form = MakeForm(200, 100);
    ImageListPtr images = SolidImages(16, {clRed, clBlue});
    TAdvOfficeStatusBar* bar = Create<TAdvOfficeStatusBar>(form.get());

    void SetUp() override {
        bar->SetParent(form.get());
        for (int width : {60, 50, 10}) {
            auto* panel = bar->Panels()->Add();
            panel->SetWidth(width);
        }
    }
    TAdvOfficeStatusPanel* Panel(int index) { return bar->Panels()->Items(index); }
};

}  // namespace

TEST_F(StatusBars, PanelsStandLeftToRightAndTheLastRunsToTheEdge) {
    EXPECT_EQ(bar->BoundsRect(), Rect(0, 78, 200, 100));  // along the bottom
    EXPECT_EQ(bar->PanelRect(0), Rect(0, 0, 60, 22));
    EXPECT_EQ(bar->PanelRect(1), Rect(60, 0, 110, 22));
    EXPECT_EQ(bar->PanelRect(2), Rect(110, 0, 200, 22));
    EXPECT_THROW(bar->PanelRect(3), EListError);
    EXPECT_THROW(bar->Panels()->Items(-1), EListError);
    Panel(1)->SetWidth(-5);
    EXPECT_EQ(Panel(1)->Width(), 0);
    EXPECT_EQ(bar->PanelRect(2).Left, 60);
}

TEST_F(StatusBars, EachPanelShowsItsImageThenItsText) {
    bar->SetImages(images.get());
    Panel(0)->SetImageIndex(1);
    Panel(1)->SetImageIndex(0);
    Panel(1)->SetText("Ready");
    auto pic = Picture(*form);
    // Inside the panel's frame (2 pixels), 2 pixels in, centred in its 18 rows.
    EXPECT_EQ(BoundsOfColor(*pic, clBlue), Rect(4, 81, 20, 97));
    EXPECT_EQ(BoundsOfColor(*pic, clRed), Rect(64, 81, 80, 97));
    const auto text = BoundsOfColor(*pic, clBtnText);
    ASSERT_TRUE(text);
    EXPECT_GE(text->Left, 80);
    EXPECT_LE(text->Right, 110);
}

TEST_F(StatusBars, ImagesOutsideTheListOrAFreedListShowNothing) {
    bar->SetImages(images.get());
    Panel(0)->SetImageIndex(2);
    Panel(1)->SetImageIndex(0);
    auto pic = Picture(*form);
    EXPECT_EQ(CountOfColor(*pic, clBlue), 0);
    EXPECT_EQ(CountOfColor(*pic, clRed), 16 * 16);
    images.reset();
    EXPECT_EQ(bar->Images(), nullptr);
    EXPECT_EQ(CountOfColor(*Picture(*form), clRed), 0);
}

TEST_F(StatusBars, PanelsCanBeDeletedAndCleared) {
    Panel(2)->SetText("last");
    bar->Panels()->Delete(0);
    EXPECT_EQ(bar->Panels()->Count(), 2);
    EXPECT_EQ(Panel(1)->Text(), "last");
    EXPECT_THROW(bar->Panels()->Delete(2), EListError);
    bar->Panels()->Clear();
    EXPECT_EQ(bar->Panels()->Count(), 0);
    auto pic = Picture(*form);
    EXPECT_TRUE(RectIs(*pic, Rect(0, 78, 200, 100), clBtnFace));
}

TEST_F(StatusBars, PanelsWidenWithTheResolution) {
    form->ChangeScale(144, 96);
    EXPECT_EQ(bar->PanelRect(0), Rect(0, 0, 90, 33));
    EXPECT_EQ(bar->PanelRect(1), Rect(90, 0, 165, 33));
    EXPECT_EQ(bar->PanelRect(2).Left, 165);
}

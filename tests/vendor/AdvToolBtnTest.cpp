#include "vendor/AdvToolBtn.h"

#include "support/FormFixture.h"
#include "support/PixelAssert.h"
#include "support/SolidImages.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace vendor;
using namespace testsupport;

TEST(AdvToolButtons, ShowOneImageCentredGreyWhenDisabledNoneWhenGone) {
    FormPtr form = MakeForm(60, 50);
    ImageListPtr images = SolidImages(16, {clRed, clBlue});
    auto* button = Create<TAdvToolButton>(form.get());
    button->SetBounds(10, 10, 23, 22);
    button->SetParent(form.get());
    EXPECT_TRUE(RectIs(*Picture(*form), Rect(0, 0, 60, 50), clWhite));  // no images yet
    button->SetImages(images.get());
    button->SetImageIndex(1);
    auto pic = Picture(*form);
    EXPECT_EQ(BoundsOfColor(*pic, clBlue), Rect(13, 13, 29, 29));
    EXPECT_TRUE(NothingOutside(*pic, Rect(13, 13, 29, 29), clWhite));  // a flat button
    button->SetEnabled(false);
    EXPECT_EQ(BoundsOfColor(*Picture(*form), RGB(29, 29, 29)), Rect(13, 13, 29, 29));
    button->SetImageIndex(2);
    EXPECT_TRUE(RectIs(*Picture(*form), Rect(0, 0, 60, 50), clWhite));
    button->SetImageIndex(0);
    images.reset();
    EXPECT_EQ(button->Images(), nullptr);
    EXPECT_TRUE(RectIs(*Picture(*form), Rect(0, 0, 60, 50), clWhite));
}

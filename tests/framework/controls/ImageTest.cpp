#include "framework/controls/Image.h"

#include "support/FormFixture.h"
#include "support/PixelAssert.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace testsupport;

namespace {

struct Images : ::testing::Test {
    FormPtr form = MakeForm(100, 80);
    TImage* image = Create<TImage>(form.get());
    TBitmap red{10, 6};

    void SetUp() override {
        image->SetBounds(20, 10, 40, 30);
        image->SetParent(form.get());
        red.Canvas()->Brush()->SetColor(clRed);
        red.Canvas()->FillRect(Rect(0, 0, 10, 6));
    }
};

TEST_F(Images, ThePictureStandsTopLeftCentredOrStretched) {
    EXPECT_FALSE(BoundsOfColor(*Picture(*form), clRed));  // no picture yet
    image->Picture()->SetBitmap(&red);
    EXPECT_EQ(BoundsOfColor(*Picture(*form), clRed), Rect(20, 10, 30, 16));
    image->SetCenter(true);
    EXPECT_EQ(BoundsOfColor(*Picture(*form), clRed), Rect(35, 22, 45, 28));
    image->SetStretch(true);
    EXPECT_EQ(BoundsOfColor(*Picture(*form), clRed), Rect(20, 10, 60, 40));
}

TEST_F(Images, PicturesCopyAndLoadFromFiles) {
    TPicture other;
    other.SetBitmap(&red);
    image->SetPicture(&other);
    EXPECT_EQ(image->Picture()->Width(), 10);
    other.Bitmap()->SetWidth(3);  // a copy, not the same bitmap
    EXPECT_EQ(image->Picture()->Width(), 10);

    TempFolder folder;
    red.SaveToFile(folder.Path("red.png"));
    TPicture loaded;
    int changes = 0;
    loaded.OnChange = TNotifyEvent::Lambda([&](TObject*) { ++changes; });
    loaded.LoadFromFile(folder.Path("red.png"));
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(PixelIs(*loaded.Bitmap(), 9, 5, clRed));
    folder.Write("bad.png", "not an image");
    EXPECT_ANY_THROW(loaded.LoadFromFile(folder.Path("bad.png")));
    EXPECT_EQ(loaded.Width(), 10);  // the old picture stays
}

}  // namespace

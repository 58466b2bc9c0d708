#include "framework/controls/ImageList.h"
#include "framework/rtl/Exceptions.h"

#include "support/PixelAssert.h"

#include <gtest/gtest.h>

#include <memory>

using namespace framework;
using namespace testsupport;

namespace {

// Four pixels of a 2 x 2 image: opaque red, half-transparent blue, fully transparent (with a
// colour that must not show) and opaque white.
constexpr TPixel kRed = 0xFFFF0000u, kHalfBlue = 0x800000FFu, kClear = 0x00123456u, kWhite = 0xFFFFFFFFu;

struct ImageLists : ::testing::Test {
    std::unique_ptr<TImageList, TFreeDeleter> list{Create<TImageList>(nullptr)};
    TBitmap target{4, 4};
    int changes = 0;

    void SetUp() override {
        list->OnChange = TNotifyEvent::Lambda([this](TObject*) { ++changes; });
        list->SetSize(2, 2);
        list->AddPixels({kRed, kHalfBlue, kClear, kWhite});
        target.Canvas()->Brush()->SetColor(clLime);
        target.Canvas()->FillRect(Rect(0, 0, 4, 4));
    }
    void DrawAt(int x, int y, int index = 0, bool enabled = true) {
        list->Draw(target.Canvas(), x, y, index, enabled);
    }
};

}  // namespace

TEST_F(ImageLists, AddCutsABitmapIntoImagesOfTheListSize) {
    TBitmap strip(5, 1);  // two whole images and a column too few for a third
    for (int x = 0; x < 5; ++x)
        strip.ScanLine(0)[x] = 0xFF000000u | static_cast<TPixel>(x);
    EXPECT_EQ(list->Add(strip), 1);
    ASSERT_EQ(list->Count(), 3);
    // Row 0 comes from the strip; the row it lacks is transparent.
    EXPECT_EQ(list->Pixels(2), (std::vector<TPixel>{0xFF000002u, 0xFF000003u, 0, 0}));
    TBitmap narrow(1, 2);
    EXPECT_EQ(list->Add(narrow), -1);
    EXPECT_EQ(list->Count(), 3);
}

TEST_F(ImageLists, SizesAndPixelCountsAreCheckedAndChangesReported) {
    changes = 0;
    EXPECT_THROW(list->AddPixels({kRed}), EInvalidOperation);
    EXPECT_THROW(list->SetSize(0, 2), EInvalidOperation);
    EXPECT_THROW(list->SetWidth(TCustomImageList::kMaxImageSize + 1), EInvalidOperation);
    EXPECT_EQ(list->Count(), 1);
    EXPECT_EQ(changes, 0);
    list->SetSize(2, 2);  // the same size keeps the images
    EXPECT_EQ(list->Count(), 1);
    list->AddPixels({kWhite, kWhite, kWhite, kWhite});
    list->Delete(0);
    EXPECT_EQ(list->Pixels(0)[0], kWhite);
    list->SetHeight(3);  // a new size empties the list
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->Height(), 3);
    list->Clear();  // nothing left to change
    EXPECT_EQ(changes, 3);
}

TEST_F(ImageLists, GetBitmapCopiesPixelsWithAlphaAndBadIndexesAnswerFalse) {
    TBitmap copy(3, 3);
    EXPECT_FALSE(list->GetBitmap(1, &copy));
    EXPECT_FALSE(list->GetBitmap(-1, &copy));
    EXPECT_FALSE(list->GetBitmap(0, nullptr));
    EXPECT_EQ(copy.Width(), 3);  // untouched
    ASSERT_TRUE(list->GetBitmap(0, &copy));
    EXPECT_EQ(copy.Width(), 2);
    EXPECT_EQ(copy.ScanLine(0)[1], kHalfBlue);
    EXPECT_EQ(copy.ScanLine(1)[0], kClear);
    EXPECT_THROW(list->Pixels(1), EListError);
    EXPECT_THROW(list->Pixels(-1), EListError);
    EXPECT_THROW(list->Delete(1), EListError);
    DrawAt(0, 0, 1);
    DrawAt(0, 0, -1);
    list->Draw(nullptr, 0, 0, 0);
    EXPECT_TRUE(RectIs(target, Rect(0, 0, 4, 4), clLime));
}

TEST_F(ImageLists, TransparentStyleBlendsOverWhatIsThere) {
    list->SetDrawingStyle(dsTransparent);
    list->SetBkColor(clYellow);  // only dsNormal uses it
    DrawAt(1, 1);
    EXPECT_TRUE(PixelIs(target, 1, 1, clRed));
    EXPECT_TRUE(PixelIs(target, 2, 1, RGB(0, 127, 128)));  // half blue over lime
    EXPECT_TRUE(PixelIs(target, 1, 2, clLime));            // transparent: untouched
    EXPECT_TRUE(PixelIs(target, 2, 2, clWhite));
    EXPECT_TRUE(NothingOutside(target, Rect(1, 1, 3, 3), clLime));
}

TEST_F(ImageLists, NormalStyleLaysTheImageOverTheBackgroundColour) {
    DrawAt(0, 0);  // no background colour: drawn as transparent
    EXPECT_TRUE(PixelIs(target, 0, 1, clLime));
    list->SetBkColor(clYellow);
    DrawAt(2, 2);
    EXPECT_TRUE(PixelIs(target, 2, 2, clRed));
    EXPECT_TRUE(PixelIs(target, 3, 2, RGB(127, 127, 128)));  // half blue over yellow
    EXPECT_TRUE(PixelIs(target, 2, 3, clYellow));
}

TEST_F(ImageLists, FocusAndSelectedBlendWithTheBlendColour) {
    list->SetBlendColor(clBlue);
    list->SetDrawingStyle(dsFocus);
    DrawAt(0, 0);
    EXPECT_TRUE(PixelIs(target, 0, 0, RGB(191, 0, 64)));  // a quarter of blue
    EXPECT_TRUE(PixelIs(target, 0, 1, clLime));           // transparent stays transparent
    list->SetDrawingStyle(dsSelected);
    DrawAt(2, 0);
    EXPECT_TRUE(PixelIs(target, 2, 0, RGB(128, 0, 128)));  // half of blue
    EXPECT_TRUE(PixelIs(target, 3, 1, RGB(128, 128, 255)));
}

TEST_F(ImageLists, DisabledImagesAreGrey) {
    list->SetDrawingStyle(dsTransparent);
    DrawAt(0, 0, 0, false);
    EXPECT_TRUE(PixelIs(target, 0, 0, RGB(77, 77, 77)));  // red's luminance
    EXPECT_TRUE(PixelIs(target, 1, 1, clWhite));
    EXPECT_TRUE(PixelIs(target, 0, 1, clLime));
}

TEST_F(ImageLists, ReferencesMoveTheirFreeNotification) {
    struct Holder : TComponent {
        using TComponent::TComponent;
        TCustomImageList* images = nullptr;
        void Notification(TComponent* AComponent, TOperation Operation) override {
            TComponent::Notification(AComponent, Operation);
            if (Operation == TOperation::opRemove && AComponent == images)
                images = nullptr;
        }
    };
    std::unique_ptr<Holder, TFreeDeleter> holder{Create<Holder>(nullptr)};
    std::unique_ptr<TImageList, TFreeDeleter> other{Create<TImageList>(nullptr)};
    ReferenceImageList(holder.get(), holder->images, list.get());
    ReferenceImageList(holder.get(), holder->images, other.get());
    list.reset();  // no longer watched: the reference stays on the other list
    EXPECT_EQ(holder->images, other.get());
    other.reset();
    EXPECT_EQ(holder->images, nullptr);
}

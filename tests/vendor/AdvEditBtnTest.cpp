#include "vendor/AdvEditBtn.h"

#include "support/FormFixture.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace vendor;

namespace {

class EditBtn : public ::testing::Test {
protected:
    testsupport::FormPtr form = testsupport::MakeForm(200, 60);
    TAdvEditBtn* edit = Create<TAdvEditBtn>(form.get());
    int clicks = 0;

    void SetUp() override {
        edit->SetBounds(10, 10, 150, 24);
        edit->SetParent(form.get());
        edit->OnClickBtn = TNotifyEvent::Lambda([this](TObject* s) {
            EXPECT_EQ(s, edit);
            ++clicks;
        });
    }
    // A point of the form inside the edit's client area.
    TPoint At(int x, int y) const { return {10 + edit->ClientInset() + x, 10 + edit->ClientInset() + y}; }
    void Click(TPoint p) { testsupport::ClickAt(*form, p.X, p.Y); }
};

// A 4 x 4 glyph: red with a green bottom-left pixel, the colour left out.
std::unique_ptr<TBitmap, TFreeDeleter> SmallGlyph() {
    std::unique_ptr<TBitmap, TFreeDeleter> glyph(Create<TBitmap>(4, 4));
    glyph->Canvas()->Brush()->SetColor(clRed);
    glyph->Canvas()->FillRect(Rect(0, 0, 4, 4));
    glyph->Canvas()->SetPixel(0, 3, clLime);
    return glyph;
}

}  // namespace

TEST_F(EditBtn, OnlyAPressAndReleaseOnTheButtonClicksIt) {
    const TRect button = edit->ButtonRect();
    EXPECT_EQ(button.Width(), 18);
    EXPECT_EQ(button.Right, edit->ClientWidth());
    Click(At(button.Left + 2, 5));
    EXPECT_EQ(clicks, 1);
    Click(At(button.Left - 2, 5));  // the text part
    EXPECT_EQ(clicks, 1);
    form->SendMouseInput(WM_LBUTTONDOWN, At(button.Left + 2, 5).X, At(button.Left + 2, 5).Y, 0);
    form->SendMouseInput(WM_LBUTTONUP, At(2, 5).X, At(2, 5).Y, 0);  // released away
    EXPECT_EQ(clicks, 1);
    edit->SetEnabled(false);
    Click(At(button.Left + 2, 5));
    EXPECT_EQ(clicks, 1);
}

TEST_F(EditBtn, TheButtonShowsItsGlyphWithoutTheTransparentColourAndTheTextStopsBeforeIt) {
    edit->SetGlyph(SmallGlyph().get());
    edit->SetText(std::string(60, 'W'));
    const auto picture = testsupport::Picture(*form);
    const TRect button = edit->ButtonRect();
    const int glyphLeft = button.Left + (button.Width() - 4) / 2;
    const TPoint glyphAt = At(glyphLeft, (button.Height() - 4) / 2);
    EXPECT_EQ(picture->Canvas()->Pixels(glyphAt.X + 1, glyphAt.Y + 1), clRed);
    EXPECT_EQ(picture->Canvas()->Pixels(glyphAt.X + 3, glyphAt.Y), clRed);
    EXPECT_NE(picture->Canvas()->Pixels(glyphAt.X, glyphAt.Y + 3), clLime);
    // No text pixel on the button's face left of the glyph.
    for (int y = 2; y < button.Height() - 2; ++y)
        for (int x = button.Left + 2; x < glyphLeft; ++x)
            EXPECT_EQ(picture->Canvas()->Pixels(At(x, y).X, At(x, y).Y), ColorToRGB(clBtnFace))
                << x << "," << y;
}

TEST_F(EditBtn, APressedButtonShowsItsGlyphOnePixelFurther) {
    edit->SetGlyph(SmallGlyph().get());
    const TRect button = edit->ButtonRect();
    const TPoint glyphAt = At(button.Left + (button.Width() - 4) / 2, (button.Height() - 4) / 2);
    const TPoint press = At(button.Left + 2, 5);
    form->SendMouseInput(WM_LBUTTONDOWN, press.X, press.Y, 0);
    const auto down = testsupport::Picture(*form);
    EXPECT_EQ(down->Canvas()->Pixels(glyphAt.X + 4, glyphAt.Y + 1), clRed);
    form->SendMouseInput(WM_LBUTTONUP, press.X, press.Y, 0);
    const auto up = testsupport::Picture(*form);
    EXPECT_NE(up->Canvas()->Pixels(glyphAt.X + 4, glyphAt.Y + 1), clRed);
}

TEST_F(EditBtn, GlyphAndButtonWidthAreStoredProperties) {
    auto glyph = SmallGlyph();
    SetObjectProp(edit, "Glyph", glyph.get());
    EXPECT_EQ(edit->Glyph()->Width(), 4);
    EXPECT_NE(edit->Glyph(), glyph.get());  // copied in, not shared
    SetPropValue(edit, "ButtonWidth", TValue(std::int64_t{30}));
    EXPECT_EQ(edit->ButtonRect().Width(), 30);
    edit->SetGlyph(nullptr);
    EXPECT_TRUE(edit->Glyph()->Empty());
}

#include "framework/controls/DrawText.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/rtl/Exceptions.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace testsupport;

namespace {

// A windowed control that counts how often its window is created.
class TCountingControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int created = 0;
    int painted = 0;

protected:
    void CreateWnd() override {
        TCustomControl::CreateWnd();
        ++created;
    }
    void Paint() override {
        ++painted;
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(Rect(2, 2, 6, 6));
    }
};

// A windowed control with a frame it leaves unpainted, so its parent shows through there.
class TUnframedControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int ClientInset() const override { return 3; }
};

}  // namespace

TEST(ControlFontAndColor, ChildrenFollowTheParentUntilGivenTheirOwn) {
    FormPtr form = MakeForm();
    auto* panel = Create<TPanel>(form.get());
    panel->SetParent(form.get());
    auto* label = Create<TLabel>(form.get());
    label->SetParent(panel);
    label->SetParentColor(true);

    form->Font()->SetSize(12);
    EXPECT_EQ(panel->Font()->Size(), 12);
    EXPECT_EQ(label->Font()->Size(), 12);
    EXPECT_TRUE(label->ParentFont());

    label->Font()->SetStyle(fsBold);  // its own font from now on
    EXPECT_FALSE(label->ParentFont());
    form->Font()->SetSize(9);
    EXPECT_EQ(panel->Font()->Size(), 9);
    EXPECT_EQ(label->Font()->Size(), 12);

    panel->SetColor(clYellow);
    EXPECT_EQ(label->Color(), clYellow);
    label->SetParentFont(true);
    EXPECT_EQ(label->Font()->Size(), 9);
}

TEST(ControlWindows, CreateWndRunsOnceUntilTheWindowIsRecreated) {
    FormPtr form = MakeForm();
    auto* c = Create<TCountingControl>(form.get());
    EXPECT_EQ(c->created, 0);
    c->SetParent(form.get());
    c->HandleNeeded();
    c->HandleNeeded();
    EXPECT_EQ(c->created, 1);
    c->RecreateWnd();
    EXPECT_EQ(c->created, 2);
    auto* orphan = Create<TCountingControl>(form.get());
    EXPECT_THROW(orphan->HandleNeeded(), EInvalidOperation);
}

TEST(ControlWindows, ParentFreesChildControlsItDoesNotOwn) {
    FormPtr form = MakeForm();
    auto* panel = Create<TPanel>(form.get());
    panel->SetParent(form.get());
    std::unique_ptr<TComponent, TFreeDeleter> otherOwner(Create<TComponent>(nullptr));
    auto* child = Create<TPanel>(otherOwner.get());
    child->SetParent(panel);
    ASSERT_EQ(otherOwner->ComponentCount(), 1);
    panel->Free();
    EXPECT_EQ(otherOwner->ComponentCount(), 0);  // the child went with its parent window
    EXPECT_EQ(form->ControlCount(), 0);
}

TEST(ControlWindows, FocusLeavesWithAFreedControl) {
    FormPtr form = MakeForm();
    auto* a = Create<TCountingControl>(form.get());
    a->SetParent(form.get());
    a->SetFocus();
    EXPECT_TRUE(a->Focused());
    EXPECT_EQ(form->ActiveControl(), a);
    a->Free();
    EXPECT_EQ(form->ActiveControl(), nullptr);
}

TEST(ControlPainting, InvalidatedWindowsRepaintOnProcessMessages) {
    FormPtr form = MakeForm(40, 30);
    auto* c = Create<TCountingControl>(form.get());
    c->SetBounds(10, 10, 20, 10);
    c->SetColor(clBlue);
    c->SetParent(form.get());
    auto pic = Picture(*form);
    EXPECT_EQ(c->painted, 1);
    EXPECT_TRUE(RectIs(*pic, Rect(12, 12, 16, 16), clRed));
    EXPECT_TRUE(PixelIs(*pic, 10, 10, clBlue));
    EXPECT_TRUE(PixelIs(*pic, 29, 19, clBlue));
    EXPECT_TRUE(NothingOutside(*pic, Rect(10, 10, 30, 20), clWhite));
    Application->ProcessMessages();
    EXPECT_EQ(c->painted, 1);  // nothing invalid, nothing painted
    c->Invalidate();
    Application->ProcessMessages();
    EXPECT_EQ(c->painted, 2);
}

TEST(ControlPainting, ChildWindowsAreClippedToTheirParent) {
    FormPtr form = MakeForm(60, 40);
    auto* outer = Create<TPanel>(form.get());
    outer->SetBounds(5, 5, 20, 20);
    outer->SetBevelOuter(bvNone);
    outer->SetColor(clYellow);
    outer->SetParent(form.get());
    auto* inner = Create<TPanel>(form.get());
    inner->SetBounds(10, 10, 30, 30);  // reaches past the outer panel
    inner->SetBevelOuter(bvNone);
    inner->SetColor(clRed);
    inner->SetParent(outer);
    auto pic = Picture(*form);
    EXPECT_TRUE(RectIs(*pic, Rect(15, 15, 25, 25), clRed));
    EXPECT_TRUE(NothingOutside(*pic, Rect(5, 5, 25, 25), clWhite));
}

TEST(ControlPainting, AWindowedChildHidesItsParentOnlyUnderItsClientArea) {
    FormPtr form = MakeForm(60, 40);
    form->SetColor(clLime);
    auto* framed = Create<TUnframedControl>(form.get());
    framed->SetBounds(10, 10, 20, 12);
    framed->SetColor(clBlue);
    framed->SetParent(form.get());
    // A sibling above it, overlapping its client area and its frame.
    auto* over = Create<TPanel>(form.get());
    over->SetBounds(25, 15, 10, 10);
    over->SetBevelOuter(bvNone);
    over->SetColor(clRed);
    over->SetParent(form.get());
    auto pic = Picture(*form);
    // The frame of the lower child shows the form; the panel above covers both.
    EXPECT_TRUE(PictureIs(*pic, 9, 12,
                          {
                              "gggggggggggggggggggggggggggg",
                              "ggggbbbbbbbbbbbbbbgggggggggg",
                              "ggggbbbbbbbbbbbbbbgggggggggg",
                              "ggggbbbbbbbbbbbbrrrrrrrrrrgg",
                              "ggggbbbbbbbbbbbbrrrrrrrrrrgg",
                              "ggggbbbbbbbbbbbbrrrrrrrrrrgg",
                              "ggggbbbbbbbbbbbbrrrrrrrrrrgg",
                              "ggggggggggggggggrrrrrrrrrrgg",
                              "ggggggggggggggggrrrrrrrrrrgg",
                              "ggggggggggggggggrrrrrrrrrrgg",
                              "ggggggggggggggggrrrrrrrrrrgg",
                              "ggggggggggggggggrrrrrrrrrrgg",
                              "ggggggggggggggggrrrrrrrrrrgg",
                              "gggggggggggggggggggggggggggg",
                          },
                          {{'g', clLime}, {'b', clBlue}, {'r', clRed}}));
}

TEST(ControlPainting, PanelBevelsAreRaisedOrLowered) {
    FormPtr form = MakeForm(40, 30);
    auto* panel = Create<TPanel>(form.get());
    panel->SetBounds(0, 0, 20, 10);
    panel->SetParent(form.get());
    auto pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, 0, 0, clBtnHighlight));
    EXPECT_TRUE(PixelIs(*pic, 18, 0, clBtnHighlight));
    EXPECT_TRUE(PixelIs(*pic, 19, 0, clBtnShadow));
    EXPECT_TRUE(PixelIs(*pic, 0, 9, clBtnShadow));
    EXPECT_TRUE(PixelIs(*pic, 5, 5, clBtnFace));
    panel->SetBevelOuter(bvLowered);
    pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, 0, 0, clBtnShadow));
    EXPECT_TRUE(PixelIs(*pic, 19, 9, clBtnHighlight));
}

TEST(LabelPainting, AutoSizeFitsTheCaptionWithoutItsPrefix) {
    FormPtr form = MakeForm(200, 40);
    auto* label = Create<TLabel>(form.get());
    label->SetParent(form.get());
    label->SetCaption("&Open");
    const int withPrefix = label->Width();
    EXPECT_EQ(withPrefix, label->Canvas()->TextWidth("Open"));
    EXPECT_EQ(label->Height(), label->Canvas()->TextHeight("Open"));
    label->SetShowAccelChar(false);
    EXPECT_EQ(label->Width(), label->Canvas()->TextWidth("&Open"));
}

TEST(LabelPainting, TextStaysInsideTheLabelAndUsesItsColours) {
    FormPtr form = MakeForm(120, 40);
    auto* label = Create<TLabel>(form.get());
    label->SetParent(form.get());
    label->SetLeft(10);
    label->SetTop(5);
    label->SetCaption("Hello");
    label->Font()->SetColor(clNavy);
    label->SetColor(clYellow);
    auto pic = Picture(*form);
    auto ink = BoundsOfColor(*pic, clNavy);
    ASSERT_TRUE(ink.has_value());
    EXPECT_GE(ink->Left, 10);
    EXPECT_LE(ink->Right, 10 + label->Width());
    EXPECT_TRUE(PixelIs(*pic, 10, 5, clYellow));
    EXPECT_TRUE(NothingOutside(*pic, label->BoundsRect(), clWhite));

    label->SetTransparent(true);
    pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, 10, 5, clWhite));
}

TEST(LabelPainting, FocusControlReferenceIsClearedWhenItGoes) {
    FormPtr form = MakeForm();
    auto* label = Create<TLabel>(form.get());
    auto* panel = Create<TPanel>(form.get());
    label->SetFocusControl(panel);
    panel->Free();
    EXPECT_EQ(label->FocusControl(), nullptr);
}

TEST(LabelAccelerators, AltAndTheUnderlinedLetterFocusTheLabelsControl) {
    FormPtr form = MakeForm();
    auto* first = Create<TPanel>(form.get());
    first->SetParent(form.get());
    first->SetTabStop(true);
    auto* target = Create<TPanel>(form.get());
    target->SetParent(form.get());
    auto* label = Create<TLabel>(form.get());
    label->SetParent(form.get());
    label->SetCaption("&Name:");
    label->SetFocusControl(target);
    first->SetFocus();

    form->SendCharInput(U'x', ssAlt);  // no label has x
    EXPECT_TRUE(first->Focused());
    form->SendCharInput(U'n', 0);  // without Alt it is typing, not an accelerator
    EXPECT_TRUE(first->Focused());
    form->SendCharInput(U'n', ssAlt);
    EXPECT_TRUE(target->Focused());
    EXPECT_TRUE(IsAccel(U'N', "&Name"));
    EXPECT_FALSE(IsAccel(U'a', "N&&ame"));
}

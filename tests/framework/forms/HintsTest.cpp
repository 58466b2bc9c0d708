#include "framework/forms/Hints.h"
#include "framework/controls/DropDownList.h"
#include "framework/rtl/Unicode.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

using namespace framework;
using namespace testsupport;

namespace {

// A desktop of 800x600 with the form's client area at formOrigin on it.
TPoint formOrigin{100, 200};
bool Desktop(const TWinControl&, TPopupScreen& Screen) {
    Screen.ClientOrigin = formOrigin;
    Screen.WorkArea = Rect(0, 0, 800, 600);
    return true;
}

class Tooltip : public ::testing::Test {
protected:
    FormPtr form = MakeForm(300, 200);
    TCustomControl* a = Box(Bounds(10, 10, 100, 60), "Open|Opens a file");
    TCustomControl* b = Box(Bounds(150, 10, 100, 60), "Save|Saves the file");

    TCustomControl* Box(TRect bounds, const std::string& hint) {
        auto* box = Create<TCustomControl>(form.get());
        box->SetParent(form.get());
        box->SetBoundsRect(bounds);
        box->SetHint(hint);
        box->SetShowHint(true);
        return box;
    }
    // The application's hint window while it stands on the form.
    static THintWindow* WindowOn(const TCustomForm& Form) {
        for (int i = 0; i < Form.ControlCount(); ++i)
            if (auto* w = As<THintWindow>(Form.Controls(i)))
                return w;
        return nullptr;
    }
    THintWindow* Window() const { return WindowOn(*form); }
    bool Shown() const { return Window() && Window()->Visible(); }
    bool Waiting() const {
        return Window() && Window()->HandleAllocated() &&
               TimerSet(Window()->Handle(), THintWindow::kHintTimer);
    }
    // The hint window's timer runs out now.
    void Expire() {
        ASSERT_TRUE(Waiting());
        Window()->Perform(WM_TIMER, THintWindow::kHintTimer);
    }
    void TearDown() override {
        Application->CancelHint();
        Application->OnHint = TNotifyEvent();
        Application->SetShowHint(true);
        Application->SetHintPause(500);
        Application->SetHintHidePause(2500);
        Application->SetHintShortPause(50);
        SetPopupScreenFinder(nullptr);
        formOrigin = TPoint{100, 200};
    }
};

}  // namespace

TEST(HintText, ShortPartIsBeforeTheFirstBarAndLongPartAfterIt) {
    EXPECT_EQ(GetShortHint("Open|Opens a file|really"), "Open");
    EXPECT_EQ(GetLongHint("Open|Opens a file|really"), "Opens a file|really");
    EXPECT_EQ(GetShortHint("Plain"), "Plain");
    EXPECT_EQ(GetLongHint("Plain"), "Plain");
    EXPECT_EQ(GetShortHint("|long only"), "");
    EXPECT_EQ(GetLongHint("short only|"), "");
}

TEST(ParentShowHint, FollowsTheParentUntilSetAndAgainWhenAskedTo) {
    FormPtr form = MakeForm();
    auto* panel = Create<TCustomControl>(form.get());
    panel->SetParent(form.get());
    auto* child = Create<TCustomControl>(form.get());
    child->SetParent(panel);
    EXPECT_TRUE(child->ParentShowHint());
    EXPECT_FALSE(child->ShowHint());
    form->SetShowHint(true);  // through the panel, which follows the form too
    EXPECT_TRUE(child->ShowHint());
    child->SetShowHint(false);
    EXPECT_FALSE(child->ParentShowHint());
    EXPECT_FALSE(child->ShowHint());
    child->SetParentShowHint(true);
    EXPECT_TRUE(child->ShowHint());
    panel->SetShowHint(false);
    EXPECT_FALSE(child->ShowHint());
    EXPECT_TRUE(form->ShowHint());
}

TEST_F(Tooltip, ShowsTheShortHintBelowThePointerAfterThePauseThenGoes) {
    form->SendMouseInput(WM_MOUSEMOVE, 40, 30);
    EXPECT_FALSE(Shown());
    Expire();
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Window()->ShownText(), "Open");
    EXPECT_EQ(DescribeAccessible(*Window()).Role, TAccessibleRole::ToolTip);
    EXPECT_EQ(DescribeAccessible(*Window()).Name, "Open");
    EXPECT_EQ(Window()->Left(), 40);
    EXPECT_EQ(Window()->Top(), 30 + 20);  // a cursor's height below the pointer
    // Moving over the same control keeps it; the hide pause takes it away for good.
    form->SendMouseInput(WM_MOUSEMOVE, 45, 32);
    EXPECT_TRUE(Shown());
    Expire();
    EXPECT_FALSE(Shown());
    form->SendMouseInput(WM_MOUSEMOVE, 50, 35);
    EXPECT_FALSE(Waiting());
    EXPECT_FALSE(Shown());
}

TEST_F(Tooltip, FollowsTheTimerQueueClock) {
    Application->SetHintPause(150);
    Application->SetHintHidePause(150);
    form->SendMouseInput(WM_MOUSEMOVE, 40, 30);
    DeliverDueTimers();
    EXPECT_FALSE(Shown());  // a timer is never early
    std::this_thread::sleep_for(std::chrono::milliseconds(170));
    DeliverDueTimers();
    EXPECT_TRUE(Shown());
    std::this_thread::sleep_for(std::chrono::milliseconds(170));
    DeliverDueTimers();
    EXPECT_FALSE(Shown());
}

TEST_F(Tooltip, ComesQuicklyFromOneShownTooltipToTheNextControl) {
    Application->SetHintPause(60000);
    Application->SetHintShortPause(1);
    form->SendMouseInput(WM_MOUSEMOVE, 40, 30);
    Expire();
    ASSERT_TRUE(Shown());
    form->SendMouseInput(WM_MOUSEMOVE, 160, 30);
    EXPECT_FALSE(Shown());
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    DeliverDueTimers();
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Window()->ShownText(), "Save");
    // Over the form, which has no hint, it goes and nothing waits.
    form->SendMouseInput(WM_MOUSEMOVE, 130, 150);
    EXPECT_FALSE(Shown());
    EXPECT_FALSE(Waiting());
}

TEST_F(Tooltip, PressKeyAndLeavingTheWindowTakeItAway) {
    const auto showOverA = [this] {
        form->SendMouseInput(WM_MOUSEMOVE, 40, 30);
        Expire();
        ASSERT_TRUE(Shown());
    };
    showOverA();
    ClickAt(*form, 40, 30);
    EXPECT_FALSE(Shown());
    form->SendMouseInput(WM_MOUSEMOVE, 41, 30);  // the pause starts again after a press
    showOverA();
    form->SendKeyInput(VK_DOWN);
    EXPECT_FALSE(Shown());
    form->SendMouseInput(WM_MOUSEMOVE, 42, 30);
    showOverA();
    form->SendMouseLeave();
    EXPECT_FALSE(Shown());
    EXPECT_FALSE(Waiting());
    EXPECT_EQ(Application->Hint(), "");
}

TEST_F(Tooltip, ApplicationHintFollowsTheLongHintWithOnHintOncePerChange) {
    std::vector<std::string> seen;
    Application->OnHint = TNotifyEvent::Lambda([&](TObject*) { seen.push_back(Application->Hint()); });
    Application->SetShowHint(false);  // tooltips off; the status text still follows
    form->SendMouseInput(WM_MOUSEMOVE, 40, 30);
    form->SendMouseInput(WM_MOUSEMOVE, 41, 31);
    form->SendMouseInput(WM_MOUSEMOVE, 160, 30);
    form->SendMouseInput(WM_MOUSEMOVE, 130, 150);
    EXPECT_EQ(seen, (std::vector<std::string>{"Opens a file", "Saves the file", ""}));
    EXPECT_FALSE(Waiting());
}

TEST_F(Tooltip, ControlsWithoutShowHintOrWithAnEmptyHintShowNone) {
    a->SetShowHint(false);
    b->SetHint("|only a long part");
    form->SendMouseInput(WM_MOUSEMOVE, 40, 30);
    EXPECT_FALSE(Waiting());
    form->SendMouseInput(WM_MOUSEMOVE, 160, 30);
    EXPECT_FALSE(Waiting());
    // A child without a hint of its own shows its parent's, where ShowHint comes from it too.
    auto* inner = Create<TCustomControl>(form.get());
    inner->SetParent(a);
    inner->SetBounds(5, 5, 20, 20);
    a->SetShowHint(true);
    form->SendMouseInput(WM_MOUSEMOVE, 20, 20);
    Expire();
    EXPECT_EQ(Window()->ShownText(), "Open");
}

TEST_F(Tooltip, PaintsTextInTheInfoColoursWithABorderAtEitherResolution) {
    int heightAt96 = 0;
    for (int ppi : {96, 144}) {
        if (ppi == 144)
            form->ScaleBy(3, 2);
        form->SendMouseInput(WM_MOUSEMOVE, 40, 30);
        form->SendMouseInput(WM_MOUSEMOVE, 41, 30);
        Expire();
        ASSERT_TRUE(Shown());
        const TRect r = Window()->BoundsRect();
        auto picture = Picture(*form);
        EXPECT_TRUE(PixelIs(*picture, r.Left, r.Top, clInfoText)) << ppi;
        EXPECT_TRUE(PixelIs(*picture, r.Right - 1, r.Bottom - 1, clInfoText)) << ppi;
        EXPECT_TRUE(PixelIs(*picture, r.Left + 1, r.Top + 1, clInfoBk)) << ppi;
        EXPECT_TRUE(PixelIs(*picture, r.Right - 2, r.Bottom - 2, clInfoBk)) << ppi;
        // The text stands inside the border and its margins, in the info text colour.
        const TRect inside = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        TBitmap crop(inside.Width(), inside.Height());
        crop.Canvas()->CopyRect(Rect(0, 0, inside.Width(), inside.Height()), *picture->Canvas(), inside);
        const auto text = BoundsOfChanges(crop, ColorToRGB(clInfoBk));
        ASSERT_TRUE(text.has_value()) << ppi;
        EXPECT_GE(text->Left, MulDiv(3, ppi, 96)) << ppi;
        EXPECT_GE(text->Height(), MulDiv(9, ppi, 96)) << ppi;
        EXPECT_GT(CountOfColor(crop, ColorToRGB(clInfoText)), 2) << ppi;
        if (ppi == 96)
            heightAt96 = r.Height();
        else
            EXPECT_GE(r.Height(), heightAt96 * 4 / 3) << "the font and margins scale";
        Application->CancelHint();
        EXPECT_TRUE(PixelIs(*Picture(*form), r.Left + 1, r.Top + 1, clWhite)) << "gone from the picture";
    }
}

TEST_F(Tooltip, SeveralLinesWrapAtTheMaximumWidth) {
    a->SetHint("one\ntwo\nthree");
    form->SendMouseInput(WM_MOUSEMOVE, 40, 30);
    Expire();
    const int threeLines = Window()->Height();
    Application->CancelHint();
    a->SetHint("one");
    form->SendMouseInput(WM_MOUSEMOVE, 40, 30);
    Expire();
    const int oneLine = Window()->Height();
    EXPECT_GT(threeLines, oneLine * 2);
    Application->CancelHint();
    // On a desktop wide enough, a long text wraps at 400 pixels rather than reaching that far.
    SetPopupScreenFinder(&Desktop);
    std::string words;
    for (int i = 0; i < 60; ++i)
        words += "word ";
    a->SetHint(words);
    form->SendMouseInput(WM_MOUSEMOVE, 40, 30);
    Expire();
    EXPECT_LE(Window()->Width(), 400);
    EXPECT_GT(Window()->Width(), 300);
    EXPECT_GT(Window()->Height(), oneLine * 2);
}

TEST_F(Tooltip, OnADesktopIsShownApartPastTheFormAndKeptOnTheWorkArea) {
    SetPopupScreenFinder(&Desktop);
    b->SetBounds(150, 100, 150, 100);
    b->SetHint("A hint that is long enough to need room");
    // Near the form's bottom, with room on the screen below: it reaches past the form.
    form->SendMouseInput(WM_MOUSEMOVE, 160, 190);
    Expire();
    ASSERT_TRUE(Shown());
    EXPECT_TRUE(Window()->ShownApart());
    EXPECT_EQ(Window()->Top(), 210);
    EXPECT_EQ(Window()->Left(), 160);
    // A form that scrolls its content does not count the tooltip as content.
    form->SetAutoScroll(true);
    form->UpdateScrollBars();
    EXPECT_FALSE(form->ScrollBarShown(SB_VERT));
    form->SetAutoScroll(false);
    Application->CancelHint();
    // The form's bottom right corner near the screen's (form point 200, 140 is screen 800, 590):
    // moved left onto the screen and flipped above the pointer.
    formOrigin = TPoint{600, 450};
    form->SendMouseInput(WM_MOUSEMOVE, 200, 140);
    Expire();
    ASSERT_TRUE(Shown());
    const TRect r = Window()->BoundsRect();
    EXPECT_EQ(r.Right, 200);
    EXPECT_EQ(r.Bottom, 140);
    EXPECT_LT(r.Left, 160);
    // Headless the same tooltip stays on the form.
    Application->CancelHint();
    SetPopupScreenFinder(nullptr);
    form->SendMouseInput(WM_MOUSEMOVE, 290, 190);
    Expire();
    EXPECT_FALSE(Window()->ShownApart());
    EXPECT_EQ(Window()->BoundsRect().Right, 300);
    EXPECT_EQ(Window()->BoundsRect().Bottom, 190);
}

TEST_F(Tooltip, HostileTextIsSizedSoundly) {
    SetPopupScreenFinder(&Desktop);
    std::string lines;
    for (int i = 0; i < 10000; ++i)
        lines += "line " + std::to_string(i) + "\n";
    const std::string invalid = "bad \xC3\x28 bytes \xFF\xFE and a cut \xE2\x82";
    const std::string endless(200000, 'x');
    for (const std::string& hint : {lines, invalid, endless, std::string(5000, '\n')}) {
        a->SetHint(hint);
        form->SendMouseInput(WM_MOUSEMOVE, 40, 30);
        form->SendMouseInput(WM_MOUSEMOVE, 41, 30);
        Expire();
        ASSERT_TRUE(Shown());
        const TRect r = Window()->BoundsRect();
        EXPECT_LE(r.Width(), 400 + 8);
        EXPECT_LE(r.Height(), 600);
        EXPECT_GE(r.Top, -200);  // on the work area
        EXPECT_TRUE(IsValidUtf8(Window()->ShownText()));
        EXPECT_LT(Window()->ShownText().size(), 64u * 1024);
        Picture(*form);
        Application->CancelHint();
    }
}

TEST_F(Tooltip, FreeingTheControlOrTheFormLeavesNothingBehind) {
    form->SendMouseInput(WM_MOUSEMOVE, 40, 30);
    ASSERT_TRUE(Waiting());
    a->Free();
    EXPECT_FALSE(Waiting());
    form->SendMouseInput(WM_MOUSEMOVE, 160, 30);
    Expire();
    ASSERT_TRUE(Shown());
    form.reset();  // the window goes with the form it stands on
    FormPtr other = MakeForm(200, 100);
    auto* c = Create<TCustomControl>(other.get());
    c->SetParent(other.get());
    c->SetBounds(0, 0, 100, 100);
    c->SetHint("again");
    c->SetShowHint(true);
    other->SendMouseInput(WM_MOUSEMOVE, 10, 10);
    THintWindow* window = WindowOn(*other);
    ASSERT_NE(window, nullptr);
    window->Perform(WM_TIMER, THintWindow::kHintTimer);
    EXPECT_TRUE(window->Visible());
    EXPECT_EQ(window->ShownText(), "again");
}

// What an edit shows and how the mouse works it: caret, selection, scrolling, composition,
// the context menu, and the timers that blink and scroll.

#include "framework/controls/Edits.h"
#include "framework/controls/Menus.h"
#include "framework/platform/Clipboard.h"

#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

#include <thread>

using namespace framework;
using namespace testsupport;

namespace {

// The edit's client area starts here in the form; its text one pixel further in.
constexpr int kLeft = 10, kTop = 10, kTextX = kLeft + 2 + 1;

struct EditView : ::testing::Test {
    FormPtr form = MakeForm(300, 200);
    TEdit* edit = Create<TEdit>(form.get());
    TBitmap measure{1, 1};

    void SetUp() override {
        edit->SetBounds(kLeft, kTop, 200, 25);
        edit->Font()->SetSize(12);  // not the form's font: measuring must use the edit's
        edit->SetParent(form.get());
        edit->SetFocus();
        Clipboard().Clear();
        PrimarySelection().Clear();
    }
    int Width(std::string_view text) {
        measure.Canvas()->Font()->Assign(edit->Font());
        return measure.Canvas()->TextWidth(text);
    }
    int MidY() const { return kTop + 2 + 10; }
    void Press(int x, TShiftState shift = 0) { form->SendMouseInput(WM_LBUTTONDOWN, x, MidY(), shift); }
    void Release(int x) { form->SendMouseInput(WM_LBUTTONUP, x, MidY(), 0); }
};

}  // namespace

TEST_F(EditView, APressPutsTheCaretAtTheNearestBoundaryInTheEditsFont) {
    edit->SetText("whale");
    ClickAt(*form, kTextX + Width("wh") + 2, MidY());
    EXPECT_EQ(edit->SelStart(), 2);
    ClickAt(*form, kTextX + Width("wha") - 2, MidY());
    EXPECT_EQ(edit->SelStart(), 3);
    ClickAt(*form, kTextX + 190, MidY());  // beyond the text: its end
    EXPECT_EQ(edit->SelStart(), 5);
    ClickAt(*form, kTextX + Width("w") + 1, MidY(), ssShift);  // Shift extends from the caret
    EXPECT_EQ(edit->SelText(), "hale");
    EXPECT_EQ(edit->Cursor(), crIBeam);
}

TEST_F(EditView, DraggingSelectsAndOffersThePrimarySelection) {
    edit->SetText("call me ishmael");
    Press(kTextX + Width("c") + 1);
    form->SendMouseInput(WM_MOUSEMOVE, kTextX + Width("call m") - 1, MidY(), ssLeft);
    EXPECT_EQ(edit->SelText(), "all m");
    Release(kTextX + Width("call m") - 1);
    EXPECT_EQ(PrimarySelection().AsText(), "all m");
    // The middle button puts the primary selection in where it is pressed.
    PrimarySelection().SetAsText("AHAB ");
    form->SendMouseInput(WM_MBUTTONDOWN, kTextX, MidY(), ssMiddle);
    form->SendMouseInput(WM_MBUTTONUP, kTextX, MidY(), 0);
    EXPECT_EQ(edit->Text(), "AHAB call me ishmael");
}

TEST_F(EditView, ADragBeyondTheEdgeKeepsScrolling) {
    edit->SetText(std::string(200, 'm'));
    Picture(*form);
    Press(kTextX + 5);
    form->SendMouseInput(WM_MOUSEMOVE, kLeft + 260, MidY(), ssLeft);
    const int first = edit->SelLength();
    EXPECT_GT(first, 0);
    EXPECT_TRUE(TimerSet(edit->Handle(), TCustomEdit::kDragTimer));
    for (int i = 0; i < 20; ++i)
        edit->Perform(WM_TIMER, TCustomEdit::kDragTimer);
    EXPECT_GT(edit->SelLength(), first + 10);
    EXPECT_GT(edit->Editor().ScrollX(), 0);
    Release(kLeft + 260);
    EXPECT_FALSE(TimerSet(edit->Handle(), TCustomEdit::kDragTimer));
}

TEST_F(EditView, DoubleClickSelectsAWordAndATripleClickEverything) {
    edit->SetText("the white whale");
    const int x = kTextX + Width("the wh");
    form->SendMouseInput(WM_LBUTTONDOWN, x, MidY());
    form->SendMouseInput(WM_LBUTTONUP, x, MidY());
    form->SendMouseInput(WM_LBUTTONDBLCLK, x, MidY());
    form->SendMouseInput(WM_LBUTTONUP, x, MidY());
    EXPECT_EQ(edit->SelText(), "white");
    EXPECT_EQ(PrimarySelection().AsText(), "white");
    form->SendMouseInput(WM_LBUTTONDOWN, x, MidY());
    form->SendMouseInput(WM_LBUTTONUP, x, MidY());
    EXPECT_EQ(edit->SelText(), "the white whale");
}

TEST(MemoView, ATripleClickSelectsTheLine) {
    FormPtr form = MakeForm(300, 200);
    auto* memo = Create<TMemo>(form.get());
    memo->SetBounds(0, 0, 200, 100);
    memo->SetParent(form.get());
    memo->SetText("first\nsecond line\nthird");
    const int lineHeight = memo->Canvas()->TextHeight("Wg");
    const int y = 2 + 1 + lineHeight + lineHeight / 2, x = 20;
    form->SendMouseInput(WM_LBUTTONDOWN, x, y);
    form->SendMouseInput(WM_LBUTTONUP, x, y);
    form->SendMouseInput(WM_LBUTTONDBLCLK, x, y);
    form->SendMouseInput(WM_LBUTTONUP, x, y);
    EXPECT_EQ(memo->SelText(), "second");
    form->SendMouseInput(WM_LBUTTONDOWN, x, y);
    form->SendMouseInput(WM_LBUTTONUP, x, y);
    EXPECT_EQ(memo->SelText(), "second line\n");
}

TEST_F(EditView, TheCaretIsDrawnInTheTextColourAndBlinksOnlyWhileFocused) {
    edit->Font()->SetSize(8);  // the standard size at 96 pixels per inch
    auto pic = Picture(*form);
    auto ink = BoundsOfColor(*pic, clWindowText);
    ASSERT_TRUE(ink);
    EXPECT_EQ(ink->Left, kTextX);
    EXPECT_EQ(ink->Width(), 1);
    EXPECT_EQ(ink->Height(), edit->Canvas()->TextHeight("Wg"));
    EXPECT_TRUE(TimerSet(edit->Handle(), TCustomEdit::kCaretTimer));
    edit->Perform(WM_TIMER, TCustomEdit::kCaretTimer);
    EXPECT_FALSE(BoundsOfColor(*Picture(*form), clWindowText));
    form->SendCharInput(U'i');  // typing shows it again at once
    ink = BoundsOfColor(*Picture(*form), clWindowText);
    ASSERT_TRUE(ink);
    EXPECT_GE(ink->Right, kTextX + Width("i"));
    // Without the focus there is no caret, and no timer for it.
    auto* other = Create<TEdit>(form.get());
    other->SetBounds(10, 100, 50, 21);
    other->SetParent(form.get());
    other->SetFocus();
    EXPECT_FALSE(TimerSet(edit->Handle(), TCustomEdit::kCaretTimer));
    edit->SetText("");
    auto unfocused = Picture(*form);
    const auto otherCaret = BoundsOfColor(*unfocused, clWindowText);
    ASSERT_TRUE(otherCaret);
    EXPECT_GE(otherCaret->Top, 100);  // only the focused one's caret
}

TEST_F(EditView, TheCaretGrowsWithTheResolution) {
    edit->Font()->SetSize(8);
    form->ChangeScale(144, 96);  // as on a monitor of 144 pixels per inch
    const auto ink = BoundsOfColor(*Picture(*form), clWindowText);
    ASSERT_TRUE(ink);
    EXPECT_EQ(ink->Width(), 2);
    EXPECT_EQ(ink->Height(), edit->Canvas()->TextHeight("Wg"));
    EXPECT_GE(ink->Height(), 18);  // 8 pt at 144 pixels per inch
}

TEST_F(EditView, TheSelectionIsPaintedInTheHighlightColours) {
    edit->SetText("WWW");
    edit->SelectAll();
    auto pic = Picture(*form);
    const auto band = BoundsOfColor(*pic, clHighlight);
    ASSERT_TRUE(band);
    EXPECT_EQ(band->Left, kTextX);
    EXPECT_EQ(band->Width(), Width("WWW"));
    EXPECT_GT(CountOfColor(*pic, clHighlightText), 0);
    // A style's own colours.
    edit->SetSelectionColor(clRed);
    edit->SetSelectionTextColor(clYellow);
    pic = Picture(*form);
    EXPECT_FALSE(BoundsOfColor(*pic, clHighlight));
    EXPECT_EQ(BoundsOfColor(*pic, clRed)->Width(), Width("WWW"));
    EXPECT_GT(CountOfColor(*pic, clYellow), 0);
    // Without the focus the selection is not shown, unless HideSelection is off.
    auto* other = Create<TEdit>(form.get());
    other->SetBounds(10, 100, 50, 21);
    other->SetParent(form.get());
    other->SetFocus();
    EXPECT_FALSE(BoundsOfColor(*Picture(*form), clRed));
    edit->SetHideSelection(false);
    EXPECT_TRUE(BoundsOfColor(*Picture(*form), clRed));
}

TEST_F(EditView, TheSelectionBandScalesAt144PixelsPerInch) {
    form->ChangeScale(144, 96);
    edit->SetText("WWW");
    edit->SelectAll();
    const auto band = BoundsOfColor(*Picture(*form), clHighlight);
    ASSERT_TRUE(band);
    EXPECT_EQ(band->Width(), Width("WWW"));
    EXPECT_EQ(band->Height(), std::min(edit->Canvas()->TextHeight("Wg"), edit->ClientHeight()));
}

TEST_F(EditView, LongTextScrollsToKeepTheCaretInView) {
    edit->SetText(std::string(100, 'x') + "END");
    form->SendKeyInput(VK_END);
    auto pic = Picture(*form);
    EXPECT_GT(edit->Editor().ScrollX(), 0);
    const TRect caret = const_cast<TEditCore&>(edit->Editor()).CaretRect();
    EXPECT_LE(caret.Right, edit->ClientWidth() - 1);
    EXPECT_GE(caret.Left, 1);
    // The text stays inside the field.
    const auto ink = BoundsOfColor(*pic, clWindowText);
    ASSERT_TRUE(ink);
    EXPECT_LE(ink->Right, kLeft + 2 + edit->ClientWidth() - 1);
    form->SendKeyInput(VK_HOME);
    Picture(*form);
    EXPECT_EQ(edit->Editor().ScrollX(), 0);
}

TEST_F(EditView, ACompositionShowsUnderlinedAtTheCaretUntilCommitted) {
    edit->SetText("ab");
    form->SendKeyInput(VK_END);
    const std::string composing = "\xE3\x81\x8B";  // a kana the input method offers
    TLParamPointer token(&composing);
    edit->Perform(WM_IME_COMPOSITION, 0, token.LParam());
    EXPECT_EQ(edit->Text(), "ab");
    auto pic = Picture(*form);
    const auto ink = BoundsOfColor(*pic, clWindowText);
    ASSERT_TRUE(ink);
    // The underline runs under the composition, at the bottom of the line.
    const int lh = edit->Canvas()->TextHeight("Wg");
    const int bottom = kTop + 2 + (edit->ClientHeight() - lh) / 2 + lh - 1;
    const int underX = kTextX + Width("ab") + 1;
    EXPECT_EQ(PixelAt(*pic, underX, bottom), ColorToRGB(clWindowText));
    // The input method's window goes to the caret, after the composition.
    TRect caret;
    TLParamPointer where(&caret);
    EXPECT_EQ(edit->Perform(CM_GETCARETRECT, 0, where.LParam()), 1);
    EXPECT_GE(caret.Left, 1 + Width("ab") + Width(composing) - 1);
    // Committed, it arrives as typed text and the composition goes.
    form->SendCharInput(U'\u304B');
    EXPECT_EQ(edit->Text(), "ab" + composing);
    EXPECT_TRUE(edit->Editor().Composition().empty());
}

TEST_F(EditView, TheContextMenuOffersWhatCanBeDone) {
    edit->SetText("harpoon");
    form->SendMouseInput(WM_RBUTTONDOWN, kTextX + 5, MidY(), ssRight);
    form->SendMouseInput(WM_RBUTTONUP, kTextX + 5, MidY(), 0);
    TPopupMenu* menu = edit->EditMenu();
    ASSERT_TRUE(menu);
    EXPECT_TRUE(menu->PoppedUp());
    std::map<std::string, TMenuItem*> items;
    for (int i = 0; i < menu->Items()->Count(); ++i)
        items[menu->Items()->Items(i)->Caption()] = menu->Items()->Items(i);
    ASSERT_EQ(items.size(), 7u);  // six entries and a separator
    EXPECT_FALSE(items["&Undo"]->Enabled());
    EXPECT_FALSE(items["Cu&t"]->Enabled());
    EXPECT_FALSE(items["&Copy"]->Enabled());
    EXPECT_FALSE(items["&Paste"]->Enabled());
    EXPECT_FALSE(items["&Delete"]->Enabled());
    EXPECT_TRUE(items["Select &All"]->Enabled());
    items["Select &All"]->Click();
    menu->ClosePopup();
    Clipboard().SetAsText("rope");
    form->SendMouseInput(WM_RBUTTONDOWN, kTextX + 5, MidY(), ssRight);
    form->SendMouseInput(WM_RBUTTONUP, kTextX + 5, MidY(), 0);
    EXPECT_TRUE(items["Cu&t"]->Enabled());
    EXPECT_TRUE(items["&Copy"]->Enabled());
    EXPECT_TRUE(items["&Paste"]->Enabled());
    EXPECT_TRUE(items["&Delete"]->Enabled());
    EXPECT_FALSE(items["Select &All"]->Enabled());  // all is selected already
    items["Cu&t"]->Click();
    EXPECT_EQ(Clipboard().AsText(), "harpoon");
    EXPECT_EQ(edit->Text(), "");
    menu->ClosePopup();
    form->SendMouseInput(WM_RBUTTONDOWN, kTextX + 5, MidY(), ssRight);
    form->SendMouseInput(WM_RBUTTONUP, kTextX + 5, MidY(), 0);
    items["&Undo"]->Click();
    EXPECT_EQ(edit->Text(), "harpoon");
    // A read-only edit offers copying only.
    menu->ClosePopup();
    edit->SetReadOnly(true);
    edit->SelectAll();
    form->SendMouseInput(WM_RBUTTONDOWN, kTextX + 5, MidY(), ssRight);
    form->SendMouseInput(WM_RBUTTONUP, kTextX + 5, MidY(), 0);
    EXPECT_FALSE(items["Cu&t"]->Enabled());
    EXPECT_TRUE(items["&Copy"]->Enabled());
    EXPECT_FALSE(items["&Paste"]->Enabled());
    EXPECT_FALSE(items["&Delete"]->Enabled());
    menu->ClosePopup();
    // A menu of the program's own takes the place of the edit's.
    auto* own = Create<TPopupMenu>(form.get());
    auto* item = Create<TMenuItem>(own);
    item->SetCaption("Mine");
    own->Items()->Add(item);
    edit->SetPopupMenu(own);
    form->SendMouseInput(WM_RBUTTONDOWN, kTextX + 5, MidY(), ssRight);
    form->SendMouseInput(WM_RBUTTONUP, kTextX + 5, MidY(), 0);
    EXPECT_TRUE(own->PoppedUp());
    EXPECT_FALSE(menu->PoppedUp());
    own->ClosePopup();
}

TEST(Timers, ADueTimerIsDeliveredOnceAndAKilledOneNever) {
    FormPtr form = MakeForm();
    int ticks = 0;
    struct TTicking : TCustomControl {
        using TCustomControl::TCustomControl;
        int* count = nullptr;
        void WndProc(TMessage& Message) override {
            if (Message.Msg == WM_TIMER && Message.WParam == 7)
                ++*count;
            TCustomControl::WndProc(Message);
        }
    };
    auto* c = Create<TTicking>(form.get());
    c->count = &ticks;
    c->SetParent(form.get());
    EXPECT_FALSE(SetTimer(0, 7, 5));  // no such window
    ASSERT_TRUE(SetTimer(c->Handle(), 7, 5));
    EXPECT_LE(TimerWait(100), 5);
    EXPECT_EQ(DeliverDueTimers(), 0);  // not yet
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(DeliverDueTimers(), 1);  // late, but only once
    EXPECT_EQ(ticks, 1);
    EXPECT_TRUE(KillTimer(c->Handle(), 7));
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(DeliverDueTimers(), 0);
    EXPECT_EQ(TimerWait(100), 100);
    // A window that goes takes its timers along.
    ASSERT_TRUE(SetTimer(c->Handle(), 7, 1));
    c->Free();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(DeliverDueTimers(), 0);
}

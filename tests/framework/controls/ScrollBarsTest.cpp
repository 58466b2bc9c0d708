#include "framework/controls/ScrollBars.h"
#include "framework/controls/DropDownList.h"
#include "framework/controls/Edits.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Panel.h"
#include "framework/rtl/Exceptions.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

#include <climits>
#include <thread>

using namespace framework;
using namespace testsupport;

namespace {

TScrollInfo info(int Min, int Max, int Page, int Pos, std::uint32_t Mask = SIF_RANGE | SIF_PAGE | SIF_POS) {
    TScrollInfo i;
    i.fMask = Mask;
    i.nMin = Min;
    i.nMax = Max;
    i.nPage = Page;
    i.nPos = Pos;
    return i;
}

std::uint32_t wheel(int Notches) {
    return MakeWParam(0, static_cast<std::uint16_t>(static_cast<std::int16_t>(Notches * 120)));
}

// Holds the pointer still for a while, letting the timers of a held button fire.
void holdFor(int Milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(Milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        Application->ProcessMessages();
    }
}

// A window that sets its own bars and records what they tell it, as a classic program's would.
class TRecorder : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<int> codes;
    void WndProc(TMessage& Message) override {
        if (Message.Msg == WM_VSCROLL || Message.Msg == WM_HSCROLL) {
            codes.push_back(static_cast<int>(Message.WParam & 0xFFFF));
            if ((Message.WParam & 0xFFFF) == SB_LINEDOWN)
                SetScrollPos(SB_VERT, GetScrollPos(SB_VERT) + 1);
            return;
        }
        TCustomControl::WndProc(Message);
    }
};

}  // namespace

TEST(ScrollValues, PageAndPositionAreKeptSound) {
    TScrollBarValues v;
    EXPECT_EQ(v.Set(info(0, 99, 10, 95)), 90);  // the last position still fills a page
    EXPECT_TRUE(v.Needed());
    EXPECT_EQ(v.Set(info(0, 99, 200, 50)), 0);  // a page longer than the range is the range
    EXPECT_EQ(v.Page(), 100);
    EXPECT_FALSE(v.Needed());
    v.Set(info(0, 99, -5, 40));  // a negative page is no page
    EXPECT_EQ(v.Page(), 0);
    EXPECT_EQ(v.Pos(), 40);
    EXPECT_EQ(v.MaxPos(), 99);
    v.Set(info(10, 3, 0, 7));  // a range given backwards holds one position
    EXPECT_EQ(v.Min(), 10);
    EXPECT_EQ(v.Max(), 10);
    EXPECT_EQ(v.Pos(), 10);
    EXPECT_FALSE(v.Needed());
    v.Set(info(INT_MIN, INT_MAX, INT_MAX, INT_MAX));
    EXPECT_EQ(v.MaxPos(), 1);  // counted without overflow
    EXPECT_EQ(v.Pos(), 1);
    v.Set(info(0, 0, 0, 0, SIF_RANGE | SIF_DISABLENOSCROLL));
    EXPECT_FALSE(v.Needed());
    EXPECT_TRUE(v.Shown());  // shown disabled instead of hidden
    v.Set(info(0, 50, 10, 0));
    v.StartTracking();
    v.SetTrackPos(1000);
    EXPECT_EQ(v.TrackPos(), 41);
    EXPECT_EQ(v.Pos(), 0);
    TScrollInfo read;
    read.fMask = SIF_ALL;
    v.Get(read);
    EXPECT_EQ(read.nTrackPos, 41);
    EXPECT_EQ(read.nPage, 10);
}

TEST(ScrollLayout, ArrowsTrackAndAProportionalThumb) {
    TScrollBarValues v;
    v.Set(info(0, 99, 10, 0));
    const TScrollBarLayout top(v, Rect(0, 0, 17, 200), true);
    EXPECT_EQ(top.LineUp, Rect(0, 0, 17, 17));
    EXPECT_EQ(top.LineDown, Rect(0, 183, 17, 200));
    EXPECT_EQ(top.Thumb, Rect(0, 17, 17, 33));  // 166 * 10 / 100 pixels
    EXPECT_EQ(top.PartAt(TPoint{8, 100}), TScrollBarPart::PageDown);
    EXPECT_EQ(top.PartAt(TPoint{8, 20}), TScrollBarPart::Thumb);
    EXPECT_EQ(top.PartAt(TPoint{8, 190}), TScrollBarPart::LineDown);
    EXPECT_EQ(top.PosForThumbAt(17), 0);
    EXPECT_EQ(top.PosForThumbAt(167), 90);
    EXPECT_EQ(top.PosForThumbAt(5000), 90);
    v.Set(info(0, 99, 10, 90));
    const TScrollBarLayout bottom(v, Rect(0, 0, 17, 200), true);
    EXPECT_EQ(bottom.Thumb.Bottom, 183);
    EXPECT_EQ(bottom.PartAt(TPoint{8, 100}), TScrollBarPart::PageUp);
    // A million positions still leave a thumb that can be caught.
    v.Set(info(0, 999999, 5, 500000));
    const TScrollBarLayout huge(v, Rect(0, 0, 200, 17), false);
    EXPECT_EQ(huge.Thumb.Width(), 9);
    EXPECT_EQ(huge.Thumb.Height(), 17);
    // Too short for a thumb: the arrows share the bar.
    const TScrollBarLayout shortBar(v, Rect(0, 0, 17, 20), true);
    EXPECT_EQ(shortBar.LineUp, Rect(0, 0, 17, 10));
    EXPECT_TRUE(shortBar.Thumb.IsEmpty());
    EXPECT_EQ(shortBar.PartAt(TPoint{8, 30}), TScrollBarPart::None);
}

namespace {
struct ListBars : ::testing::Test {
    FormPtr form = MakeForm(200, 150);
    TListBox* list = nullptr;
    void SetUp() override {
        list = Create<TListBox>(form.get());
        list->SetBounds(10, 10, 104, 84);  // five items of 16 pixels inside the border
        list->SetParent(form.get());
    }
    void fill(int n) {
        for (int i = 0; i < n; ++i)
            list->Items()->Add("item " + std::to_string(i));
    }
    // The bar in form coordinates.
    TRect bar() const { return Bounds(10 + 2 + list->ClientWidth(), 12, 17, 80); }
};
}  // namespace

TEST_F(ListBars, ShownOnlyWhileTheItemsDoNotFit) {
    fill(5);
    Picture(*form);
    EXPECT_FALSE(list->WindowStyle() & WS_VSCROLL);
    EXPECT_EQ(list->ClientWidth(), 100);
    list->Items()->Add("sixth");
    Picture(*form);
    EXPECT_TRUE(list->WindowStyle() & WS_VSCROLL);
    EXPECT_FALSE(list->WindowStyle() & WS_HSCROLL);
    EXPECT_EQ(list->ClientWidth(), 83);
    TScrollInfo i;
    ASSERT_TRUE(list->GetScrollInfo(SB_VERT, i));
    EXPECT_EQ(i.nMax, 5);
    EXPECT_EQ(i.nPage, 5);
    list->Items()->Delete(0);
    Picture(*form);
    EXPECT_FALSE(list->WindowStyle() & WS_VSCROLL);
    EXPECT_EQ(list->ClientWidth(), 100);
    list->Clear();
    EXPECT_EQ(list->GetScrollPos(SB_VERT), 0);
    EXPECT_FALSE(list->GetScrollInfo(SB_CTL, i));
}

TEST_F(ListBars, EveryScrollCodeMovesTheList) {
    fill(20);
    auto scroll = [&](int code, int pos = 0) {
        list->Perform(WM_VSCROLL,
                      MakeWParam(static_cast<std::uint16_t>(code), static_cast<std::uint16_t>(pos)));
        return list->TopIndex();
    };
    EXPECT_EQ(scroll(SB_LINEDOWN), 1);
    EXPECT_EQ(scroll(SB_PAGEDOWN), 6);
    EXPECT_EQ(scroll(SB_LINEUP), 5);
    EXPECT_EQ(scroll(SB_PAGEUP), 0);
    EXPECT_EQ(scroll(SB_LINEUP), 0);
    EXPECT_EQ(scroll(SB_BOTTOM), 15);
    EXPECT_EQ(scroll(SB_LINEDOWN), 15);
    EXPECT_EQ(scroll(SB_TOP), 0);
    EXPECT_EQ(scroll(SB_THUMBPOSITION, 7), 7);
    EXPECT_EQ(scroll(SB_THUMBTRACK, 9), 9);
    EXPECT_EQ(scroll(SB_THUMBTRACK, 900), 15);
    EXPECT_EQ(scroll(SB_ENDSCROLL), 15);
    EXPECT_EQ(list->GetScrollPos(SB_VERT), 15);
}

TEST_F(ListBars, TheThumbIsDraggedToTheLastItem) {
    fill(100);
    Picture(*form);
    const TRect b = bar();
    const int thumbY = b.Top + 17 + 2;  // the thumb starts below the up arrow
    form->SendMouseInput(WM_LBUTTONDOWN, b.Left + 8, thumbY);
    EXPECT_TRUE(list->ScrollBarTracking());
    form->SendMouseInput(WM_MOUSEMOVE, b.Left + 8, thumbY + 20);
    const int midway = list->TopIndex();
    EXPECT_GT(midway, 0);
    form->SendMouseInput(WM_MOUSEMOVE, b.Left + 60, b.Bottom + 100);  // far past the end, beside the bar
    EXPECT_EQ(list->TopIndex(), 95);
    form->SendMouseInput(WM_LBUTTONUP, b.Left + 60, b.Bottom + 100);
    EXPECT_FALSE(list->ScrollBarTracking());
    EXPECT_EQ(list->TopIndex(), 95);
    EXPECT_EQ(list->ItemIndex(), -1);  // the press on the bar chose nothing
}

TEST_F(ListBars, ArrowsAndTrackRepeatWhileHeld) {
    fill(200);
    Picture(*form);
    const TRect b = bar();
    form->SendMouseInput(WM_LBUTTONDOWN, b.Left + 8, b.Bottom - 5);  // the down arrow
    EXPECT_EQ(list->TopIndex(), 1);
    holdFor(TScrollBarTracker::kFirstDelay + 5 * TScrollBarTracker::kRepeatDelay);
    const int held = list->TopIndex();
    EXPECT_GE(held, 3);
    form->SendMouseInput(WM_LBUTTONUP, b.Left + 8, b.Bottom - 5);
    holdFor(3 * TScrollBarTracker::kRepeatDelay);
    EXPECT_EQ(list->TopIndex(), held);  // let go, it stops
    // A held track pages until the thumb reaches the pointer.
    list->SetTopIndex(0);
    Picture(*form);
    form->SendMouseInput(WM_LBUTTONDOWN, b.Left + 8, b.Top + 40);
    EXPECT_EQ(list->TopIndex(), 5);
    holdFor(TScrollBarTracker::kFirstDelay + 20 * TScrollBarTracker::kRepeatDelay);
    form->SendMouseInput(WM_LBUTTONUP, b.Left + 8, b.Top + 40);
    EXPECT_GT(list->TopIndex(), 5);
    EXPECT_LT(list->TopIndex(), 195);  // stopped under the pointer, not at the end
}

TEST_F(ListBars, TheWheelScrollsAListThatDoesNotFitElseItsWindow) {
    fill(20);
    form->SendMouseInput(WM_MOUSEWHEEL, 50, 50, wheel(-1));
    EXPECT_EQ(list->TopIndex(), 3);
    form->SendMouseInput(WM_MOUSEWHEEL, 50, 50, wheel(2));
    EXPECT_EQ(list->TopIndex(), 0);
    // A list that shows everything leaves the wheel to the form, which scrolls its content.
    list->Clear();
    fill(2);
    auto* far = Create<TPanel>(form.get());
    far->SetBounds(0, 600, 50, 50);
    far->SetParent(form.get());
    form->SendMouseInput(WM_MOUSEWHEEL, 50, 50, wheel(-1));
    EXPECT_EQ(form->VertScrollBar()->Position(), 3 * form->VertScrollBar()->Increment());
    EXPECT_EQ(list->Top(), 10 - 24);
}

TEST_F(ListBars, BarsFollowTheResolutionAndTheirColours) {
    fill(20);
    auto pic = Picture(*form);
    TRect b = bar();
    EXPECT_TRUE(PixelIs(*pic, b.Left + 8, b.Top + 8, clBtnText));        // the up arrow's glyph
    EXPECT_TRUE(PixelIs(*pic, b.Left + 3, b.Top + 3, clBtnFace));        // its face
    EXPECT_TRUE(PixelIs(*pic, b.Left + 8, b.Bottom - 30, clScrollBar));  // the track
    EXPECT_TRUE(PixelIs(*pic, b.Left + 8, b.Top + 17 + 5, clBtnFace));   // the thumb
    EXPECT_TRUE(PixelIs(*pic, b.Left - 1, b.Top + 8, clWindow));         // the items beside it
    TScrollBarColors styled;
    styled.Track = clNavy;
    styled.Face = clTeal;
    styled.Arrow = clYellow;
    styled.Edge = clMaroon;
    list->SetScrollBarColors(styled);
    pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, b.Left + 8, b.Top + 8, clYellow));
    EXPECT_TRUE(PixelIs(*pic, b.Left + 8, b.Bottom - 30, clNavy));
    EXPECT_TRUE(PixelIs(*pic, b.Left + 8, b.Top + 17 + 5, clTeal));
    EXPECT_TRUE(PixelIs(*pic, b.Left, b.Top + 17 + 5, clMaroon));
    // At 144 pixels per inch the bar is half as thick again, arrows as long as it is thick.
    Screen->SetPixelsPerInch(144);
    list->Invalidate();
    pic = Picture(*form);
    const int t = GetSystemMetrics(SM_CXVSCROLL);
    const int clientWidth = list->ClientWidth();
    Screen->SetPixelsPerInch(96);
    EXPECT_EQ(t, 26);
    EXPECT_EQ(clientWidth, 100 - 26);
    b = Bounds(12 + 100 - 26, 12, 26, 80);
    EXPECT_TRUE(PixelIs(*pic, b.Left + 13, b.Top + 13, clYellow));
    EXPECT_TRUE(PixelIs(*pic, b.Left + 13, b.Top + 26 + 5, clTeal));
    EXPECT_TRUE(PixelIs(*pic, b.Left - 1, b.Top + 13, clWindow));
}

TEST(ScrollBarMessages, APressReportsTrackThenPositionThenTheEnd) {
    FormPtr form = MakeForm(200, 150);
    auto* rec = Create<TRecorder>(form.get());
    rec->SetBounds(0, 0, 100, 100);
    rec->SetParent(form.get());
    rec->SetScrollInfo(SB_VERT, info(0, 9, 2, 0));
    EXPECT_EQ(rec->ClientWidth(), 83);
    form->SendMouseInput(WM_LBUTTONDOWN, 90, 25);  // on the thumb
    form->SendMouseInput(WM_MOUSEMOVE, 90, 60);
    form->SendMouseInput(WM_LBUTTONUP, 90, 60);
    ASSERT_GE(rec->codes.size(), 3u);
    EXPECT_EQ(rec->codes.front(), SB_THUMBTRACK);
    EXPECT_EQ(rec->codes[rec->codes.size() - 2], SB_THUMBPOSITION);
    EXPECT_EQ(rec->codes.back(), SB_ENDSCROLL);
    // The window's handler decides: this one did not move on the thumb's messages.
    EXPECT_EQ(rec->GetScrollPos(SB_VERT), 0);
    rec->codes.clear();
    ClickAt(*form, 90, 95);  // the down arrow
    EXPECT_EQ(rec->codes, (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));
    EXPECT_EQ(rec->GetScrollPos(SB_VERT), 1);
    // A range that fits hides the bar again; a bar that is not one of the window's is ignored.
    rec->SetScrollInfo(SB_VERT, info(0, 0, 0, 0));
    EXPECT_EQ(rec->ClientWidth(), 100);
    EXPECT_EQ(rec->SetScrollInfo(7, info(0, 9, 1, 3)), 0);
    EXPECT_EQ(SetScrollPos(rec->Handle(), SB_HORZ, 5, true), 0);  // no horizontal range yet
    EXPECT_TRUE(SetScrollRange(rec->Handle(), SB_HORZ, 0, 500, true));
    EXPECT_FALSE(SetScrollRange(rec->Handle(), SB_HORZ, 5, 0, true));
    EXPECT_EQ(rec->WindowStyle(), WS_HSCROLL);
    EXPECT_EQ(rec->ClientHeight(), 83);
}

TEST(ScrollBarControl, ArrowsTrackKeysAndEvents) {
    FormPtr form = MakeForm(200, 150);
    auto* bar = Create<TScrollBar>(form.get());
    bar->SetParent(form.get());
    EXPECT_EQ(bar->Height(), 17);
    bar->SetLargeChange(10);
    int changes = 0;
    std::vector<TScrollCode> seen;
    bar->OnChange = TNotifyEvent::Lambda([&](TObject*) { ++changes; });
    bar->OnScroll = TScrollEvent::Lambda([&](TObject*, TScrollCode code, int& pos) {
        seen.push_back(code);
        if (code == scPageDown)
            pos += 1;  // the handler may change where it goes
    });
    ClickAt(*form, 121 - 5, 8);  // the right arrow
    EXPECT_EQ(bar->Position(), 1);
    ClickAt(*form, 100, 8);  // the track right of the thumb
    EXPECT_EQ(bar->Position(), 12);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(seen, (std::vector<TScrollCode>{scLineDown, scEndScroll, scPageDown, scEndScroll}));
    bar->SetFocus();
    form->SendKeyInput(VK_END);
    EXPECT_EQ(bar->Position(), 100);
    bar->SetPageSize(20);
    EXPECT_EQ(bar->Position(), 81);  // the last position that still fills a page
    TScrollInfo i;
    ASSERT_TRUE(GetScrollInfo(bar->Handle(), SB_CTL, i));
    EXPECT_EQ(i.nPage, 20);
    SetScrollPos(bar->Handle(), SB_CTL, 3, true);
    EXPECT_EQ(bar->Position(), 3);
    bar->SetKind(sbVertical);
    EXPECT_EQ(bar->Width(), 17);
    EXPECT_EQ(bar->Height(), 121);
}

TEST(ScrollBarControl, BadValuesRaiseAndChangeNothing) {
    FormPtr form = MakeForm(200, 150);
    auto* bar = Create<TScrollBar>(form.get());
    bar->SetParent(form.get());
    EXPECT_THROW(bar->SetMax(-1), EInvalidOperation);
    EXPECT_THROW(bar->SetPageSize(-3), EInvalidOperation);
    EXPECT_THROW(bar->SetPageSize(102), EInvalidOperation);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->PageSize(), 0);
    bar->SetPosition(1000);
    EXPECT_EQ(bar->Position(), 100);
    bar->SetMin(100);
    bar->SetMax(100);  // a range of one position: nothing to scroll, and no crash
    ClickAt(*form, 116, 8);
    EXPECT_EQ(bar->Position(), 100);
}

namespace {
struct BoxBars : ::testing::Test {
    FormPtr form = MakeForm(300, 300);
    TScrollBox* box = nullptr;
    TPanel* tall = nullptr;
    void SetUp() override {
        box = Create<TScrollBox>(form.get());
        box->SetBounds(0, 0, 104, 104);  // a client area of 100 inside the border
        box->SetParent(form.get());
        tall = Create<TPanel>(box);
        tall->SetBounds(0, 0, 50, 300);
        tall->SetParent(box);
    }
};
}  // namespace

TEST_F(BoxBars, ChildrenPastTheBoxScrollIntoView) {
    Picture(*form);
    EXPECT_EQ(box->WindowStyle(), WS_VSCROLL);
    TScrollInfo i;
    box->GetScrollInfo(SB_VERT, i);
    EXPECT_EQ(i.nMax, 299);
    EXPECT_EQ(i.nPage, 100);
    box->Perform(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(tall->Top(), -8);
    box->Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(tall->Top(), -200);
    EXPECT_EQ(box->VertScrollBar()->Position(), 200);
    // Content that shrinks scrolls back, and the bar goes.
    tall->SetHeight(60);
    Picture(*form);
    EXPECT_EQ(tall->Top(), 0);
    EXPECT_EQ(box->WindowStyle(), 0u);
    // A wide child brings the other bar; ScrollInView scrolls the least that shows it.
    auto* wide = Create<TPanel>(box);
    wide->SetBounds(150, 150, 40, 40);
    wide->SetParent(box);
    Picture(*form);
    EXPECT_EQ(box->WindowStyle(), WS_VSCROLL | WS_HSCROLL);
    box->ScrollInView(wide);
    EXPECT_EQ(wide->Left() + wide->Width(), box->ClientWidth());
    EXPECT_EQ(wide->Top() + wide->Height(), box->ClientHeight());
}

TEST_F(BoxBars, WithoutAutoScrollTheRangeIsGiven) {
    box->SetAutoScroll(false);
    Picture(*form);
    EXPECT_EQ(box->WindowStyle(), 0u);
    box->VertScrollBar()->SetRange(1000);
    box->VertScrollBar()->SetPosition(5000);
    EXPECT_EQ(box->VertScrollBar()->Position(), 1000 - box->ClientHeight());
    EXPECT_EQ(tall->Top(), -box->VertScrollBar()->Position());
    box->VertScrollBar()->SetVisible(false);
    EXPECT_EQ(tall->Top(), 0);
    EXPECT_EQ(box->WindowStyle(), 0u);
}

TEST(FormBars, ContentTallerThanTheFormScrollsByItsOwnBar) {
    FormPtr form = MakeForm(200, 150);
    form->VertScrollBar()->SetTracking(true);
    auto* low = Create<TPanel>(form.get());
    low->SetBounds(10, 500, 50, 50);
    low->SetParent(form.get());
    auto pic = Picture(*form);
    EXPECT_EQ(form->WindowStyle(), WS_VSCROLL);
    EXPECT_EQ(pic->Width(), 200);  // the picture holds the bar beside the client area
    EXPECT_EQ(form->ClientWidth(), 183);
    EXPECT_TRUE(PixelIs(*pic, 191, 8, clBtnText));
    // The thumb is dragged to the end: the panel comes into the window's bottom.
    form->SendMouseInput(WM_LBUTTONDOWN, 191, 20);
    form->SendMouseInput(WM_MOUSEMOVE, 191, 400);
    form->SendMouseInput(WM_LBUTTONUP, 191, 400);
    EXPECT_EQ(low->Top() + low->Height(), 150);
    // Grown, the form needs no bar and shows its content from the top again.
    form->SetClientHeight(600);
    Picture(*form);
    EXPECT_EQ(form->WindowStyle(), 0u);
    EXPECT_EQ(low->Top(), 500);
}

namespace {
class TManyEntries final : public TDropDownSource {
public:
    int chosen = -1;
    int dismissed = 0;
    int DropDownEntryCount() override { return 50; }
    int DropDownEntryHeight(int) override { return 16; }
    void DropDownPaintEntry(TCanvas& Canvas, int, TRect Rect, TOwnerDrawState) override {
        Canvas.FillRect(Rect);
    }
    void DropDownChoose(int Index) override { chosen = Index; }
    void DropDownDismiss() override { ++dismissed; }
};
}  // namespace

TEST(DropDownBars, APoppedUpListScrollsByItsBarAndStaysOpen) {
    FormPtr form = MakeForm(200, 200);
    TManyEntries source;
    auto* list = Create<TDropDownList>(form.get(), static_cast<TDropDownSource*>(&source));
    list->Popup(form.get(), Rect(10, 10, 110, 140));  // eight entries inside a one-pixel frame
    Picture(*form);
    EXPECT_EQ(list->WindowStyle(), WS_VSCROLL);
    ClickAt(*form, 10 + 1 + list->ClientWidth() + 8, 139 - 5);  // the down arrow
    EXPECT_EQ(source.dismissed, 0);
    EXPECT_EQ(source.chosen, -1);
    EXPECT_EQ(list->ItemAt(5, 2), 1);
    list->Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(list->ItemAt(5, 2), 42);
    list->Close();
}

TEST(MemoBars, LinesPastTheMemoScrollByItsBar) {
    FormPtr form = MakeForm(200, 200);
    auto* memo = Create<TMemo>(form.get());
    memo->SetBounds(0, 0, 150, 100);
    memo->SetParent(form.get());
    memo->Lines()->Add("one");
    Picture(*form);
    EXPECT_EQ(memo->WindowStyle(), 0u);
    for (int i = 0; i < 30; ++i)
        memo->Lines()->Add("line " + std::to_string(i));
    Picture(*form);
    EXPECT_EQ(memo->WindowStyle(), WS_VSCROLL);
    memo->Perform(WM_VSCROLL, SB_BOTTOM);
    TScrollInfo i;
    memo->GetScrollInfo(SB_VERT, i);
    // 31 lines and the empty one after the last line break, where the caret can go.
    EXPECT_EQ(i.nMax, 31);
    EXPECT_EQ(i.nPos, 32 - i.nPage);
    memo->Lines()->Clear();
    Picture(*form);
    EXPECT_EQ(memo->WindowStyle(), 0u);
    EXPECT_EQ(memo->GetScrollPos(SB_VERT), 0);
}

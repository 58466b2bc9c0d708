#include "framework/controls/Edits.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Panel.h"
#include "framework/forms/Application.h"
#include "support/FormFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace framework;
using namespace testsupport;

namespace {

// A panel that logs the mouse messages it gets, with their positions.
class TLogPanel : public TPanel {
public:
    using TPanel::TPanel;
    std::vector<std::string> log;

protected:
    void MouseDown(TMouseButton Button, TShiftState, int X, int Y) override {
        log.push_back("down" + std::to_string(Button) + " " + std::to_string(X) + "," + std::to_string(Y));
    }
    void MouseMove(TShiftState, int X, int Y) override {
        log.push_back("move " + std::to_string(X) + "," + std::to_string(Y));
    }
    void MouseUp(TMouseButton Button, TShiftState, int X, int Y) override {
        log.push_back("up" + std::to_string(Button) + " " + std::to_string(X) + "," + std::to_string(Y));
    }
};

class FormMouseInput : public ::testing::Test {
protected:
    FormPtr form = MakeForm(300, 200);
    TLogPanel* left = MakePanel(10, 10);
    TLogPanel* right = MakePanel(150, 10);

    TLogPanel* MakePanel(int x, int y) {
        auto* p = Create<TLogPanel>(form.get());
        p->SetParent(form.get());
        p->SetBounds(x, y, 100, 100);
        return p;
    }
    void TearDown() override { ReleaseCapture(); }
};

}  // namespace

TEST_F(FormMouseInput, APressKeepsTheMovesAndReleaseOfItsControlWhereverThePointerGoes) {
    form->SendMouseInput(WM_LBUTTONDOWN, 20, 30);
    form->SendMouseInput(WM_MOUSEMOVE, 200, 40);   // over the other panel
    form->SendMouseInput(WM_MOUSEMOVE, -50, 400);  // outside the window
    form->SendMouseInput(WM_LBUTTONUP, 210, 50);
    EXPECT_EQ(left->log,
              (std::vector<std::string>{"down0 10,20", "move 190,30", "move -60,390", "up0 200,40"}));
    EXPECT_TRUE(right->log.empty());
    // Released: the next move goes by position again.
    form->SendMouseInput(WM_MOUSEMOVE, 200, 40);
    EXPECT_EQ(right->log, (std::vector<std::string>{"move 50,30"}));
    EXPECT_EQ(GetCapture(), 0u);
    TPoint p;
    GetCursorPos(p);
    EXPECT_EQ(p, (TPoint{200, 40}));
}

TEST_F(FormMouseInput, AControlThatDoesNotCaptureLosesTheDragWhenThePointerLeaves) {
    left->SetControlStyle(left->ControlStyle() & ~csCaptureMouse);
    form->SendMouseInput(WM_LBUTTONDOWN, 20, 30);
    form->SendMouseInput(WM_MOUSEMOVE, 200, 40);
    EXPECT_EQ(left->log, (std::vector<std::string>{"down0 10,20"}));
    EXPECT_EQ(right->log, (std::vector<std::string>{"move 50,30"}));
}

TEST_F(FormMouseInput, AnExplicitCaptureOutlivesTheButtonAndEndsWhenItsWindowGoes) {
    SetCapture(right->Handle());
    form->SendMouseInput(WM_LBUTTONDOWN, 20, 30);
    form->SendMouseInput(WM_LBUTTONUP, 20, 30);
    form->SendMouseInput(WM_MOUSEMOVE, 20, 30);
    EXPECT_TRUE(left->log.empty());
    EXPECT_EQ(right->log.size(), 3u);
    right->Free();
    EXPECT_EQ(GetCapture(), 0u);
    form->SendMouseInput(WM_MOUSEMOVE, 20, 30);
    EXPECT_EQ(left->log, (std::vector<std::string>{"move 10,20"}));
}

TEST_F(FormMouseInput, MiddleAndRightButtonsReachTheControl) {
    form->SendMouseInput(WM_MBUTTONDOWN, 20, 30);
    form->SendMouseInput(WM_MBUTTONUP, 20, 30);
    form->SendMouseInput(WM_RBUTTONDBLCLK, 20, 30);
    EXPECT_EQ(left->log, (std::vector<std::string>{"down2 10,20", "up2 10,20", "down1 10,20"}));
}

TEST(FormTabOrder, TabVisitsTabStopsDepthFirstAndWrapsBothWays) {
    FormPtr form = MakeForm();
    auto edit = [&](TWinControl* parent, const char* name) {
        auto* e = Create<TEdit>(form.get());
        e->SetName(name);
        e->SetParent(parent);
        return e;
    };
    TEdit* a = edit(form.get(), "A");
    auto* box = Create<TPanel>(form.get());
    box->SetParent(form.get());
    TEdit* b = edit(box, "B");
    TEdit* hidden = edit(box, "Hidden");
    hidden->SetVisible(false);
    TEdit* c = edit(form.get(), "C");
    a->SetFocus();
    std::vector<std::string> visited;
    for (int i = 0; i < 3; ++i) {
        form->SendKeyInput(VK_TAB);
        visited.push_back(form->ActiveControl()->Name());
    }
    form->SendKeyInput(VK_TAB, ssShift);
    visited.push_back(form->ActiveControl()->Name());
    EXPECT_EQ(visited, (std::vector<std::string>{"B", "C", "A", "C"}));
    EXPECT_EQ(c->Text(), "");  // the Tab reached no control as a key
    (void)b;
}

TEST(FormPainting, TheFormReportsTheWindowsPaintedSinceItWasLastAskedInFormCoordinates) {
    FormPtr form = MakeForm(300, 200);
    auto* outer = Create<TPanel>(form.get());
    outer->SetParent(form.get());
    outer->SetBounds(10, 20, 200, 150);
    auto* inner = Create<TPanel>(form.get());
    inner->SetParent(outer);
    inner->SetBounds(5, 6, 50, 40);
    Picture(*form);  // everything painted once
    form->TakePaintedRects();
    inner->Invalidate();
    form->PaintInvalid();
    const TPoint o = outer->ClientOrigin();
    EXPECT_EQ(form->TakePaintedRects(), (std::vector<TRect>{Bounds(o.X + 5, o.Y + 6, 50, 40)}));
    form->PaintInvalid();
    EXPECT_TRUE(form->TakePaintedRects().empty());
    // Many repaints between two questions are kept as one rectangle round them all.
    for (int i = 0; i < 40; ++i)
        (i % 2 ? outer : inner)->Repaint();
    const std::vector<TRect> many = form->TakePaintedRects();
    ASSERT_LE(many.size(), 32u);
    EXPECT_NE(std::find(many.begin(), many.end(), outer->BoundsRect()), many.end());
    for (const TRect& r : many)
        EXPECT_EQ(IntersectRect(r, outer->BoundsRect()), r);
}

TEST(FormPainting, ASelectionThatMovesReportsTheTwoRowsAndAScrollTheWholeList) {
    FormPtr form = MakeForm(300, 200);
    auto* list = Create<TListBox>(form.get());
    list->SetParent(form.get());
    list->SetBounds(10, 20, 150, 100);
    for (int i = 0; i < 30; ++i)
        list->Items()->Add("row " + std::to_string(i));
    list->SetItemIndex(1);
    Picture(*form);
    form->TakePaintedRects();
    const TPoint o = list->ClientOrigin();
    const auto onForm = [o](TRect r) {
        return Rect(o.X + r.Left, o.Y + r.Top, o.X + r.Right, o.Y + r.Bottom);
    };
    const TRect row1 = onForm(list->ItemRect(1)), row3 = onForm(list->ItemRect(3));
    list->SetItemIndex(3);
    form->PaintInvalid();
    EXPECT_EQ(form->TakePaintedRects(), (std::vector<TRect>{UnionRect(row1, row3)}));
    // The list's own picture is whole and right: the new row selected, the old one not.
    const auto picture = Picture(*form);
    EXPECT_EQ(picture->Canvas()->Pixels(row3.Right - 3, row3.Top + 2), ColorToRGB(clHighlight));
    EXPECT_NE(picture->Canvas()->Pixels(row1.Right - 3, row1.Top + 2), ColorToRGB(clHighlight));
    form->TakePaintedRects();
    // A selection that scrolls the list shows the whole list again; so does Invalidate after a row.
    list->SetItemIndex(29);
    form->PaintInvalid();
    EXPECT_EQ(form->TakePaintedRects(), (std::vector<TRect>{Bounds(10, 20, 150, 100)}));
    list->InvalidateRect(list->ItemRect(list->TopIndex()));
    list->Invalidate();
    form->PaintInvalid();
    EXPECT_EQ(form->TakePaintedRects(), (std::vector<TRect>{Bounds(10, 20, 150, 100)}));
}

TEST(FormPainting, PaintToLeavesPixelsOutsideTheClipAlone) {
    FormPtr form = MakeForm(100, 100);
    auto* panel = Create<TPanel>(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(50, 50, 40, 40);
    panel->SetColor(clRed);
    TBitmap dest(100, 100);
    dest.Canvas()->Brush()->SetColor(clBlue);
    dest.Canvas()->FillRect(Rect(0, 0, 100, 100));
    dest.Canvas()->SetClipRect(Rect(0, 0, 40, 40));
    form->PaintTo(*dest.Canvas(), 0, 0);
    dest.Canvas()->ResetClip();
    EXPECT_EQ(dest.Canvas()->Pixels(60, 60), clBlue);
    EXPECT_NE(dest.Canvas()->Pixels(10, 10), clBlue);
}

TEST(LParamPointers, ATokenNamesItsPointerOnlyWhileItsGuardLives) {
    const TRect r = Rect(1, 2, 3, 4);
    std::int32_t token = 0;
    {
        TLParamPointer guard(&r);
        token = guard.LParam();
        EXPECT_NE(token, 0);
        EXPECT_EQ(PointerFromLParam(token), &r);
        TLParamPointer other(nullptr);
        EXPECT_NE(other.LParam(), token);
    }
    EXPECT_EQ(PointerFromLParam(token), nullptr);
    EXPECT_EQ(PointerFromLParam(0), nullptr);
}

#include "framework/controls/DragDrop.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Menus.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace framework;
using namespace testsupport;

namespace {

class FormPointer : public ::testing::Test {
protected:
    FormPtr form = MakeForm(300, 200);
    std::vector<std::string> log;

    TCustomControl* Box(TWinControl* parent, TRect bounds, TColor color, const std::string& name) {
        auto* box = Create<TCustomControl>(form.get());
        box->SetName(name);
        box->SetParent(parent);
        box->SetBoundsRect(bounds);
        box->SetColor(color);
        return box;
    }
    void LogEnterLeave(TControl* c) {
        c->OnMouseEnter = TNotifyEvent::Lambda([this](TObject* s) { log.push_back("enter " + Name(s)); });
        c->OnMouseLeave = TNotifyEvent::Lambda([this](TObject* s) { log.push_back("leave " + Name(s)); });
    }
    static std::string Name(TObject* o) {
        auto* c = As<TComponent>(o);
        return c ? c->Name() : "?";
    }
    void TearDown() override {
        CancelDrag();
        ReleaseCapture();
        Screen->SetCursor(crDefault);
    }
};

TMenuItem* AddItem(TPopupMenu* menu, const std::string& caption, std::vector<std::string>* log = nullptr) {
    auto* item = Create<TMenuItem>(menu);
    item->SetCaption(caption);
    if (log)
        item->OnClick =
            TNotifyEvent::Lambda([log, caption](TObject*) { log->push_back("click " + caption); });
    menu->Items()->Add(item);
    return item;
}

}  // namespace

TEST_F(FormPointer, EnterAndLeaveFollowThePointerBetweenSiblingsAndTheForm) {
    form->SetName("Form");
    TCustomControl* a = Box(form.get(), Bounds(10, 10, 100, 100), clRed, "A");
    TCustomControl* b = Box(form.get(), Bounds(150, 10, 100, 100), clBlue, "B");
    TCustomControl* inner = Box(b, Bounds(10, 10, 20, 20), clLime, "Inner");
    for (TControl* c : std::initializer_list<TControl*>{form.get(), a, b, inner})
        LogEnterLeave(c);

    form->SendMouseInput(WM_MOUSEMOVE, 20, 20);
    form->SendMouseInput(WM_MOUSEMOVE, 30, 30);  // still over A: nothing new
    form->SendMouseInput(WM_MOUSEMOVE, 200, 80);
    form->SendMouseInput(WM_MOUSEMOVE, 165, 25);   // onto B's child
    form->SendMouseInput(WM_MOUSEMOVE, 130, 150);  // the bare form
    form->SendMouseLeave();
    EXPECT_EQ(log, (std::vector<std::string>{"enter A", "leave A", "enter B", "leave B", "enter Inner",
                                             "leave Inner", "enter Form", "leave Form"}));
}

TEST_F(FormPointer, AControlFreedUnderThePointerIsNotToldItWasLeft) {
    TCustomControl* a = Box(form.get(), Bounds(10, 10, 100, 100), clRed, "A");
    LogEnterLeave(a);
    form->SendMouseInput(WM_MOUSEMOVE, 20, 20);
    a->Free();
    form->SendMouseInput(WM_MOUSEMOVE, 25, 20);
    EXPECT_EQ(log, (std::vector<std::string>{"enter A"}));
}

TEST_F(FormPointer, MouseActivateDecidesWhetherAPressFocusesAndWhetherItIsDelivered) {
    auto* panel = Box(form.get(), Bounds(0, 0, 300, 100), clRed, "Panel");
    auto* edit = Create<TEdit>(form.get());
    edit->SetParent(panel);
    edit->SetBounds(10, 10, 100, 22);
    auto* other = Create<TEdit>(form.get());
    other->SetParent(form.get());
    other->SetBounds(10, 150, 100, 22);
    form->SetActiveControl(other);
    int downs = 0;
    edit->OnMouseDown = TMouseEvent::Lambda([&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; });
    TMouseActivate answer = maNoActivate;
    std::vector<std::string> asked;
    edit->OnMouseActivate = TMouseActivateEvent::Lambda(
        [&](TObject*, TMouseButton b, TShiftState, int x, int y, int hit, TMouseActivate& result) {
            asked.push_back(std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y) + " " +
                            std::to_string(hit));
            result = answer;
        });

    ClickAt(*form, 20, 15);
    EXPECT_EQ(asked, (std::vector<std::string>{"0 8,3 1"}));  // in the edit's client coordinates
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(form->ActiveControl(), other);

    answer = maNoActivateAndEat;
    ClickAt(*form, 20, 15);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(form->ActiveControl(), other);

    // maDefault asks the parent, whose answer counts.
    answer = maDefault;
    TMouseActivate panelAnswer = maNoActivate;
    panel->OnMouseActivate = TMouseActivateEvent::Lambda(
        [&](TObject*, TMouseButton, TShiftState, int x, int y, int, TMouseActivate& result) {
            asked.push_back("panel " + std::to_string(x) + "," + std::to_string(y));
            result = panelAnswer;
        });
    ClickAt(*form, 20, 15);
    EXPECT_EQ(asked.back(), "panel 20,15");
    EXPECT_EQ(form->ActiveControl(), other);
    panelAnswer = maDefault;
    ClickAt(*form, 20, 15);
    EXPECT_EQ(downs, 3);
    EXPECT_EQ(form->ActiveControl(), edit);
}

TEST_F(FormPointer, ARightClickPopsUpTheMenuAndAPickFiresTheItem) {
    auto* panel = Box(form.get(), Bounds(0, 0, 300, 200), clWhite, "Panel");
    auto* child = Box(panel, Bounds(20, 20, 100, 100), clRed, "Child");
    auto* menu = Create<TPopupMenu>(form.get());
    menu->OnPopup = TNotifyEvent::Lambda([&](TObject*) { log.push_back("popup"); });
    AddItem(menu, "&Open", &log);
    AddItem(menu, "-");
    AddItem(menu, "Close", &log);
    panel->SetPopupMenu(menu);  // the child has none: the click goes up to its parent

    form->SendMouseInput(WM_RBUTTONDOWN, 40, 50);
    EXPECT_FALSE(menu->PoppedUp());
    form->SendMouseInput(WM_RBUTTONUP, 40, 50);
    ASSERT_TRUE(menu->PoppedUp());
    EXPECT_EQ(menu->PopupComponent(), panel);
    EXPECT_EQ(log, (std::vector<std::string>{"popup"}));
    const TRect shown = menu->PopupList()->BoundsRect();
    EXPECT_EQ(shown.Left, 40);
    EXPECT_EQ(shown.Top, 50);

    // The list is on the form's picture, and follows the pointer.
    auto before = Picture(*form);
    EXPECT_EQ(PixelAt(*before, shown.Left + 5, shown.Top + 5), ColorToRGB(clMenu));
    form->SendMouseInput(WM_MOUSEMOVE, shown.Left + 5, shown.Bottom - 5);
    EXPECT_EQ(menu->PopupList()->Hot(), 2);
    auto hot = Picture(*form);
    EXPECT_EQ(PixelAt(*hot, shown.Left + 5, shown.Bottom - 5), ColorToRGB(clHighlight));
    EXPECT_EQ(PixelAt(*hot, shown.Left + 5, shown.Top + 5), ColorToRGB(clMenu));

    ClickAt(*form, shown.Left + 5, shown.Bottom - 5);
    EXPECT_FALSE(menu->PoppedUp());
    EXPECT_EQ(log, (std::vector<std::string>{"popup", "click Close"}));
    auto after = Picture(*form);
    EXPECT_EQ(PixelAt(*after, shown.Left + 5, shown.Top + 5), clRed);  // the child shows again
    EXPECT_EQ(child->Parent(), panel);
}

TEST_F(FormPointer, ThePopupMenuIsDrivenByKeysAndDismissedByEscapeOrAPressElsewhere) {
    auto* box = Box(form.get(), Bounds(0, 0, 300, 200), clWhite, "Box");
    auto* edit = Create<TEdit>(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(200, 170, 90, 22);
    form->SetActiveControl(edit);
    std::vector<std::string> keys;
    edit->OnKeyDown = TKeyEvent::Lambda(
        [&](TObject*, std::uint16_t& k, TShiftState) { keys.push_back(std::to_string(k)); });
    auto* menu = Create<TPopupMenu>(form.get());
    AddItem(menu, "One", &log);
    AddItem(menu, "-");
    AddItem(menu, "Two", &log)->SetEnabled(false);
    AddItem(menu, "Three", &log);
    box->SetPopupMenu(menu);

    // Near the bottom right corner it opens to the left and above the point.
    form->SendMouseInput(WM_RBUTTONUP, 290, 190);
    ASSERT_TRUE(menu->PoppedUp());
    const TRect shown = menu->PopupList()->BoundsRect();
    EXPECT_EQ(shown.Right, 290);
    EXPECT_EQ(shown.Bottom, 190);

    form->SendKeyInput(VK_DOWN);
    EXPECT_EQ(menu->PopupList()->Hot(), 0);
    form->SendKeyInput(VK_DOWN);  // past the separator and the disabled item
    EXPECT_EQ(menu->PopupList()->Hot(), 3);
    form->SendKeyInput(VK_DOWN);  // round to the top
    EXPECT_EQ(menu->PopupList()->Hot(), 0);
    form->SendKeyInput(VK_UP);
    EXPECT_EQ(menu->PopupList()->Hot(), 3);
    form->SendKeyInput(VK_RETURN);
    EXPECT_FALSE(menu->PoppedUp());
    EXPECT_EQ(log, (std::vector<std::string>{"click Three"}));
    EXPECT_TRUE(keys.empty());  // the menu had the keys, and the focus never moved
    EXPECT_EQ(form->ActiveControl(), edit);

    form->SendMouseInput(WM_RBUTTONUP, 50, 50);
    form->SendKeyInput(VK_ESCAPE);
    EXPECT_FALSE(menu->PoppedUp());
    form->SendMouseInput(WM_RBUTTONUP, 50, 50);
    ClickAt(*form, 10, 10);  // outside the list
    EXPECT_FALSE(menu->PoppedUp());
    EXPECT_EQ(log, (std::vector<std::string>{"click Three"}));
    form->SendKeyInput(VK_DOWN);
    EXPECT_EQ(keys, (std::vector<std::string>{std::to_string(VK_DOWN)}));

    // A menu freed while it shows takes its list with it.
    form->SendMouseInput(WM_RBUTTONUP, 50, 50);
    const int controls = form->ControlCount();
    menu->Free();
    EXPECT_EQ(form->ControlCount(), controls - 1);
    EXPECT_EQ(box->PopupMenu(), nullptr);
    form->SendMouseInput(WM_RBUTTONUP, 50, 50);
}

TEST_F(FormPointer, AnAutomaticDragIsDroppedOnATargetThatAccepts) {
    auto* source = Box(form.get(), Bounds(10, 10, 50, 50), clRed, "Source");
    auto* target = Box(form.get(), Bounds(150, 10, 100, 100), clBlue, "Target");
    source->SetDragMode(dmAutomatic);
    source->SetDragCursor(crHandPoint);
    int sourceDowns = 0;
    source->OnMouseDown =
        TMouseEvent::Lambda([&](TObject*, TMouseButton, TShiftState, int, int) { ++sourceDowns; });
    source->OnStartDrag =
        TStartDragEvent::Lambda([&](TObject* s, TDragObject*&) { log.push_back("start " + Name(s)); });
    target->OnDragOver =
        TDragOverEvent::Lambda([&](TObject*, TObject* src, int x, int y, TDragState state, bool& accept) {
            log.push_back("over " + Name(src) + " " + std::to_string(x) + "," + std::to_string(y) + " " +
                          std::to_string(state));
            accept = x < 50;
        });
    target->OnDragDrop = TDragDropEvent::Lambda([&](TObject*, TObject* src, int x, int y) {
        log.push_back("drop " + Name(src) + " " + std::to_string(x) + "," + std::to_string(y));
    });
    source->OnEndDrag = TEndDragEvent::Lambda([&](TObject*, TObject* t, int x, int y) {
        log.push_back("end " + (t ? Name(t) : std::string("none")) + " " + std::to_string(x) + "," +
                      std::to_string(y));
    });

    form->SendMouseInput(WM_LBUTTONDOWN, 20, 20);
    EXPECT_EQ(sourceDowns, 0);  // the press started the drag instead
    EXPECT_TRUE(source->Dragging());
    form->SendMouseInput(WM_MOUSEMOVE, 160, 30);
    EXPECT_EQ(Screen->Cursor(), crHandPoint);
    form->SendMouseInput(WM_MOUSEMOVE, 230, 30);  // the target refuses its right half
    EXPECT_EQ(Screen->Cursor(), crNo);
    form->SendMouseInput(WM_MOUSEMOVE, 100, 150);  // off the target: it is left
    form->SendMouseInput(WM_MOUSEMOVE, 170, 40);
    form->SendMouseInput(WM_LBUTTONUP, 170, 40);
    EXPECT_FALSE(source->Dragging());
    EXPECT_EQ(Screen->Cursor(), crDefault);
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_EQ(log,
              (std::vector<std::string>{"start Source", "over Source 10,20 0", "over Source 80,20 2",
                                        "over Source -50,140 1", "over Source 20,30 0", "over Source 20,30 2",
                                        "drop Source 20,30", "end Target 20,30"}));

    // Dropped where nothing accepts: the target is not given it.
    log.clear();
    form->SendMouseInput(WM_LBUTTONDOWN, 20, 20);
    form->SendMouseInput(WM_MOUSEMOVE, 240, 30);
    form->SendMouseInput(WM_LBUTTONUP, 240, 30);
    EXPECT_EQ(log.back(), "end none 0,0");

    // Escape cancels: the target is left and nothing is dropped.
    log.clear();
    form->SendMouseInput(WM_LBUTTONDOWN, 20, 20);
    form->SendMouseInput(WM_MOUSEMOVE, 160, 30);
    form->SendKeyInput(VK_ESCAPE);
    form->SendMouseInput(WM_LBUTTONUP, 160, 30);
    EXPECT_EQ(log, (std::vector<std::string>{"start Source", "over Source 10,20 0", "over Source 10,20 1",
                                             "end none 0,0"}));
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(FormPointer, AManualDragStartsOnlyPastItsThresholdAndAClickStaysAClick) {
    auto* source = Box(form.get(), Bounds(10, 10, 50, 50), clRed, "Source");
    int clicks = 0;
    source->OnClick = TNotifyEvent::Lambda([&](TObject*) { ++clicks; });
    source->OnMouseDown = TMouseEvent::Lambda([&](TObject* s, TMouseButton, TShiftState, int, int) {
        static_cast<TControl*>(s)->BeginDrag(false, 5);
    });
    source->OnStartDrag = TStartDragEvent::Lambda([&](TObject*, TDragObject*&) { log.push_back("start"); });
    ClickAt(*form, 20, 20);
    form->SendMouseInput(WM_LBUTTONDOWN, 20, 20);
    form->SendMouseInput(WM_MOUSEMOVE, 24, 23);
    form->SendMouseInput(WM_LBUTTONUP, 24, 23);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(log.empty());
    form->SendMouseInput(WM_LBUTTONDOWN, 20, 20);
    form->SendMouseInput(WM_MOUSEMOVE, 26, 20);
    EXPECT_EQ(log, (std::vector<std::string>{"start"}));
    form->SendMouseInput(WM_LBUTTONUP, 26, 20);
    EXPECT_EQ(clicks, 2);
}

TEST_F(FormPointer, AControlDraggedOntoADockSiteBecomesItsChild) {
    auto* site = Box(form.get(), Bounds(150, 10, 140, 180), clBlue, "Site");
    auto* tool = Box(form.get(), Bounds(10, 10, 40, 30), clRed, "Tool");
    tool->SetDragMode(dmAutomatic);
    tool->SetDragKind(dkDock);
    // Not yet a dock site: the drop is refused and the tool stays.
    form->SendMouseInput(WM_LBUTTONDOWN, 15, 20);
    form->SendMouseInput(WM_MOUSEMOVE, 200, 100);
    EXPECT_EQ(Screen->Cursor(), crNo);
    form->SendMouseInput(WM_LBUTTONUP, 200, 100);
    EXPECT_EQ(tool->Parent(), form.get());

    site->SetDockSite(true);
    form->SendMouseInput(WM_LBUTTONDOWN, 15, 20);  // grabbed 5, 10 inside the tool
    form->SendMouseInput(WM_MOUSEMOVE, 200, 100);
    EXPECT_EQ(Screen->Cursor(), crDrag);
    form->SendMouseInput(WM_LBUTTONUP, 200, 100);
    EXPECT_EQ(tool->Parent(), site);
    EXPECT_EQ(tool->BoundsRect(), Bounds(45, 80, 40, 30));
    auto picture = Picture(*form);
    EXPECT_EQ(PixelAt(*picture, 195, 90), clRed);
    EXPECT_EQ(PixelAt(*picture, 20, 20), clWhite);

    // A dock site cannot be docked inside what it holds.
    auto* inner = Box(site, Bounds(100, 150, 20, 20), clLime, "Inner");
    inner->SetDockSite(true);
    site->SetDragMode(dmAutomatic);
    site->SetDragKind(dkDock);
    form->SendMouseInput(WM_LBUTTONDOWN, 155, 15);
    form->SendMouseInput(WM_MOUSEMOVE, 258, 165);
    EXPECT_EQ(Screen->Cursor(), crNo);
    form->SendMouseInput(WM_LBUTTONUP, 258, 165);
    EXPECT_EQ(site->Parent(), form.get());
}

TEST_F(FormPointer, ADropHandlerMayFreeTheDraggedControl) {
    auto* source = Box(form.get(), Bounds(10, 10, 50, 50), clRed, "Source");
    auto* target = Box(form.get(), Bounds(150, 10, 100, 100), clBlue, "Target");
    source->SetDragMode(dmAutomatic);
    source->OnEndDrag = TEndDragEvent::Lambda([&](TObject*, TObject*, int, int) { log.push_back("end"); });
    target->OnDragOver =
        TDragOverEvent::Lambda([](TObject*, TObject*, int, int, TDragState, bool& accept) { accept = true; });
    target->OnDragDrop = TDragDropEvent::Lambda([&](TObject*, TObject* src, int, int) {
        log.push_back("drop");
        static_cast<TControl*>(src)->Free();
    });
    form->SendMouseInput(WM_LBUTTONDOWN, 20, 20);
    form->SendMouseInput(WM_MOUSEMOVE, 160, 30);
    form->SendMouseInput(WM_LBUTTONUP, 160, 30);
    EXPECT_EQ(log, (std::vector<std::string>{"drop"}));
    EXPECT_EQ(form->ControlCount(), 1);
    EXPECT_FALSE(DragInProgress());
    EXPECT_EQ(Screen->Cursor(), crDefault);
    // A drag started in code and dropped in code reaches the target under the pointer.
    auto* other = Box(form.get(), Bounds(10, 10, 50, 50), clRed, "Other");
    form->SendMouseInput(WM_MOUSEMOVE, 20, 20);
    other->BeginDrag(true);
    form->SendMouseInput(WM_MOUSEMOVE, 170, 30);
    target->OnDragDrop = TDragDropEvent::Lambda([&](TObject*, TObject* src, int x, int y) {
        log.push_back("drop " + Name(src) + " " + std::to_string(x) + "," + std::to_string(y));
    });
    other->EndDrag(true);
    EXPECT_EQ(log.back(), "drop Other 20,20");
    EXPECT_FALSE(other->Dragging());
}

TEST_F(FormPointer, DockSitesAreAskedAndToldAndTheSiteLeftMayKeepItsControl) {
    auto* home = Box(form.get(), Bounds(10, 10, 100, 100), clBlue, "Home");
    auto* site = Box(form.get(), Bounds(150, 10, 140, 180), clBlue, "Site");
    auto* tool = Box(home, Bounds(10, 10, 40, 30), clRed, "Tool");
    home->SetDockSite(true);
    site->SetDockSite(true);
    tool->SetDragMode(dmAutomatic);
    tool->SetDragKind(dkDock);
    bool keep = true;
    tool->OnStartDock = TStartDragEvent::Lambda([&](TObject*, TDragObject*&) { log.push_back("start"); });
    tool->OnStartDrag =
        TStartDragEvent::Lambda([&](TObject*, TDragObject*&) { log.push_back("start drag"); });
    tool->OnEndDock = TEndDragEvent::Lambda([&](TObject*, TObject* target, int, int) {
        log.push_back(target ? "end on " + static_cast<TComponent*>(target)->Name() : "end");
    });
    site->OnDockOver =
        TDragOverEvent::Lambda([&](TObject*, TObject*, int, int, TDragState state, bool& accept) {
            if (state == dsDragEnter)
                log.push_back(accept ? "over" : "over refused");
        });
    site->OnDockDrop =
        TDragDropEvent::Lambda([&](TObject*, TObject*, int, int) { log.push_back("dropped"); });
    home->OnUnDock = TUnDockEvent::Lambda([&](TObject*, TControl* c, TWinControl* to, bool& allow) {
        log.push_back(c->Name() + " to " + to->Name());
        allow = !keep;
    });
    auto drag = [&] {
        form->SendMouseInput(WM_LBUTTONDOWN, 25, 25);
        form->SendMouseInput(WM_MOUSEMOVE, 200, 100);
        form->SendMouseInput(WM_LBUTTONUP, 200, 100);
    };
    drag();
    EXPECT_EQ(tool->Parent(), home);  // the site it would leave kept it
    keep = false;
    drag();
    EXPECT_EQ(tool->Parent(), site);
    EXPECT_EQ(log, (std::vector<std::string>{"start", "over", "Tool to Site", "end on Site", "start", "over",
                                             "Tool to Site", "dropped", "end on Site"}));
}

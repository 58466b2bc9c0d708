#include "framework/controls/Edits.h"
#include "framework/forms/TextForms.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace testsupport;

namespace {

// A windowed box that shows nothing but its colour.
TCustomControl* Box(TWinControl* parent, TRect bounds, TColor color, TAnchors anchors = akLeft | akTop) {
    auto* box = Create<TCustomControl>(parent);
    box->SetParent(parent);
    box->SetBoundsRect(bounds);
    box->SetColor(color);
    box->SetAnchors(anchors);
    return box;
}

}  // namespace

TEST(Anchors, ChildrenKeepTheirDistancesToTheAnchoredSidesWhenTheFormIsResized) {
    FormPtr form = MakeForm(300, 200);
    TCustomControl* topLeft = Box(form.get(), Bounds(10, 10, 50, 20), clRed);
    TCustomControl* bottomRight = Box(form.get(), Bounds(240, 170, 50, 20), clBlue, akRight | akBottom);
    TCustomControl* stretched = Box(form.get(), Bounds(10, 50, 280, 20), clLime, akLeft | akTop | akRight);
    TCustomControl* tall = Box(form.get(), Bounds(10, 80, 20, 100), clYellow, akLeft | akTop | akBottom);
    TCustomControl* floating = Box(form.get(), Bounds(125, 90, 50, 20), clFuchsia, 0);

    form->SetClientWidth(400);
    form->SetClientHeight(260);
    EXPECT_EQ(topLeft->BoundsRect(), Bounds(10, 10, 50, 20));
    EXPECT_EQ(bottomRight->BoundsRect(), Bounds(340, 230, 50, 20));
    EXPECT_EQ(stretched->BoundsRect(), Bounds(10, 50, 380, 20));
    EXPECT_EQ(tall->BoundsRect(), Bounds(10, 80, 20, 160));
    // Anchored on no side, the centre keeps its place in proportion: (150, 100) of 300 x 200.
    EXPECT_EQ(floating->BoundsRect(), Bounds(175, 120, 50, 20));

    auto picture = Picture(*form);
    EXPECT_EQ(PixelAt(*picture, 389, 60), clLime);
    EXPECT_EQ(PixelAt(*picture, 390, 60), clWhite);
    EXPECT_EQ(PixelAt(*picture, 389, 249), clBlue);
    EXPECT_EQ(PixelAt(*picture, 339, 249), clWhite);

    // Back again: nothing drifts, however often the size changes.
    for (int w : {150, 333, 301, 300})
        form->SetClientWidth(w);
    form->SetClientHeight(200);
    EXPECT_EQ(bottomRight->BoundsRect(), Bounds(240, 170, 50, 20));
    EXPECT_EQ(stretched->BoundsRect(), Bounds(10, 50, 280, 20));
    EXPECT_EQ(floating->BoundsRect(), Bounds(125, 90, 50, 20));
}

TEST(Anchors, MovingAnAnchoredControlMakesItsNewPlaceTheBase) {
    FormPtr form = MakeForm(300, 200);
    TCustomControl* box = Box(form.get(), Bounds(240, 10, 50, 20), clBlue, akTop | akRight);
    form->SetClientWidth(350);
    EXPECT_EQ(box->Left(), 290);
    box->SetLeft(100);  // placed by hand: 200 from the right edge now
    form->SetClientWidth(300);
    EXPECT_EQ(box->Left(), 50);
    // Anchors changed later count from the place the control has then.
    box->SetAnchors(akLeft | akTop | akRight);
    form->SetClientWidth(320);
    EXPECT_EQ(box->BoundsRect(), Bounds(50, 10, 70, 20));
}

TEST(Anchors, ScalingAFormScalesAnchoredChildrenOnce) {
    FormPtr form = MakeForm(300, 200);
    TCustomControl* right = Box(form.get(), Bounds(240, 170, 50, 20), clBlue, akRight | akBottom);
    TCustomControl* wide = Box(form.get(), Bounds(10, 50, 280, 20), clLime, akLeft | akTop | akRight);
    form->ScaleBy(2, 1);
    EXPECT_EQ(right->BoundsRect(), Bounds(480, 340, 100, 40));
    EXPECT_EQ(wide->BoundsRect(), Bounds(20, 100, 560, 40));
    // And the anchoring goes on from the scaled places.
    form->SetClientWidth(form->ClientWidth() + 10);
    EXPECT_EQ(right->Left(), 490);
    EXPECT_EQ(wide->Width(), 570);
}

TEST(Anchors, AlignedChildrenFollowTheirAlignmentInstead) {
    FormPtr form = MakeForm(300, 200);
    TCustomControl* bar = Box(form.get(), Bounds(0, 0, 10, 30), clRed, akRight | akBottom);
    bar->SetAlign(alTop);
    form->SetClientWidth(400);
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, 0, 400, 30));
}

TEST(Constraints, SetBoundsKeepsToTheLimitsAndNewLimitsApplyAtOnce) {
    FormPtr form = MakeForm(300, 200);
    TCustomControl* box =
        Box(form.get(), Bounds(10, 10, 100, 50), clRed, akLeft | akTop | akRight | akBottom);
    box->Constraints()->SetMaxWidth(150);
    box->Constraints()->SetMinHeight(40);
    box->SetBounds(10, 10, 400, 10);
    EXPECT_EQ(box->BoundsRect(), Bounds(10, 10, 150, 40));
    box->Constraints()->SetMinWidth(200);  // above the maximum: the maximum follows
    EXPECT_EQ(box->Constraints()->MaxWidth(), 200);
    EXPECT_EQ(box->Width(), 200);
    box->Constraints()->SetMaxHeight(30);  // below the minimum: the minimum follows
    EXPECT_EQ(box->Constraints()->MinHeight(), 30);
    EXPECT_EQ(box->Height(), 30);
    box->Constraints()->SetMinWidth(-5);
    EXPECT_EQ(box->Constraints()->MinWidth(), 0);

    // Stretched by its anchors, a control stops at its maximum.
    box->Constraints()->SetMaxHeight(0);
    box->SetBounds(10, 10, 100, 50);
    box->Constraints()->SetMaxWidth(120);
    form->SetClientWidth(400);
    EXPECT_EQ(box->Width(), 120);
    EXPECT_EQ(box->Height(), 50);
    auto picture = Picture(*form);
    EXPECT_EQ(PixelAt(*picture, 129, 20), clRed);
    EXPECT_EQ(PixelAt(*picture, 130, 20), clWhite);
}

TEST(Padding, AlignedChildrenKeepThePaddingFree) {
    FormPtr form = MakeForm(300, 200);
    TCustomControl* panel = Box(form.get(), Bounds(0, 0, 200, 100), clRed);
    TCustomControl* top = Box(panel, Bounds(0, 0, 10, 20), clBlue);
    top->SetAlign(alTop);
    TCustomControl* rest = Box(panel, Bounds(0, 0, 10, 10), clLime);
    rest->SetAlign(alClient);
    panel->Padding()->SetLeft(5);
    panel->Padding()->SetTop(6);
    panel->Padding()->SetRight(7);
    panel->Padding()->SetBottom(8);
    EXPECT_EQ(top->BoundsRect(), Bounds(5, 6, 188, 20));
    EXPECT_EQ(rest->BoundsRect(), Rect(5, 26, 193, 92));
    auto picture = Picture(*form);
    EXPECT_EQ(PixelAt(*picture, 4, 10), clRed);
    EXPECT_EQ(PixelAt(*picture, 5, 10), clBlue);
    EXPECT_EQ(PixelAt(*picture, 192, 91), clLime);
    EXPECT_EQ(PixelAt(*picture, 193, 91), clRed);
    // Padding larger than the control leaves the aligned children no room, never negative.
    panel->Padding()->SetLeft(500);
    EXPECT_EQ(rest->Width(), 0);
}

TEST(TabOrder, SettingItRenumbersTheOthersWithoutMovingAnything) {
    FormPtr form = MakeForm(300, 200);
    TEdit* edits[3];
    for (int i = 0; i < 3; ++i) {
        edits[i] = Create<TEdit>(form.get());
        edits[i]->SetParent(form.get());
        edits[i]->SetBounds(10, 10 + 30 * i, 100, 22);
    }
    edits[2]->SetTabOrder(0);
    EXPECT_EQ(edits[2]->TabOrder(), 0);
    EXPECT_EQ(edits[0]->TabOrder(), 1);
    EXPECT_EQ(edits[1]->TabOrder(), 2);
    EXPECT_EQ(form->Controls(2), edits[2]);  // the stacking order stays

    form->SetActiveControl(edits[2]);
    form->SendKeyInput(VK_TAB);
    EXPECT_EQ(form->ActiveControl(), edits[0]);
    form->SendKeyInput(VK_TAB);
    form->SendKeyInput(VK_TAB);
    EXPECT_EQ(form->ActiveControl(), edits[2]);

    edits[2]->SetTabOrder(99);  // past the end: last
    EXPECT_EQ(edits[2]->TabOrder(), 2);
    edits[0]->SetTabOrder(-1);
    EXPECT_EQ(edits[0]->TabOrder(), 2);
    EXPECT_EQ(edits[1]->TabOrder(), 0);
    edits[1]->SetParent(nullptr);
    EXPECT_EQ(edits[1]->TabOrder(), -1);
    EXPECT_EQ(edits[2]->TabOrder(), 0);
    EXPECT_EQ(edits[0]->TabOrder(), 1);
    edits[1]->Free();
}

TEST(ControlTextForms, NewLayoutPropertiesAreWrittenAndReadBack) {
    const std::string text = "object F: TForm\n"
                             "  object A: TEdit\n"
                             "    Anchors = [akLeft, akTop, akRight]\n"
                             "    Constraints.MaxWidth = 300\n"
                             "    Constraints.MinWidth = 20\n"
                             "    DragCursor = crHandPoint\n"
                             "    DragKind = dkDock\n"
                             "    DragMode = dmAutomatic\n"
                             "    TabOrder = 2\n"
                             "    Touch.InteractiveGestures = [igZoom, igPan]\n"
                             "  end\n"
                             "  object B: TPanel\n"
                             "    Anchors = []\n"
                             "    DockSite = True\n"
                             "    DoubleBuffered = True\n"
                             "    Padding.Left = 4\n"
                             "    Padding.Bottom = 3\n"
                             "    TabOrder = 0\n"
                             "  end\n"
                             "  object C: TEdit\n"
                             "    TabOrder = 1\n"
                             "  end\n"
                             "end\n";
    std::unique_ptr<TComponent, TFreeDeleter> form(CreateFromTextForm(text, nullptr, "t"));
    auto* a = static_cast<TEdit*>(form->FindComponent("A"));
    auto* b = static_cast<TWinControl*>(form->FindComponent("B"));
    auto* c = static_cast<TWinControl*>(form->FindComponent("C"));
    EXPECT_EQ(a->Anchors(), akLeft | akTop | akRight);
    EXPECT_EQ(a->Constraints()->MaxWidth(), 300);
    EXPECT_EQ(a->DragMode(), dmAutomatic);
    EXPECT_EQ(a->Touch()->InteractiveGestures(), igZoom | igPan);
    // The tab orders were read before all three were there; they hold once the form is loaded.
    EXPECT_EQ(b->TabOrder(), 0);
    EXPECT_EQ(c->TabOrder(), 1);
    EXPECT_EQ(a->TabOrder(), 2);
    EXPECT_EQ(b->Anchors(), 0u);
    EXPECT_TRUE(b->DockSite());
    EXPECT_EQ(b->Padding()->Left(), 4);

    const std::string written = WriteTextForm(form.get());
    EXPECT_NE(written.find("    Anchors = [akLeft, akTop, akRight]\n"), std::string::npos) << written;
    EXPECT_NE(written.find("    Touch.InteractiveGestures = [igZoom, igPan]\n"), std::string::npos);
    EXPECT_NE(written.find("    Padding.Bottom = 3\n"), std::string::npos);
    std::unique_ptr<TComponent, TFreeDeleter> again(CreateFromTextForm(written, nullptr, "t2"));
    EXPECT_EQ(WriteTextForm(again.get()), written);
}

#include "framework/controls/CheckBox.h"
#include "framework/controls/CheckListBox.h"
#include "framework/controls/Frames.h"
#include "framework/controls/RadioGroup.h"
#include "framework/rtl/Exceptions.h"

#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace testsupport;

namespace {

struct Buttons : ::testing::Test {
    FormPtr form = MakeForm(200, 150);
    template <class T> T* Place(int left, int top, int w, int h) {
        T* c = Create<T>(form.get());
        c->SetBounds(left, top, w, h);
        c->SetParent(form.get());
        return c;
    }
};

}  // namespace

TEST_F(Buttons, CheckBoxCyclesItsStatesAndPaintsTheTick) {
    auto* box = Place<TCheckBox>(0, 0, 100, 17);
    box->SetTabStop(false);  // the click does not focus it: its focus frame is no part of the tick
    auto before = Picture(*form);
    EXPECT_EQ(CountOfColor(*before, clWindowText), 0);
    ClickAt(*form, 5, 8);
    EXPECT_TRUE(box->Checked());
    auto ticked = Picture(*form);
    const auto tick = BoundsOfColor(*ticked, clWindowText);
    ASSERT_TRUE(tick);
    EXPECT_LT(tick->Right, kCheckMarkSize);  // inside the box
    box->SetAllowGrayed(true);
    ClickAt(*form, 5, 8);
    EXPECT_EQ(box->State(), cbGrayed);
    EXPECT_FALSE(box->Checked());
    ClickAt(*form, 5, 8);
    EXPECT_EQ(box->State(), cbUnchecked);
}

TEST_F(Buttons, RadioButtonsOnOneParentExcludeEachOther) {
    auto* a = Place<TRadioButton>(0, 0, 100, 17);
    auto* b = Place<TRadioButton>(0, 20, 100, 17);
    auto* frame = Place<TFrame>(0, 40, 150, 60);
    auto* elsewhere = Create<TRadioButton>(frame);
    elsewhere->SetParent(frame);
    elsewhere->SetChecked(true);
    a->SetChecked(true);
    ClickAt(*form, 5, 28);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(elsewhere->Checked());  // another parent, another group
    auto pic = Picture(*form);
    EXPECT_GT(CountOfColor(*pic, clWindowText), 0);
}

TEST_F(Buttons, RadioGroupSelectsByClickAndClampsTheIndex) {
    auto* group = Place<TRadioGroup>(0, 0, 150, 100);
    group->Items()->SetText("a\nb\nc\n");
    group->SetItemIndex(7);
    EXPECT_EQ(group->ItemIndex(), 2);
    const TRect r = group->ItemRect(0);
    ClickAt(*form, r.Left + 5, r.Top + r.Height() / 2);
    EXPECT_EQ(group->ItemIndex(), 0);
    group->Items()->Delete(2);
    group->Items()->Delete(1);
    group->Items()->Delete(0);
    EXPECT_EQ(group->ItemIndex(), -1);
}

TEST_F(Buttons, CheckListBoxMarksFollowTheirItems) {
    auto* list = Place<TCheckListBox>(0, 0, 150, 100);
    list->Items()->SetText("b\nc\n");
    list->SetChecked(1, true);
    list->Items()->Insert(0, "a");
    EXPECT_FALSE(list->Checked(0));
    EXPECT_TRUE(list->Checked(2));
    list->SetSorted(false);
    list->Items()->Delete(0);
    EXPECT_TRUE(list->Checked(1));
    EXPECT_THROW(list->Checked(5), EListError);
    int clicks = 0;
    list->OnClickCheck = TNotifyEvent::Lambda([&](TObject*) { ++clicks; });
    ClickAt(*form, 6, 2 + 8);  // on the first item's mark
    EXPECT_TRUE(list->Checked(0));
    EXPECT_EQ(clicks, 1);
    auto pic = Picture(*form);
    const auto ink = BoundsOfColor(*pic, clWindowText);
    ASSERT_TRUE(ink);
    EXPECT_LT(ink->Left, kCheckMarkSize + 4);  // the tick sits before the text
}

#include "framework/controls/Accessible.h"

#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/ComCtrls.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Grids.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Panel.h"
#include "framework/controls/ScrollBars.h"

#include "support/FormFixture.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace testsupport;

namespace {

struct AccessibleDescriptions : ::testing::Test {
    FormPtr form = MakeForm(300, 200);
    TPanel* panel = Create<TPanel>(form.get());
    TEdit* edit = Create<TEdit>(form.get());
    TLabel* label = Create<TLabel>(form.get());

    void SetUp() override {
        panel->SetBounds(20, 30, 200, 120);
        panel->SetParent(form.get());
        edit->SetBounds(10, 40, 120, 21);
        edit->SetParent(panel);
        label->SetBounds(10, 10, 100, 15);
        label->SetParent(panel);
    }
};

}  // namespace

TEST_F(AccessibleDescriptions, AnEditIsNamedByTheLabelThatPointsAtIt) {
    EXPECT_EQ(DescribeAccessible(*edit).Name, "");  // its typed text is no name
    edit->SetText("typed");
    label->SetCaption("&Search && find:");
    label->SetFocusControl(edit);
    const TAccessible a = DescribeAccessible(*edit);
    EXPECT_EQ(a.Role, TAccessibleRole::Text);
    EXPECT_EQ(a.Name, "Search & find:");
    // The label goes: the edit is nameless again, and nothing points at freed memory.
    label->Free();
    EXPECT_EQ(DescribeAccessible(*edit).Name, "");
}

TEST_F(AccessibleDescriptions, TheHintDescribesAndTheBoundsAreInTheWindow) {
    edit->SetHint("Words to look for");
    const TAccessible a = DescribeAccessible(*edit);
    EXPECT_EQ(a.Description, "Words to look for");
    // The panel's origin plus the edit's place in it.
    EXPECT_EQ(a.Bounds, Bounds(panel->ClientOrigin().X + 10, panel->ClientOrigin().Y + 40, 120, 21));
}

TEST_F(AccessibleDescriptions, StatesFollowTheControlAndItsParents) {
    TAccessible a = DescribeAccessible(*edit);
    EXPECT_TRUE(a.Has(asEnabled) && a.Has(asVisible) && a.Has(asShowing) && a.Has(asFocusable));
    EXPECT_TRUE(a.Has(asEditable) && a.Has(asSingleLine) && !a.Has(asMultiLine));
    EXPECT_FALSE(a.Has(asFocused));
    edit->SetFocus();
    EXPECT_TRUE(DescribeAccessible(*edit).Has(asFocused));
    edit->SetReadOnly(true);
    EXPECT_FALSE(DescribeAccessible(*edit).Has(asEditable));
    // A disabled parent disables what it holds; a hidden one hides it from the screen.
    panel->SetEnabled(false);
    a = DescribeAccessible(*edit);
    EXPECT_FALSE(a.Has(asEnabled));
    EXPECT_FALSE(a.Has(asFocusable));
    panel->SetEnabled(true);
    panel->Hide();
    a = DescribeAccessible(*edit);
    EXPECT_TRUE(a.Has(asVisible));
    EXPECT_FALSE(a.Has(asShowing));
    EXPECT_TRUE(AccessibleChildren(*form).empty());  // the hidden panel is not offered
}

TEST_F(AccessibleDescriptions, AMemoIsMultiLineAndAPasswordIsMasked) {
    auto* memo = Create<TMemo>(form.get());
    memo->SetParent(panel);
    EXPECT_TRUE(DescribeAccessible(*memo).Has(asMultiLine));
    edit->SetPasswordChar('*');
    edit->SetText("secret");
    TAccessibleText text;
    ASSERT_TRUE(edit->AccessibleText(text));
    EXPECT_EQ(text.Text, "******");
}

TEST_F(AccessibleDescriptions, TextOffsetsCountCharacters) {
    edit->SetText("größer");
    edit->SetSelStart(2);
    edit->SetSelLength(3);
    TAccessibleText text;
    ASSERT_TRUE(edit->AccessibleText(text));
    EXPECT_EQ(text.Text, "größer");
    EXPECT_EQ(text.SelStart, 2);
    EXPECT_EQ(text.SelLength, 3);
    EXPECT_EQ(text.Caret, 5);
    TAccessibleText none;
    EXPECT_FALSE(label->AccessibleText(none));
}

TEST_F(AccessibleDescriptions, ChildrenComeInTheirOrderAndPanelsAreNamedByCaption) {
    panel->SetCaption("Framework controls");
    const TAccessible a = DescribeAccessible(*panel);
    EXPECT_EQ(a.Role, TAccessibleRole::Panel);
    EXPECT_EQ(a.Name, "Framework controls");
    const std::vector<TControl*> children = AccessibleChildren(*panel);
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(children[0], edit);
    EXPECT_EQ(children[1], label);
    EXPECT_EQ(DescribeAccessible(*form).Role, TAccessibleRole::Frame);
    EXPECT_EQ(DescribeAccessible(*label).Role, TAccessibleRole::Label);
}

TEST_F(AccessibleDescriptions, ButtonsActOnlyWhenEnabled) {
    auto* button = Create<TButton>(form.get());
    button->SetParent(panel);
    button->SetCaption("&Open");
    int clicks = 0;
    button->OnClick = TNotifyEvent::Lambda([&](TObject*) { ++clicks; });
    const TAccessible a = DescribeAccessible(*button);
    EXPECT_EQ(a.Role, TAccessibleRole::PushButton);
    EXPECT_EQ(a.Name, "Open");
    ASSERT_EQ(a.Actions, std::vector<std::string>{"click"});
    EXPECT_TRUE(button->DoAccessibleAction(-1, "click"));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->DoAccessibleAction(-1, "toggle"));
    EXPECT_FALSE(button->DoAccessibleAction(0, "click"));
    button->SetEnabled(false);
    EXPECT_FALSE(button->DoAccessibleAction(-1, "click"));
    EXPECT_EQ(clicks, 1);
}

TEST_F(AccessibleDescriptions, CheckBoxesAndRadioButtonsTellTheirMark) {
    auto* check = Create<TCheckBox>(form.get());
    check->SetParent(panel);
    auto* radio = Create<TRadioButton>(form.get());
    radio->SetParent(panel);
    EXPECT_EQ(DescribeAccessible(*check).Role, TAccessibleRole::CheckBox);
    EXPECT_FALSE(DescribeAccessible(*check).Has(asChecked));
    EXPECT_TRUE(check->DoAccessibleAction(-1, "toggle"));
    EXPECT_TRUE(check->Checked());
    EXPECT_TRUE(DescribeAccessible(*check).Has(asChecked));
    EXPECT_TRUE(check->DoAccessibleAction(-1, "toggle"));
    EXPECT_FALSE(check->Checked());
    EXPECT_EQ(DescribeAccessible(*radio).Role, TAccessibleRole::RadioButton);
    EXPECT_TRUE(radio->DoAccessibleAction(-1, "click"));
    EXPECT_TRUE(DescribeAccessible(*radio).Has(asChecked));
}

TEST_F(AccessibleDescriptions, ScrollBarsHaveValues) {
    auto* bar = Create<TScrollBar>(form.get());
    bar->SetParent(panel);
    bar->SetParams(30, 10, 90);
    const TAccessible a = DescribeAccessible(*bar);
    EXPECT_EQ(a.Role, TAccessibleRole::ScrollBar);
    ASSERT_TRUE(a.Value);
    EXPECT_EQ(a.Value->Current, 30);
    EXPECT_EQ(a.Value->Minimum, 10);
    EXPECT_EQ(a.Value->Maximum, 90);
}

namespace {

struct AccessibleLists : ::testing::Test {
    FormPtr form = MakeForm(300, 200);
    TListBox* list = Create<TListBox>(form.get());

    void SetUp() override {
        list->SetBounds(10, 10, 150, 60);
        list->SetParent(form.get());
        for (const char* item : {"alpha", "beta", "gamma", "delta", "epsilon", "zeta", "eta"})
            list->Items()->Add(item);
    }
};

}  // namespace

TEST_F(AccessibleLists, ItemsAreNamedSelectedAndFocusedWithTheKeyboard) {
    ASSERT_EQ(list->AccessibleItemCount(), 7);
    list->SetItemIndex(1);
    TAccessible beta = DescribeAccessible(*list, 1);
    EXPECT_EQ(beta.Role, TAccessibleRole::ListItem);
    EXPECT_EQ(beta.Name, "beta");
    EXPECT_TRUE(beta.Has(asSelected));
    EXPECT_FALSE(beta.Has(asFocused));  // the list has not the focus
    list->SetFocus();
    EXPECT_TRUE(DescribeAccessible(*list, 1).Has(asFocused));
    EXPECT_FALSE(DescribeAccessible(*list, 0).Has(asSelected));
    EXPECT_EQ(list->AccessibleFocusedItem(), 1);
}

TEST_F(AccessibleLists, RowsBelowTheVisibleAreaAreNotShowing) {
    const TAccessible first = DescribeAccessible(*list, 0);
    const TAccessible last = DescribeAccessible(*list, 6);
    EXPECT_TRUE(first.Has(asShowing));
    EXPECT_FALSE(last.Has(asShowing));
    // The first row lies inside the list, in the window's coordinates.
    const TRect inList = DescribeAccessible(*list).Bounds;
    EXPECT_EQ(IntersectRect(first.Bounds, inList), first.Bounds);
    EXPECT_GT(first.Bounds.Height(), 0);
}

TEST_F(AccessibleLists, ClickSelectsAndBadItemsAreRefused) {
    EXPECT_TRUE(list->DoAccessibleAction(3, "click"));
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_FALSE(list->DoAccessibleAction(7, "click"));
    EXPECT_FALSE(list->DoAccessibleAction(-1, "click"));
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_EQ(DescribeAccessible(*list, 99).Name, "");  // out of range: nothing, no fault
}

TEST_F(AccessibleLists, AComboIsNamedByItsLabelAndTellsWhetherItIsOpen) {
    auto* combo = Create<TComboBox>(form.get());
    combo->SetParent(form.get());
    combo->Items()->Add("one");
    combo->Items()->Add("two");
    combo->SetItemIndex(1);
    auto* label = Create<TLabel>(form.get());
    label->SetParent(form.get());
    label->SetCaption("Colour:");
    label->SetFocusControl(combo);
    const TAccessible a = DescribeAccessible(*combo);
    EXPECT_EQ(a.Role, TAccessibleRole::ComboBox);
    EXPECT_EQ(a.Name, "Colour:");
    EXPECT_TRUE(a.Has(asExpandable));
    EXPECT_FALSE(a.Has(asExpanded));
    EXPECT_TRUE(DescribeAccessible(*combo, 1).Has(asSelected));
    EXPECT_TRUE(combo->DoAccessibleAction(0, "click"));
    EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(AccessibleLists, GridCellsAreItemsRowByRow) {
    auto* grid = Create<TStringGrid>(form.get());
    grid->SetParent(form.get());
    grid->SetBounds(10, 80, 200, 100);
    grid->SetColCount(3);
    grid->SetRowCount(4);
    grid->SetCells(2, 1, "whale");
    EXPECT_EQ(DescribeAccessible(*grid).Role, TAccessibleRole::Table);
    ASSERT_EQ(grid->AccessibleItemCount(), 12);
    const TAccessible cell = DescribeAccessible(*grid, 1 * 3 + 2);
    EXPECT_EQ(cell.Role, TAccessibleRole::TableCell);
    EXPECT_EQ(cell.Name, "whale");
    grid->SetRow(1);
    grid->SetCol(2);
    EXPECT_EQ(grid->AccessibleFocusedItem(), 5);
    EXPECT_TRUE(DescribeAccessible(*grid, 5).Has(asSelected));
    EXPECT_EQ(DescribeAccessible(*grid, 12).Name, "");
}

TEST_F(AccessibleLists, AnImageOnlyToolButtonIsNamedByItsHint) {
    auto* button = Create<TToolButton>(form.get());
    button->SetParent(form.get());
    button->SetHint("Save the list");
    const TAccessible a = DescribeAccessible(*button);
    EXPECT_EQ(a.Role, TAccessibleRole::PushButton);
    EXPECT_EQ(a.Name, "Save the list");
    button->SetCaption("Save");
    EXPECT_EQ(DescribeAccessible(*button).Name, "Save");
}

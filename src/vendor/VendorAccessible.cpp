// What screen readers are told of the vendor controls (framework/controls/Accessible.h).

#include "framework/controls/Accessible.h"
#include "vendor/AdvControls.h"
#include "vendor/AdvGlowButton.h"
#include "vendor/AdvListView.h"
#include "vendor/AdvOfficePager.h"
#include "vendor/AdvOfficePagerParts.h"
#include "vendor/AdvOfficeStatusBar.h"
#include "vendor/AdvOfficeTabSet.h"
#include "vendor/AdvProgressBar.h"
#include "vendor/AdvSmoothButton.h"
#include "vendor/AdvToolBtn.h"
#include "vendor/AdvTreeView.h"
#include "vendor/ElButtons.h"
#include "vendor/ElEdits.h"

#include <algorithm>

namespace vendor {

using namespace framework;

void TAdvOfficePager::DescribeAccessible(TAccessible& A) const {
    TCustomControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::PageTabList;
}

// A page is the tab that shows it; its controls are the tab's children.
void TAdvOfficePage::DescribeAccessible(TAccessible& A) const {
    TCustomControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::PageTab;
    A.States |= asSelectable;
    if (m_pager && m_pager->ActivePage() == this)
        A.States |= asSelected | asShowing | asVisible;
    A.Actions = {"click"};
}

bool TAdvOfficePage::DoAccessibleAction(int AItem, const std::string& Action) {
    if (AItem >= 0 || Action != "click" || !m_pager || !Enabled())
        return false;
    m_pager->SetActivePage(this);
    return true;
}

void TAdvOfficeTabSet::DescribeAccessible(TAccessible& A) const {
    TCustomControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::PageTabList;
}

int TAdvOfficeTabSet::AccessibleItemCount() const { return AdvOfficeTabs()->Count(); }

void TAdvOfficeTabSet::DescribeAccessibleItem(int Index, TAccessible& A) const {
    A.Role = TAccessibleRole::PageTab;
    if (Index < 0 || Index >= AdvOfficeTabs()->Count())
        return;
    A.Name = AdvOfficeTabs()->Strings(Index);
    A.States = asSelectable | asVisible | (Enabled() ? asEnabled : 0u) | (Showing() ? asShowing : 0u);
    if (Index == ActiveTabIndex())
        A.States |= asSelected | (Focused() ? asFocused : 0u);
    A.Actions = {"click"};
}

int TAdvOfficeTabSet::AccessibleFocusedItem() const { return ActiveTabIndex(); }

bool TAdvOfficeTabSet::DoAccessibleAction(int AItem, const std::string& Action) {
    if (AItem < 0 || AItem >= AdvOfficeTabs()->Count() || Action != "click" || !Enabled())
        return false;
    SetActiveTabIndex(AItem);
    return true;
}

void TAdvProgressBar::DescribeAccessible(TAccessible& A) const {
    TCustomControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::ProgressBar;
    A.States &= ~asFocusable;
    A.Value = TAccessibleValue{static_cast<double>(Position()), static_cast<double>(Min()),
                               static_cast<double>(Max()), 1.0};
}

void TAdvSmoothButton::DescribeAccessible(TAccessible& A) const {
    TCustomControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::PushButton;
    A.Actions = {"click"};
}

bool TAdvSmoothButton::DoAccessibleAction(int AItem, const std::string& Action) {
    if (AItem >= 0 || Action != "click" || !Enabled())
        return false;
    Click();
    return true;
}

void TAdvCustomGlowButton::DescribeAccessible(TAccessible& A) const {
    TCustomControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::PushButton;
    A.Actions = {"click"};
}

bool TAdvCustomGlowButton::DoAccessibleAction(int AItem, const std::string& Action) {
    if (AItem >= 0 || Action != "click" || !Enabled())
        return false;
    Click();
    return true;
}

// A status bar says what its panels show.
void TAdvOfficeStatusBar::DescribeAccessible(TAccessible& A) const {
    TCustomControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::StatusBar;
    auto* panels = const_cast<TAdvOfficeStatusBar*>(this)->Panels();
    std::string said;
    for (int i = 0; i < panels->Count(); ++i) {
        const std::string& text = panels->Items(i)->Text();
        if (text.empty())
            continue;
        if (!said.empty())
            said += ", ";
        said += text;
    }
    if (!said.empty())
        A.Name = said;
}

void TElSpinEdit::DescribeAccessible(TAccessible& A) const {
    TCustomElEdit::DescribeAccessible(A);
    A.Role = TAccessibleRole::SpinButton;
    A.Value = TAccessibleValue{static_cast<double>(Value()), static_cast<double>(MinValue()),
                               static_cast<double>(MaxValue()), static_cast<double>(Increment())};
}

void TElFloatSpinEdit::DescribeAccessible(TAccessible& A) const {
    TCustomElEdit::DescribeAccessible(A);
    A.Role = TAccessibleRole::SpinButton;
    A.Value = TAccessibleValue{Value(), -1e308, 1e308, Increment()};
}

void TAdvSpinEdit::DescribeAccessible(TAccessible& A) const {
    TCustomEdit::DescribeAccessible(A);
    A.Role = TAccessibleRole::SpinButton;
    const bool bounded = MinValue() != 0 || MaxValue() != 0;
    const bool floating = SpinType() == sptFloat;
    A.Value = TAccessibleValue{floating ? FloatValue() : static_cast<double>(Value()),
                               bounded ? static_cast<double>(MinValue()) : -1e308,
                               bounded ? static_cast<double>(MaxValue()) : 1e308,
                               floating ? IncrementFloat() : static_cast<double>(Increment())};
}

void TAdvToolButton::DescribeAccessible(TAccessible& A) const {
    TGraphicControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::PushButton;
    if (A.Name.empty())
        A.Name = Hint();  // a button that shows only its image is named by its hint
    A.Actions = {"click"};
}

bool TAdvToolButton::DoAccessibleAction(int AItem, const std::string& Action) {
    if (AItem >= 0 || Action != "click" || !Enabled())
        return false;
    Click();
    return true;
}

// A list view's rows read as their columns: the caption, then the sub-items.
void TAdvListView::DescribeAccessible(TAccessible& A) const {
    TCustomControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::List;
    if (A.Name.empty())
        A.Name = AccessibleLabelFor(*this);
}

int TAdvListView::AccessibleItemCount() const { return ItemCount(); }

void TAdvListView::DescribeAccessibleItem(int Index, TAccessible& A) const {
    A.Role = TAccessibleRole::ListItem;
    if (Index < 0 || Index >= ItemCount())
        return;
    const TListItem* item = Items(Index);
    A.Name = item->Caption;
    for (const std::string& sub : item->SubItems)
        if (!sub.empty())
            A.Name += ", " + sub;
    A.States = asSelectable | asVisible | (Enabled() ? asEnabled : 0u);
    const TRect row = const_cast<TAdvListView*>(this)->ItemRect(Index);
    const TPoint origin = ClientOrigin();
    const TRect shown = IntersectRect(row, ClientRect());
    if (Showing() && !shown.IsEmpty())
        A.States |= asShowing;
    A.Bounds = Bounds(origin.X + shown.Left, origin.Y + shown.Top, shown.Width(), shown.Height());
    if (item->Selected())
        A.States |= asSelected;
    if (Focused() && Index == ItemIndex())
        A.States |= asFocused;
    A.Actions = {"click"};
}

int TAdvListView::AccessibleFocusedItem() const { return ItemIndex(); }

bool TAdvListView::DoAccessibleAction(int AItem, const std::string& Action) {
    if (AItem < 0 || AItem >= ItemCount() || Action != "click" || !Enabled())
        return false;
    SetItemIndex(AItem);
    return true;
}

// A check group's items are check boxes, each with its own mark.
void TElCheckGroup::DescribeAccessibleItem(int Index, TAccessible& A) const {
    TCustomRadioGroup::DescribeAccessibleItem(Index, A);
    A.Role = TAccessibleRole::CheckBox;
    A.States &= ~asChecked;
    if (Index >= 0 && Index < Items()->Count() && Checked(Index))
        A.States |= asChecked;
    A.Actions = {"toggle"};
}

bool TElCheckGroup::DoAccessibleAction(int AItem, const std::string& Action) {
    if (AItem < 0 || AItem >= Items()->Count() || Action != "toggle" || !Enabled())
        return false;
    SetChecked(AItem, !Checked(AItem));
    Click();
    return true;
}

// A tree's rows are its items: what its columns show, at their level, open or closed.
void TAdvTreeView::DescribeAccessible(TAccessible& A) const {
    TCustomControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::TreeTable;
}

int TAdvTreeView::AccessibleItemCount() const { return const_cast<TAdvTreeView*>(this)->RowCount(); }

void TAdvTreeView::DescribeAccessibleItem(int Index, TAccessible& A) const {
    auto* self = const_cast<TAdvTreeView*>(this);
    A.Role = TAccessibleRole::TableCell;
    TAdvTreeViewVirtualNode* row = self->NodeAtRow(Index);
    if (!row)
        return;
    for (int c = 0; c < std::max(ColumnCount(), 1); ++c) {
        const std::string text = self->GetNodeText(row, c);
        if (text.empty())
            continue;
        if (!A.Name.empty())
            A.Name += ", ";
        A.Name += text;
    }
    A.Level = row->Level;
    A.States = asSelectable | asVisible | (Enabled() ? asEnabled : 0u);
    const TRect rect = RowRect(Index);
    const TPoint origin = ClientOrigin();
    A.Bounds = Bounds(origin.X + rect.Left, origin.Y + rect.Top, rect.Width(), rect.Height());
    if (Showing() && Index >= m_topRow && Index < m_topRow + VisibleRowCount())
        A.States |= asShowing;
    if (self->SelectedVirtualNode() == row)
        A.States |= asSelected | (Focused() ? asFocused : 0u);
    A.Actions = {"click"};
    if (row->Children > 0) {
        A.States |= asExpandable | (row->Expanded ? asExpanded : 0u);
        A.Actions.push_back(row->Expanded ? "collapse" : "expand");
    }
}

int TAdvTreeView::AccessibleFocusedItem() const {
    auto* self = const_cast<TAdvTreeView*>(this);
    TAdvTreeViewVirtualNode* selected = self->SelectedVirtualNode();
    return selected ? self->RowOf(selected->VirtualIndex) : -1;
}

bool TAdvTreeView::DoAccessibleAction(int AItem, const std::string& Action) {
    TAdvTreeViewVirtualNode* row = AItem >= 0 && Enabled() ? NodeAtRow(AItem) : nullptr;
    if (!row)
        return false;
    if (Action == "click") {
        SelectVirtualNode(row);
        return true;
    }
    if ((Action == "expand" || Action == "collapse") && row->Children > 0) {
        SetVirtualExpanded(row, Action == "expand");
        return true;
    }
    return false;
}

}  // namespace vendor
